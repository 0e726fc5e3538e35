// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cards/CardProfile.h"
#include "cards/CardWatcher.h"
#include "cards/SerialText.h"
#include "common/Session.h"
#include "filecheck/SettingsFileCheck.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace kestra {

class FileOps;

// What became of one file of a card.
struct CardFileOutcome {
    SettingsFileKind kind = SettingsFileKind::Camera;
    bool written = false; // the new file is in place
    // It is in place, but the medium did not confirm it is stored (a flush
    // after the rename failed): `failure` says so.
    bool notConfirmed = false;
    bool hadOldFile = false; // a file of this name was there before
    // Whether one was could not be told (the card was removed, or did not
    // answer): it may still hold its old file.
    bool oldFileUnknown = false;
    // The card was pulled out while this file was being saved: whether the
    // new file or the old one is on it cannot be told.
    bool removedWhileSaved = false;
    QString failure; // why not, or why the read-back differs; empty when all is well
    // The read-back could only read the system's cache, not the card: why.
    QString readBackFromCache;
    bool ok() const { return written && failure.isEmpty(); }
};

struct CardWriteReport {
    QString folder;
    std::optional<SerialText> serial; // the serial text the card got
    std::vector<CardFileOutcome> files;
    // A stop came before every file was begun: those not begun are as they were.
    bool stopped = false;
    // The card's folder was no longer the one found (the card was pulled
    // out): nothing more was written.
    bool removed = false;

    bool complete() const;
    // One line per file: "new camera.dat", "old gprs.dat kept: ...", "no sms.dat: ...";
    // a new file checked only against the system's cache says so.
    QStringList lines(bool chinese) const;
};

// The camera record for one card: the profile's, its clock set to `clock` and,
// with a serial text, the serial text switched on and set to it; through the
// Camera window's save check again, with its refusal in Chinese or English.
SaveDecision<CameraSettings> CardCameraSettings(const Checked<CameraSettings>& profile, const PcClock& clock,
                                                const std::optional<SerialText>& serial, bool chinese = false);

// One file of a card: its bytes, or why the camera could not take it.
struct CardFile {
    SettingsFileKind kind;
    QByteArray bytes;
    std::optional<QString> refusal;
};

// Every file the profile holds, in the order written.
std::vector<CardFile> CardFiles(const CardProfile& profile, const PcClock& clock,
                                const std::optional<SerialText>& serial, bool chinese = false);

// Writes every file of the profile into `folder`, each atomically, then reads
// each back and compares it byte for byte. A file that fails leaves the old
// one as it was and the others are still written: the report says which files
// are new and which old. The folder is flushed once, after the last file: a
// flush that fails leaves every new file not confirmed, none reported as
// written. `ops` defaults to the real file system.
CardWriteReport WriteCard(const QString& folder, const CardProfile& profile, const PcClock& clock,
                          const std::optional<SerialText>& serial, bool chinese = false);
CardWriteReport WriteCard(const QString& folder, const CardProfile& profile, const PcClock& clock,
                          const std::optional<SerialText>& serial, bool chinese, FileOps& ops);
// The same, asking `stopped` before each file: once it says yes, the files not
// begun yet are left as they are (old, or none) and the report says so. A file
// begun is finished, so that every file stays whole, old or new.
CardWriteReport WriteCard(const QString& folder, const CardProfile& profile, const PcClock& clock,
                          const std::optional<SerialText>& serial, bool chinese, FileOps& ops,
                          const std::function<bool()>& stopped);

// Ctrl+C (SIGINT; Ctrl+C or Ctrl+Break in a Windows console) and a request
// to end (SIGTERM; the console's close), caught for as long as it lives and
// only noted, for a card the command line writes: the signal no longer ends
// the program inside a file's save, which would leave the file's scratch file
// on the card. The card in hand is written whole, as a card of a --wait run
// is, and the command then ends as its signal asked.
class CaughtInterrupts {
public:
    CaughtInterrupts();
    ~CaughtInterrupts();
    CaughtInterrupts(const CaughtInterrupts&) = delete;
    CaughtInterrupts& operator=(const CaughtInterrupts&) = delete;

    // The first that came while it lived; None while none did.
    Interruption interruption() const;

private:
    std::unique_ptr<CardWatcher::Interrupts> m_interrupts;
};

} // namespace kestra
