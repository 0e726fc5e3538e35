// SPDX-License-Identifier: Apache-2.0
#include "formats/gprs/GprsFile.h"

#include "formats/gprs/GprsCatalogue.h"
#include "storage/SettingsBlockFile.h"
#include "storage/SettingsFileIo.h"

#include <algorithm>
#include <array>

namespace kestra {

namespace {
constexpr const GprsTextField& kSenderPassword = RowOf(kGprsTextFields, &GprsSettings::senderPassword);
} // namespace

QByteArray BuildGprsFile(const Checked<GprsSettings>& checked)
{
    GprsSettings s = checked.record();
    if (s.mode == kGprsModeCustomer)
        s.countryIndex = kGprsCountryCustomer;
    SettingsBlock header = MakeEmptyBlock();
    StoreNumbers<GprsSettings>(header, kGprsNumberFields, kGprsFixedBytes, s);
    std::array<QByteArray, kGprsTextBlocks> texts;
    for (const GprsTextField& field : kGprsTextFields)
        texts[field.block - 1] = s.*field.member;
    texts[kGprsUserNameField.block - 1] = GprsUserName(s.senderEmail);
    return BuildBlockFile(header, texts, true);
}

GprsSettings DecodeGprsFile(QByteArrayView bytes, QByteArray& userName, SettingsFindings& findings)
{
    GprsSettings s;
    ReadNumbers<GprsSettings>(ReadHeaderBlock(bytes), kGprsNumberFields, s);
    for (const GprsTextField& field : kGprsTextFields)
        s.*field.member = ReadTextField(bytes, field.block, QLatin1String(field.name), findings);
    userName = ReadTextField(bytes, kGprsUserNameField.block, QLatin1String(kGprsUserNameField.findingName), findings);
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
                                             return f.field == QLatin1String(kSenderPassword.name)
                                                    || f.field == QLatin1String(kGprsUserNameField.findingName);
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
