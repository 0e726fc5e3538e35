// SPDX-License-Identifier: Apache-2.0
#include "app/RegistrySettings.h"

#include "ui/RegistryStore.h"

#include <QString>

namespace kestra {

namespace {

using ui::kCompanyDataSize;

// The store's value names as QStrings.
const QString kLanguageValue = QString::fromLatin1(ui::kLanguageValue);
const QString kModelValue = QString::fromLatin1(ui::kModelValue);
const QString kTvModeValue = QString::fromLatin1(ui::kTvModeValue);
const QString kCompanyValue = QString::fromLatin1(ui::kCompanyValue);
// Kept beside "language", whose meaning for the camera it leaves alone.
const QString kChineseTextsValue = QStringLiteral("ChineseTexts");

constexpr std::uint16_t kChinesePrc = 0x0804;
constexpr std::uint16_t kGermanLiechtenstein = 0x1407;

short Low16(std::uint32_t value)
{
    return static_cast<short>(ui::LowWord(value));
}

int WriteShortValue(ui::RegistryStore& store, const QString& name, unsigned short value)
{
    if (!store.openKey())
        return 0;
    return store.writeDword(name, ui::DwordFromWord(value)) ? 1 : 0;
}

// Model and TvMode: a key that does not open leaves `out` alone; a missing
// value gives the default but still reports failure, so start-up writes it.
int ReadShortValue(ui::RegistryStore& store, const QString& name, short missingDefault, short& out)
{
    if (!store.openKey())
        return 0;
    const auto stored = store.readDword(name);
    if (!stored) {
        out = missingDefault;
        return 0;
    }
    out = Low16(*stored);
    return 1;
}

} // namespace

int DefaultLanguageCode(std::uint16_t systemLanguageId)
{
    if (systemLanguageId == kChinesePrc)
        return 1;
    if (systemLanguageId == kGermanLiechtenstein)
        return 3;
    return 2;
}

int ReadLanguageSetting(ui::RegistryStore& store, std::uint16_t systemLanguageId, short& out)
{
    if (!store.openKey()) {
        store.createKey();
        return 0;
    }
    const auto stored = store.readDword(kLanguageValue);
    out = stored ? Low16(*stored) : static_cast<short>(DefaultLanguageCode(systemLanguageId));
    return 1;
}

int WriteLanguageSetting(ui::RegistryStore& store, unsigned short value)
{
    return WriteShortValue(store, kLanguageValue, value);
}

bool ReadChineseTextsSetting(ui::RegistryStore& store)
{
    short value = 0;
    return ReadShortValue(store, kChineseTextsValue, 0, value) == 1 && value == 1;
}

int WriteChineseTextsSetting(ui::RegistryStore& store, bool chineseTexts)
{
    return WriteShortValue(store, kChineseTextsValue, chineseTexts ? 1 : 0);
}

int ReadModelSetting(ui::RegistryStore& store, short& out)
{
    return ReadShortValue(store, kModelValue, 1, out);
}

int WriteModelSetting(ui::RegistryStore& store, unsigned short value)
{
    return WriteShortValue(store, kModelValue, value);
}

int ReadTvModeSetting(ui::RegistryStore& store, short& out)
{
    return ReadShortValue(store, kTvModeValue, 0, out);
}

int WriteTvModeSetting(ui::RegistryStore& store, unsigned short value)
{
    return WriteShortValue(store, kTvModeValue, value);
}

QByteArray CompanySettingData()
{
    QByteArray data(kCompanyName);
    data.resize(kCompanyDataSize, '\0');
    return data;
}

int ReadCompanySetting(ui::RegistryStore& store)
{
    if (!store.openKey())
        return 0;
    // The value is read into a 260-byte buffer; a longer one does not fit and
    // counts as unreadable, so start-up writes a proper one over it.
    const auto stored = store.readString(kCompanyValue);
    return stored && stored->size() <= kCompanyDataSize ? 1 : 0;
}

int WriteCompanySetting(ui::RegistryStore& store)
{
    if (!store.openKey())
        return 0;
    return store.writeString(kCompanyValue, CompanySettingData()) ? 1 : 0;
}

} // namespace kestra
