// SPDX-License-Identifier: Apache-2.0
#include "formats/gprs/GprsFile.h"

#include "formats/gprs/GprsCatalogue.h"
#include "storage/SettingsBlockFile.h"
#include "storage/SettingsFileIo.h"

#include <algorithm>
#include <array>

namespace kestra {

namespace {

// Header offsets (before scrambling).
constexpr std::size_t kOperator = 1;
constexpr std::size_t kCountry = 2;
constexpr std::size_t kLanguage = 5;
constexpr std::size_t kFixedOne1 = 6; // both always 1: the camera's gprs.dat layout
constexpr std::size_t kFixedOne2 = 7;
constexpr std::size_t kSmsControl = 8;
constexpr std::size_t kAutoFlag = 50; // trailer byte, stored unscrambled

constexpr std::size_t kTextBlocks = 10;

} // namespace

QByteArray BuildGprsFile(const Checked<GprsSettings>& checked)
{
    const GprsSettings& s = checked.record();
    const bool customer = s.mode == kGprsModeCustomer;
    SettingsBlock header = MakeEmptyBlock();
    header[kOperator] = LowByte(s.operatorIndex);
    header[kCountry] = LowByte(customer ? kGprsCountryCustomer : s.countryIndex);
    StorePicturesPerDay(header, s.picturesPerDay);
    header[kLanguage] = LowByte(s.languageCode);
    header[kFixedOne1] = 1;
    header[kFixedOne2] = 1;
    header[kSmsControl] = LowByte(s.smsControl);
    header[kAutoFlag] = customer ? 0 : 1;

    std::array<QByteArray, kTextBlocks> texts;
    for (const GprsTextField& field : kGprsTextFields)
        texts[field.block - 1] = s.*field.member;
    texts[kGprsUserNameBlock - 1] = GprsUserName(s.senderEmail);
    return BuildBlockFile(header, texts, true);
}

GprsSettings DecodeGprsFile(QByteArrayView bytes, QByteArray& userName, SettingsFindings& findings)
{
    const SettingsBlock header = ReadHeaderBlock(bytes);
    GprsSettings s;
    s.mode = header[kAutoFlag] == 0 ? kGprsModeCustomer : kGprsModeAuto;
    s.operatorIndex = header[kOperator];
    s.countryIndex = header[kCountry];
    s.picturesPerDay = ReadPicturesPerDay(header);
    s.languageCode = header[kLanguage];
    s.smsControl = header[kSmsControl];
    for (const GprsTextField& field : kGprsTextFields)
        s.*field.member = ReadTextField(bytes, field.block, QLatin1String(field.name), findings);
    userName = ReadTextField(bytes, kGprsUserNameBlock, QLatin1String("user name"), findings);
    return s;
}

SaveResult WriteGprsFile(const QString& folder, const Checked<GprsSettings>& settings)
{
    return SaveSettingsFile(folder, QString::fromLatin1(kGprsFileName), BuildGprsFile(settings));
}

GprsLoaded ParseGprsFile(QByteArrayView bytes)
{
    GprsLoaded loaded;
    QByteArray userName;
    GprsSettings s = DecodeGprsFile(bytes, userName, loaded.findings);

    // The findings of what Load configure does not read stay out.
    s.senderPassword.clear();
    s.languageCode = kMinLanguageCode;
    loaded.findings.erase(std::remove_if(loaded.findings.begin(), loaded.findings.end(),
                                         [](const SettingsFinding& f) {
                                             return f.field == QLatin1String("senderPassword")
                                                    || f.field == QLatin1String("user name");
                                         }),
                          loaded.findings.end());
    const SettingsFindings problems = CheckGprsSettings(s);
    loaded.findings.insert(loaded.findings.end(), problems.begin(), problems.end());

    loaded.mode = s.mode;
    if (s.mode == kGprsModeCustomer) {
        if (s.countryIndex == kGprsCountryCustomer)
            loaded.countryIndex = s.countryIndex;
        if (s.operatorIndex == 0)
            loaded.operatorIndex = 0;
    } else if (s.countryIndex < kGprsCountryCount) {
        loaded.countryIndex = s.countryIndex;
        if (s.operatorIndex < GprsOperatorCount(s.countryIndex))
            loaded.operatorIndex = s.operatorIndex;
    }
    loaded.picturesPerDay = s.picturesPerDay;
    if (s.smsControl < kSmsControlCount)
        loaded.smsControl = s.smsControl;
    loaded.apn = s.apn;
    loaded.gprsAccount = s.gprsAccount;
    loaded.gprsPassword = s.gprsPassword;
    loaded.smtpServer = s.smtpServer;
    loaded.smtpPort = s.smtpPort;
    loaded.senderEmail = s.senderEmail;
    loaded.phoneNumber = s.phoneNumber;
    loaded.recipientEmail = s.recipientEmail;
    return loaded;
}

GprsReadResult ReadGprsFile(const QString& path)
{
    return ReadSettingsFileWith(path, kGprsFileSize, ParseGprsFile);
}

} // namespace kestra
