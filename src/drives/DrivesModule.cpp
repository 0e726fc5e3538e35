// SPDX-License-Identifier: Apache-2.0
// The drives module's exports, its build's version and its entry:
// SystemRemovableDrives (cards/ModuleDrives.cpp) loads the module the first
// time a drive is asked about and calls the entry, so that only such a run
// loads QtDBus and libdbus.
#include "common/ProgramModules.h"
#include "drives/UDisks2Drives.h"

#include <QtGlobal>

#include <type_traits>

KESTRA_MODULE_VERSION_EXPORT

extern "C" Q_DECL_EXPORT void KestraSystemDrives(std::unique_ptr<kestra::RemovableDrives>& drives)
{
    drives = std::make_unique<kestra::UDisks2Drives>(QDBusConnection::systemBus());
}

// The loader calls through this type: a change of the signature that is not
// made on both sides fails here rather than at run time.
static_assert(std::is_same_v<decltype(&KestraSystemDrives), kestra::DrivesEntry>);
