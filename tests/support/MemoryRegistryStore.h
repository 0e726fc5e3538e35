// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ui/RegistryStore.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <optional>
#include <variant>

namespace kestra::test {

// The registry key in memory, with switches for the failures a real store
// has. Values keep their type: a DWORD read of a string value finds nothing.
// Header-only, so core tests can use it without the widget test support.
class MemoryRegistryStore : public ui::RegistryStore {
public:
    using Value = std::variant<std::uint32_t, QByteArray>;

    // A store whose key is already there (the state after a first run).
    static MemoryRegistryStore withKey()
    {
        MemoryRegistryStore store;
        store.keyExists = true;
        return store;
    }

    bool openKey() override { return keyExists && !denyOpen; }
    bool createKey() override
    {
        ++createCalls;
        if (!keyExists && !denyCreate)
            keyExists = true;
        return keyExists;
    }
    std::optional<std::uint32_t> readDword(const QString& name) override
    {
        return openKey() ? dword(name) : std::nullopt;
    }
    bool writeDword(const QString& name, std::uint32_t value) override { return write(name, value); }
    std::optional<QByteArray> readString(const QString& name) override
    {
        return openKey() ? string(name) : std::nullopt;
    }
    bool writeString(const QString& name, const QByteArray& data) override { return write(name, data); }

    bool keyExists = false;
    std::map<QString, Value> values;

    bool denyOpen = false;   // the key does not open (no rights)
    bool denyCreate = false; // creating the key fails
    bool denyWrites = false; // every write fails

    int writeCalls = 0; // writes asked for
    int writeCount = 0; // writes that succeeded
    int createCalls = 0;

    bool has(const QString& name) const { return values.count(name) != 0; }
    std::optional<std::uint32_t> dword(const QString& name) const { return stored<std::uint32_t>(name); }
    std::optional<QByteArray> string(const QString& name) const { return stored<QByteArray>(name); }

private:
    bool write(const QString& name, Value value)
    {
        ++writeCalls;
        if (!openKey() || denyWrites)
            return false;
        values[name] = std::move(value);
        ++writeCount;
        return true;
    }

    template <typename T> std::optional<T> stored(const QString& name) const
    {
        const auto it = values.find(name);
        if (it == values.end() || !std::holds_alternative<T>(it->second))
            return std::nullopt;
        return std::get<T>(it->second);
    }
};

} // namespace kestra::test
