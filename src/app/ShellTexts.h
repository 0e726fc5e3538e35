// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/TextTable.h"

#include <span>

namespace kestra {

// Control ids of the main window (dialog 102).
namespace MainControl {
inline constexpr int CameraButton = 1000;
inline constexpr int MmsButton = 1001;
inline constexpr int SmtpButton = 1002;
inline constexpr int SmsButton = 1003;
inline constexpr int VersionLine = 1077;
inline constexpr int LanguageLabel = 1078;
inline constexpr int ModelLabel = 1079;
inline constexpr int LanguageList = 1080;
inline constexpr int ModelList = 1081;
} // namespace MainControl

// Main window texts, one table per control.
extern const TextTable kCameraButtonText;
extern const TextTable kMmsButtonText;
extern const TextTable kSmtpButtonText;
extern const TextTable kSmsButtonText;
extern const TextTable kLanguageLabelText;
extern const TextTable kModelLabelText;
extern const TextTable kVersionLineText;

// Entry 0 of the language list: "中文" while Chinese texts are shown, else
// "Chinese". Entry 1 is always kEnglishEntry.
extern const TextTable kChineseEntryText;
inline constexpr const char* kEnglishEntry = "English";

// Title of the menu that offers all eleven languages: "Language", and in any
// other language its own word followed by "(Language)".
extern const TextTable kLanguageMenuTitle;
// Command ids of the language menu in the Windows system menu, one per
// language index (multiples of 16, clear of the About box's 16).
inline constexpr unsigned kLanguageCommandIdBase = 0x100;
inline constexpr unsigned LanguageCommandId(int languageIndex)
{
    return kLanguageCommandIdBase + 16U * static_cast<unsigned>(languageIndex);
}
inline constexpr int LanguageOfCommandId(unsigned commandId)
{
    return static_cast<int>((commandId - kLanguageCommandIdBase) / 16U);
}
static_assert(LanguageOfCommandId(LanguageCommandId(kLanguageLithuanian)) == kLanguageLithuanian);

// The main window's menu item that opens the card writing window, and its
// command id in the Windows system menu (clear of the language entries).
inline constexpr ChineseEnglishText kWriteCardsMenuItem{.english = "Write cards...", .chinese = "写存储卡..."};
inline constexpr unsigned kWriteCardsCommandId = 0x200;
static_assert(kWriteCardsCommandId > LanguageCommandId(kLanguageCount));

// The About box, the same in every language.
inline constexpr const char* kAboutCaption = "About Setup";
inline constexpr const char* kAboutNotice = "Kestra Setup 1.1.0.1\nFree software for trail cameras";
inline constexpr const char* kAboutWebAddress = "https://example.org/kestra";
// The main window's menu item that opens the About box, and its command id in
// the Windows system menu.
inline constexpr const char* kAboutMenuItem = "CopyRight";
inline constexpr unsigned kAboutCommandId = 16;

struct ControlText {
    int controlId;
    const TextTable* text;
};

// What SetMainTexts puts on the main window's controls.
std::span<const ControlText> MainWindowTexts();

// Every table above, for the check that all of them encode to code page 936.
std::span<const TextTable* const> ShellTextTables();

} // namespace kestra
