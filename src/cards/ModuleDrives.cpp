// SPDX-License-Identifier: Apache-2.0
#include "cards/RemovableDrives.h"

#include "common/ProgramModules.h"

namespace kestra {
namespace {

// Loads the drives module when first asked, not when made: a card written
// onto a folder without --eject, or a window that is never saved onto a card,
// never loads QtDBus or reaches for the system bus.
class ModuleDrives : public RemovableDrives {
public:
    bool isRemovable(const QString& mountPoint, const QByteArray& device) override
    {
        RemovableDrives* system = drives();
        return system != nullptr && system->isRemovable(mountPoint, device);
    }
    EjectResult eject(const QString& mountPoint, const QByteArray& device) override
    {
        if (RemovableDrives* system = drives())
            return system->eject(mountPoint, device);
        return {m_failure};
    }
    QString unavailable() override
    {
        RemovableDrives* system = drives();
        return system != nullptr ? system->unavailable() : m_failure;
    }

private:
    RemovableDrives* drives()
    {
        if (m_drives || !m_failure.isEmpty())
            return m_drives.get();
        const ModuleEntry module = LoadModuleEntry(ProgramModule::Drives, kDrivesEntryName);
        if (module.function)
            reinterpret_cast<DrivesEntry>(module.function)(m_drives);
        if (!m_drives && module.function)
            m_failure = QStringLiteral("the module %1 gave no drives").arg(ModuleFileName(ProgramModule::Drives));
        else if (!m_drives)
            m_failure = module.error;
        return m_drives.get();
    }

    std::unique_ptr<RemovableDrives> m_drives;
    QString m_failure;
};

} // namespace

std::unique_ptr<RemovableDrives> SystemRemovableDrives()
{
    return std::make_unique<ModuleDrives>();
}

} // namespace kestra
