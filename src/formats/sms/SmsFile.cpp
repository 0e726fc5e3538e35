// SPDX-License-Identifier: Apache-2.0
#include "formats/sms/SmsFile.h"

#include "storage/SettingsBlockFile.h"
#include "storage/SettingsFileIo.h"

#include <array>

namespace kestra {

namespace {

// Header offsets (before scrambling).
constexpr std::size_t kSmsControl = 2;
constexpr std::size_t kLanguage = 5;
constexpr std::size_t kFixedOne = 50; // trailer byte, always 1

} // namespace

QByteArray BuildSmsFile(const Checked<SmsSettings>& checked)
{
    const SmsSettings& s = checked.record();
    SettingsBlock header = MakeEmptyBlock();
    header[kSmsControl] = LowByte(s.smsControl);
    StorePicturesPerDay(header, s.picturesPerDay);
    header[kLanguage] = LowByte(s.languageCode);
    header[kFixedOne] = 1;

    std::array<QByteArray, kSmsTextFields.size()> texts;
    for (std::size_t i = 0; i < kSmsTextFields.size(); ++i)
        texts[i] = s.*kSmsTextFields[i].member;
    return BuildBlockFile(header, texts, false);
}

SmsSettings DecodeSmsFile(QByteArrayView bytes, SettingsFindings& findings)
{
    const SettingsBlock header = ReadHeaderBlock(bytes);
    SmsSettings s;
    s.smsControl = header[kSmsControl];
    s.picturesPerDay = ReadPicturesPerDay(header);
    s.languageCode = header[kLanguage];
    for (std::size_t i = 0; i < kSmsTextFields.size(); ++i) {
        const SmsTextField& field = kSmsTextFields[i];
        s.*field.member = ReadTextField(bytes, i + 1, QLatin1String(field.name), findings);
    }
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
