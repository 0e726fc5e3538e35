// SPDX-License-Identifier: Apache-2.0
#include "formats/camera/CameraWords.h"

#include "formats/camera/CameraFields.h"
#include "formats/camera/CameraSave.h"
#include "formats/camera/CameraTexts.h"
#include "formats/shared/FieldRows.h"

#include <QDate>
#include <QTime>

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <mutex>
#include <vector>

namespace kestra {

namespace {

// The English entries of a list, each list built once, when first looked up:
// every list word is looked up among them, and a profile's section looks up
// the few lists it gives.
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

bool SameKey(const char* a, const char* b)
{
    return a == b || std::strcmp(a, b) == 0;
}

// The rows a key sets, in byte order.
std::vector<const CameraField*> RowsOf(const char* key)
{
    std::vector<const CameraField*> rows;
    for (const CameraField& field : kCameraFields) {
        if (SameKey(field.key, key))
            rows.push_back(&field);
    }
    return rows;
}

// The first row of each key: the keys in the rows' order.
template <typename Visit> void ForEachKey(Visit visit)
{
    for (std::size_t i = 0; i < kCameraFields.size(); ++i) {
        const CameraField& field = kCameraFields[i];
        bool first = true;
        for (std::size_t j = 0; first && j < i; ++j)
            first = !SameKey(kCameraFields[j].key, field.key);
        if (first)
            visit(field);
    }
}

// Where the choices keep the number of a time row.
int CameraChoices::*ChoiceOf(int CameraSettings::*member)
{
    for (int number = 0; number < kCameraNumberCount; ++number) {
        const CameraNumberField& info = CameraNumberInfo(static_cast<CameraNumber>(number));
        if (info.field == member)
            return info.member;
    }
    throw "a time row the choices do not keep";
}

// Every list summarised in words is summarised in Chinese too.
constexpr bool EverySummaryInChinese()
{
    return std::all_of(kCameraFields.begin(), kCameraFields.end(), [](const CameraField& row) {
        return (row.accepted == nullptr) == (row.acceptedChinese == nullptr);
    });
}
static_assert(EverySummaryInChinese(), "each list summarised in words has its Chinese summary");

void ReadList(CameraChoices& choices, const CameraField& row, const QString& word, const Session& session,
              const KeySpelling& spelling)
{
    const std::vector<QStringList> sets = SessionEntrySets(session, [&row](int language) {
        return language == kLanguageEnglish ? EnglishEntries(row.list) : CameraListEntries(language, row.list);
    });
    const bool chinese = session.chineseMessages();
    choices.position(row.list) = ListPosition(spelling(row.key), word, sets, chinese, CameraAcceptedWords(row, chinese),
                                              QLatin1String(row.name));
}

// Four characters, each an entry of its character list: "0" to "9", "A" to "Z".
void ReadSerial(CameraChoices& choices, const std::vector<const CameraField*>& rows, const QString& word,
                const Session& session, const KeySpelling& spelling)
{
    const QString text = word.trimmed().toUpper();
    std::vector<int> positions;
    for (qsizetype i = 0; i < text.size() && positions.size() < rows.size(); ++i)
        positions.push_back(static_cast<int>(EnglishEntries(rows[positions.size()]->list).indexOf(text.mid(i, 1))));
    const bool sound = text.size() == static_cast<qsizetype>(rows.size())
                       && std::none_of(positions.begin(), positions.end(), [](int p) { return p < 0; });
    if (!sound)
        throw WordRefusal{RefusalWords(session.chineseMessages(),
                                       "%1: \"%2\" is not accepted; give four characters, each 0 to 9 or A to Z",
                                       "%1: \u201c%2\u201d无效；请给出四个字符，每个为 0 至 9 或 A 至 Z")
                              .arg(spelling(rows.front()->key), word),
                          QLatin1String(rows.front()->name)};
    for (std::size_t i = 0; i < rows.size(); ++i)
        choices.position(rows[i]->list) = positions[i];
}

// "HH:MM" or "HH:MM:SS", each part within its row's range.
void ReadTime(CameraChoices& choices, const std::vector<const CameraField*>& rows, const QString& word,
              const Session& session, const KeySpelling& spelling)
{
    const QString text = word.trimmed();
    const QStringList parts = text.split(QLatin1Char(':'));
    bool sound = parts.size() == static_cast<qsizetype>(rows.size());
    std::vector<int> numbers;
    for (qsizetype i = 0; sound && i < parts.size(); ++i) {
        bool isNumber = false;
        const int number = parts[i].toInt(&isNumber);
        const CameraField& row = *rows[static_cast<std::size_t>(i)];
        sound = isNumber && !parts[i].startsWith(QLatin1Char('-')) && !parts[i].startsWith(QLatin1Char('+'))
                && number >= row.low && number <= row.high;
        numbers.push_back(number);
    }
    if (!sound) {
        const int hours = rows.front()->high;
        const int minutes = rows.back()->high;
        throw WordRefusal{RefusalWords(session.chineseMessages(),
                                       "%1: \"%2\" is not accepted; write %3 with hours 0 to %4, minutes and "
                                       "seconds 0 to %5",
                                       "%1: \u201c%2\u201d无效；请写成 %3，小时 0 至 %4，分钟和秒 0 至 %5")
                              .arg(spelling(rows.front()->key), text,
                                   rows.size() == 3 ? QStringLiteral("HH:MM:SS") : QStringLiteral("HH:MM"))
                              .arg(hours)
                              .arg(minutes),
                          QLatin1String(rows.front()->name)};
    }
    for (std::size_t i = 0; i < rows.size(); ++i)
        choices.*ChoiceOf(rows[i]->member) = numbers[i];
}

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

QString TwoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

} // namespace

SaveDecision<CameraSettings> PrepareCameraWords(CameraChoices start, const SettingWords& words, const PcClock& clock,
                                                const Session& session, const KeySpelling& spelling)
{
    CameraChoices choices = start;
    try {
        ForEachKey([&](const CameraField& first) {
            const QString* word = words.find(first.key);
            if (word == nullptr)
                return;
            switch (first.word) {
            case CameraWord::List:
                ReadList(choices, first, *word, session, spelling);
                break;
            case CameraWord::Serial:
                ReadSerial(choices, RowsOf(first.key), *word, session, spelling);
                break;
            case CameraWord::Time:
                ReadTime(choices, RowsOf(first.key), *word, session, spelling);
                break;
            case CameraWord::Clock:
            case CameraWord::Session:
                break;
            }
        });
    } catch (const WordRefusal& refusal) {
        return SaveDecision<CameraSettings>::Refused(refusal.message, refusal.field);
    }
    const auto keyOfField = [](const QString& field) {
        const CameraField* row = FindField(kCameraFields, field);
        return row != nullptr && row->word != CameraWord::Session ? row->key : nullptr;
    };
    return NamingTheKey(PrepareNamedCameraSave(choices, clock, session, NamingByKey(spelling, keyOfField)), spelling,
                        keyOfField);
}

QString CameraAcceptedWords(const CameraField& row, bool chinese)
{
    if (row.accepted == nullptr)
        return {};
    return QString::fromUtf8(chinese ? row.acceptedChinese : row.accepted);
}

TypedClock ReadTypedClock(const QString& key, const QString& word, bool chinese)
{
    // Date and time apart, not as one local QDateTime: a wall-clock time in
    // a daylight-saving gap is still a time the camera can be set to.
    QDate date;
    QTime time;
    const QString text = word.simplified();
    if (!ReadPlainClock(text, date, time)) {
        const QStringList parts = text.split(QLatin1Char(' '));
        if (parts.size() == 2) {
            date = QDate::fromString(parts[0], QStringLiteral("yyyy-MM-dd"));
            time = QTime::fromString(parts[1], QStringLiteral("HH:mm:ss"));
        }
    }
    if (!date.isValid() || !time.isValid())
        return {std::nullopt,
                RefusalWords(chinese, R"(%1: "%2" is no date and time; write it as "2024-03-05 08:07:06")",
                             "%1: \u201c%2\u201d不是日期和时间；请写成\u201c2024-03-05 08:07:06\u201d")
                    .arg(key, word)};
    constexpr const CameraField& year = CameraFieldOf(&CameraSettings::clockYear);
    const int first = kFirstClockYear + year.low;
    const int last = kFirstClockYear + year.high;
    if (date.year() < first || date.year() > last)
        return {std::nullopt, RefusalWords(chinese, "%1: \"%2\" is outside the camera's calendar, the years %3 to %4",
                                           "%1: \u201c%2\u201d超出相机的日历（%3 至 %4 年）")
                                  .arg(key, word)
                                  .arg(first)
                                  .arg(last)};
    return {PcClock{date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()}, {}};
}

SettingWords CameraWordsOf(const CameraSettings& settings)
{
    const CameraChoices choices = CameraChoicesFromSettings(settings);
    SettingWords words;
    ForEachKey([&](const CameraField& first) {
        switch (first.word) {
        case CameraWord::List:
            words.add(first.key, EnglishEntries(first.list).value(choices.position(first.list)));
            break;
        case CameraWord::Serial: {
            QString serial;
            for (const CameraField* row : RowsOf(first.key))
                serial += EnglishEntries(row->list).value(choices.position(row->list));
            words.add(first.key, serial);
            break;
        }
        case CameraWord::Time: {
            QStringList parts;
            for (const CameraField* row : RowsOf(first.key))
                parts << TwoDigits(choices.*ChoiceOf(row->member));
            words.add(first.key, parts.join(QLatin1Char(':')));
            break;
        }
        case CameraWord::Clock:
        case CameraWord::Session:
            break;
        }
    });
    return words;
}

} // namespace kestra
