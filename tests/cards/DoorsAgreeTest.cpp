// SPDX-License-Identifier: Apache-2.0
// Every door of a settings file gives the same verdict on the same values, and
// where it writes, the same bytes: the window's Save decision, the command
// line's command, a card written from a profile and, for gprs.dat, the mail
// test's check of the values it uses. Records at, one under and one over each
// text limit (ASCII and Chinese), every list entry of camera.dat and
// characters a field refuses go through all of them.

#include "cards/CardProfileFile.h"
#include "cards/CardWriter.h"
#include "cli/CameraCommand.h"
#include "cli/CliSupport.h"
#include "cli/GprsCommand.h"
#include "cli/MmsCommand.h"
#include "cli/SmsCommand.h"
#include "formats/camera/CameraChoices.h"
#include "formats/camera/CameraFile.h"
#include "formats/camera/CameraSave.h"
#include "formats/camera/CameraWords.h"
#include "formats/gprs/GprsCatalogue.h"
#include "formats/gprs/GprsFile.h"
#include "formats/gprs/GprsSave.h"
#include "formats/mms/MmsCatalogue.h"
#include "formats/mms/MmsFile.h"
#include "formats/mms/MmsSave.h"
#include "formats/shared/SmsControl.h"
#include "formats/sms/SmsFile.h"
#include "formats/sms/SmsSave.h"
#include "mailtest/core/MailTest.h"
#include "storage/Cp936.h"

#include <CLI/CLI.hpp>

#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

