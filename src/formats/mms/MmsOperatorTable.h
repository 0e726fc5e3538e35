// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <array>

namespace kestra::mms_table {

// The raw rows behind MmsCatalogue.h. Texts are UTF-8; the catalogue turns a row
// into QStrings when asked for it. Revise operator settings in MmsOperatorTable.cpp and note
// where each value came from in MmsOperatorTable.md.

struct CountryRow {
    const char* name; // English variant; the Chinese variant differs only for China
    int offeredCount; // 1..5; the window offers slots 0 to offeredCount - 1
};

struct OperatorRow {
    int country;
    int slot;
    const char* name;
    const char* url;
    const char* apn;
    const char* gateway;
    const char* port;
    const char* account;
    const char* password;
};

inline constexpr int kOfferedOperatorTotal = 101;

extern const std::array<CountryRow, 42> kCountries;
extern const std::array<OperatorRow, kOfferedOperatorTotal> kOperators;

// The China pair shown by the window in the Chinese interface.
inline constexpr const char* kChinaNameChinese = "中国";
inline constexpr const char* kChinaMobileChinese = "中国移动";
inline constexpr const char* kChinaUnicomChinese = "中国联通";

} // namespace kestra::mms_table
