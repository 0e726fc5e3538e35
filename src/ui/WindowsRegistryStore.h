// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN

#include "ui/RegistryStore.h"

namespace kestra::ui {

// The key under HKEY_LOCAL_MACHINE, opened afresh for every call with the
// access the tool always asked for (read, set value, create subkey).
//
// A standard user on current Windows cannot write there, and the choices would
// silently not be kept. So when the machine key cannot be created or written,
// the same path under HKEY_CURRENT_USER takes the choices, and once that key
// exists it is read first and written to; a value it lacks is still read from
// the machine key, which an administrator's earlier run may have filled.
class WindowsRegistryStore : public RegistryStore {
public:
    // The two roots as HKEY values; the defaults are HKEY_LOCAL_MACHINE and
    // HKEY_CURRENT_USER. Tests pass a machine root that refuses everything.
    explicit WindowsRegistryStore(void* machineRoot = nullptr, void* userRoot = nullptr);

    bool openKey() override;
    bool createKey() override;
    std::optional<std::uint32_t> readDword(const QString& name) override;
    bool writeDword(const QString& name, std::uint32_t value) override;
    std::optional<QByteArray> readString(const QString& name) override;
    bool writeString(const QString& name, const QByteArray& data) override;

private:
    enum class Type { Dword, String };
    std::optional<QByteArray> read(const QString& name, Type type, int bufferSize);
    bool write(const QString& name, Type type, const QByteArray& data);

    void* m_machineRoot;
    void* m_userRoot;
};

} // namespace kestra::ui

#endif
