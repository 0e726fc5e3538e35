#pragma once

#include "ui/RegistryStore.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <map>
#include <optional>
#include <variant>

namespace kestra::test {

// A registry key in memory whose failures can be switched on: a key that does
// not exist yet, a key that cannot be created, values that cannot be written.
// Core tests cannot link the dialog layer's test support, so the shell keeps
// this one of its own.
class MemoryRegistry final : public ui::RegistryStore {
public:
    using Value = std::variant<std::uint32_t, QByteArray>;

    bool keyExists = true;
    bool canCreateKey = true;
    bool writable = true;
    int createCalls = 0;
    int writeCalls = 0;
    std::map<QString, Value> values;

    static MemoryRegistry withoutKey()
    {
        MemoryRegistry store;
        store.keyExists = false;
        return store;
    }

    std::optional<std::uint32_t> dword(const QString& name) const
    {
        const auto it = values.find(name);
        if (it == values.end() || !std::holds_alternative<std::uint32_t>(it->second))
            return std::nullopt;
        return std::get<std::uint32_t>(it->second);
    }
    std::optional<QByteArray> string(const QString& name) const
    {
        const auto it = values.find(name);
        if (it == values.end() || !std::holds_alternative<QByteArray>(it->second))
            return std::nullopt;
        return std::get<QByteArray>(it->second);
    }

    bool openKey() override { return keyExists; }
    bool createKey() override
    {
        ++createCalls;
        if (canCreateKey)
            keyExists = true;
        return keyExists;
    }
    std::optional<std::uint32_t> readDword(const QString& name) override
    {
        return keyExists ? dword(name) : std::nullopt;
    }
    bool writeDword(const QString& name, std::uint32_t value) override
    {
        ++writeCalls;
        if (!keyExists || !writable)
            return false;
        values[name] = value;
        return true;
    }
    std::optional<QByteArray> readString(const QString& name) override
    {
        return keyExists ? string(name) : std::nullopt;
    }
    bool writeString(const QString& name, const QByteArray& data) override
    {
        ++writeCalls;
        if (!keyExists || !writable)
            return false;
        values[name] = data;
        return true;
    }
};

} // namespace kestra::test
