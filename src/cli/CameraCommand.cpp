// SPDX-License-Identifier: Apache-2.0
#include "cli/CameraCommand.h"

#include "cli/OptionWords.h"
#include "formats/camera/CameraChoices.h"
#include "formats/camera/CameraFile.h"
#include "formats/camera/CameraFileReader.h"
#include "formats/camera/CameraSave.h"
#include "storage/SettingsFileIo.h"

#include <CLI/CLI.hpp>

#include <QRegularExpression>

#include <mutex>

namespace kestra::cli {

namespace {

struct ListOption {
    const char* flag;
    CameraList list;
    const char* what;
    const char* hint; // for lists too long to name every entry; nullptr names them
};

// Every list of the window but the four serial characters, which --serial-text sets.
constexpr ListOption kListOptions[] = {
    {"--mode", CameraList::Mode, "Capture mode", nullptr},
    {"--image-size", CameraList::ImageSize, "Picture size", nullptr},
    {"--video-size", CameraList::VideoSize, "Video size", nullptr},
    {"--pictures", CameraList::PictureNo, "Pictures per trigger", nullptr},
    {"--time-stamp", CameraList::TimeStamp, "Date and time imprinted on pictures", nullptr},
    {"--sense-level", CameraList::SenseLevel, "Motion sensor sensitivity", nullptr},
    {"--beep", CameraList::BeepSound, "Beep sound", nullptr},
    {"--video-length", CameraList::VideoLength, "Video length", R"("1 Sec" to "60 Sec" (also written 10s, 10 sec))"},
    {"--pir", CameraList::PirInterval, "PIR interval, the pause between motion-triggered captures",
     R"("0 Sec" to "59 Sec" or "1 Min" to "60 Min" (also written 30s, 5min))"},
    {"--sd-cycle", CameraList::SdCycle, "Cyclic storage on the SD card", nullptr},
    {"--ir-light", CameraList::IrLight, "Infrared light strength", nullptr},
    {"--mms-status", CameraList::MmsStatus, "How the camera sends pictures", nullptr},
    {"--timer1", CameraList::Timer1, "Work-hour timer 1", nullptr},
    {"--timer2", CameraList::Timer2, "Work-hour timer 2", nullptr},
    {"--serial", CameraList::SerialNo, "Serial text imprinted on pictures", nullptr},
    {"--time-lapse", CameraList::TimeLapse, "Time lapse", nullptr},
};

constexpr CameraList kSerialCharacters[] = {CameraList::SerialChar1, CameraList::SerialChar2, CameraList::SerialChar3,
                                            CameraList::SerialChar4};

// The English entries of a list, each list built once, when first looked up:
// the help texts name them, and every option given is looked up among them (a
// profile's section looks up the few lists it gives).
const QStringList& EnglishEntries(CameraList list)
{
    // Never freed: the lists live as long as the program, which need not
    // take them apart on its way out.
    static auto* const kEntries = new std::array<QStringList, kCameraListCount>;
    static std::array<std::once_flag, kCameraListCount> built;
    const auto index = static_cast<std::size_t>(list);
    std::call_once(built[index], [list, index] { (*kEntries)[index] = CameraListEntries(kLanguageEnglish, list); });
    return (*kEntries)[index];
}

QString ListHelp(const ListOption& option)
{
    const QStringList& entries = EnglishEntries(option.list);
    const QString accepted =
        option.hint != nullptr ? QString::fromUtf8(option.hint) : entries.join(QStringLiteral(", "));
    return QStringLiteral("%1: %2, or the list position [default: %3]")
        .arg(QString::fromUtf8(option.what), accepted, entries.at(CameraListInitialPosition(option.list)));
}

// "HH:MM" or "HH:MM:SS" into the window's number fields, each within the
// field's own range (hours to 23, minutes and seconds to 59).
void SetTime(CameraChoices& choices, const char* flag, const std::string& value,
             std::initializer_list<CameraNumber> fields)
{
    if (value.empty())
        return;
    const QString text = FromStd(value).trimmed();
    const QStringList parts = text.split(QLatin1Char(':'));
    const QString shape = fields.size() == 3 ? QStringLiteral("HH:MM:SS") : QStringLiteral("HH:MM");
    bool sound = parts.size() == static_cast<qsizetype>(fields.size());
    std::vector<int> numbers;
    for (qsizetype i = 0; sound && i < parts.size(); ++i) {
        bool isNumber = false;
        const int number = parts[i].toInt(&isNumber);
        const CameraNumberField& field = CameraNumberInfo(*(fields.begin() + i));
        sound = isNumber && !parts[i].startsWith(QLatin1Char('-')) && !parts[i].startsWith(QLatin1Char('+'))
                && number >= 0 && number <= field.maxValue;
        numbers.push_back(number);
    }
    if (!sound)
        RefuseUsage(
            QStringLiteral("%1: \"%2\" is not accepted; write %3 with hours 0 to 23, minutes and seconds 0 to 59")
                .arg(QLatin1String(flag), text, shape));
    std::size_t i = 0;
    for (CameraNumber number : fields)
        choices.*CameraNumberInfo(number).member = numbers[i++];
}

void SetSerialText(CameraChoices& choices, const std::string& value)
{
    if (value.empty())
        return;
    const QString text = FromStd(value).trimmed().toUpper();
    static const QRegularExpression kSerial(QStringLiteral("^[0-9A-Z]{4}$"));
    if (!kSerial.match(text).hasMatch())
        RefuseUsage(QStringLiteral("--serial-text: \"%1\" is not accepted; give four characters, each 0 to 9 or A to Z")
                        .arg(FromStd(value)));
    const QStringList& entries = EnglishEntries(CameraList::SerialChar1);
    for (int i = 0; i < 4; ++i)
        choices.position(kSerialCharacters[i]) = static_cast<int>(entries.indexOf(text.at(i)));
}

QString TimeWords(std::initializer_list<int> numbers)
{
    QStringList parts;
    for (int number : numbers)
        parts << QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
    return parts.join(QLatin1Char(':'));
}

} // namespace

std::vector<std::pair<QString, QString>> CameraOptionWords(const CameraSettings& settings)
{
    const CameraChoices choices = CameraChoicesFromSettings(settings);
    std::vector<std::pair<QString, QString>> words;
    for (const ListOption& option : kListOptions)
        words.emplace_back(QLatin1String(option.flag),
                           EnglishEntries(option.list).value(choices.position(option.list)));
    QString serial;
    for (CameraList character : kSerialCharacters)
        serial += EnglishEntries(character).value(choices.position(character));
    words.emplace_back(QStringLiteral("--serial-text"), serial);
    words.emplace_back(QStringLiteral("--time-lapse-period"),
                       TimeWords({choices.timeLapseHour, choices.timeLapseMinute, choices.timeLapseSecond}));
    words.emplace_back(QStringLiteral("--timer1-start"),
                       TimeWords({choices.timer1StartHour, choices.timer1StartMinute}));
    words.emplace_back(QStringLiteral("--timer1-stop"), TimeWords({choices.timer1StopHour, choices.timer1StopMinute}));
    words.emplace_back(QStringLiteral("--timer2-start"),
                       TimeWords({choices.timer2StartHour, choices.timer2StartMinute}));
    words.emplace_back(QStringLiteral("--timer2-stop"), TimeWords({choices.timer2StopHour, choices.timer2StopMinute}));
    return words;
}

CameraCommand::CameraCommand(CLI::App& program, const ParserOptions& options)
{
    m_command = program.add_subcommand(kName, "Write camera.dat: the Camera window's settings");
    // Everything --defaults refuses: the default-parameters file has no TV
    // mode byte either.
    std::vector<CLI::Option*> settings;
    const auto add = [this, &settings](const char* flag, std::string& value, const std::string& help,
                                       const char* typeName, bool setting) {
        CLI::Option* option = m_command->add_option(flag, value, help)->type_name(typeName);
        if (setting)
            settings.push_back(option);
        return option;
    };
    if (options.wants("--out"))
        add("--out", m_out, "Folder to write camera.dat into (the card's root)", "DIR", false)->required();
    if (options.wants("--from"))
        add("--from", m_from,
            "Start from this camera.dat instead of the window's opening state; its language "
            "byte and TV mode stay unless --lang or --tv-mode is given, the clock is set anew",
            "FILE", true);
    if (options.wants("--clock"))
        add("--clock", m_clock, "Camera clock as \"2024-03-05 08:07:06\" [default: the PC's clock now]",
            "\"YYYY-MM-DD hh:mm:ss\"", true);
    if (options.wants("--defaults"))
        m_command->add_flag("--defaults", m_defaults,
                            "Write the default-parameters file, which resets the camera to its factory settings");
    m_session.addTo(*m_command, true, options);
    if (CLI::Option* tvMode = m_command->get_option_no_throw("--tv-mode"))
        settings.push_back(tvMode);
    for (const ListOption& option : kListOptions) {
        if (options.wants(option.flag))
            add(option.flag, m_lists[static_cast<std::size_t>(option.list)],
                options.withHelp() ? ListHelp(option).toStdString() : std::string(), "VALUE", true);
    }
    struct TextSetting {
        const char* flag;
        std::string CameraCommand::*value;
        const char* help;
    };
    const TextSetting texts[] = {
        {"--serial-text", &CameraCommand::m_serialText,
         "The four serial characters, each 0 to 9 or A to Z [default: 0000]"},
        {"--time-lapse-period", &CameraCommand::m_timeLapsePeriod, "Time-lapse period as HH:MM:SS [default: 00:00:00]"},
        {"--timer1-start", &CameraCommand::m_timer1Start, "Timer 1 start as HH:MM [default: 00:00]"},
        {"--timer1-stop", &CameraCommand::m_timer1Stop, "Timer 1 stop as HH:MM [default: 00:00]"},
        {"--timer2-start", &CameraCommand::m_timer2Start, "Timer 2 start as HH:MM [default: 00:00]"},
        {"--timer2-stop", &CameraCommand::m_timer2Stop, "Timer 2 stop as HH:MM [default: 00:00]"},
    };
    for (const TextSetting& text : texts) {
        if (options.wants(text.flag))
            add(text.flag, this->*text.value, text.help, "VALUE", true);
    }
    m_settingOptions = settings;
}

int CameraCommand::run() const
{
    const QString folder = FromStd(m_out);
    const QString path = SettingsFilePath(folder, QString::fromLatin1(kCameraFileName));

    if (m_defaults) {
        // The default-parameters file carries no settings, so nothing may be set with it.
        for (const CLI::Option* setting : m_settingOptions) {
            if (setting->count() > 0)
                RefuseUsage(QStringLiteral("--defaults writes the factory-settings file, which takes no settings; "
                                           "leave out %1")
                                .arg(FromStd(setting->get_name())));
        }
        const Session session = m_session.session();
        return FinishSave(WriteCameraDefaultFile(folder), session.chineseMessages(),
                          CameraDefaultSavedMessage(session.languageIndex), path);
    }

    const Checked<CameraSettings> settings = prepare();
    const Session session = m_session.session(settings->languageCode, settings->tvMode);
    return FinishSave(WriteCameraFile(folder, settings), session.chineseMessages(),
                      CameraSavedMessage(session.languageIndex), path);
}

Checked<CameraSettings> CameraCommand::prepare() const
{
    CameraChoices choices;
    std::optional<int> fileLanguage;
    std::optional<int> fileTvMode;
    if (!m_from.empty()) {
        RefuseUncheckedFromFile(SettingsFileKind::Camera, m_from, m_session.session().chineseMessages());
        const CameraReadResult read = ReadCameraFile(FromStd(m_from));
        if (!read.ok())
            RefuseUsage(QStringLiteral("--from: %1").arg(read.error->message(false)));
        if (read.values.defaultParameters)
            RefuseUsage(QStringLiteral("--from: %1 is a default-parameters file; it holds no settings to start from")
                            .arg(FromStd(m_from)));
        choices = CameraChoicesFromSettings(read.values.settings);
        fileLanguage = read.values.settings.languageCode;
        fileTvMode = read.values.settings.tvMode;
    }
    const Session session = m_session.session(fileLanguage, fileTvMode);

    for (const ListOption& option : kListOptions) {
        const std::string& value = m_lists[static_cast<std::size_t>(option.list)];
        if (value.empty())
            continue;
        std::vector<QStringList> entrySets{EnglishEntries(option.list)};
        if (session.languageIndex != kLanguageEnglish)
            entrySets.push_back(CameraListEntries(session.languageIndex, option.list));
        choices.position(option.list) = MatchListWord(QLatin1String(option.flag), FromStd(value), entrySets,
                                                      option.hint ? QString::fromUtf8(option.hint) : QString());
    }
    SetSerialText(choices, m_serialText);
    SetTime(choices, "--time-lapse-period", m_timeLapsePeriod,
            {CameraNumber::TimeLapseHour, CameraNumber::TimeLapseMinute, CameraNumber::TimeLapseSecond});
    SetTime(choices, "--timer1-start", m_timer1Start, {CameraNumber::Timer1StartHour, CameraNumber::Timer1StartMinute});
    SetTime(choices, "--timer1-stop", m_timer1Stop, {CameraNumber::Timer1StopHour, CameraNumber::Timer1StopMinute});
    SetTime(choices, "--timer2-start", m_timer2Start, {CameraNumber::Timer2StartHour, CameraNumber::Timer2StartMinute});
    SetTime(choices, "--timer2-stop", m_timer2Stop, {CameraNumber::Timer2StopHour, CameraNumber::Timer2StopMinute});

    // Refused before the folder is touched: a value a --from file brought in
    // that no window could have written.
    return Decided(PrepareCameraSave(choices, CameraClock(m_clock), session));
}

} // namespace kestra::cli
