// SPDX-License-Identifier: Apache-2.0
#include "common/TextTable.h"

namespace kestra {

const char* TextTable::entry(int languageIndex) const
{
    switch (languageIndex) {
    case kLanguageChinese:
        return chinese;
    case kLanguageEnglish:
        return english;
    case kLanguageGerman:
        return german;
    case kLanguageFinnish:
        return finnish;
    case kLanguageItalian:
        return italian;
    case kLanguageFrench:
        return french;
    case kLanguageHungarian:
        return hungarian;
    case kLanguageSlovenian:
        return slovenian;
    case kLanguageCzech:
        return czech;
    case kLanguageJapanese:
        return japanese;
    case kLanguageLithuanian:
        return lithuanian;
    default:
        return nullptr;
    }
}

const char* TextTable::pick(int languageIndex) const
{
    const char* own = entry(languageIndex);
    return own != nullptr ? own : english;
}

QString FormatText(const char* format, std::initializer_list<int> values)
{
    const QString text = QString::fromUtf8(format);
    QString out;
    out.reserve(text.size() + 16);
    auto next = values.begin();
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (c != u'%' || i + 1 >= text.size()) {
            out += c;
            ++i;
            continue;
        }
        if (text.at(i + 1) == u'%') {
            out += u'%';
            i += 2;
            continue;
        }
        qsizetype j = i + 1;
        const bool zeroPad = text.at(j) == u'0';
        int width = 0;
        while (j < text.size() && text.at(j).isDigit()) {
            width = width * 10 + text.at(j).digitValue();
            ++j;
        }
        if (j >= text.size() || text.at(j) != u'd' || next == values.end()) {
            out += c;
            ++i;
            continue;
        }
        out += QStringLiteral("%1").arg(*next++, width, 10, zeroPad ? QChar(u'0') : QChar(u' '));
        i = j + 1;
    }
    return out;
}

} // namespace kestra
