// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace kestra {

// The GPRS country list, operators and presets of the SMTP window's Auto mode.
// Indexes are stored in gprs.dat, so their order is part of the file format.
inline constexpr int kGprsCountryCount = 41;
inline constexpr int kGprsSlotsPerCountry = 10;
inline constexpr int kGprsChinaIndex = 4;

struct GprsPreset {
    QString apn;
    QString account;
    QString password;
};

// Lookups by index only; out-of-range indexes give empty texts and a count of 0.
QString GprsCountryName(bool chineseVariant, int country);
int GprsOperatorCount(int country);
// Names as the table holds them; in Chinese the window shows China's two
// operators as GprsChinaOperatorName gives them.
QString GprsOperatorName(int country, int slot);
QString GprsChinaOperatorName(int languageIndex, int slot);
GprsPreset GprsOperatorPreset(int country, int slot);

} // namespace kestra
