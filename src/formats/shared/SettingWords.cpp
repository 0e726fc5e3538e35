// SPDX-License-Identifier: Apache-2.0
#include "formats/shared/SettingWords.h"

#include "common/LanguageNames.h"
#include "storage/Cp936.h"

#include <QRegularExpression>

#include <algorithm>

namespace kestra {

namespace {

bool IsAsciiSpace(char16_t c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

bool IsAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// The unit a lower-case unit word stands for; any other word is itself.
QStringView UnitWord(QStringView unit)
{
    if (unit == u"s" || unit == u"sec" || unit == u"secs" || unit == u"second" || unit == u"seconds")
        return u"s";
    if (unit == u"m" || unit == u"min" || unit == u"mins" || unit == u"minute" || unit == u"minutes")
        return u"min";
    if (unit == u"h" || unit == u"hour" || unit == u"hours")
        return u"h";
    if (unit == u"photo" || unit == u"photos")
        return u"photo";
    return unit;
}

char16_t AsciiLower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// LooseWord of a word all in ASCII, as the expressions below take it apart,
// without them and in one string: an option list has a hundred entries or
// more to compare.
QString AsciiLooseWord(QStringView word)
{
    const QStringView trimmed = word.trimmed();
    const qsizetype size = trimmed.size();
    // Room for the word in lower case and for a unit that grows ("m" is "min").
    QString result(size + 2, Qt::Uninitialized);
    char16_t* const out = reinterpret_cast<char16_t*>(result.data());
    std::transform(trimmed.utf16(), trimmed.utf16() + size, out, AsciiLower);
    const QStringView loose(out, size);
    qsizetype digits = 0;
    while (digits < size && IsAsciiDigit(loose[digits].unicode()))
        ++digits;
    qsizetype unit = digits;
    while (unit < size && IsAsciiSpace(loose[unit].unicode()))
        ++unit;
    // An amount: digits, blanks, then nothing or a unit that begins with no
    // digit and runs to the end of the line and the word.
    const bool amount =
        digits > 0 && (unit == size || (!IsAsciiDigit(loose[unit].unicode()) && loose.indexOf(u'\n', unit) < 0));
    qsizetype length = size;
    if (amount) {
        qsizetype zeros = 0;
        while (zeros + 1 < digits && loose[zeros] == u'0')
            ++zeros;
        const QStringView unitWord = UnitWord(loose.sliced(unit).trimmed());
        // The digits without their leading zeros, then the unit (the word's
        // own, or a shorter or at most two longer in its place); what comes
        // from the word moves towards the front, so each copy reads at or
        // ahead of where it writes.
        std::copy(out + zeros, out + digits, out);
        length = digits - zeros;
        std::copy(unitWord.utf16(), unitWord.utf16() + unitWord.size(), out + length);
        length += unitWord.size();
    }
    const auto end = std::remove_if(out, out + length, IsAsciiSpace);
    result.truncate(end - out);
    return result;
}

bool IsAscii(const QString& word)
{
    return std::all_of(word.begin(), word.end(), [](QChar c) { return c.unicode() < 0x80; });
}

bool IsAsciiLowerLetter(QChar c)
{
    return c >= u'a' && c <= u'z';
}

// How many characters at the start of `word` make a number: digits, and a
// point with more digits after it ("10", "1.3"); 0 where it begins with none.
qsizetype NumberLength(QStringView word)
{
    const auto digitsFrom = [word](qsizetype at) {
        while (at < word.size() && IsAsciiDigit(word[at].unicode()))
            ++at;
        return at;
    };
    const qsizetype whole = digitsFrom(0);
    if (whole == 0 || whole + 1 >= word.size() || word[whole] != u'.')
        return whole;
    const qsizetype fraction = digitsFrom(whole + 1);
    return fraction > whole + 1 ? fraction : whole;
}

QString Quoted(bool chinese, const QString& word)
{
    return chinese ? QStringLiteral("“%1”").arg(word) : QStringLiteral("\"%1\"").arg(word);
}

} // namespace

void SettingWords::add(const QString& key, const QString& word, bool number)
{
    m_words.push_back({key, word, number});
}

void SettingWords::add(const char* key, const QString& word, bool number)
{
    add(QString::fromLatin1(key), word, number);
}

const QString* SettingWords::find(const char* key) const
{
    const QLatin1String wanted(key);
    for (const SettingWord& word : m_words) {
        if (word.key == wanted)
            return &word.word;
    }
    return nullptr;
}

KeySpelling KeySpelling::CommandLine()
{
    KeySpelling spelling;
    spelling.m_prefix = QStringLiteral("--");
    spelling.m_commandLine = true;
    return spelling;
}

KeySpelling KeySpelling::Section(const QString& section)
{
    KeySpelling spelling;
    spelling.m_prefix = section + QLatin1Char('.');
    return spelling;
}

QString KeySpelling::operator()(const char* key) const
{
    return m_prefix + QLatin1String(key);
}

QString KeySpelling::session(const char* key) const
{
    if (!m_commandLine)
        return QLatin1String(key);
    return QStringLiteral("--")
           + QLatin1String(QLatin1String(key) == QLatin1String(kLanguageKey) ? kLanguageOption : key);
}

QString RefusalWords(bool chinese, const char* english, const char* chineseText)
{
    return ChineseEnglishText{english, chineseText}.text(chinese);
}

QString LooseWord(const QString& word)
{
    if (IsAscii(word))
        return AsciiLooseWord(word);
    static const QRegularExpression kAmount(QStringLiteral(R"(^0*(\d+)\s*([^\d\s].*)?$)"));
    static const QRegularExpression kBlanks(QStringLiteral(R"(\s+)"));
    QString loose = word.trimmed().toLower();
    const QRegularExpressionMatch amount = kAmount.match(loose);
    if (amount.hasMatch()) {
        loose = amount.captured(1) + UnitWord(amount.captured(2).trimmed()).toString();
    }
    return loose.remove(kBlanks);
}

BareNumbers BareNumbersOf(const QStringList& entries)
{
    BareNumbers bare;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        // An amount as LooseWord writes it: a number, then a unit of letters.
        const QString loose = LooseWord(entries[i]);
        const qsizetype digits = NumberLength(loose);
        const QStringView unit = QStringView(loose).sliced(digits);
        if (digits == 0 || unit.isEmpty() || !std::all_of(unit.begin(), unit.end(), IsAsciiLowerLetter))
            continue;
        if (bare.unit.isEmpty()) {
            bare.unit = unit.toString();
            bare.example = entries[i];
        }
        if (unit == bare.unit)
            bare.values.push_back({loose.left(digits), static_cast<int>(i)});
    }
    return bare;
}

QString BareNumberHelp(const QStringList& entries)
{
    const BareNumbers bare = BareNumbersOf(entries);
    if (!bare.values.empty())
        return QStringLiteral("or the number alone (%1 for \"%2\")").arg(bare.values.front().number, bare.example);
    return QStringLiteral("or the list position");
}

int ListPosition(const QString& key, const QString& word, const std::vector<QStringList>& entrySets, bool chinese,
                 const QString& accepted, const QString& field)
{
    const qsizetype count = entrySets.empty() ? 0 : entrySets.front().size();
    // A number alone names the entry that shows it in the list's first unit
    // ("10" is "10 Sec") where the entries are amounts, and a position
    // elsewhere: a list of amounts has no positions to give.
    const QString loose = LooseWord(word);
    const bool isNumber = !loose.isEmpty() && NumberLength(loose) == loose.size();
    // Only a number alone, or a refusal's words, need the list's amounts.
    const auto amounts = [&entrySets] { return entrySets.empty() ? BareNumbers{} : BareNumbersOf(entrySets.front()); };
    const BareNumbers bare = isNumber ? amounts() : BareNumbers{};
    if (isNumber && !bare.values.empty()) {
        for (const BareNumbers::Value& value : bare.values) {
            if (value.number == loose)
                return value.position;
        }
    } else if (isNumber) {
        bool whole = false;
        const int position = loose.toInt(&whole);
        if (whole && position >= 0 && position < count)
            return position;
    } else {
        for (const QStringList& entries : entrySets) {
            for (qsizetype i = 0; i < entries.size(); ++i) {
                if (LooseWord(entries[i]) == loose)
                    return static_cast<int>(i);
            }
        }
    }
    QString words = accepted;
    if (words.isEmpty() && !entrySets.empty()) {
        QStringList quoted;
        for (const QString& entry : entrySets.front())
            quoted << QLatin1Char('"') + entry + QLatin1Char('"');
        words = quoted.join(QStringLiteral(", "));
    }
    const BareNumbers refusalBare = isNumber ? bare : amounts();
    if (!refusalBare.values.empty())
        throw WordRefusal{
            RefusalWords(chinese, "%1: %2 is not accepted; use %3, or the number alone (%4 for \"%5\")",
                         "%1: %2 无效；请用 %3，或只写数字（%4 即\u201c%5\u201d）")
                .arg(key, Quoted(chinese, word), words, refusalBare.values.front().number, refusalBare.example),
            field};
    throw WordRefusal{RefusalWords(chinese, "%1: %2 is not accepted; use %3, or a position 0 to %4",
                                   "%1: %2 无效；请用 %3，或位置 0 至 %4")
                          .arg(key, Quoted(chinese, word), words)
                          .arg(count - 1),
                      field};
}

int WholeNumber(const QString& key, const QString& word, int low, int high, bool chinese, const QString& field)
{
    const QString trimmed = word.trimmed();
    bool isNumber = false;
    const int number = trimmed.toInt(&isNumber);
    if (isNumber && !trimmed.startsWith(QLatin1Char('+')) && number >= low && number <= high)
        return number;
    throw WordRefusal{RefusalWords(chinese, "%1: %2 is not accepted; give a whole number %3 to %4",
                                   "%1: %2 无效；请给出 %3 至 %4 的整数")
                          .arg(key, Quoted(chinese, word))
                          .arg(low)
                          .arg(high),
                      field};
}

QByteArray TextBytes(const QString& key, const QString& word, bool chinese, const QString& field)
{
    if (std::optional<QByteArray> bytes = EncodeCp936(word))
        return *std::move(bytes);
    throw WordRefusal{RefusalWords(chinese, "%1: the character %2 cannot be stored in the camera's files",
                                   "%1: 字符%2无法存入相机的文件")
                          .arg(key, Quoted(chinese, FirstNonCp936Character(word).value_or(QString()))),
                      field};
}

int CatalogueIndex(const QString& key, const QString& word, int count, const QString& what,
                   const std::function<QStringList(int)>& names, const QString& listCommand, bool chinese,
                   const QString& field)
{
    const auto loose = [](const QString& name) { return name.simplified().remove(QLatin1Char(' ')).toCaseFolded(); };
    bool isNumber = false;
    const int number = word.trimmed().toInt(&isNumber);
    if (isNumber) {
        if (number >= 0 && number < count)
            return number;
        throw WordRefusal{RefusalWords(chinese, "%1: %2 is no %3; the indexes run from 0 to %4 (see %5)",
                                       "%1: %2 不是%3；索引为 0 至 %4（见 %5）")
                              .arg(key, word, what)
                              .arg(count - 1)
                              .arg(listCommand),
                          field};
    }
    const QString wanted = loose(word);
    for (int i = 0; i < count; ++i) {
        for (const QString& name : names(i)) {
            if (!name.isEmpty() && loose(name) == wanted)
                return i;
        }
    }
    throw WordRefusal{
        RefusalWords(chinese, "%1: %2 is no %3; %4 lists the accepted names", "%1: %2 不是%3；%4 列出可用的名称")
            .arg(key, Quoted(chinese, word), what, listCommand),
        field};
}

bool PresetModeOf(const QString& key, const QString& word, const std::vector<QStringList>& entrySets, bool chinese,
                  const QString& field)
{
    const QString loose = LooseWord(word);
    if (loose == u"preset" || loose == u"auto")
        return true;
    if (loose == u"custom" || loose == u"customer")
        return false;
    return ListPosition(key, word, entrySets, chinese, {}, field) == 0;
}

WordRefusal CustomTextInPresetMode(const QString& key, const QString& modeKey, const PresetModeWords& mode,
                                   bool chinese, const QString& field)
{
    return {RefusalWords(chinese, "%1 applies to the custom mode; in the %2 mode %3 written (add %4 custom)",
                         "%1 只适用于自定义模式（custom）；%2 模式写入的是%3（请加上 %4 custom）")
                .arg(key, QLatin1String(mode.presetWord), mode.presetWrites.text(chinese), modeKey),
            field};
}

WordRefusal CatalogueInCustomMode(const QString& countryKey, const QString& operatorKey, const QString& modeKey,
                                  const PresetModeWords& mode, bool chinese, const QString& field)
{
    return {RefusalWords(chinese, "%1 and %2 apply to the %3 mode (leave out %4 custom)",
                         "%1 和 %2 只适用于 %3 模式（请去掉 %4 custom）")
                .arg(countryKey, operatorKey, QLatin1String(mode.presetWord), modeKey),
            field};
}

WordRefusal CountryWithoutOperator(const QString& countryKey, const QString& country, bool chinese,
                                   const QString& field)
{
    return {RefusalWords(chinese, "%1: %2 offers no operator", "%1: %2 没有运营商").arg(countryKey, country), field};
}

void AddOperatorWord(SettingWords& words, const char* key, const std::function<QString(int)>& name, int slot)
{
    for (int earlier = 0; earlier < slot; ++earlier) {
        if (name(earlier).compare(name(slot), Qt::CaseInsensitive) == 0) {
            words.addNumber(key, slot);
            return;
        }
    }
    words.add(key, name(slot));
}

} // namespace kestra
