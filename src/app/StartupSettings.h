// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>

namespace kestra {

namespace ui { class RegistryStore; }

// The registry half of start-up: sets g_systemIsChinese, g_languageIndex,
// g_chineseChosen, g_modelIndex and g_tvMode from the system default language
// ID and the stored values, creating the key and writing the values that are
// missing. Never fails: whatever the registry refuses falls back to the
// defaults (the system's language, model 1, TvMode 0).
void RestoreSettings(ui::RegistryStore& store, std::uint16_t systemLanguageId);

} // namespace kestra
