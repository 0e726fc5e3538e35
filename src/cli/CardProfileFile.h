// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cards/CardProfile.h"
#include "filecheck/SettingsFileCheck.h"

#include <QJsonObject>
#include <QString>

#include <string>

namespace kestra::cli {

// A profile file: one JSON object with the settings of all four windows, each
// under the name of its command ("camera", "mms", "gprs", "sms") with the
// command's option names as keys and the words the options take as values,
// plus "language" and "tv-mode" for the whole card:
//
//   {"language": "English", "tv-mode": 0,
//    "camera": {"mode": "Camera+Video", "pir": "5 Min", "serial": "On", "serial-text": "CAM1"},
//    "sms": {"phone1": "13800138000", "sms-control": "1 Hour"}}
//
// Each section goes through its command's own option parsing and its window's
// save checks, so a profile refuses exactly what they refuse. A section left
// out writes no file; a key left out keeps the window's opening value.
//
// Refuses the whole profile (CliFailure, exit 2) at the first unknown key,
// wrong value or value a window would refuse, naming the key.
// `languageFallback` (--lang) stands in when the profile names no language.
CardProfile ReadCardProfile(const QString& path, const std::string& languageFallback);
CardProfile CardProfileFromJson(const QJsonObject& profile, const QString& source, const std::string& languageFallback);

// The profile of the settings files in `folder` (a card's root), as
// `card read` prints it. Refuses (exit 1) a folder without settings files and
// a file that does not check clean or holds the default parameters.
QJsonObject CardProfileOf(const QString& folder);

// The profile of a card's folder (its settings files, as `card read` reads
// them) or of a profile file, for a reader without a command line: the
// refusal instead of an exception. `languageCode` (1 to 11) stands in where
// the profile names no language.
CardProfileRead ReadCardProfileAt(const QString& path, int languageCode);

// The profile section of one checked settings file, keys as above.
QJsonObject ProfileSection(const SettingsFileCheck& check);

} // namespace kestra::cli
