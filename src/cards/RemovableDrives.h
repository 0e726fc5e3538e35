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

// What the system knows of the drive under a mounted volume: whether its
// medium can be taken out (a card reader, a USB stick) and how to hand it back
// safely. Linux asks UDisks2 over the system bus, Windows the drive type; a
// test injects its own answers.
class RemovableDrives {
public:
    virtual ~RemovableDrives() = default;
    virtual bool isRemovable(const QString& mountPoint, const QByteArray& device) = 0;
    // Unmounts the volume and powers its drive off (or ejects the medium), so
    // that the card can be pulled without losing what was written.
    virtual EjectResult eject(const QString& mountPoint, const QByteArray& device) = 0;
    // Why the system cannot say which drives are removable (no system bus,
    // no UDisks2); empty when it can.
    virtual QString unavailable() { return {}; }
};

// The system's own answers on this platform. On Linux they come from a module
// (kestra-setup-drives, on QtDBus) loaded the first time a drive is asked
// about; a module missing or broken makes every answer "not removable" and
// unavailable() say why.
std::unique_ptr<RemovableDrives> SystemRemovableDrives();

// The drives module's entry point: sets `drives` to the system's own.
inline constexpr char kDrivesEntryName[] = "KestraSystemDrives";
using DrivesEntry = void (*)(std::unique_ptr<RemovableDrives>& drives);

} // namespace kestra
