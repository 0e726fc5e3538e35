// SPDX-License-Identifier: Apache-2.0
#include "cli/SmsCommand.h"

#include "formats/sms/SmsFile.h"
#include "formats/sms/SmsSave.h"
#include "formats/sms/SmsTexts.h"
#include "formats/sms/SmsWords.h"

namespace kestra::cli {

SmsCommand::SmsCommand(CLI::App& program, const ParserOptions& options)
    : MessagingCommand(program, kName, "Write sms.dat: the SMS window's settings", kSmsFileName, false, options)
{
    addKeys<SmsSettings>(kSmsNumberFields, kSmsTextFields);
}

int SmsCommand::run()
{
    return save(prepare(), WriteSmsFile, [](const Session& session) { return SmsSavedMessage(session.languageIndex); });
}

Checked<SmsSettings> SmsCommand::prepare()
{
    std::optional<SmsLoaded> loaded;
    if (!m_from.empty())
        loaded = readFrom(SettingsFileKind::Sms, ReadSmsFile, m_session.session()).values;
    // Without --lang the file's language stands.
    const Session session = m_session.session(loaded ? std::optional<int>(loaded->languageCode) : std::nullopt);
    SmsSettings shown = InitialSmsSettings(session);
    if (loaded) {
        shown.smsControl = loaded->smsControl.value_or(kSmsControlOff);
        shown.picturesPerDay = loaded->picturesPerDay;
        shown.phone1 = loaded->phone1;
        shown.phone2 = loaded->phone2;
        shown.phone3 = loaded->phone3;
    }
    return Decided(PrepareSmsWords(shown, m_keys.words(), session, KeySpelling::CommandLine()));
}

} // namespace kestra::cli
