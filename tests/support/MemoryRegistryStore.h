#pragma once

#include "ui/RegistryStore.h"

#include <QString>

#include <map>
#include <variant>

namespace kestra::test {

// The registry key in memory, with switches for the failures a real store
// has. Values keep their type: a DWORD read of a string value finds nothing.
class MemoryRegistryStore : public ui::RegistryStore {
public:
    using Value = std::variant<std::uint32_t, QByteArray>;

    bool openKey() override;
    bool createKey() override;
    std::optional<std::uint32_t> readDword(const QString& name) override;
    bool writeDword(const QString& name, std::uint32_t value) override;
    std::optional<QByteArray> readString(const QString& name) override;
    bool writeString(const QString& name, const QByteArray& data) override;

    bool keyExists = false;
    std::map<QString, Value> values;

    bool denyOpen = false;   // the key does not open (no rights)
    bool denyCreate = false; // creating the key fails
    bool denyWrites = false; // every write fails

    int writeCount = 0;      // writes that succeeded
    int createCalls = 0;

    bool has(const QString& name) const { return values.count(name) != 0; }
    std::optional<std::uint32_t> dword(const QString& name) const;
};

} // namespace kestra::test
