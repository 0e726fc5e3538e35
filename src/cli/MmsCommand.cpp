// SPDX-License-Identifier: Apache-2.0
#include "cli/MmsCommand.h"

#include "cli/CatalogueLookup.h"
#include "formats/mms/MmsCatalogue.h"
#include "formats/mms/MmsFile.h"
#include "formats/mms/MmsSave.h"
#include "formats/mms/MmsTexts.h"

namespace kestra::cli {

MmsCommand::MmsCommand(CLI::App& program, const ParserOptions& options)
    : OperatorCommand(program, kName, "Write mms.dat: the MMS window's settings", kMmsFileName, true,
                      "preset (the operator's parameters) or custom (typed ones) [default: preset]",
                      "Preset mode: the country, by name or index (see catalogue mms) [default: China]",
                      "Preset mode: the operator, by name or index [default: the first]", options)
{
    m_url = &addText("--url", "Custom mode: MMS centre URL", options);
    m_apn = &addText("--apn", "Custom mode: APN", options);
    m_gateway = &addText("--gateway", "Custom mode: WAP gateway", options);
    m_port = &addText("--port", "Custom mode: gateway port", options);
    m_account = &addText("--account", "Custom mode: account", options);
    m_password = &addText("--password", "Custom mode: password", options);
    m_phone = &addText(
        "--phone", "Phone number the pictures go to; also the number allowed to control the camera by SMS", options);
    m_email = &addText("--email", "E-mail address the pictures go to", options);
    m_phone2 = &addText("--phone2", "Second phone number or e-mail address", options);
}

int MmsCommand::run()
{
    return save(prepare(), WriteMmsFile,
                [](const Session& session) { return MmsMessageText(session.languageIndex, MmsMessage::Saved); });
}

Checked<MmsSettings> MmsCommand::prepare()
{
    const Session session = m_session.session();
    const int language = session.languageIndex;
    MmsSettings shown = InitialMmsSettings(session);

    if (!m_from.empty()) {
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

    if (const std::optional<bool> preset =
            presetModeChosen(MmsModeEntries(kLanguageEnglish), MmsModeEntries(language))) {
        if (*preset && shown.presetFlag == 0) {
            // Back to the preset mode: the window starts again on its first country.
            shown.countryCode = kMmsChinaIndex;
            shown.operatorIndex = 0;
        }
        shown.presetFlag = *preset ? 1 : 0;
    }
    static constexpr OperatorCatalogue kCatalogue{
        "preset",         "the operator's parameters are",
        FindMmsCountry,   FindMmsOperator,
        MmsOperatorCount, [](int country) { return MmsCountryName(CountryListVariant::English, country); }};
    chooseOperator(shown.presetFlag != 0, {m_url, m_apn, m_gateway, m_port, m_account, m_password}, shown.countryCode,
                   shown.operatorIndex, kCatalogue);

    return decide(shown, &MmsSettings::picturesPerDay, MmsSmsControlEntries(kLanguageEnglish),
                  MmsSmsControlEntries(language), PrepareMmsSave, session, kMmsTextFields);
}

} // namespace kestra::cli
