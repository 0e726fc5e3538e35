// SPDX-License-Identifier: Apache-2.0
#include "cards/KernelDrives.h"
#include "cards/RemovableDrives.h"

#include "common/ProgramModules.h"

namespace kestra {
namespace {

// Loads the drives module when first asked, not when made: a card written
// onto a folder without --eject, or a window that is never saved onto a card,
// never loads QtDBus or reaches for the system bus. Where the module finds no
// UDisks2, the kernel's mount table answers instead.
class ModuleDrives : public RemovableDrives {
public:
    bool isRemovable(const QString& mountPoint, const QByteArray& device) override
    {
        RemovableDrives* system = drives();
        return system != nullptr && system->isRemovable(mountPoint, device);
    }
    EjectResult eject(const QString& mountPoint, const QByteArray& device, EjectHow how) override
    {
        if (RemovableDrives* system = drives())
            return system->eject(mountPoint, device, how);
        return {m_failure};
    }
    QString unavailable() override
    {
        RemovableDrives* system = drives();
        return system != nullptr ? system->unavailable() : m_failure;
    }
    DrivesSource source() override
    {
        RemovableDrives* system = drives();
        return system != nullptr ? system->source() : DrivesSource{};
    }

private:
    RemovableDrives* drives()
    {
        if (m_active != nullptr || !m_failure.isEmpty())
            return m_active;
        const ModuleEntry module = LoadModuleEntry(ProgramModule::Drives, kDrivesEntryName);
        if (module.function)
            reinterpret_cast<DrivesEntry>(module.function)(m_drives);
        if (!m_drives && module.function)
            m_failure = QStringLiteral("the module %1 gave no drives").arg(ModuleFileName(ProgramModule::Drives));
        else if (!m_drives)
            m_failure = module.error;
        if (!m_drives)
            return nullptr;
        // Asked once: a system bus or a UDisks2 that comes up later is taken
        // by the next run.
        const QString whyNot = m_drives->unavailable();
        if (whyNot.isEmpty()) {
            m_active = m_drives.get();
        } else {
            m_kernel = std::make_unique<KernelDrives>(whyNot);
            m_active = m_kernel.get();
        }
        return m_active;
    }

    std::unique_ptr<RemovableDrives> m_drives;
    std::unique_ptr<KernelDrives> m_kernel;
    RemovableDrives* m_active = nullptr;
    QString m_failure;
};

} // namespace

std::unique_ptr<RemovableDrives> SystemRemovableDrives()
{
    return std::make_unique<ModuleDrives>();
}

} // namespace kestra
