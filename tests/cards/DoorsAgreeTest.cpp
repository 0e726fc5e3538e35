// SPDX-License-Identifier: Apache-2.0
// Every door of a settings file gives the same verdict on the same values, and
// where it writes, the same bytes: the window's Save decision, the command
// line's command, a card written from a profile and, for gprs.dat, the mail
// test's check of the values it uses. Records at, one under and one over each
// text limit (ASCII and Chinese), every list entry of camera.dat and
// characters a field refuses go through all of them. Each case's verdict is
// written down here, apart from the code, and every door is held to it: doors
// that share one check would agree as well on a check that is gone.

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
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <string_view>
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
// (with the words, and for the Save decision the record field it names).
struct Verdict {
    bool written = false;
    QByteArray bytes;
    QString words;
    QString field;
    // The window could not take the text at all (a character code page 936
    // lacks): nothing reached its Save.
    bool untypable = false;
};

Verdict Written(QByteArray bytes)
{
    Verdict verdict;
    verdict.written = true;
    verdict.bytes = std::move(bytes);
    return verdict;
}

Verdict Refusal(QString words, QString field = {}, bool untypable = false)
{
    Verdict verdict;
    verdict.words = std::move(words);
    verdict.field = std::move(field);
    verdict.untypable = untypable;
    return verdict;
}

// What a case must come to at every door: accepted, or refused for `key`
// (the option and profile key) with `words`, the English message (empty: the
// words are not pinned, only the key). With a `label`, the words follow the
// field's name as each door names it: the window its label, the command line
// the option, a profile its section's key.
struct Expected {
    const char* key = nullptr;
    QString words;
    QString label;

    bool accepted() const { return key == nullptr; }
};

const Expected kAccepted{};

Expected Refused(const char* key, QString words = {})
{
    return {key, std::move(words), {}};
}

Expected Named(const char* key, const char* label, const char* words)
{
    return {key, QString::fromUtf8(words), QString::fromUtf8(label)};
}

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
        return Refusal(*decision.refusal, decision.field);
    return Written(build(*decision.checked));
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
            return Refusal(QStringLiteral("failed"));
    } catch (const cli::CliFailure& failure) {
        EXPECT_EQ(failure.status, cli::kExitUsage) << failure.message.toStdString();
        EXPECT_TRUE(QDir(out.path()).isEmpty()) << "a refused command wrote";
        return Refusal(failure.message);
    } catch (const CLI::ParseError& error) {
        return Refusal(QString::fromStdString(error.what()));
    }
    return Written(ReadAll(QDir(out.path()).filePath(QLatin1String(fileName))));
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
        return Refusal(read.refusal);
    const CardWriteReport report = WriteCard(card.path(), *read.profile, kClock, std::nullopt);
    if (!report.complete())
        return Refusal(report.lines(false).join(QLatin1Char('\n')));
    return Written(ReadAll(QDir(card.path()).filePath(SettingsFileName(kind))));
}

// The record field a key stands for, as a Save decision names it.
template <typename Fields> QString FieldOfKey(const Fields& fields, const char* key)
{
    for (const auto& field : fields) {
        if (std::string_view(field.key) == key)
            return QLatin1String(field.name);
    }
    return QString::fromLatin1(key);
}

// Every door comes to the expected verdict: the Save decision (`save`, whose
// refusal names `field`) and the command line and the profile (`others`),
// which name the option or key before the same words. Where all accept, they
// write the same bytes.
std::string Wanted(const Expected& expected)
{
    return expected.accepted() ? "accepted"
                               : "refused for " + std::string(expected.key) + ": " + expected.words.toStdString();
}

// The command line and the profile (`doors`, in that order) come to the
// expected verdict; a refusal names the option or key before its words, as
// `section`'s key in a profile.
void ExpectDoors(const std::string& what, const char* section, const Expected& expected,
                 const std::vector<Verdict>& doors)
{
    for (std::size_t door = 0; door < doors.size(); ++door) {
        const Verdict& other = doors[door];
        const std::string name = what + (door == 0 ? ", command line" : ", profile");
        EXPECT_EQ(other.written, expected.accepted())
            << name << ": " << other.words.toStdString() << "; " << Wanted(expected);
        if (!expected.accepted() && !other.written) {
            const QString key = QLatin1String(expected.key);
            const QRegularExpression named(
                QStringLiteral("(^|[^a-z0-9-])(--)?%1([^a-z0-9-]|$)").arg(QRegularExpression::escape(key)));
            EXPECT_TRUE(other.words.contains(named))
                << name << " names no " << expected.key << ": " << other.words.toStdString();
            EXPECT_TRUE(other.words.endsWith(expected.words))
                << name << ": " << other.words.toStdString() << "; " << Wanted(expected);
            if (!expected.label.isEmpty()) {
                const QString spelt = door == 0 ? QStringLiteral("--%1").arg(key)
                                                : QStringLiteral("site.json: %1.%2").arg(QLatin1String(section), key);
                EXPECT_EQ(other.words, spelt + expected.words) << name;
            }
        }
    }
}

