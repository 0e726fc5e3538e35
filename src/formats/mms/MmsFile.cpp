// SPDX-License-Identifier: Apache-2.0
#include "formats/mms/MmsFile.h"

#include "formats/mms/MmsCatalogue.h"
#include "storage/SettingsBlockFile.h"
#include "storage/SettingsFileIo.h"

#include <algorithm>
#include <array>

namespace kestra {

QByteArray BuildMmsFile(const Checked<MmsSettings>& checked)
{
    const MmsSettings& s = checked.record();
    SettingsBlock header = MakeEmptyBlock();
    StoreNumbers<MmsSettings>(header, kMmsNumberFields, kMmsFixedBytes, s);
    std::array<QByteArray, kMmsTextBlocks> texts;
    for (const MmsTextField& field : kMmsTextFields)
        texts[field.block - 1] = s.*field.member;
    return BuildBlockFile(header, texts, true);
}

MmsSettings DecodeMmsFile(QByteArrayView bytes, SettingsFindings& findings)
{
    MmsSettings s;
    ReadNumbers<MmsSettings>(ReadHeaderBlock(bytes), kMmsNumberFields, s);
    for (const MmsTextField& field : kMmsTextFields)
        s.*field.member = ReadTextField(bytes, field.block, QLatin1String(field.name), findings);
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
        if (f.field == QLatin1String(RowOf(kMmsNumberFields, &MmsSettings::languageCode).name))
            return false;
        if (f.kind == FindingKind::Mode
            && f.field != QLatin1String(RowOf(kMmsNumberFields, &MmsSettings::presetFlag).name))
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