namespace kestra {
namespace {

// Only a record's check makes a checked record, and nothing builds or writes
// a file from anything else: an unchecked record does not compile into bytes.
template <typename Record, typename Build, typename Write> constexpr bool OnlyCheckedRecordsBecomeFiles()
{
    return !std::is_constructible_v<
               Checked<Record>,
               Record> && !std::is_convertible_v<Record, Checked<Record>> && !std::is_invocable_v<Build, Record> && std::is_invocable_v<Build, Checked<Record>> && !std::is_invocable_v<Write, QString, Record> && std::is_invocable_v<Write, QString, Checked<Record>>;
}
static_assert(OnlyCheckedRecordsBecomeFiles<CameraSettings, decltype(&BuildCameraFile), decltype(&WriteCameraFile)>());
static_assert(OnlyCheckedRecordsBecomeFiles<MmsSettings, decltype(&BuildMmsFile), decltype(&WriteMmsFile)>());
static_assert(OnlyCheckedRecordsBecomeFiles<GprsSettings, decltype(&BuildGprsFile), decltype(&WriteGprsFile)>());
static_assert(OnlyCheckedRecordsBecomeFiles<SmsSettings, decltype(&BuildSmsFile), decltype(&WriteSmsFile)>());
static_assert(!std::is_invocable_v<decltype(&BuildCameraRecord), CameraSettings>);

using Options = std::vector<std::pair<std::string, std::string>>;

constexpr PcClock kClock{2024, 3, 5, 8, 7, 6};
const char* const kClockOption = "2024-03-05 08:07:06";

// What one door made of the values: written (with the bytes) or refused
// (with the words).
struct Verdict {
    bool written = false;
    QByteArray bytes;
    QString words;
};

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Session EnglishSession()
{
    Session session;
    session.languageIndex = session.languageCode = kLanguageEnglish;
    return session;
}

template <typename Record, typename Build> Verdict SaveDoor(const SaveDecision<Record>& decision, Build build)
{
    if (!decision.ok())
        return {false, {}, *decision.refusal};
    return {true, build(*decision.checked), {}};
}

// The command as `kestra-setup-cli NAME --out DIR OPTIONS` runs it.
template <typename Command> Verdict CommandDoor(const Options& options, const char* fileName)
{
    QTemporaryDir out;
    CLI::App program;
    Command command{program};
    std::vector<std::string> arguments{Command::kName, "--out", out.path().toStdString()};
    for (const auto& [key, value] : options)
        arguments.insert(arguments.end(), {"--" + key, value});
    std::reverse(arguments.begin(), arguments.end());
    try {
        program.parse(arguments);
        if (command.run() != cli::kExitOk)
            return {false, {}, QStringLiteral("failed")};
    } catch (const cli::CliFailure& failure) {
        EXPECT_EQ(failure.status, cli::kExitUsage) << failure.message.toStdString();
        EXPECT_TRUE(QDir(out.path()).isEmpty()) << "a refused command wrote";
        return {false, {}, failure.message};
    } catch (const CLI::ParseError& error) {
        return {false, {}, QString::fromStdString(error.what())};
    }
    return {true, ReadAll(QDir(out.path()).filePath(QLatin1String(fileName))), {}};
}

// `kestra-setup-cli card write --profile P --out DIR --clock ...` with a profile
// of one section.
Verdict CardDoor(const char* section, const Options& options, SettingsFileKind kind)
{
    QJsonObject values;
    for (const auto& [key, value] : options)
        values.insert(QString::fromStdString(key), QString::fromStdString(value));
    const QJsonObject profileJson{{QStringLiteral("language"), QStringLiteral("English")},
                                  {QLatin1String(section), values}};
    QTemporaryDir card;
    const CardProfileRead read = CardProfileFromJson(profileJson, QStringLiteral("site.json"), kLanguageEnglish);
    if (!read.profile)
        return {false, {}, read.refusal};
    const CardWriteReport report = WriteCard(card.path(), *read.profile, kClock, std::nullopt);
    if (!report.complete())
        return {false, {}, report.lines(false).join(QLatin1Char('\n'))};
    return {true, ReadAll(QDir(card.path()).filePath(SettingsFileName(kind))), {}};
}

// The doors agree: the same verdict, the same bytes, and each refusal carries
// the Save decision's words (the command line and the profile name the
// option or key before them).
void ExpectAgreement(const std::string& what, const Verdict& save, const std::vector<Verdict>& others)
{
    for (std::size_t door = 0; door < others.size(); ++door) {
        const Verdict& other = others[door];
        EXPECT_EQ(other.written, save.written)
            << what << ", door " << door + 1 << ": " << other.words.toStdString() << " / " << save.words.toStdString();
        if (save.written && other.written) {
            EXPECT_EQ(other.bytes, save.bytes) << what << ", door " << door + 1;
        }
        if (!save.written && !other.written && !save.words.isEmpty()) {
            EXPECT_TRUE(other.words.endsWith(save.words))
                << what << ", door " << door + 1 << ": " << other.words.toStdString() << " / "
                << save.words.toStdString();
        }
    }
}

// --- Texts at their limits --------------------------------------------------

enum class Shape { Plain, Digits, Port, Host, Address };

// `bytes` code page 936 bytes of the field's shape; Chinese characters take
// two bytes each, an odd byte left over is a letter.
std::string TextOf(Shape shape, int bytes, bool chinese)
{
    if (shape == Shape::Digits)
        return std::string(static_cast<std::size_t>(bytes), '1');
    if (shape == Shape::Port) // a port number in as many digits as it takes
        return std::string(static_cast<std::size_t>(bytes - 2), '0') + "25";
    const std::string domain = shape == Shape::Address ? "@e.cn" : shape == Shape::Host ? ".cn" : "";
    const int body = bytes - static_cast<int>(domain.size());
    std::string text;
    if (chinese) {
        for (int i = 0; i < body / 2; ++i)
            text += "中";
        if (body % 2 != 0)
            text += 'a';
    } else {
        text.assign(static_cast<std::size_t>(body), 'a');
    }
    return text + domain;
}

struct TextCase {
    const char* key;
    Shape shape;
    qsizetype limit;
};

// One case per text row of a file, in the shape its window's checks take
// (plain unless `shapes` says otherwise), at the row's limit.
template <typename Record, std::size_t N>
std::vector<TextCase> TextCases(const std::array<TextField<Record>, N>& fields,
                                std::initializer_list<std::pair<QByteArray Record::*, Shape>> shapes)
{
    std::vector<TextCase> cases;
    for (const TextField<Record>& field : fields) {
        Shape shape = Shape::Plain;
        for (const auto& [member, fieldShape] : shapes) {
            if (member == field.member)
                shape = fieldShape;
        }
        cases.push_back({field.key, shape, field.limit});
    }
    return cases;
}

template <typename Record, typename Fields>
bool ApplyTexts(Record& record, const Fields& fields, const Options& options)
{
    for (const auto& [key, value] : options) {
        for (const auto& field : fields) {
            if (key == field.key) {
                const std::optional<QByteArray> bytes = EncodeCp936(QString::fromStdString(value));
                if (!bytes)
                    return false; // no window takes a character the code page lacks
                record.*field.member = *bytes;
            }
        }
    }
    return true;
}

Options With(Options options, const std::string& key, const std::string& value)
{
    for (auto& [k, v] : options) {
        if (k == key) {
            v = value;
            return options;
        }
    }
    options.emplace_back(key, value);
    return options;
}

// Custom mode, so every typed text is written as typed.
const Options kMmsBase{{"mode", "custom"},       {"url", "http://mms.example"},
                       {"apn", "mms"},           {"gateway", "10.0.0.1"},
                       {"port", "8080"},         {"password", "pw"},
                       {"phone", "+4917012345"}, {"phone2", "me@example.org"}};
const Options kGprsBase{{"mode", "custom"},
                        {"apn", "internet"},
                        {"gprs-account", "me"},
                        {"gprs-password", "pw"},
                        {"smtp-server", "smtp.example.org"},
                        {"smtp-port", "587"},
                        {"sender-email", "cam@example.org"},
                        {"sender-password", "secret99"},
                        {"recipient-email", "me@example.org"}};
const Options kSmsBase{{"phone1", "01701234567"}};

Verdict MmsSaveDoor(const Options& options)
{
    MmsSettings shown = InitialMmsSettings(EnglishSession());
    shown.presetFlag = 0;
    shown.countryCode = COUNTRY_CUSTOM;
    shown.operatorIndex = 0;
    if (!ApplyTexts(shown, kMmsTextFields, options))
        return {false, {}, {}};
    return SaveDoor(PrepareMmsSave(shown, EnglishSession()), [](const auto& c) { return BuildMmsFile(c); });
}

Verdict GprsSaveDoor(const Options& options)
{
    GprsSettings shown = InitialGprsSettings(EnglishSession());
    shown.mode = kGprsModeCustomer;
    shown.countryIndex = kGprsCountryCustomer;
    shown.operatorIndex = 0;
    if (!ApplyTexts(shown, kGprsTextFields, options))
        return {false, {}, {}};
    return SaveDoor(PrepareGprsSave(shown, EnglishSession()), [](const auto& c) { return BuildGprsFile(c); });
}

// The mail test judges the values it uses; it writes nothing.
std::optional<bool> MailTestDoor(const Options& options, const std::string& key)
{
    const bool used = std::any_of(kMailTestFields.begin(), kMailTestFields.end(),
                                  [&key](auto member) { return key == RowOf(kGprsTextFields, member).key; });
    if (!used)
        return std::nullopt;
    GprsSettings shown = InitialGprsSettings(EnglishSession());
    if (!ApplyTexts(shown, kGprsTextFields, options))
        return false;
    return PrepareMailTestValues(shown, true, EnglishSession()).ok();
}

Verdict SmsSaveDoor(const Options& options)
{
    SmsSettings shown = InitialSmsSettings(EnglishSession());
    if (!ApplyTexts(shown, kSmsTextFields, options))
        return {false, {}, {}};
    return SaveDoor(PrepareSmsSave(shown, EnglishSession()), [](const auto& c) { return BuildSmsFile(c); });
}

TEST(DoorsAgree, OnEveryTextAtOneUnderAndOneOverItsLimit)
{
    const std::vector<TextCase> mms = TextCases(kMmsTextFields, {{&MmsSettings::gateway, Shape::Host},
                                                                 {&MmsSettings::port, Shape::Port},
                                                                 {&MmsSettings::phone, Shape::Digits},
                                                                 {&MmsSettings::email, Shape::Address},
                                                                 {&MmsSettings::phone2, Shape::Digits}});
    const std::vector<TextCase> gprs = TextCases(kGprsTextFields, {{&GprsSettings::smtpPort, Shape::Port},
                                                                   {&GprsSettings::senderEmail, Shape::Address},
                                                                   {&GprsSettings::phoneNumber, Shape::Digits},
                                                                   {&GprsSettings::recipientEmail, Shape::Address}});
    const std::vector<TextCase> sms = TextCases(kSmsTextFields, {{&SmsSettings::phone1, Shape::Digits},
                                                                 {&SmsSettings::phone2, Shape::Digits},
                                                                 {&SmsSettings::phone3, Shape::Digits}});

    for (const bool chinese : {false, true}) {
        for (const int offset : {-1, 0, 1}) {
            const auto check = [&](const char* kind, const TextCase& c, const Verdict& save,
                                   const std::vector<Verdict>& others) {
                const std::string what = std::string(kind) + "." + c.key + " at limit" + (offset < 0 ? "-1" : "")
                                         + (offset > 0 ? "+1" : "") + (chinese ? ", Chinese" : "");
                // Digits have no Chinese form: the ASCII run covers them.
                if (chinese && (c.shape == Shape::Digits || c.shape == Shape::Port))
                    return;
                if (offset > 0) {
                    EXPECT_FALSE(save.written) << what << ": a text over its limit was written";
                } else if (!chinese && c.shape != Shape::Host) {
                    // A host name at the gateway's limit is no IPv4 address: the
                    // doors refuse it alike.
                    EXPECT_TRUE(save.written) << what << ": " << save.words.toStdString();
                }
                ExpectAgreement(what, save, others);
            };
            for (const TextCase& c : mms) {
                const Options options =
                    With(kMmsBase, c.key, TextOf(c.shape, static_cast<int>(c.limit) + offset, chinese));
                check("mms", c, MmsSaveDoor(options),
                      {CommandDoor<cli::MmsCommand>(options, kMmsFileName),
                       CardDoor("mms", options, SettingsFileKind::Mms)});
            }
            for (const TextCase& c : gprs) {
                const Options options =
                    With(kGprsBase, c.key, TextOf(c.shape, static_cast<int>(c.limit) + offset, chinese));
                const Verdict save = GprsSaveDoor(options);
                check("gprs", c, save,
                      {CommandDoor<cli::GprsCommand>(options, kGprsFileName),
                       CardDoor("gprs", options, SettingsFileKind::Gprs)});
                if (const std::optional<bool> mail = MailTestDoor(options, c.key)) {
                    EXPECT_EQ(*mail, save.written) << "mail test on gprs." << c.key << " at limit" << offset;
                }
            }
            for (const TextCase& c : sms) {
                const Options options =
                    With(kSmsBase, c.key, TextOf(c.shape, static_cast<int>(c.limit) + offset, chinese));
                check("sms", c, SmsSaveDoor(options),
                      {CommandDoor<cli::SmsCommand>(options, kSmsFileName),
                       CardDoor("sms", options, SettingsFileKind::Sms)});
            }
        }
    }
}

TEST(DoorsAgree, OnCharactersAFieldRefuses)
{
    struct Case {
        const char* kind;
        const char* key;
        const char* value;
    };
    const std::vector<Case> cases{
        {"sms", "phone2", "1234a5"},               // a letter inside a number
        {"sms", "phone2", "123 45"},               // a space inside
        {"sms", "phone1", "123.45"},               // punctuation inside
        {"sms", "phone3", "12345+"},               // a sign anywhere but first
        {"mms", "phone", "12+345"},                // a sign anywhere but first
        {"mms", "phone", "12345a"},                // a letter
        {"mms", "url", "http://\xF0\x9F\x93\xB7"}, // a character code page 936 lacks
        {"gprs", "sender-email", "cam\xF0\x9F\x93\xB7@example.org"},
        {"gprs", "smtp-server", "smtp.example.org"}, // the control: accepted everywhere
    };
    for (const Case& c : cases) {
        const std::string what = std::string(c.kind) + "." + c.key + " = " + c.value;
        const std::string kind = c.kind;
        if (kind == "sms") {
            const Options options = With(kSmsBase, c.key, c.value);
            ExpectAgreement(
                what, SmsSaveDoor(options),
                {CommandDoor<cli::SmsCommand>(options, kSmsFileName), CardDoor("sms", options, SettingsFileKind::Sms)});
        } else if (kind == "mms") {
            const Options options = With(kMmsBase, c.key, c.value);
            ExpectAgreement(
                what, MmsSaveDoor(options),
                {CommandDoor<cli::MmsCommand>(options, kMmsFileName), CardDoor("mms", options, SettingsFileKind::Mms)});
        } else {
            const Options options = With(kGprsBase, c.key, c.value);
            const Verdict save = GprsSaveDoor(options);
            ExpectAgreement(what, save,
                            {CommandDoor<cli::GprsCommand>(options, kGprsFileName),
                             CardDoor("gprs", options, SettingsFileKind::Gprs)});
            EXPECT_EQ(MailTestDoor(options, c.key), std::optional<bool>(save.written)) << what;
        }
    }
}

TEST(DoorsAgree, OnEveryListEntryOfTheCameraAndTheMessagingFiles)
{
    const Session session = EnglishSession();
    for (int list = 0; list < kCameraListCount; ++list) {
        const int entries = static_cast<int>(CameraListEntries(kLanguageEnglish, static_cast<CameraList>(list)).size());
        for (int position = 0; position < entries; ++position) {
            CameraChoices choices;
            choices.position(static_cast<CameraList>(list)) = position;
            const Verdict save =
                SaveDoor(PrepareCameraSave(choices, kClock, session), [](const auto& c) { return BuildCameraFile(c); });
            const std::string what = "camera list " + std::to_string(list) + " entry " + std::to_string(position);
            ASSERT_TRUE(save.written) << what << ": " << save.words.toStdString();
            Options options;
            const SaveDecision<CameraSettings> record = PrepareCameraSave(choices, kClock, session);
            for (const SettingWord& word : CameraWordsOf(record.record()))
                options.emplace_back(word.key.toStdString(), word.word.toStdString());
            Options command = options;
            command.emplace_back("clock", kClockOption);
            ExpectAgreement(what, save,
                            {CommandDoor<cli::CameraCommand>(command, kCameraFileName),
                             CardDoor("camera", options, SettingsFileKind::Camera)});
        }
    }

    // The lists the three messaging files share, and the picture limit's
    // last value and the first past it.
    for (int position = 0; position < kSmsControlCount; ++position) {
        // By its English word: a number alone is the value the list shows.
        const std::string word = SmsControlEntries(kLanguageEnglish).value(position).toStdString();
        const Options sms = With(With(kSmsBase, "sms-control", word), "pictures-per-day", "99");
        SmsSettings shown = InitialSmsSettings(session);
        ApplyTexts(shown, kSmsTextFields, sms);
        shown.smsControl = position;
        shown.picturesPerDay = 99;
        ExpectAgreement("sms-control " + word,
                        SaveDoor(PrepareSmsSave(shown, session), [](const auto& c) { return BuildSmsFile(c); }),
                        {CommandDoor<cli::SmsCommand>(sms, kSmsFileName), CardDoor("sms", sms, SettingsFileKind::Sms)});
    }
    const Options tooMany = With(kSmsBase, "pictures-per-day", "100");
    EXPECT_FALSE(CommandDoor<cli::SmsCommand>(tooMany, kSmsFileName).written);
    EXPECT_FALSE(CardDoor("sms", tooMany, SettingsFileKind::Sms).written);
}

} // namespace
} // namespace kestra
