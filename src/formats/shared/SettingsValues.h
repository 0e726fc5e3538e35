// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/Languages.h"

namespace kestra {

// The SMS control list shared by the MMS, SMTP and SMS windows: 0 on, 1 every
// 5 minutes, 2 every 30 minutes, 3 every hour, 4 every 2 hours, 5 off.
inline constexpr int kSmsControlCount = 6;
inline constexpr int kSmsControlOff = 5;
// Pictures per day are stored as two decimal digits; 0 means no limit.
inline constexpr int kMaxPicturesPerDay = 99;
// The language byte of every settings file (CameraLanguageCode): 1 to
// kLanguageCount.
inline constexpr int kMinLanguageCode = 1;

// The keys every settings file shares. In a profile they are the whole
// card's ("language", "tv-mode"); on the command line they are the session's
// options (--lang, --tv-mode), which also set the messages' language.
inline constexpr const char* kLanguageKey = "language";
inline constexpr const char* kLanguageOption = "lang";
inline constexpr const char* kTvModeKey = "tv-mode";
// The TV mode a profile or an option gives: one byte.
inline constexpr int kMaxTvMode = 255;

// What the rows of the three messaging files say of the fields they share.
inline constexpr const char* kPicturesPerDayHelp = "Pictures sent per day, 0 for no limit [default: 0]";
inline constexpr const char* kSmsControlHelp =
    "How often the camera listens for SMS commands: ON, 5 Min, 30 Min, 1 Hour, 2 Hour, Off (also written 30min, "
    "1h), or the number alone (30 for 30 Min) [default: Off]";

} // namespace kestra
