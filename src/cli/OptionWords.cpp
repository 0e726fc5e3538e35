// SPDX-License-Identifier: Apache-2.0
#include "cli/OptionWords.h"

#include "cli/CliSupport.h"

#include <QRegularExpression>

#include <algorithm>

namespace kestra::cli {

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

} // namespace

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

int MatchListWord(const QString& option, const QString& value, const std::vector<QStringList>& entrySets,
                  const QString& hint)
{
    const qsizetype count = entrySets.empty() ? 0 : entrySets.front().size();
    bool isNumber = false;
    const int position = value.trimmed().toInt(&isNumber);
    if (isNumber && position >= 0 && position < count)
        return static_cast<int>(position);
    if (!isNumber) {
        const QString wanted = LooseWord(value);
        for (const QStringList& entries : entrySets) {
            for (qsizetype i = 0; i < entries.size(); ++i) {
                if (LooseWord(entries[i]) == wanted)
                    return static_cast<int>(i);
            }
        }
    }
    QString accepted = hint;
    if (accepted.isEmpty() && !entrySets.empty()) {
        QStringList quoted;
        for (const QString& entry : entrySets.front())
            quoted << QLatin1Char('"') + entry + QLatin1Char('"');
        accepted = quoted.join(QStringLiteral(", "));
    }
    RefuseUsage(QStringLiteral("%1: \"%2\" is not accepted; use %3, or a position 0 to %4")
                    .arg(option, value, accepted)
                    .arg(count - 1));
}

} // namespace kestra::cli
