// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>

namespace kestra {

namespace ui {
class RegistryStore;
}

// The registry half of start-up: sets g_systemIsChinese, g_languageIndex,
// g_chineseChosen, g_modelIndex and g_tvMode from the system default language
// ID and the stored values, creating the key and writing the values that are
// missing. Never fails: whatever the registry refuses falls back to the
// defaults (the system's language, model 1, TvMode 0).
void RestoreSettings(ui::RegistryStore& store, std::uint16_t systemLanguageId);

// The language whose texts the windows would open in, as RestoreSettings
// decides it, read without writing anything (not even the missing key): the
// language of what the program says before it starts the windows.
int RememberedTextLanguage(ui::RegistryStore& store, std::uint16_t systemLanguageId);

// The language menu's and --lang's choice of a language code 1 to 11 (any
// other value changes nothing): the interface language and the stored code as
// if "language" had held it at start-up, except that Chinese shows its texts
// on any system. Stored at once, and shown again at the next start.
void ChooseLanguage(ui::RegistryStore& store, int code);

// Whether the next start shows the Chinese texts for a stored code 1 on a
// system that is not Chinese: yes after the menu's Chinese, no after any
// choice in the main window's list.
void RememberChineseTexts(ui::RegistryStore& store, bool shown);

} // namespace kestra
