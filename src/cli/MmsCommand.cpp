// SPDX-License-Identifier: Apache-2.0
#include "cli/MmsCommand.h"

#include "formats/mms/MmsCatalogue.h"
#include "formats/mms/MmsFile.h"
#include "formats/mms/MmsSave.h"
#include "formats/mms/MmsTexts.h"
#include "formats/mms/MmsWords.h"

namespace kestra::cli {

MmsCommand::MmsCommand(CLI::App& program, const ParserOptions& options)
    : MessagingCommand(program, kName, "Write mms.dat: the MMS window's settings", kMmsFileName, true, options)
{
    addKeys<MmsSettings>(kMmsNumberFields, kMmsTextFields);
}

int MmsCommand::run()
{
    return save(prepare(), WriteMmsFile,
                [](const Session& session) { return MmsMessageText(session.languageIndex, MmsMessage::Saved); });
}

Checked<MmsSettings> MmsCommand::prepare()
{
    const Session session = m_session.session();
    MmsSettings shown = InitialMmsSettings(session);

    if (!m_from.empty()) {
        // What Load configure takes from the file.
        const MmsLoaded loaded = readFrom(SettingsFileKind::Mms, ReadMmsFile, session).values;
        shown.picturesPerDay = loaded.picturesPerDay;
        shown.smsControl = loaded.smsControl.value_or(shown.smsControl);
        shown.presetFlag = loaded.presetMode ? 1 : 0;
        if (loaded.presetMode) {
            shown.countryCode = loaded.countryCode.value_or(shown.countryCode);
            shown.operatorIndex = loaded.operatorIndex.value_or(0);
        } else {
            shown.countryCode = COUNTRY_CUSTOM;
            shown.operatorIndex = 0;
        }
        const std::pair<QByteArray MmsSettings::*, QByteArray MmsLoaded::*> loadedTexts[] = {
            {&MmsSettings::url, &MmsLoaded::url},         {&MmsSettings::apn, &MmsLoaded::apn},
            {&MmsSettings::gateway, &MmsLoaded::gateway}, {&MmsSettings::port, &MmsLoaded::port},
            {&MmsSettings::phone, &MmsLoaded::phone},     {&MmsSettings::email, &MmsLoaded::email},
            {&MmsSettings::account, &MmsLoaded::account}, {&MmsSettings::password, &MmsLoaded::password},
            {&MmsSettings::phone2, &MmsLoaded::phone2},
        };
        for (const auto& [to, from] : loadedTexts)
            shown.*to = loaded.*from;
    }
    return Decided(PrepareMmsWords(shown, m_keys.words(), session, KeySpelling::CommandLine()));
}

} // namespace kestra::cli
