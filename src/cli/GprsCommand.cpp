// SPDX-License-Identifier: Apache-2.0
#include "cli/GprsCommand.h"

#include "cli/CatalogueLookup.h"
#include "formats/gprs/GprsCatalogue.h"
#include "formats/gprs/GprsFile.h"
#include "formats/gprs/GprsSave.h"
#include "formats/gprs/SmtpTexts.h"
#include "formats/shared/SmsControl.h"

namespace kestra::cli {

GprsCommand::GprsCommand(CLI::App& program, const ParserOptions& options)
    : OperatorCommand(program, kName, "Write gprs.dat: the GPRS/SMTP e-mail window's settings", kGprsFileName, false,
                      "auto (the operator's GPRS access) or custom (typed) [default: auto]",
                      "Auto mode: the country, by name or index (see catalogue gprs) [default: China]",
                      "Auto mode: the operator, by name or index [default: the first]", options)
{
    m_apn = &addText("--apn", "Custom mode: GPRS APN", options);
    m_gprsAccount = &addText("--gprs-account", "Custom mode: GPRS account", options);
    m_gprsPassword = &addText("--gprs-password", "Custom mode: GPRS password", options);
    m_smtpServer = &addText("--smtp-server", "SMTP server", options);
    m_smtpPort = &addText("--smtp-port", "SMTP port", options);
    m_senderEmail = &addText("--sender-email", "Sender's e-mail address (the camera's mailbox)", options);
    m_senderPassword =
        &addText("--sender-password", "Sender's mailbox password (never read back from a file)", options);
    m_phone = &addText("--phone", "Phone number allowed to control the camera by SMS", options);
    m_recipientEmail = &addText("--recipient-email", "E-mail address the pictures go to", options);
}

int GprsCommand::run()
{
    return save(prepare(), WriteGprsFile,
                [](const Session& session) { return SmtpSavedMessage(session.languageIndex); });
}

Checked<GprsSettings> GprsCommand::prepare()
{
    const Session session = m_session.session();
    const int language = session.languageIndex;
    GprsSettings shown = InitialGprsSettings(session);

    if (!m_from.empty()) {
        const GprsLoaded loaded = readFrom(SettingsFileKind::Gprs, ReadGprsFile, session).values;
        shown.mode = loaded.mode;
        if (loaded.mode == kGprsModeAuto) {
            shown.countryIndex = loaded.countryIndex.value_or(shown.countryIndex);
            shown.operatorIndex = loaded.operatorIndex.value_or(0);
        } else {
            shown.countryIndex = kGprsCountryCustomer;
            shown.operatorIndex = 0;
        }
        shown.picturesPerDay = loaded.picturesPerDay;
        shown.smsControl = loaded.smsControl.value_or(shown.smsControl);
        shown.apn = loaded.apn;
        shown.gprsAccount = loaded.gprsAccount;
        shown.gprsPassword = loaded.gprsPassword;
        shown.smtpServer = loaded.smtpServer;
        shown.smtpPort = loaded.smtpPort;
        shown.senderEmail = loaded.senderEmail;
        shown.phoneNumber = loaded.phoneNumber;
        shown.recipientEmail = loaded.recipientEmail;
    }

    const QStringList english{GprsModeEntry(kLanguageEnglish, 0), GprsModeEntry(kLanguageEnglish, 1)};
    const QStringList own{GprsModeEntry(language, 0), GprsModeEntry(language, 1)};
    if (const std::optional<bool> preset = presetModeChosen(english, own)) {
        const int mode = *preset ? kGprsModeAuto : kGprsModeCustomer;
        if (mode == kGprsModeAuto && shown.mode == kGprsModeCustomer) {
            shown.countryIndex = kGprsChinaIndex;
            shown.operatorIndex = 0;
        } else if (mode == kGprsModeCustomer) {
            shown.countryIndex = kGprsCountryCustomer;
            shown.operatorIndex = 0;
        }
        shown.mode = mode;
    }
    static constexpr OperatorCatalogue kCatalogue{
        "auto",           "the operator's access is", FindGprsCountry,
        FindGprsOperator, GprsOperatorCount,          [](int country) { return GprsCountryName(false, country); }};
    chooseOperator(shown.mode == kGprsModeAuto, {m_apn, m_gprsAccount, m_gprsPassword}, shown.countryIndex,
                   shown.operatorIndex, kCatalogue);

    return decide(shown, &GprsSettings::picturesPerDay, SmsControlEntries(kLanguageEnglish),
                  SmsControlEntries(language), PrepareGprsSave, session, kGprsTextFields);
}

} // namespace kestra::cli
