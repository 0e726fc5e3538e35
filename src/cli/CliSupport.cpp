// SPDX-License-Identifier: Apache-2.0
#include "cli/CliSupport.h"

#include "common/LanguageNames.h"
#include "formats/camera/CameraFields.h"
#include "formats/camera/CameraSettings.h"
#include "formats/shared/SettingWords.h"
#include "formats/shared/SettingsValues.h"
#include "storage/SettingsFinding.h"

#include <CLI/CLI.hpp>

#include <QDateTime>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string_view>

namespace kestra::cli {

namespace {

// "2024-03-05 08:07:06" exactly, read digit by digit: Qt's date parser, which
// takes every other spelling, costs more than a card's whole clock needs, and
// gives the same date and time (or none) for every text of this shape.
bool ReadPlainClock(const QString& text, QDate& date, QTime& time)
{
    static constexpr char16_t kShape[] = u"dddd-dd-dd dd:dd:dd";
    constexpr qsizetype kLength = std::size(kShape) - 1;
    if (text.size() != kLength)
        return false;
    for (qsizetype i = 0; i < kLength; ++i) {
        const char16_t c = text[i].unicode();
        if (kShape[i] == u'd' ? (c < u'0' || c > u'9') : c != kShape[i])
            return false;
    }
    const auto number = [&text](qsizetype from, qsizetype digits) {
        int value = 0;
        for (qsizetype i = from; i < from + digits; ++i)
            value = value * 10 + (text[i].unicode() - u'0');
        return value;
    };
    date = QDate(number(0, 4), number(5, 2), number(8, 2));
    time = QTime(number(11, 2), number(14, 2), number(17, 2));
    return true;
}

} // namespace

int FinishSave(const SaveResult& saved, bool chinese, const QString& savedMessage, const QString& path)
{
    if (!saved.ok())
        throw CliFailure{kExitFailed, saved.error->message(chinese)};
    PrintLine(QStringLiteral("%1: %2").arg(savedMessage, path));
    return kExitOk;
}

QString FromStd(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

CLI::Option* KeyOptions::add(CLI::App& command, const char* key, const std::string& help, const std::string& typeName)
{
    Entry& entry = m_entries.emplace_back(Entry{key, {}, nullptr});
    entry.option = command.add_option("--" + std::string(key), entry.word, help)->type_name(typeName);
    return entry.option;
}

SettingWords KeyOptions::words() const
{
    SettingWords words;
    for (const Entry& entry : m_entries) {
        if (entry.option->count() > 0)
            words.add(entry.key, FromStd(entry.word));
    }
    return words;
}

const CLI::Option* KeyOptions::given() const
{
    for (const Entry& entry : m_entries) {
        if (entry.option->count() > 0)
            return entry.option;
    }
    return nullptr;
}

bool KeyOptions::any() const
{
    return given() != nullptr;
}

bool MayAskForHelp(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view word = argv[i];
        if (word.rfind("--", 0) == 0 ? word.rfind("--help", 0) == 0
                                     : word.size() > 1 && word[0] == '-' && word.find('h') != std::string_view::npos)
            return true;
    }
    return false;
}

void SessionOptions::addTo(CLI::App& command, bool withTvMode)
{
    const KeySpelling spelling = KeySpelling::CommandLine();
    QStringList names;
    QStringList codes;
    for (const LanguageSpelling& spelt : kLanguageSpellings) {
        names << QLatin1String(spelt.name);
        codes << QLatin1String(spelt.code);
    }
    const QString help = QStringLiteral("Interface language of the messages and language byte of the file: a name "
                                        "(%1), its code (%2) or its number %3 to %4 [default: English]")
                             .arg(names.join(QStringLiteral(", ")), codes.join(QStringLiteral(", ")))
                             .arg(kMinLanguageCode)
                             .arg(kLanguageCount);
    command.add_option(spelling.session(kLanguageKey).toStdString(), language, help.toStdString())
        ->type_name("LANGUAGE");
    if (withTvMode)
        command
            .add_option(spelling.session(kTvModeKey).toStdString(), tvMode,
                        "TV mode byte copied into the file [default: 0]")
            ->check(CLI::Range(0, kMaxTvMode))
            ->type_name("0-" + std::to_string(kMaxTvMode));
}

Session SessionOptions::session(std::optional<int> fallbackLanguage, std::optional<int> fallbackTvMode) const
{
    Session session;
    int index = kLanguageEnglish;
    if (languageGiven())
        index = ParseLanguage(FromStd(language));
    else if (fallbackLanguage && *fallbackLanguage >= kMinLanguageCode && *fallbackLanguage <= kLanguageCount)
        index = *fallbackLanguage;
    // The command line has no separate Chinese choice: the chosen language is
    // both the texts' language and the code stored in the file.
    session.languageIndex = index;
    session.languageCode = index;
    session.tvMode = tvMode.value_or(fallbackTvMode.value_or(0));
    return session;
}

PcClock CameraClock(const std::string& clockOption, bool given, bool chinese)
{
    QDate date;
    QTime time;
    if (!given) {
        const QDateTime now = QDateTime::currentDateTime();
        date = now.date();
        time = now.time();
        return ClampToCameraCalendar(date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second());
    }
    // Date and time apart, not as one local QDateTime: a wall-clock time in
    // a daylight-saving gap is still a time the camera can be set to.
    const QString text = FromStd(clockOption).simplified();
    if (!ReadPlainClock(text, date, time)) {
        const QStringList parts = text.split(QLatin1Char(' '));
        if (parts.size() == 2) {
            date = QDate::fromString(parts[0], QStringLiteral("yyyy-MM-dd"));
            time = QTime::fromString(parts[1], QStringLiteral("HH:mm:ss"));
        }
    }
    if (!date.isValid() || !time.isValid())
        RefuseUsage(RefusalWords(chinese, "--clock: \"%1\" is no date and time; write it as \"2024-03-05 08:07:06\"",
                                 "--clock: \u201c%1\u201d不是日期和时间；请写成\u201c2024-03-05 08:07:06\u201d")
                        .arg(FromStd(clockOption)));
    // Only the PC's clock is limited to the camera's calendar: a typed year
    // it does not have is refused, not stored as another.
    constexpr const CameraField& year = CameraFieldOf(&CameraSettings::clockYear);
    if (date.year() < kFirstClockYear + year.low || date.year() > kFirstClockYear + year.high)
        RefuseUsage(RefusalWords(chinese, "--clock: \"%1\" is outside the camera's calendar, the years %2 to %3",
                                 "--clock: \u201c%1\u201d超出相机的日历（%2 至 %3 年）")
                        .arg(FromStd(clockOption))
                        .arg(kFirstClockYear + year.low)
                        .arg(kFirstClockYear + year.high));
    return ClampToCameraCalendar(date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second());
}

void RefuseUncheckedFromFile(SettingsFileKind kind, const std::string& path, bool chinese)
{
    const SettingsFileCheckResult checked = CheckSettingsFileAt(kind, FromStd(path));
    if (!checked.ok())
        RefuseUsage(QStringLiteral("--from: %1").arg(checked.error->message(chinese)));
    if (!checked.values.clean())
        RefuseUsage(QStringLiteral("--from: %1: %2 \"kestra-setup-cli inspect\" shows everything it finds.")
                        .arg(FromStd(path), checked.values.findings.front().message(chinese)));
}

} // namespace kestra::cli
