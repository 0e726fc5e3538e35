// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace kestra {

// The interface languages. Every text table is keyed by this index; 1 selects
// Chinese, and an index a table does not name gets the English text.
inline constexpr int kLanguageChinese = 1;
inline constexpr int kLanguageEnglish = 2;
inline constexpr int kLanguageGerman = 3;
inline constexpr int kLanguageFinnish = 4;
inline constexpr int kLanguageItalian = 5;
inline constexpr int kLanguageFrench = 6;
inline constexpr int kLanguageHungarian = 7;
inline constexpr int kLanguageSlovenian = 8;
inline constexpr int kLanguageCzech = 9;
inline constexpr int kLanguageJapanese = 10;
inline constexpr int kLanguageLithuanian = 11;
inline constexpr int kLanguageCount = 11;

// Caption of the tool's message boxes and title of the four settings windows.
inline constexpr const char* g_appCaption = "Kestra";
inline constexpr const char* g_modelCaption = "Kestra T870N";

} // namespace kestra
