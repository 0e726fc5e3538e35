// SPDX-License-Identifier: Apache-2.0
#include "ui/WindowsRegistryStore.h"

#ifdef Q_OS_WIN

#include <windows.h>

namespace kestra::ui {

namespace {

constexpr REGSAM kToolAccess = 0x2001F; // KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY

class OpenKey {
public:
    OpenKey()
    {
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRegistryKeyPath, 0, kToolAccess, &m_key) != ERROR_SUCCESS)
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

} // namespace

bool WindowsRegistryStore::openKey()
{
    return OpenKey().get() != nullptr;
}

bool WindowsRegistryStore::createKey()
{
    HKEY key = nullptr;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, kRegistryKeyPath, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::optional<std::uint32_t> WindowsRegistryStore::readDword(const QString& name)
{
    OpenKey key;
    if (!key.get())
        return std::nullopt;
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof data;
    const QByteArray valueName = name.toLatin1();
    if (RegQueryValueExA(key.get(), valueName.constData(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof data)
        return std::nullopt;
    return static_cast<std::uint32_t>(data);
}

bool WindowsRegistryStore::writeDword(const QString& name, std::uint32_t value)
{
    OpenKey key;
    if (!key.get())
        return false;
    const DWORD data = value;
    const QByteArray valueName = name.toLatin1();
    return RegSetValueExA(key.get(), valueName.constData(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                          sizeof data) == ERROR_SUCCESS;
}

std::optional<QByteArray> WindowsRegistryStore::readString(const QString& name)
{
    OpenKey key;
    if (!key.get())
        return std::nullopt;
    DWORD type = 0;
    QByteArray data(kCompanyDataSize, '\0');
    DWORD size = static_cast<DWORD>(data.size());
    const QByteArray valueName = name.toLatin1();
    if (RegQueryValueExA(key.get(), valueName.constData(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    data.truncate(static_cast<qsizetype>(size));
    return data;
}

bool WindowsRegistryStore::writeString(const QString& name, const QByteArray& data)
{
    OpenKey key;
    if (!key.get())
        return false;
    const QByteArray valueName = name.toLatin1();
    return RegSetValueExA(key.get(), valueName.constData(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.constData()),
                          static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

} // namespace kestra::ui

#endif
