// SPDX-License-Identifier: Apache-2.0
#include "cli/MessagingCommand.h"

#include "cli/CatalogueLookup.h"
#include "cli/OptionWords.h"
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
                                   bool withTvMode, const ParserOptions& options)
    : m_fileName(fileName)
{
    m_command = program.add_subcommand(name, description);
    const auto help = [&options, fileName](const char* text) {
        return options.withHelp() ? QString::fromLatin1(text).arg(QLatin1String(fileName)).toStdString()
                                  : std::string();
    };
    if (options.wants("--out"))
        m_command->add_option("--out", m_out, help("Folder to write %1 into (the card's root)"))
            ->required()
            ->type_name("DIR");
    if (options.wants("--from"))
        m_command->add_option("--from", m_from, help("Start from this %1 instead of the window's opening state"))
            ->type_name("FILE");
    m_session.addTo(*m_command, withTvMode, options);
    if (options.wants("--pictures-per-day"))
        m_picturesOption = m_command
                               ->add_option("--pictures-per-day", m_picturesPerDay,
                                            "Pictures sent per day, 0 for no limit [default: 0]")
                               ->check(CLI::Range(0, kMaxPicturesPerDay))
                               ->type_name("0-99");
    if (options.wants("--sms-control"))
        m_command
            ->add_option("--sms-control", m_smsControl,
                         "How often the camera listens for SMS commands: ON, 5 Min, 30 Min, 1 Hour, 2 Hour, Off "
                         "(also written 30min, 1h), or the list position [default: Off]")
            ->type_name("VALUE");
}

TextOption& MessagingCommand::addText(const char* flag, const char* help, const ParserOptions& options)
{
    m_texts.push_back(std::make_unique<TextOption>(TextOption{flag, help, {}, nullptr}));
    TextOption& text = *m_texts.back();
    if (options.wants(flag))
        text.option = m_command->add_option(flag, text.value, help)->type_name("TEXT");
    return text;
}

const TextOption* MessagingCommand::textOption(const char* key) const
{
    const std::string flag = std::string("--") + key;
    for (const std::unique_ptr<TextOption>& text : m_texts) {
        if (flag == text->flag)
            return text.get();
    }
    return nullptr;
}

bool MessagingCommand::picturesGiven() const
{
    return m_picturesOption != nullptr && m_picturesOption->count() > 0;
}

int MessagingCommand::smsControlPosition(const QStringList& english, const QStringList& shown) const
{
    return MatchListWord(QStringLiteral("--sms-control"), FromStd(m_smsControl), {english, shown});
}

// --- Preset and custom modes --------------------------------------------------

OperatorCommand::OperatorCommand(CLI::App& program, const char* name, const char* description, const char* fileName,
                                 bool withTvMode, const char* modeHelp, const char* countryHelp,
                                 const char* operatorHelp, const ParserOptions& options)
    : MessagingCommand(program, name, description, fileName, withTvMode, options)
{
    if (options.wants("--mode"))
        m_command->add_option("--mode", m_mode, modeHelp)->type_name("MODE");
    if (options.wants("--country"))
        m_command->add_option("--country", m_country, countryHelp)->type_name("NAME|INDEX");
    if (options.wants("--operator"))
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

} // namespace kestra::cli
