// SPDX-License-Identifier: Apache-2.0
#include "ui/FileRegistryStore.h"
#include "ui/RegistryStore.h"

#ifdef Q_OS_WIN
#include "ui/WindowsRegistryStore.h"
#endif

namespace kestra::ui {

std::unique_ptr<RegistryStore> CreatePlatformRegistryStore()
{
#ifdef Q_OS_WIN
    return std::make_unique<WindowsRegistryStore>();
#else
    return std::make_unique<FileRegistryStore>(FileRegistryStore::DefaultFilePath());
#endif
}

} // namespace kestra::ui
