// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <array>

namespace kestra::gprs_table {

// The raw rows behind GprsCatalogue.h. Texts are UTF-8; the catalogue turns a row
// into QStrings when asked for it. Revise operator settings in GprsOperatorTable.cpp and note
// where each value came from in GprsOperatorTable.md.

struct CountryRow {
    const char* name;  // general variant; the Chinese variant differs only for China
    int operatorCount; // 1..5; the window offers slots 0 to operatorCount - 1
};

struct OperatorRow {
    int country;
    int slot;
    const char* name;
    const char* apn;
    const char* account;
    const char* password;
};

inline constexpr int kOperatorTotal = 87;

extern const std::array<CountryRow, 41> kCountries;
extern const std::array<OperatorRow, kOperatorTotal> kOperators;

inline constexpr const char* kChinaNameChinese = "中国";
inline constexpr const char* kChinaMobileChinese = "中国移动";
inline constexpr const char* kChinaUnicomChinese = "中国联通";

} // namespace kestra::gprs_table