// Every door comes to the expected verdict: the Save decision (`save`, whose
// refusal names the record field `field`, and the field by `label` where the
// window gives a sentence of its own about it) and the command line and the
// profile (`others`) of `section`. Where all accept, they write the same bytes.
// No door's words name the record field where its key is another word: a
// user knows the option, the key and the window's label, not the record.
void ExpectVerdict(const std::string& what, const char* section, const Expected& expected, const QString& field,
                   const QString& label, const Verdict& save, const std::vector<Verdict>& others)
{
    EXPECT_EQ(save.written, expected.accepted())
        << what << ", Save: " << save.words.toStdString() << "; " << Wanted(expected);
    if (!expected.accepted() && !save.written) {
        EXPECT_EQ(save.field, field) << what << ", Save";
        if (!save.untypable && !expected.words.isEmpty()) {
            EXPECT_EQ(save.words, expected.label + expected.words) << what << ", Save";
        }
    }
    ExpectDoors(what, section, expected, others);
    const bool memberIsNoKey = !expected.accepted() && field != QLatin1String(expected.key);
    if (memberIsNoKey) {
        EXPECT_FALSE(save.words.contains(field)) << what << ", Save names the record: " << save.words.toStdString();
    }
    // And they agree: the same bytes, or the Save decision's words after the
    // option or key; a sentence about the field, after the door's name of it.
    for (std::size_t door = 0; door < others.size(); ++door) {
        const Verdict& other = others[door];
        const std::string name = what + (door == 0 ? ", command line" : ", profile");
        if (save.written && other.written) {
            EXPECT_EQ(other.bytes, save.bytes) << name;
        }
        if (memberIsNoKey) {
            EXPECT_FALSE(other.words.contains(field)) << name << " names the record: " << other.words.toStdString();
        }
        if (!save.written && !other.written && !save.words.isEmpty()) {
            const bool aboutTheField = !label.isEmpty() && save.words.startsWith(label + QLatin1Char(' '));
            const QString tail =
                aboutTheField ? QLatin1String(expected.key) + save.words.mid(label.size()) : save.words;
            EXPECT_TRUE(other.words.endsWith(tail))
                << name << ": " << other.words.toStdString() << " / " << save.words.toStdString();
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

// Types `options` into the record's texts; a text the window could not take
// (a character the code page lacks) gives the field's name, else null.
template <typename Record, typename Fields>
const char* ApplyTexts(Record& record, const Fields& fields, const Options& options)
{
    for (const auto& [key, value] : options) {
        for (const auto& field : fields) {
            if (key == field.key) {
                const std::optional<QByteArray> bytes = EncodeCp936(QString::fromStdString(value));
                if (!bytes)
                    return field.name; // no window takes a character the code page lacks
                record.*field.member = *bytes;
            }
        }
    }
    return nullptr;
}

Verdict Untypable(const char* field)
{
    return Refusal({}, QLatin1String(field), true);
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
    if (const char* untypable = ApplyTexts(shown, kMmsTextFields, options))
        return Untypable(untypable);
    return SaveDoor(PrepareMmsSave(shown, EnglishSession()), [](const auto& c) { return BuildMmsFile(c); });
}

Verdict GprsSaveDoor(const Options& options)
{
    GprsSettings shown = InitialGprsSettings(EnglishSession());
    shown.mode = kGprsModeCustomer;
    shown.countryIndex = kGprsCountryCustomer;
    shown.operatorIndex = 0;
    if (const char* untypable = ApplyTexts(shown, kGprsTextFields, options))
        return Untypable(untypable);
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
    if (ApplyTexts(shown, kGprsTextFields, options))
        return false;
    return PrepareMailTestValues(shown, true, EnglishSession()).ok();
}

Verdict SmsSaveDoor(const Options& options)
{
    SmsSettings shown = InitialSmsSettings(EnglishSession());
    if (const char* untypable = ApplyTexts(shown, kSmsTextFields, options))
        return Untypable(untypable);
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
            const auto check = [&](const char* kind, const TextCase& c, const QString& field, const Verdict& save,
                                   const std::vector<Verdict>& others) {
                const auto label = [](std::string_view file, const QString& name) {
                    return file == "mms"    ? MmsWindowFieldName(name, false)
                           : file == "gprs" ? GprsWindowFieldName(name, false)
                                            : SmsWindowFieldName(name, false);
                };
                const std::string what = std::string(kind) + "." + c.key + " at limit" + (offset < 0 ? "-1" : "")
                                         + (offset > 0 ? "+1" : "") + (chinese ? ", Chinese" : "");
                // Digits have no Chinese form: the ASCII run covers them.
                if (chinese && (c.shape == Shape::Digits || c.shape == Shape::Port))
                    return;
                // Over its limit a text is refused for its own key; at or
                // under it, it is taken, in Chinese as in ASCII. A host name
                // is no IPv4 address: the gateway refuses it at any length.
                ExpectVerdict(what, kind, offset > 0 || c.shape == Shape::Host ? Refused(c.key) : kAccepted, field,
                              label(kind, field), save, others);
            };
            for (const TextCase& c : mms) {
                const Options options =
                    With(kMmsBase, c.key, TextOf(c.shape, static_cast<int>(c.limit) + offset, chinese));
                check("mms", c, FieldOfKey(kMmsTextFields, c.key), MmsSaveDoor(options),
                      {CommandDoor<cli::MmsCommand>(options, kMmsFileName),
                       CardDoor("mms", options, SettingsFileKind::Mms)});
            }
            for (const TextCase& c : gprs) {
                const Options options =
                    With(kGprsBase, c.key, TextOf(c.shape, static_cast<int>(c.limit) + offset, chinese));
                const Verdict save = GprsSaveDoor(options);
                check("gprs", c, FieldOfKey(kGprsTextFields, c.key), save,
                      {CommandDoor<cli::GprsCommand>(options, kGprsFileName),
                       CardDoor("gprs", options, SettingsFileKind::Gprs)});
                if (const std::optional<bool> mail = MailTestDoor(options, c.key)) {
                    EXPECT_EQ(*mail, save.written) << "mail test on gprs." << c.key << " at limit" << offset;
                }
            }
            for (const TextCase& c : sms) {
                const Options options =
                    With(kSmsBase, c.key, TextOf(c.shape, static_cast<int>(c.limit) + offset, chinese));
                check("sms", c, FieldOfKey(kSmsTextFields, c.key), SmsSaveDoor(options),
                      {CommandDoor<cli::SmsCommand>(options, kSmsFileName),
                       CardDoor("sms", options, SettingsFileKind::Sms)});
            }
        }
    }
}

// Characters a field refuses, and their neighbours it takes, each with the
// verdict every door must give. Numbers come as people write them, too, with
// blanks and dashes between the groups.
TEST(DoorsAgree, OnCharactersAFieldRefuses)
{
    const QString smsDigits = QStringLiteral("Please check the phone number");
    const QString mmsDigits = QStringLiteral("Only numbers(+) are allowed phone number");
    const QString mmsPhone2 = QStringLiteral("Please check the phone number or email address");
    struct Case {
        const char* kind;
        const char* key;
        const char* value;
        Expected expected;
    };
    const std::vector<Case> cases{
        {"sms", "phone2", "1234a5", Refused("phone2", smsDigits)}, // a letter inside a number
        {"sms", "phone2", "123 45", Refused("phone2", smsDigits)}, // a space inside
        {"sms", "phone1", "123.45", Refused("phone1", smsDigits)}, // punctuation inside
        {"sms", "phone1", "138-0013-8000", Refused("phone1", smsDigits)},
        {"sms", "phone1", "abcde", Refused("phone1", smsDigits)},
        {"sms", "phone1", "12345+", kAccepted}, // the SMS numbers take "+" anywhere
        {"sms", "phone2", "+86+12345", kAccepted},
        {"sms", "phone3", "12345+", kAccepted}, // the third number is checked for its length only
        {"sms", "phone3", "abc-de", kAccepted},
        {"sms", "phone3", "1234", Refused("phone3", QStringLiteral("Phone No3. Error"))},
        {"mms", "phone", "12+345", Refused("phone", mmsDigits)}, // a sign anywhere but first
        {"mms", "phone", "12345a", Refused("phone", mmsDigits)}, // a letter
        {"mms", "phone", "+8613800138000", kAccepted},           // a sign first
        {"mms", "phone", "138-0013-8000", Refused("phone", mmsDigits)},
        {"mms", "phone", "138 0013 8000", Refused("phone", mmsDigits)},
        {"mms", "phone", "+86 138 0013 8000", Refused("phone", mmsDigits)},
        {"mms", "phone", "+86-13800138000", Refused("phone", mmsDigits)},
        {"mms", "phone", "13800138000 ", Refused("phone", mmsDigits)},
        {"mms", "phone2", "139-0013-9000", Refused("phone2", mmsPhone2)},
        {"mms", "phone2", "139 0013 9000", Refused("phone2", mmsPhone2)},
        {"mms", "phone2", "+86 139 0013 9000", Refused("phone2", mmsPhone2)},
        {"mms", "phone2", "+86+13900139000", kAccepted},           // the second number takes "+" anywhere
        {"mms", "url", "http://\xF0\x9F\x93\xB7", Refused("url")}, // a character code page 936 lacks
        {"gprs", "sender-email", "cam\xF0\x9F\x93\xB7@example.org", Refused("sender-email")},
        {"gprs", "smtp-server", "smtp.example.org", kAccepted}, // the control: accepted everywhere
        // A recipient the camera cannot send to: no mailbox, or no domain.
        {"gprs", "recipient-email", "@example.org", Refused("recipient-email", QStringLiteral("Error Receive Email "))},
        {"gprs", "recipient-email", "me.too@", Refused("recipient-email", QStringLiteral("Error Receive Email "))},
        {"mms", "email", "@example.org", Refused("email", QStringLiteral("Error email address"))},
        {"mms", "email", "m.e@", Refused("email", QStringLiteral("Error email address"))},
        {"mms", "phone2", "@example.org", Refused("phone2", mmsPhone2)},
        // What the camera cannot hold, said of the field as each door names
        // it: the window's label, the option, the profile's key.
        {"gprs", "sender-password", "0123456789012345678901234567890123",
         Named("sender-password", "Sender Password", " is 34 bytes long; at most 32 bytes fit.")},
        {"gprs", "smtp-server", "smtp.example.org\n",
         Named("smtp-server", "Email Server",
               " holds the control character 0x0A, which the camera cannot use in a text.")},
        {"mms", "url", "http://mms.example\x1B[31m",
         Named("url", "MMS URL", " holds the control character 0x1B, which the camera cannot use in a text.")},
        {"sms", "phone3", "12345\t",
         Named("phone3", "Phone Number 3",
               " holds the control character 0x09, which the camera cannot use in a text.")},
    };
    for (const Case& c : cases) {
        const std::string what = std::string(c.kind) + "." + c.key + " = \"" + c.value + "\"";
        const std::string kind = c.kind;
        if (kind == "sms") {
            const Options options = With(kSmsBase, c.key, c.value);
            const QString field = FieldOfKey(kSmsTextFields, c.key);
            ExpectVerdict(
                what, "sms", c.expected, field, SmsWindowFieldName(field, false), SmsSaveDoor(options),
                {CommandDoor<cli::SmsCommand>(options, kSmsFileName), CardDoor("sms", options, SettingsFileKind::Sms)});
        } else if (kind == "mms") {
            const Options options = With(kMmsBase, c.key, c.value);
            const QString field = FieldOfKey(kMmsTextFields, c.key);
            ExpectVerdict(
                what, "mms", c.expected, field, MmsWindowFieldName(field, false), MmsSaveDoor(options),
                {CommandDoor<cli::MmsCommand>(options, kMmsFileName), CardDoor("mms", options, SettingsFileKind::Mms)});
        } else {
            const Options options = With(kGprsBase, c.key, c.value);
            const QString field = FieldOfKey(kGprsTextFields, c.key);
            ExpectVerdict(what, "gprs", c.expected, field, GprsWindowFieldName(field, false), GprsSaveDoor(options),
                          {CommandDoor<cli::GprsCommand>(options, kGprsFileName),
                           CardDoor("gprs", options, SettingsFileKind::Gprs)});
            EXPECT_EQ(MailTestDoor(options, c.key), std::optional<bool>(c.expected.accepted())) << what;
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
            Options options;
            const SaveDecision<CameraSettings> record = PrepareCameraSave(choices, kClock, session);
            for (const SettingWord& word : CameraWordsOf(record.record()))
                options.emplace_back(word.key.toStdString(), word.word.toStdString());
            Options command = options;
            command.emplace_back("clock", kClockOption);
            // Every entry of every list is one the camera takes.
            ExpectVerdict(what, "camera", kAccepted, {}, {}, save,
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
        ExpectVerdict("sms-control " + word, "sms", kAccepted, {}, {},
                      SaveDoor(PrepareSmsSave(shown, session), [](const auto& c) { return BuildSmsFile(c); }),
                      {CommandDoor<cli::SmsCommand>(sms, kSmsFileName), CardDoor("sms", sms, SettingsFileKind::Sms)});
    }
    // The window's field never holds 100 (it falls back to 0): only the
    // command line and the profile can bring it.
    const Options tooMany = With(kSmsBase, "pictures-per-day", "100");
    ExpectDoors("pictures-per-day 100", "sms", Refused("pictures-per-day"),
                {CommandDoor<cli::SmsCommand>(tooMany, kSmsFileName), CardDoor("sms", tooMany, SettingsFileKind::Sms)});
}

} // namespace
} // namespace kestra
