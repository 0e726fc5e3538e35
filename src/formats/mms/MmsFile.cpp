// SPDX-License-Identifier: Apache-2.0
#include "formats/mms/MmsFile.h"

#include "formats/mms/MmsCatalogue.h"
#include "storage/SettingsBlockFile.h"
#include "storage/SettingsFileIo.h"

#include <algorithm>
#include <array>

namespace kestra {

namespace {

// Header offsets (before scrambling).
constexpr std::size_t kLanguage = 5;
constexpr std::size_t kTvMode = 6;
constexpr std::size_t kVersion = 7; // always 1: the camera's mms.dat layout
constexpr std::size_t kCountry = 8;
constexpr std::size_t kOperator = 9;
constexpr std::size_t kSmsControl = 10;
constexpr std::size_t kPresetFlag = 50; // trailer byte, stored unscrambled

// Blocks 1 to 9 carry the texts, block 10 is an empty text block.
constexpr std::size_t kTextBlocks = 10;

} // namespace

QByteArray BuildMmsFile(const Checked<MmsSettings>& checked)
{
    const MmsSettings& s = checked.record();
    SettingsBlock header = MakeEmptyBlock();
    StorePicturesPerDay(header, s.picturesPerDay);
    header[kLanguage] = LowByte(s.languageCode);
    header[kTvMode] = LowByte(s.tvMode);
    header[kVersion] = 0x01;
    header[kCountry] = LowByte(s.countryCode);
    header[kOperator] = LowByte(s.operatorIndex);
    header[kSmsControl] = LowByte(s.smsControl);
    header[kPresetFlag] = LowByte(s.presetFlag);

    std::array<QByteArray, kTextBlocks> texts;
    for (std::size_t i = 0; i < kMmsTextFields.size(); ++i)
        texts[i] = s.*kMmsTextFields[i].member;
    return BuildBlockFile(header, texts, true);
}

MmsSettings DecodeMmsFile(QByteArrayView bytes, SettingsFindings& findings)
{
    const SettingsBlock header = ReadHeaderBlock(bytes);
    MmsSettings s;
    s.picturesPerDay = ReadPicturesPerDay(header);
    s.languageCode = header[kLanguage];
    s.tvMode = header[kTvMode];
    s.countryCode = header[kCountry];
    s.operatorIndex = header[kOperator];
    s.smsControl = header[kSmsControl];
    s.presetFlag = header[kPresetFlag];
    for (std::size_t i = 0; i < kMmsTextFields.size(); ++i) {
        const MmsTextField& field = kMmsTextFields[i];
        s.*field.member = ReadTextField(bytes, i + 1, QLatin1String(field.name), findings);
    }
    return s;
}

SaveResult WriteMmsFile(const QString& folder, const Checked<MmsSettings>& settings)
{
    return SaveSettingsFile(folder, QString::fromLatin1(kMmsFileName), BuildMmsFile(settings));
}

MmsLoaded ParseMmsFile(QByteArrayView bytes)
{
    MmsLoaded loaded;
    const MmsSettings s = DecodeMmsFile(bytes, loaded.findings);
    const SettingsFindings problems = CheckMmsSettings(s);

    // Only the findings about what Load configure reads: the language code
    // and the custom mode's codes are not read back.
    const auto reported = [&](const SettingsFinding& f) {
        if (f.field == QLatin1String("languageCode"))
            return false;
        if (f.kind == FindingKind::Mode && f.field != QLatin1String("presetFlag"))
            return false;
        return true;
    };
    std::copy_if(problems.begin(), problems.end(), std::back_inserter(loaded.findings), reported);

    loaded.picturesPerDay = s.picturesPerDay;
    if (s.smsControl < kSmsControlCount)
        loaded.smsControl = s.smsControl;
    loaded.presetMode = s.presetFlag != 0;
    if (loaded.presetMode && s.countryCode < kMmsCountryCount) {
        loaded.countryCode = s.countryCode;
        if (s.operatorIndex < MmsOperatorCount(s.countryCode))
            loaded.operatorIndex = s.operatorIndex;
    }
    loaded.url = s.url;
    loaded.apn = s.apn;
    loaded.gateway = s.gateway;
    loaded.port = s.port;
    loaded.phone = s.phone;
    loaded.email = s.email;
    loaded.account = s.account;
    loaded.password = s.password;
    loaded.phone2 = s.phone2;
    return loaded;
}

MmsReadResult ReadMmsFile(const QString& path)
{
    return ReadSettingsFileWith(path, kMmsFileSize, &ParseMmsFile);
}

} // namespace kestra
