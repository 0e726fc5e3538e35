// SPDX-License-Identifier: Apache-2.0
#include "cli/MessagingCommands.h"

#include "cli/CatalogueLookup.h"
#include "cli/OptionWords.h"
#include "formats/gprs/GprsCatalogue.h"
#include "formats/gprs/GprsFile.h"
#include "formats/gprs/GprsSave.h"
#include "formats/gprs/SmtpTexts.h"
#include "formats/mms/MmsCatalogue.h"
#include "formats/mms/MmsFile.h"
#include "formats/mms/MmsSave.h"
#include "formats/mms/MmsTexts.h"
#include "formats/sms/SmsFile.h"
#include "formats/sms/SmsSave.h"
#include "formats/sms/SmsTexts.h"
#include "storage/Cp936.h"
#include "storage/SettingsFileIo.h"

#include <CLI/CLI.hpp>

namespace kestra::cli {

namespace {

constexpr int kPresetModePosition = 0; // the first entry of both mode lists

// The mode list's position for --mode: the window's words in English or the
// interface language, or the plain words "preset"/"auto" and "custom".
int ModePosition(const QString& value, const QStringList& english, const QStringList& shown)
{
    const QString loose = LooseWord(value);
    if (loose == u"preset" || loose == u"auto")
        return kPresetModePosition;
    if (loose == u"custom" || loose == u"customer")
        return 1;
    return MatchListWord(QStringLiteral("--mode"), value, {english, shown});
}

} // namespace

bool TextOption::given() const
{
    return option != nullptr && option->count() > 0;
}

QByteArray TextOption::bytes() const
{
    const QString text = FromStd(value);
    const std::optional<QByteArray> encoded = EncodeCp936(text);
    if (!encoded) {
        RefuseUsage(QStringLiteral("%1: the character \"%2\" cannot be stored in the camera's files")
                        .arg(QLatin1String(flag), FirstNonCp936Character(text).value_or(QString())));
    }
    return *encoded;
}

MessagingCommand::MessagingCommand(CLI::App& program, const char* name, const char* description, const char* fileName,
                                   bool withTvMode)
    : m_fileName(fileName)
{
    m_command = program.add_subcommand(name, description);
    m_command
        ->add_option(
            "--out", m_out,
            QStringLiteral("Folder to write %1 into (the card's root)").arg(QLatin1String(fileName)).toStdString())
        ->required()
        ->type_name("DIR");
    m_command
        ->add_option("--from", m_from,
                     QStringLiteral("Start from this %1 instead of the window's opening state")
                         .arg(QLatin1String(fileName))
                         .toStdString())
        ->type_name("FILE");
    m_session.addTo(*m_command, withTvMode);
    m_picturesOption =
        m_command
            ->add_option("--pictures-per-day", m_picturesPerDay, "Pictures sent per day, 0 for no limit [default: 0]")
            ->check(CLI::Range(0, kMaxPicturesPerDay))
            ->type_name("0-99");
    m_command
        ->add_option("--sms-control", m_smsControl,
                     "How often the camera listens for SMS commands: ON, 5 Min, 30 Min, 1 Hour, 2 Hour, Off "
                     "(also written 30min, 1h), or the list position [default: Off]")
        ->type_name("VALUE");
}

TextOption& MessagingCommand::addText(const char* flag, const char* help)
{
    m_texts.push_back(std::make_unique<TextOption>(TextOption{flag, help, {}, nullptr}));
    TextOption& text = *m_texts.back();
    text.option = m_command->add_option(flag, text.value, help)->type_name("TEXT");
    return text;
}

int MessagingCommand::smsControlPosition(const QStringList& english, const QStringList& shown) const
{
    return MatchListWord(QStringLiteral("--sms-control"), FromStd(m_smsControl), {english, shown});
}

template <typename ReadResult>
ReadResult MessagingCommand::readFrom(SettingsFileKind kind, ReadResult (*read)(const QString&),
                                      const Session& session) const
{
    RefuseUncheckedFromFile(kind, m_from, session.chineseMessages());
    ReadResult result = read(FromStd(m_from));
    if (result.error)
        RefuseUsage(QStringLiteral("--from: %1").arg(result.error->message(session.chineseMessages())));
    return result;
}

template <typename Record>
Record MessagingCommand::decide(Record shown, TextFields<Record> texts, int Record::*picturesPerDay,
                                const QStringList& smsControlEnglish, const QStringList& smsControlShown,
                                SaveDecision<Record> (*prepareSave)(const Record&, const Session&),
                                const Session& session) const
{
    for (const auto& [text, member] : texts) {
        if (text->given())
            shown.*member = text->bytes();
    }
    if (m_picturesOption->count() > 0)
        shown.*picturesPerDay = m_picturesPerDay;
    if (!m_smsControl.empty())
        shown.smsControl = smsControlPosition(smsControlEnglish, smsControlShown);
    return Decided(prepareSave(shown, session));
}

template <typename Record>
int MessagingCommand::save(const Record& record, RecordSaveResult (*write)(const QString&, const Record&),
                           QString (*savedMessage)(const Session&)) const
{
    // The record carries the session's language code: the messages are in
    // the language the file was written in.
    const Session session = m_session.session(record.languageCode);
    return FinishSave(write(FromStd(m_out), record), session.chineseMessages(), savedMessage(session),
                      SettingsFilePath(FromStd(m_out), QString::fromLatin1(m_fileName)));
}

// --- Preset and custom modes --------------------------------------------------

OperatorCommand::OperatorCommand(CLI::App& program, const char* name, const char* description, const char* fileName,
                                 bool withTvMode, const char* modeHelp, const char* countryHelp,
                                 const char* operatorHelp)
    : MessagingCommand(program, name, description, fileName, withTvMode)
{
    m_command->add_option("--mode", m_mode, modeHelp)->type_name("MODE");
    m_command->add_option("--country", m_country, countryHelp)->type_name("NAME|INDEX");
    m_command->add_option("--operator", m_operator, operatorHelp)->type_name("NAME|INDEX");
}

std::optional<bool> OperatorCommand::presetModeChosen(const QStringList& english, const QStringList& shown) const
{
    if (m_mode.empty())
        return std::nullopt;
    return ModePosition(FromStd(m_mode), english, shown) == kPresetModePosition;
}

void OperatorCommand::chooseOperator(bool preset, std::initializer_list<const TextOption*> customTexts, int& country,
                                     int& operatorIndex, const OperatorCatalogue& catalogue) const
{
    for (const TextOption* text : customTexts) {
        if (preset && text->given())
            RefuseUsage(QStringLiteral("%1 applies to the custom mode; in the %2 mode %3 written (add --mode custom)")
                            .arg(QLatin1String(text->flag), QLatin1String(catalogue.presetMode),
                                 QLatin1String(catalogue.presetWrites)));
    }
    if (!preset && (!m_country.empty() || !m_operator.empty()))
        RefuseUsage(QStringLiteral("--country and --operator apply to the %1 mode (leave out --mode custom)")
                        .arg(QLatin1String(catalogue.presetMode)));
    if (!m_country.empty()) {
        country = catalogue.findCountry(QStringLiteral("--country"), FromStd(m_country));
        operatorIndex = 0;
    }
    if (!m_operator.empty())
        operatorIndex = catalogue.findOperator(QStringLiteral("--operator"), country, FromStd(m_operator));
    if (preset && catalogue.operatorCount(country) == 0)
        RefuseUsage(QStringLiteral("--country: %1 offers no operator").arg(catalogue.englishCountryName(country)));
}

// --- MMS ------------------------------------------------------------------------

MmsCommand::MmsCommand(CLI::App& program)
    : OperatorCommand(program, kName, "Write mms.dat: the MMS window's settings", kMmsFileName, true,
                      "preset (the operator's parameters) or custom (typed ones) [default: preset]",
                      "Preset mode: the country, by name or index (see catalogue mms) [default: China]",
                      "Preset mode: the operator, by name or index [default: the first]")
{
    m_url = &addText("--url", "Custom mode: MMS centre URL");
    m_apn = &addText("--apn", "Custom mode: APN");
    m_gateway = &addText("--gateway", "Custom mode: WAP gateway");
    m_port = &addText("--port", "Custom mode: gateway port");
    m_account = &addText("--account", "Custom mode: account");
    m_password = &addText("--password", "Custom mode: password");
    m_phone =
        &addText("--phone", "Phone number the pictures go to; also the number allowed to control the camera by SMS");
    m_email = &addText("--email", "E-mail address the pictures go to");
    m_phone2 = &addText("--phone2", "Second phone number or e-mail address");
}

int MmsCommand::run()
{
    return save(prepare(), WriteMmsFile,
                [](const Session& session) { return MmsMessageText(session.languageIndex, MmsMessage::Saved); });
}

MmsSettings MmsCommand::prepare()
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
        "preset",        "the operator's parameters are",
        FindMmsCountry,  FindMmsOperator,
        MmsOfferedCount, [](int country) { return MmsCountryName(CountryListVariant::English, country); }};
    chooseOperator(shown.presetFlag != 0, {m_url, m_apn, m_gateway, m_port, m_account, m_password}, shown.countryCode,
                   shown.operatorIndex, kCatalogue);

    return decide(shown,
                  {{m_url, &MmsSettings::url},
                   {m_apn, &MmsSettings::apn},
                   {m_gateway, &MmsSettings::gateway},
                   {m_port, &MmsSettings::port},
                   {m_account, &MmsSettings::account},
                   {m_password, &MmsSettings::password},
                   {m_phone, &MmsSettings::phone},
                   {m_email, &MmsSettings::email},
                   {m_phone2, &MmsSettings::phone2}},
                  &MmsSettings::picturesPerDay, MmsSmsControlEntries(kLanguageEnglish), MmsSmsControlEntries(language),
                  PrepareMmsSave, session);
}

