// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN

#include "ui/RegistryStore.h"

namespace kestra::ui {

// The key under HKEY_LOCAL_MACHINE, opened afresh for every call with the
// access the tool always asked for (read, set value, create subkey). Without
// administrator rights the key does not open, and the tool runs on defaults.
class WindowsRegistryStore : public RegistryStore {
public:
    bool openKey() override;
    bool createKey() override;
    std::optional<std::uint32_t> readDword(const QString& name) override;
    bool writeDword(const QString& name, std::uint32_t value) override;
    std::optional<QByteArray> readString(const QString& name) override;
    bool writeString(const QString& name, const QByteArray& data) override;
};

} // namespace kestra::ui

#endif
