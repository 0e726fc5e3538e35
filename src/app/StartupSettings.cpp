// SPDX-License-Identifier: Apache-2.0
#include "app/StartupSettings.h"

#include "app/AppState.h"
#include "app/RegistrySettings.h"

namespace kestra {

void RestoreSettings(ui::RegistryStore& store, std::uint16_t systemLanguageId)
{
    const int defaultCode = DefaultLanguageCode(systemLanguageId);
    g_systemIsChinese = defaultCode == kLanguageChinese ? 1 : 0;

    // A key that does not open is created by the read; only then is the
    // default stored. A missing value alone is not written back, so a later
    // change of the system language still shows through.
    short code = static_cast<short>(defaultCode);
    if (ReadLanguageSetting(store, systemLanguageId, code) == 0) {
        code = static_cast<short>(defaultCode);
        WriteLanguageSetting(store, static_cast<unsigned short>(defaultCode));
    }

    // The tool only ever stores 1 to 11. Anything else is a damaged or
    // hand-edited value that would pick no texts and put a language the
    // camera does not know into every settings file: run in the system's
    // language instead, and leave the value for the language list to mend.
    if (code < kLanguageChinese || code > kLanguageCount)
        code = static_cast<short>(defaultCode);

    g_languageIndex = code;
    g_chineseChosen = 0;
    // Chinese chosen on a system that cannot show it: English texts, but the
    // choice (and the stored code 1) is kept.
    if (g_systemIsChinese == 0 && code == kLanguageChinese) {
        g_languageIndex = kLanguageEnglish;
        g_chineseChosen = 1;
        // Unless the language menu chose Chinese: it showed the Chinese
        // texts, and they show again.
        if (ReadChineseTextsSetting(store))
            g_languageIndex = kLanguageChinese;
    }

    short model = 1;
    if (ReadModelSetting(store, model) == 0)
        WriteModelSetting(store, 1);
    g_modelIndex = model;

    short tvMode = 0;
    if (ReadTvModeSetting(store, tvMode) == 0) {
        tvMode = 0;
        WriteTvModeSetting(store, 0);
    }
    g_tvMode = tvMode;

    if (ReadCompanySetting(store) == 0)
        WriteCompanySetting(store);
}

void ChooseLanguage(ui::RegistryStore& store, int code)
{
    if (code < kLanguageChinese || code > kLanguageCount)
        return;
    g_languageIndex = code;
    g_chineseChosen = code == kLanguageChinese ? 1 : 0;
    WriteLanguageSetting(store, static_cast<unsigned short>(code));
    RememberChineseTexts(store, code == kLanguageChinese);
}

void RememberChineseTexts(ui::RegistryStore& store, bool shown)
{
    // Written only when it says something: a registry that never saw the
    // menu's Chinese has no such value.
    if (shown || ReadChineseTextsSetting(store))
        WriteChineseTextsSetting(store, shown);
}

} // namespace kestra
