#include "support/MemoryRegistryStore.h"

namespace kestra::test {

bool MemoryRegistryStore::openKey()
{
    return keyExists && !denyOpen;
}

bool MemoryRegistryStore::createKey()
{
    ++createCalls;
    if (!keyExists && !denyCreate)
        keyExists = true;
    return keyExists;
}

std::optional<std::uint32_t> MemoryRegistryStore::readDword(const QString& name)
{
    if (!openKey())
        return std::nullopt;
    return dword(name);
}

bool MemoryRegistryStore::writeDword(const QString& name, std::uint32_t value)
{
    if (!openKey() || denyWrites)
        return false;
    values[name] = value;
    ++writeCount;
    return true;
}

std::optional<QByteArray> MemoryRegistryStore::readString(const QString& name)
{
    if (!openKey())
        return std::nullopt;
    const auto it = values.find(name);
    if (it == values.end() || !std::holds_alternative<QByteArray>(it->second))
        return std::nullopt;
    return std::get<QByteArray>(it->second);
}

bool MemoryRegistryStore::writeString(const QString& name, const QByteArray& data)
{
    if (!openKey() || denyWrites)
        return false;
    values[name] = data;
    ++writeCount;
    return true;
}

std::optional<std::uint32_t> MemoryRegistryStore::dword(const QString& name) const
{
    const auto it = values.find(name);
    if (it == values.end() || !std::holds_alternative<std::uint32_t>(it->second))
        return std::nullopt;
    return std::get<std::uint32_t>(it->second);
}

} // namespace kestra::test
