// SPDX-License-Identifier: Apache-2.0
#include "formats/sms/SmsFile.h"

#include "storage/SettingsBlockFile.h"
#include "storage/SettingsFileIo.h"

#include <array>

namespace kestra {

QByteArray BuildSmsFile(const Checked<SmsSettings>& checked)
{
    const SmsSettings& s = checked.record();
    SettingsBlock header = MakeEmptyBlock();
    StoreNumbers<SmsSettings>(header, kSmsNumberFields, kSmsFixedBytes, s);
    std::array<QByteArray, kSmsTextBlocks> texts;
    for (const SmsTextField& field : kSmsTextFields)
        texts[field.block - 1] = s.*field.member;
    return BuildBlockFile(header, texts, false);
}

SmsSettings DecodeSmsFile(QByteArrayView bytes, SettingsFindings& findings)
{
    SmsSettings s;
    ReadNumbers<SmsSettings>(ReadHeaderBlock(bytes), kSmsNumberFields, s);
    for (const SmsTextField& field : kSmsTextFields)
        s.*field.member = ReadTextField(bytes, field.block, QLatin1String(field.name), findings);
    return s;
}

SaveResult WriteSmsFile(const QString& folder, const Checked<SmsSettings>& settings)
{
    return SaveSettingsFile(folder, QString::fromLatin1(kSmsFileName), BuildSmsFile(settings));
}

SmsLoaded ParseSmsFile(QByteArrayView bytes)
{
    SmsLoaded loaded;
    const SmsSettings s = DecodeSmsFile(bytes, loaded.findings);
    const SettingsFindings problems = CheckSmsSettings(s);
    loaded.findings.insert(loaded.findings.end(), problems.begin(), problems.end());
    if (s.smsControl < kSmsControlCount)
        loaded.smsControl = s.smsControl;
    loaded.picturesPerDay = s.picturesPerDay;
    loaded.languageCode = s.languageCode;
    loaded.phone1 = s.phone1;
    loaded.phone2 = s.phone2;
    loaded.phone3 = s.phone3;
    return loaded;
}

SmsReadResult ReadSmsFile(const QString& path)
{
    return ReadSettingsFileWith(path, kSmsFileSize, ParseSmsFile);
}

} // namespace kestra
