// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace kestra {

// The SMS control list shared by the MMS, SMTP and SMS windows: 0 on, 1 every
// 5 minutes, 2 every 30 minutes, 3 every hour, 4 every 2 hours, 5 off.
inline constexpr int kSmsControlCount = 6;
inline constexpr int kSmsControlOff = 5;
// Pictures per day are stored as two decimal digits; 0 means no limit.
inline constexpr int kMaxPicturesPerDay = 99;
// The language byte of every settings file (CameraLanguageCode): 1 to 11.
inline constexpr int kMinLanguageCode = 1;
inline constexpr int kMaxLanguageCode = 11;

} // namespace kestra