// --- GPRS -----------------------------------------------------------------------

GprsCommand::GprsCommand(CLI::App& program)
    : OperatorCommand(program, kName, "Write gprs.dat: the GPRS/SMTP e-mail window's settings", kGprsFileName, false,
                      "auto (the operator's GPRS access) or custom (typed) [default: auto]",
                      "Auto mode: the country, by name or index (see catalogue gprs) [default: China]",
                      "Auto mode: the operator, by name or index [default: the first]")
{
    m_apn = &addText("--apn", "Custom mode: GPRS APN");
    m_gprsAccount = &addText("--gprs-account", "Custom mode: GPRS account");
    m_gprsPassword = &addText("--gprs-password", "Custom mode: GPRS password");
    m_smtpServer = &addText("--smtp-server", "SMTP server");
    m_smtpPort = &addText("--smtp-port", "SMTP port");
    m_senderEmail = &addText("--sender-email", "Sender's e-mail address (the camera's mailbox)");
    m_senderPassword = &addText("--sender-password", "Sender's mailbox password (never read back from a file)");
    m_phone = &addText("--phone", "Phone number allowed to control the camera by SMS");
    m_recipientEmail = &addText("--recipient-email", "E-mail address the pictures go to");
}

int GprsCommand::run()
{
    return save(prepare(), WriteGprsFile,
                [](const Session& session) { return SmtpSavedMessage(session.chineseMessages()); });
}

