// SPDX-License-Identifier: Apache-2.0
#include "cli/SmsCommand.h"

#include "formats/sms/SmsFile.h"
#include "formats/sms/SmsSave.h"
#include "formats/sms/SmsTexts.h"

namespace kestra::cli {

SmsCommand::SmsCommand(CLI::App& program, const ParserOptions& options)
    : MessagingCommand(program, kName, "Write sms.dat: the SMS window's settings", kSmsFileName, false, options)
{
    m_phone1 = &addText("--phone1", "Phone number allowed to control the camera; the pictures go to it too", options);
    m_phone2 = &addText("--phone2", "Second phone number the pictures go to", options);
    m_phone3 = &addText("--phone3", "Third phone number the pictures go to", options);
}

int SmsCommand::run()
{
    return save(prepare(), WriteSmsFile, [](const Session& session) { return SmsSavedMessage(session.languageIndex); });
}

Checked<SmsSettings> SmsCommand::prepare()
{
    std::optional<int> fileLanguage;
    SmsSettings fromFile;
    if (!m_from.empty()) {
        const SmsLoaded loaded = readFrom(SettingsFileKind::Sms, ReadSmsFile, m_session.session()).values;
        fileLanguage = loaded.languageCode;
        fromFile.smsControl = loaded.smsControl.value_or(kSmsControlOff);
        fromFile.picturesPerDay = loaded.picturesPerDay;
        fromFile.phone1 = loaded.phone1;
        fromFile.phone2 = loaded.phone2;
        fromFile.phone3 = loaded.phone3;
    }
    const Session session = m_session.session(fileLanguage);
    const int language = session.languageIndex;
    SmsSettings shown = InitialSmsSettings(session);
    if (!m_from.empty()) {
        shown.smsControl = fromFile.smsControl;
        shown.picturesPerDay = fromFile.picturesPerDay;
        shown.phone1 = fromFile.phone1;
        shown.phone2 = fromFile.phone2;
        shown.phone3 = fromFile.phone3;
    }
    return decide(shown, &SmsSettings::picturesPerDay, SmsControlEntries(kLanguageEnglish), SmsControlEntries(language),
                  PrepareSmsSave, session, kSmsTextFields);
}

} // namespace kestra::cli
