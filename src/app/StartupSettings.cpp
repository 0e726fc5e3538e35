// SPDX-License-Identifier: Apache-2.0
#include "app/StartupSettings.h"

#include "app/AppState.h"
#include "app/RegistrySettings.h"

#include "ui/RegistryStore.h"

namespace kestra {

namespace {

// The language whose texts a stored code shows: a code outside 1 to 11 runs
// in the system's language; Chinese chosen on a system that is not Chinese
// shows the English texts, unless the language menu or --lang chose it.
int TextLanguage(ui::RegistryStore& store, int code, int defaultCode)
{
    if (code < kLanguageChinese || code > kLanguageCount)
        return defaultCode;
    if (code == kLanguageChinese && defaultCode != kLanguageChinese && !ReadChineseTextsSetting(store))
        return kLanguageEnglish;
    return code;
}

} // namespace

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

    // Chinese chosen on a system that cannot show it: English texts, unless
    // the language menu chose it, but the choice (and the stored code 1) is
    // kept either way.
    g_languageIndex = TextLanguage(store, code, defaultCode);
    g_chineseChosen = g_systemIsChinese == 0 && code == kLanguageChinese ? 1 : 0;

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

int RememberedTextLanguage(ui::RegistryStore& store, std::uint16_t systemLanguageId)
{
    const int defaultCode = DefaultLanguageCode(systemLanguageId);
    // Read as RestoreSettings reads it, without creating the key.
    const std::optional<std::uint32_t> stored = store.readDword(QString::fromLatin1(ui::kLanguageValue));
    const int code = stored ? static_cast<short>(ui::LowWord(*stored)) : defaultCode;
    return TextLanguage(store, code, defaultCode);
}

} // namespace kestra