GprsSettings GprsCommand::prepare()
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
        shown.maxImagesPerDay = loaded.maxImagesPerDay;
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

    return decide(shown,
                  {{m_apn, &GprsSettings::apn},
                   {m_gprsAccount, &GprsSettings::gprsAccount},
                   {m_gprsPassword, &GprsSettings::gprsPassword},
                   {m_smtpServer, &GprsSettings::smtpServer},
                   {m_smtpPort, &GprsSettings::smtpPort},
                   {m_senderEmail, &GprsSettings::senderEmail},
                   {m_senderPassword, &GprsSettings::senderPassword},
                   {m_phone, &GprsSettings::phoneNumber},
                   {m_recipientEmail, &GprsSettings::recipientEmail}},
                  &GprsSettings::maxImagesPerDay, SmsControlEntries(kLanguageEnglish), SmsControlEntries(language),
                  PrepareGprsSave, session);
}

// --- SMS ------------------------------------------------------------------------

SmsCommand::SmsCommand(CLI::App& program)
    : MessagingCommand(program, kName, "Write sms.dat: the SMS window's settings", kSmsFileName, false)
{
    m_phone1 = &addText("--phone1", "Phone number allowed to control the camera; the pictures go to it too");
    m_phone2 = &addText("--phone2", "Second phone number the pictures go to");
    m_phone3 = &addText("--phone3", "Third phone number the pictures go to");
}

int SmsCommand::run()
{
    return save(prepare(), WriteSmsFile,
                [](const Session& session) { return SmsSavedMessage(session.chineseMessages()); });
}

SmsSettings SmsCommand::prepare()
{
    std::optional<int> fileLanguage;
    SmsSettings fromFile;
    if (!m_from.empty()) {
        const SmsLoaded loaded = readFrom(SettingsFileKind::Sms, ReadSmsFile, m_session.session()).values;
        fileLanguage = loaded.languageCode;
        fromFile.smsControl = loaded.smsControl.value_or(kSmsControlOff);
        fromFile.maxImagesPerDay = loaded.maxImagesPerDay;
        fromFile.phone1 = loaded.phone1;
        fromFile.phone2 = loaded.phone2;
        fromFile.phone3 = loaded.phone3;
    }
    const Session session = m_session.session(fileLanguage);
    const int language = session.languageIndex;
    SmsSettings shown = InitialSmsSettings(session);
    if (!m_from.empty()) {
        shown.smsControl = fromFile.smsControl;
        shown.maxImagesPerDay = fromFile.maxImagesPerDay;
        shown.phone1 = fromFile.phone1;
        shown.phone2 = fromFile.phone2;
        shown.phone3 = fromFile.phone3;
    }
    return decide(
        shown, {{m_phone1, &SmsSettings::phone1}, {m_phone2, &SmsSettings::phone2}, {m_phone3, &SmsSettings::phone3}},
        &SmsSettings::maxImagesPerDay, SmsControlEntries(kLanguageEnglish), SmsControlEntries(language), PrepareSmsSave,
        session);
}

} // namespace kestra::cli
