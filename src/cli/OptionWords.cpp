// SPDX-License-Identifier: Apache-2.0
#include "cli/OptionWords.h"

#include "cli/CliSupport.h"

#include <QRegularExpression>

namespace kestra::cli {

QString LooseWord(const QString& word)
{
    static const QRegularExpression kAmount(QStringLiteral(R"(^0*(\d+)\s*([^\d\s].*)?$)"));
    static const QRegularExpression kBlanks(QStringLiteral(R"(\s+)"));
    QString loose = word.trimmed().toLower();
    const QRegularExpressionMatch amount = kAmount.match(loose);
    if (amount.hasMatch()) {
        QString unit = amount.captured(2).trimmed();
        if (unit == u"s" || unit == u"sec" || unit == u"secs" || unit == u"second" || unit == u"seconds")
            unit = QStringLiteral("s");
        else if (unit == u"m" || unit == u"min" || unit == u"mins" || unit == u"minute" || unit == u"minutes")
            unit = QStringLiteral("min");
        else if (unit == u"h" || unit == u"hour" || unit == u"hours")
            unit = QStringLiteral("h");
        else if (unit == u"photo" || unit == u"photos")
            unit = QStringLiteral("photo");
        loose = amount.captured(1) + unit;
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
