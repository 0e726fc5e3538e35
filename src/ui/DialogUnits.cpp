// SPDX-License-Identifier: Apache-2.0
#include "ui/DialogUnits.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

#include <cstdlib>

namespace kestra::ui {

namespace {

constexpr int kTemplatePixelSize = 12; // 9 points at 96 dots per inch

QString cjkFamily()
{
    static const QString family = [] {
        // Asked one by one: listing every installed family costs start-up time.
        // Windows has the templates' own font; elsewhere the closest
        // installed one stands in for it.
        for (const char* candidate : {
#ifdef Q_OS_WIN
                 "SimSun",
#endif
                 "Noto Sans CJK SC", "Noto Serif CJK SC", "WenQuanYi Micro Hei", "WenQuanYi Zen Hei",
                 "Droid Sans Fallback"}) {
            if (QFontDatabase::hasFamily(QString::fromLatin1(candidate)))
                return QString::fromLatin1(candidate);
        }
        return QString();
    }();
    return family;
}

} // namespace

QString TemplateFontFamily(DialogFont font)
{
    return font == DialogFont::SimSun9 ? cjkFamily() : QString();
}

QFont TemplateFont(DialogFont font, const QString& family)
{
    QFont result = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (!family.isEmpty())
        result.setFamilies({family});
    else if (font != DialogFont::SimSun9)
        result.setStyleHint(QFont::SansSerif);
    result.setPixelSize(kTemplatePixelSize);
    return result;
}

QFont TemplateFont(DialogFont font)
{
    return TemplateFont(font, TemplateFontFamily(font));
}

DialogBaseUnits BaseUnitsOf(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(width / 26 + 1) / 2, metrics.height()};
}

int MulDivRound(int a, int b, int c)
{
    if (c == 0)
        return -1; // MulDiv's answer to a zero divisor
    const long long product = static_cast<long long>(a) * b;
    const long long half = std::llabs(static_cast<long long>(c)) / 2;
    const bool negative = (product < 0) != (c < 0);
    const long long magnitude = (std::llabs(product) + half) / std::llabs(static_cast<long long>(c));
    return static_cast<int>(negative ? -magnitude : magnitude);
}

QRect MapDialogRect(const QRect& dialogUnits, DialogBaseUnits units)
{
    const int left = MulDivRound(dialogUnits.x(), units.x, 4);
    const int top = MulDivRound(dialogUnits.y(), units.y, 8);
    const int width = MulDivRound(dialogUnits.width(), units.x, 4);
    const int height = MulDivRound(dialogUnits.height(), units.y, 8);
    return {left, top, width, height};
}

} // namespace kestra::ui
