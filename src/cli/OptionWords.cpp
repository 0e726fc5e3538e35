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

QString UnitWord(const QString& unit)
{
    if (unit == u"s" || unit == u"sec" || unit == u"secs" || unit == u"second" || unit == u"seconds")
        return QStringLiteral("s");
    if (unit == u"m" || unit == u"min" || unit == u"mins" || unit == u"minute" || unit == u"minutes")
        return QStringLiteral("min");
    if (unit == u"h" || unit == u"hour" || unit == u"hours")
        return QStringLiteral("h");
    if (unit == u"photo" || unit == u"photos")
        return QStringLiteral("photo");
    return unit;
}

// LooseWord of a word all in ASCII, as the expressions below take it apart,
// without them: an option list has a hundred entries or more to compare.
QString AsciiLooseWord(const QString& word)
{
    const QString loose = word.trimmed().toLower();
    const qsizetype size = loose.size();
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
    QString result;
    if (amount) {
        qsizetype zeros = 0;
        while (zeros + 1 < digits && loose[zeros] == u'0')
            ++zeros;
        result = loose.mid(zeros, digits - zeros) + UnitWord(loose.mid(unit).trimmed());
    } else {
        result = loose;
    }
    result.removeIf([](QChar c) { return IsAsciiSpace(c.unicode()); });
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
        loose = amount.captured(1) + UnitWord(amount.captured(2).trimmed());
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
