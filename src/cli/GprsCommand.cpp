// SPDX-License-Identifier: Apache-2.0
#include "cli/GprsCommand.h"

#include "formats/gprs/GprsFile.h"
#include "formats/gprs/GprsSave.h"
#include "formats/gprs/GprsWords.h"
#include "formats/gprs/SmtpTexts.h"

namespace kestra::cli {

GprsCommand::GprsCommand(CLI::App& program, const ParserOptions& options)
    : MessagingCommand(program, kName, "Write gprs.dat: the GPRS/SMTP e-mail window's settings", kGprsFileName, false,
                       options)
{
    addKeys<GprsSettings>(kGprsNumberFields, kGprsTextFields);
}

int GprsCommand::run()
{
    return save(prepare(), WriteGprsFile,
                [](const Session& session) { return SmtpSavedMessage(session.languageIndex); });
}

Checked<GprsSettings> GprsCommand::prepare()
{
    const Session session = m_session.session();
    GprsSettings shown = InitialGprsSettings(session);

    if (!m_from.empty()) {
        // What Load configure takes from the file: the mailbox password is
        // typed again, as in the window.
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
    return Decided(PrepareGprsWords(shown, m_keys.words(), session, KeySpelling::CommandLine()));
}

} // namespace kestra::cli
