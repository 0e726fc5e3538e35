// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QLocale>

#include <cstdint>

namespace kestra::ui {

inline constexpr std::uint16_t kLangIdEnglishUs = 0x0409;

// The Windows language ID of a locale (zh_CN 0x0804, de_LI 0x1407, en_US
// 0x0409, ...). A locale the table lacks counts as English (US), the answer the
// tool treats like any non-Chinese, non-Liechtenstein system.
std::uint16_t LanguageIdForLocale(const QLocale& locale);

// The system's default language ID: the system's own on Windows, elsewhere
// the ID of the system locale.
std::uint16_t SystemDefaultLanguageId();

} // namespace kestra::ui
