// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

namespace kestra {

// What happened when a card was to be ejected: nothing on success, else why
// the card is still in (a program holds a file open, the system refused).
struct EjectResult {
    QString failure;
    bool ok() const { return failure.isEmpty(); }
};

// What an eject does to the drive once its volume is unmounted. A card reader
// stays on for the next card unless its drive is to be switched off: a USB
// reader powered off sees no card again until it is plugged in anew.
enum class EjectHow {
    KeepDrive, // unmount, and eject the medium where the drive can
    PowerOff,  // as KeepDrive, then switch the drive off where it can be
};

// Where the answers about drives come from: "udisks2", "kernel" (the mount
// table and the block devices' removable flags, where UDisks2 is not there),
// "windows"; `note` says why the first choice was not used.
struct DrivesSource {
    QString name;
    QString note;
};

// What the system knows of the drive under a mounted volume: whether its
// medium can be taken out (a card reader, a USB stick) and how to hand it back
// safely. Linux asks UDisks2 over the system bus, Windows the drive type; a
// test injects its own answers.
class RemovableDrives {
public:
    virtual ~RemovableDrives() = default;
    virtual bool isRemovable(const QString& mountPoint, const QByteArray& device) = 0;
    // Unmounts the volume and hands the medium back (see EjectHow), so that
    // the card can be pulled without losing what was written.
    virtual EjectResult eject(const QString& mountPoint, const QByteArray& device, EjectHow how) = 0;
    // Why the system cannot say which drives are removable (no system bus,
    // no UDisks2, no mount table); empty when it can. The drives module's own
    // reasons are the two below, which the command words in the user's
    // language; what the system answered follows kNoUDisks2Answer as it came.
    virtual QString unavailable() { return {}; }
    virtual DrivesSource source() { return {}; }
};

// The system's own answers on this platform. On Linux they come from a module
// (kestra-setup-drives, on QtDBus) loaded the first time a drive is asked
// about; a module missing or broken makes every answer "not removable" and
// unavailable() say why. Where the module finds no UDisks2 (no system bus, no
// service on it), the kernel's word is taken instead (KernelDrives).
std::unique_ptr<RemovableDrives> SystemRemovableDrives();

inline constexpr char kNoSystemBus[] = "the system bus is not reachable";
inline constexpr char kNoUDisks2Answer[] = "UDisks2 does not answer: ";

// The drives module's entry point: sets `drives` to the system's own.
inline constexpr char kDrivesEntryName[] = "KestraSystemDrives";
using DrivesEntry = void (*)(std::unique_ptr<RemovableDrives>& drives);

} // namespace kestra
