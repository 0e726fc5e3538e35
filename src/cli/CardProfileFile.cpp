// SPDX-License-Identifier: Apache-2.0
#include "cli/CardProfileFile.h"

#include "cards/CardVolumes.h"
#include "cli/CameraCommand.h"
#include "cli/CatalogueLookup.h"
#include "cli/CliSupport.h"
#include "cli/GprsCommand.h"
#include "cli/MmsCommand.h"
#include "cli/SmsCommand.h"
#include "formats/gprs/GprsCatalogue.h"
#include "formats/mms/MmsCatalogue.h"
#include "formats/mms/MmsTexts.h"
#include "formats/sms/SmsTexts.h"
#include "storage/Cp936.h"

#include <CLI/CLI.hpp>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace kestra::cli {

namespace {

const QString kLanguageKey = QStringLiteral("language");
const QString kTvModeKey = QStringLiteral("tv-mode");
// In the order of SettingsFileKind.
const char* const kSections[] = {"camera", "mms", "gprs", "sms"};
// A profile of all four windows is a few kilobytes.
constexpr qint64 kMaxProfileSize = 1024 * 1024;

QString KindSection(SettingsFileKind kind)
{
    return QLatin1String(kSections[static_cast<int>(kind)]);
}

// Options of the commands that have no place in a profile: where the file
// goes, what it starts from and what every card gets anew.
bool ProfileKey(const std::string& name)
{
    static const char* const kNotInProfile[] = {"--out",  "--from",    "--defaults", "--clock",
                                                "--lang", "--tv-mode", "--help"};
    return std::none_of(std::begin(kNotInProfile), std::end(kNotInProfile),
                        [&name](const char* excluded) { return name == excluded; });
}

// A command's message names its options ("--mode: ..."); a profile's names
// the key ("mms.mode: "). A command quoted for the user to run ("kestra-setup
// catalogue gprs --country 5") keeps its options.
QString InProfileWords(const QString& message, const QString& section)
{
    static const QRegularExpression kOption(QStringLiteral("--([a-z][a-z0-9-]*)"));
    static const QRegularExpression kQuotedCommand(QStringLiteral("\"kestra-setup [^\"]*\""));
    const auto keys = [&section](QString words) {
        words.replace(QStringLiteral("--lang"), kLanguageKey);
        words.replace(QStringLiteral("--tv-mode"), kTvModeKey);
        return words.replace(kOption, section + QStringLiteral(".\\1"));
    };
    QString result;
    qsizetype from = 0;
    for (QRegularExpressionMatchIterator it = kQuotedCommand.globalMatch(message); it.hasNext();) {
        const QRegularExpressionMatch command = it.next();
        result += keys(message.mid(from, command.capturedStart() - from)) + command.captured();
        from = command.capturedEnd();
    }
    return result + keys(message.mid(from));
}

[[noreturn]] void RefuseIn(const QString& source, const QString& message)
{
    RefuseUsage(QStringLiteral("%1: %2").arg(source, message));
}

std::string ValueWord(const QJsonValue& value, const QString& source, const QString& key)
{
    if (value.isString())
        return value.toString().toStdString();
    if (value.isDouble() && std::floor(value.toDouble()) == value.toDouble() && std::abs(value.toDouble()) < 1e9)
        return QString::number(static_cast<long long>(value.toDouble())).toStdString();
    RefuseIn(source, QStringLiteral("%1: give a text or a whole number").arg(key));
}

// The keys a command takes in a profile: its options but those of the command
// line alone.
QStringList ProfileKeys(const CLI::App& command)
{
    QStringList keys;
    for (const CLI::Option* option : command.get_options()) {
        if (option->get_name().rfind("--", 0) == 0 && ProfileKey(option->get_name()))
            keys << FromStd(option->get_name().substr(2));
    }
    return keys;
}

// The command line the section stands for: the command, its --out (never
// written to) and one option per key. `command` has at least the options the
// section names; `allKeys` lists every key for a key it has no option for.
std::vector<std::string> SectionArguments(CLI::App& command, const QJsonObject& section, const QString& name,
                                          const QString& source, const std::vector<std::string>& common,
                                          QStringList (*allKeys)())
{
    std::vector<std::string> arguments{name.toStdString(), "--out", "."};
    for (std::size_t i = 0; i + 1 < common.size(); i += 2) {
        if (command.get_option_no_throw(common[i]) != nullptr)
            arguments.insert(arguments.end(), {common[i], common[i + 1]});
    }
    for (auto it = section.begin(); it != section.end(); ++it) {
        const std::string flag = "--" + it.key().toStdString();
        if (flag == "--clock")
            RefuseIn(
                source,
                QStringLiteral("%1.clock: the clock is set when each card is written (card write --clock)").arg(name));
        if (!ProfileKey(flag) || command.get_option_no_throw(flag) == nullptr)
            RefuseIn(source, QStringLiteral("%1.%2: no such key; %1 takes %3")
                                 .arg(name, it.key(), allKeys().join(QStringLiteral(", "))));
        arguments.push_back(flag);
        arguments.push_back(ValueWord(it.value(), source, name + QLatin1Char('.') + it.key()));
    }
    return arguments;
}

QString Text(const QByteArray& bytes)
{
    return DecodeCp936(bytes);
}

// An operator by name, unless an earlier operator of the country has the same
// name: then by its index, which the command takes as well.
QJsonValue OperatorWord(const std::function<QString(int)>& name, int slot)
{
    for (int earlier = 0; earlier < slot; ++earlier) {
        if (name(earlier).compare(name(slot), Qt::CaseInsensitive) == 0)
            return slot;
    }
    return name(slot);
}

QJsonObject MmsSection(const MmsSettings& s)
{
    QJsonObject section{
        {QStringLiteral("mode"), s.presetFlag != 0 ? QStringLiteral("preset") : QStringLiteral("custom")}};
    if (s.presetFlag != 0) {
        section.insert(QStringLiteral("country"), MmsCountryName(CountryListVariant::English, s.countryCode));
        section.insert(
            QStringLiteral("operator"),
            OperatorWord([&s](int slot) { return MmsOperatorShownName(s.countryCode, slot, kLanguageEnglish); },
                         s.operatorIndex));
    } else {
        for (const auto& [key, member] :
             {std::pair{"url", &MmsSettings::url}, std::pair{"apn", &MmsSettings::apn},
              std::pair{"gateway", &MmsSettings::gateway}, std::pair{"port", &MmsSettings::port},
              std::pair{"account", &MmsSettings::account}, std::pair{"password", &MmsSettings::password}})
            section.insert(QLatin1String(key), Text(s.*member));
    }
    for (const auto& [key, member] : {std::pair{"phone", &MmsSettings::phone}, std::pair{"email", &MmsSettings::email},
                                      std::pair{"phone2", &MmsSettings::phone2}})
        section.insert(QLatin1String(key), Text(s.*member));
    section.insert(QStringLiteral("pictures-per-day"), s.picturesPerDay);
    section.insert(QStringLiteral("sms-control"), MmsSmsControlEntries(kLanguageEnglish).value(s.smsControl));
    return section;
}

QJsonObject GprsSection(const GprsSettings& s)
{
    const bool automatic = s.mode == kGprsModeAuto;
    QJsonObject section{{QStringLiteral("mode"), automatic ? QStringLiteral("auto") : QStringLiteral("custom")}};
    if (automatic) {
        section.insert(QStringLiteral("country"), GprsCountryName(false, s.countryIndex));
        section.insert(
            QStringLiteral("operator"),
            OperatorWord([&s](int slot) { return GprsOperatorShownName(s.countryIndex, slot, kLanguageEnglish); },
                         s.operatorIndex));
    } else {
        for (const auto& [key, member] :
             {std::pair{"apn", &GprsSettings::apn}, std::pair{"gprs-account", &GprsSettings::gprsAccount},
              std::pair{"gprs-password", &GprsSettings::gprsPassword}})
            section.insert(QLatin1String(key), Text(s.*member));
    }
    for (const auto& [key, member] :
         {std::pair{"smtp-server", &GprsSettings::smtpServer}, std::pair{"smtp-port", &GprsSettings::smtpPort},
          std::pair{"sender-email", &GprsSettings::senderEmail},
          std::pair{"sender-password", &GprsSettings::senderPassword}, std::pair{"phone", &GprsSettings::phoneNumber},
          std::pair{"recipient-email", &GprsSettings::recipientEmail}})
        section.insert(QLatin1String(key), Text(s.*member));
    section.insert(QStringLiteral("pictures-per-day"), s.picturesPerDay);
    section.insert(QStringLiteral("sms-control"), SmsControlEntries(kLanguageEnglish).value(s.smsControl));
    return section;
}

// Parses a section as its command parses its command line and puts it
// through the command's save checks. Only that command's parser is built:
// building all four for every section was most of a card write's time.
template <typename Command, typename Settings>
void PrepareSection(std::optional<Settings>& into, const QJsonObject& profile, const QString& source,
                    const std::vector<std::string>& common)
{
    const char* name = Command::kName;
    const QString section = QLatin1String(name);
    if (!profile.contains(section))
        return;
    const QJsonObject keys = profile.value(section).toObject();
    // The parser has the options the section and the profile's language and
    // TV mode give, and --out; any other key is refused by name.
    std::vector<std::string> flags{"--out"};
    for (std::size_t i = 0; i < common.size(); i += 2)
        flags.push_back(common[i]);
    for (auto it = keys.begin(); it != keys.end(); ++it)
        flags.push_back("--" + it.key().toStdString());
    CLI::App program;
    Command command{program, ParserOptions(std::move(flags))};
    std::vector<std::string> arguments =
        SectionArguments(*program.get_subcommand(name), keys, section, source, common, [] {
            CLI::App everyOption;
            const Command all{everyOption};
            return ProfileKeys(*all.subcommand());
        });
    std::reverse(arguments.begin(), arguments.end()); // CLI11 takes a vector last argument first
    try {
        program.parse(arguments);
        const auto prepared = command.prepare(); // a checked record is copied, never moved
        into = prepared;
    } catch (const CLI::ParseError& error) {
        RefuseIn(source, InProfileWords(FromStd(error.what()), section));
    } catch (const CliFailure& failure) {
        // A window's own refusal names no key: the section says which window.
        const QString message = InProfileWords(failure.message, section);
        RefuseIn(source, message.contains(section + QLatin1Char('.')) || message.startsWith(kLanguageKey)
                             ? message
                             : QStringLiteral("%1: %2").arg(section, message));
    }
}

QJsonObject SmsSection(const SmsSettings& s)
{
    QJsonObject section;
    for (const auto& [key, member] :
         {std::pair{"phone1", &SmsSettings::phone1}, std::pair{"phone2", &SmsSettings::phone2},
          std::pair{"phone3", &SmsSettings::phone3}})
        section.insert(QLatin1String(key), Text(s.*member));
    section.insert(QStringLiteral("pictures-per-day"), s.picturesPerDay);
    section.insert(QStringLiteral("sms-control"), SmsControlEntries(kLanguageEnglish).value(s.smsControl));
    return section;
}

} // namespace

