// SPDX-License-Identifier: Apache-2.0
#include "ui/WindowsRegistryStore.h"

#ifdef Q_OS_WIN

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstring>

namespace kestra::ui {

namespace {

constexpr REGSAM kToolAccess = 0x2001F; // KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY

class OpenKey {
public:
    OpenKey(HKEY root, REGSAM access)
    {
        if (RegOpenKeyExA(root, kRegistryKeyPath, 0, access, &m_key) != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~OpenKey()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

bool CreateKey(HKEY root)
{
    HKEY key = nullptr;
    if (RegCreateKeyA(root, kRegistryKeyPath, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

DWORD RegType(bool dword)
{
    return dword ? REG_DWORD : REG_SZ;
}

} // namespace

WindowsRegistryStore::WindowsRegistryStore(void* machineRoot, void* userRoot)
    : m_machineRoot(machineRoot ? machineRoot : static_cast<void*>(HKEY_LOCAL_MACHINE)),
      m_userRoot(userRoot ? userRoot : static_cast<void*>(HKEY_CURRENT_USER))
{
}

bool WindowsRegistryStore::openKey()
{
    return OpenKey(static_cast<HKEY>(m_userRoot), kToolAccess).get() != nullptr
           || OpenKey(static_cast<HKEY>(m_machineRoot), kToolAccess).get() != nullptr;
}

bool WindowsRegistryStore::createKey()
{
    return CreateKey(static_cast<HKEY>(m_machineRoot)) || CreateKey(static_cast<HKEY>(m_userRoot));
}

std::optional<QByteArray> WindowsRegistryStore::read(const QString& name, Type type, int bufferSize)
{
    const QByteArray valueName = name.toLatin1();
    for (void* root : {m_userRoot, m_machineRoot}) {
        OpenKey key(static_cast<HKEY>(root), KEY_READ);
        if (!key.get())
            continue;
        DWORD stored = 0;
        QByteArray data(bufferSize, '\0');
        DWORD size = static_cast<DWORD>(data.size());
        const LONG status = RegQueryValueExA(key.get(), valueName.constData(), nullptr, &stored,
                                             reinterpret_cast<BYTE*>(data.data()), &size);
        if (status == ERROR_FILE_NOT_FOUND)
            continue; // not kept here; the machine key may have it
        if (status != ERROR_SUCCESS || stored != RegType(type == Type::Dword))
            return std::nullopt;
        data.truncate(static_cast<qsizetype>(size));
        return data;
    }
    return std::nullopt;
}

bool WindowsRegistryStore::write(const QString& name, Type type, const QByteArray& data)
{
    const QByteArray valueName = name.toLatin1();
    const auto set = [&](HKEY key) {
        return RegSetValueExA(key, valueName.constData(), 0, RegType(type == Type::Dword),
                              reinterpret_cast<const BYTE*>(data.constData()), static_cast<DWORD>(data.size()))
               == ERROR_SUCCESS;
    };
    {
        OpenKey user(static_cast<HKEY>(m_userRoot), kToolAccess);
        if (user.get())
            return set(user.get());
    }
    {
        // The machine key opens only with the right to write it; one that
        // opens and still refuses the value is left to an administrator.
        OpenKey machine(static_cast<HKEY>(m_machineRoot), kToolAccess);
        if (machine.get() && set(machine.get()))
            return true;
    }
    if (!CreateKey(static_cast<HKEY>(m_userRoot)))
        return false;
    OpenKey user(static_cast<HKEY>(m_userRoot), kToolAccess);
    return user.get() && set(user.get());
}

std::optional<std::uint32_t> WindowsRegistryStore::readDword(const QString& name)
{
    const auto data = read(name, Type::Dword, sizeof(DWORD));
    if (!data || data->size() != static_cast<qsizetype>(sizeof(DWORD)))
        return std::nullopt;
    DWORD value = 0;
    std::memcpy(&value, data->constData(), sizeof value);
    return static_cast<std::uint32_t>(value);
}

bool WindowsRegistryStore::writeDword(const QString& name, std::uint32_t value)
{
    const DWORD data = value;
    return write(name, Type::Dword, QByteArray(reinterpret_cast<const char*>(&data), sizeof data));
}

std::optional<QByteArray> WindowsRegistryStore::readString(const QString& name)
{
    return read(name, Type::String, kCompanyDataSize);
}

bool WindowsRegistryStore::writeString(const QString& name, const QByteArray& data)
{
    return write(name, Type::String, data);
}

} // namespace kestra::ui

#endif
