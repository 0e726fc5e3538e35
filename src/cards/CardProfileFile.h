// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cards/CardProfile.h"
#include "filecheck/SettingsFileCheck.h"

#include <QJsonObject>
#include <QString>

#include <optional>

namespace kestra {

// A profile file: one JSON object with the settings of all four files, each
// under the name of its file ("camera", "mms", "gprs", "sms") with the keys of
// the file's rows (the command line's options) and the words they take as
// values, plus "language" and "tv-mode" for the whole card:
//
//   {"language": "English", "tv-mode": 0,
//    "camera": {"mode": "Camera+Video", "pir": "5 Min", "serial": "On", "serial-text": "CAM1"},
//    "sms": {"phone1": "13800138000", "sms-control": "1 Hour"}}
//
// Each section is read through its format's rows into a record and put
// through its window's save step (the formats' XWords.h, which the command
// line's options go through too), so a profile refuses exactly what they
// refuse. A section left out writes no file; a key left out keeps the
// window's opening value. The camera's clock is no key of a profile: each
// card gets it anew.

// The profile of a card's folder (its settings files, as `card read` reads
// them) or of a profile file; or, at the first unknown key, wrong JSON type,
// wrong value or value a window would refuse, the refusal naming the key
// (`section.key`), and no profile. `languageCode` (1 to 11) stands in where
// the profile names no language, and the refusals are in Chinese when it is
// Chinese, in English otherwise.
CardProfileRead ReadCardProfileAt(const QString& path, int languageCode);
// The same for a profile's JSON, `source` (its path) leading each refusal.
CardProfileRead CardProfileFromJson(const QJsonObject& profile, const QString& source, int languageCode);

// The profile of the settings files in `folder` (a card's root), as
// `card read` prints it; or why there is none: a folder without settings
// files, a file that does not check clean or holds the default parameters.
struct CardProfileJson {
    std::optional<QJsonObject> profile;
    QString refusal;
};
CardProfileJson CardProfileOf(const QString& folder, bool chinese = false);

// The profile section of one checked settings file, keys as above.
QJsonObject ProfileSection(const SettingsFileCheck& check);

} // namespace kestra