CardProfile ReadCardProfile(const QString& path, const std::string& languageFallback)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        RefuseUsage(
            QStringLiteral("--profile: %1 cannot be read: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(file.read(kMaxProfileSize + 1), &error);
    if (file.size() > kMaxProfileSize)
        RefuseIn(QDir::toNativeSeparators(path), QStringLiteral("larger than any profile can be"));
    if (error.error != QJsonParseError::NoError)
        RefuseIn(QDir::toNativeSeparators(path),
                 QStringLiteral("no JSON at character %1: %2").arg(error.offset).arg(error.errorString()));
    if (!document.isObject())
        RefuseIn(QDir::toNativeSeparators(path), QStringLiteral("a profile is one JSON object {...}"));
    return CardProfileFromJson(document.object(), QDir::toNativeSeparators(path), languageFallback);
}

CardProfile CardProfileFromJson(const QJsonObject& profile, const QString& source, const std::string& languageFallback)
{
    std::vector<std::string> common;
    for (auto it = profile.begin(); it != profile.end(); ++it) {
        const bool section = std::any_of(std::begin(kSections), std::end(kSections),
                                         [&it](const char* name) { return it.key() == QLatin1String(name); });
        if (section) {
            if (!it.value().isObject())
                RefuseIn(source, QStringLiteral("%1: give its settings as an object {...}").arg(it.key()));
        } else if (it.key() == kLanguageKey) {
            common.insert(common.end(), {"--lang", ValueWord(it.value(), source, it.key())});
            try {
                ParseLanguage(FromStd(common.back()));
            } catch (const CliFailure& failure) {
                RefuseIn(source, InProfileWords(failure.message, {}));
            }
        } else if (it.key() == kTvModeKey) {
            common.insert(common.end(), {"--tv-mode", ValueWord(it.value(), source, it.key())});
        } else {
            RefuseIn(source,
                     QStringLiteral("%1: no such key; a profile takes language, tv-mode, camera, mms, gprs and sms")
                         .arg(it.key()));
        }
    }
    if (!profile.contains(kLanguageKey) && !languageFallback.empty())
        common.insert(common.end(), {"--lang", languageFallback});

    // In the order of SettingsFileKind, so the first refusal is the same on
    // every run.
    CardProfile card;
    PrepareSection<CameraCommand>(card.camera, profile, source, common);
    PrepareSection<MmsCommand>(card.mms, profile, source, common);
    PrepareSection<GprsCommand>(card.gprs, profile, source, common);
    PrepareSection<SmsCommand>(card.sms, profile, source, common);
    if (card.empty())
        RefuseIn(source, QStringLiteral("the profile holds no settings: give camera, mms, gprs or sms"));
    return card;
}

QJsonObject ProfileSection(const SettingsFileCheck& check)
{
    if (const auto* camera = std::get_if<CameraSettings>(&check.record)) {
        QJsonObject section;
        for (const auto& [flag, word] : CameraOptionWords(*camera))
            section.insert(flag.mid(2), word);
        return section;
    }
    if (const auto* mms = std::get_if<MmsSettings>(&check.record))
        return MmsSection(*mms);
    if (const auto* gprs = std::get_if<GprsSettings>(&check.record))
        return GprsSection(*gprs);
    return SmsSection(std::get<SmsSettings>(check.record));
}

QJsonObject CardProfileOf(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        throw CliFailure{kExitFailed,
                         QFileInfo::exists(folder)
                             ? QStringLiteral("%1 is no folder").arg(QDir::toNativeSeparators(folder))
                             : QStringLiteral("the folder %1 does not exist").arg(QDir::toNativeSeparators(folder))};
    const std::vector<SettingsFileKind> kinds = SettingsFilesIn(folder);
    if (kinds.empty())
        throw CliFailure{kExitFailed,
                         QStringLiteral("%1: no settings file (camera.dat, mms.dat, gprs.dat, sms.dat) in this folder")
                             .arg(QDir::toNativeSeparators(folder))};
    QJsonObject profile;
    std::optional<int> language;
    std::optional<int> tvMode;
    for (SettingsFileKind kind : kinds) {
        const QString path = SettingsFilePathIn(folder, kind);
        const SettingsFileCheckResult checked = CheckSettingsFileAt(kind, path);
        if (!checked.ok())
            throw CliFailure{kExitFailed, checked.error->message(false)};
        if (!checked.values.clean())
            throw CliFailure{kExitFailed,
                             QStringLiteral("%1: %2 \"kestra-setup inspect\" shows everything it finds.")
                                 .arg(QDir::toNativeSeparators(path), checked.values.findings.front().message(false))};
        if (checked.values.cameraDefaultParameters)
            throw CliFailure{kExitFailed,
                             QStringLiteral("%1 holds the default parameters (the camera's factory settings), "
                                            "no settings a profile could give")
                                 .arg(QDir::toNativeSeparators(path))};
        const SettingsFileCheck& check = checked.values;
        std::visit(
            [&](const auto& record) {
                language = language.value_or(record.languageCode);
                if constexpr (requires { record.tvMode; })
                    tvMode = tvMode.value_or(record.tvMode);
            },
            check.record);
        profile.insert(KindSection(kind), ProfileSection(check));
    }
    if (language)
        profile.insert(kLanguageKey, LanguageName(*language));
    if (tvMode)
        profile.insert(kTvModeKey, *tvMode);
    return profile;
}

CardProfileRead ReadCardProfileAt(const QString& path, int languageCode)
{
    const std::string language = LanguageName(languageCode).toStdString();
    try {
        if (QFileInfo(path).isDir())
            return {CardProfileFromJson(CardProfileOf(path), QDir::toNativeSeparators(path), language), {}};
        return {ReadCardProfile(path, language), {}};
    } catch (const CliFailure& failure) {
        return {std::nullopt, failure.message};
    }
}

} // namespace kestra::cli
