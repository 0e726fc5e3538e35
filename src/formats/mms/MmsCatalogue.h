// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

#include <array>

namespace kestra {

// The MMS country list and operator catalogue. Country and slot indexes are
// stored in mms.dat, so the order of both is part of the file format.
inline constexpr int kMmsCountryCount = 42;
inline constexpr int kMmsSlotsPerCountry = 10;
inline constexpr int kMmsChinaIndex = 4;
// Country code of the custom mode in mms.dat.
inline constexpr int COUNTRY_CUSTOM = 0x80;

// The six connection texts of one operator, in the order the window shows them.
struct MmsPreset {
    QString url;
    QString apn;
    QString gateway;
    QString port;
    QString account;
    QString password;
};

enum class CountryListVariant { English, Chinese };

// Lookups by index only; out-of-range indexes give empty texts and a count of 0.
QString MmsCountryName(CountryListVariant variant, int country);
int MmsOperatorCount(int country);
QString MmsOperatorName(int country, int slot);
MmsPreset MmsOperatorPreset(int country, int slot);
// The two China operators as the window names them in `languageIndex`.
std::array<QString, 2> MmsChinaOperatorPair(int languageIndex);

} // namespace kestra
