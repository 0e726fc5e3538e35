// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cards/CardProfile.h"
#include "cards/SerialText.h"
#include "common/Session.h"
#include "filecheck/SettingsFileCheck.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace kestra {

class FileOps;

// What became of one file of a card.
struct CardFileOutcome {
    SettingsFileKind kind = SettingsFileKind::Camera;
    bool written = false;    // the new file is in place
    bool hadOldFile = false; // a file of this name was there before
    QString failure;         // why not, or why the read-back differs; empty when all is well
    // The read-back could only read the system's cache, not the card: why.
    QString readBackFromCache;
    bool ok() const { return written && failure.isEmpty(); }
};

struct CardWriteReport {
    QString folder;
    std::optional<SerialText> serial; // the serial text the card got
    std::vector<CardFileOutcome> files;

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
// are new and which old. `ops` defaults to the real file system.
CardWriteReport WriteCard(const QString& folder, const CardProfile& profile, const PcClock& clock,
                          const std::optional<SerialText>& serial, bool chinese = false);
CardWriteReport WriteCard(const QString& folder, const CardProfile& profile, const PcClock& clock,
                          const std::optional<SerialText>& serial, bool chinese, FileOps& ops);

} // namespace kestra
