// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ui/DialogTemplate.h"

#include <QFont>
#include <QRect>
#include <QString>

namespace kestra::ui {

// The dialog base units of a template font: the average width of its
// characters and its height, in pixels, as the Windows dialog manager takes
// them. One horizontal dialog unit is a quarter of `x`, one vertical unit an
// eighth of `y`.
struct DialogBaseUnits {
    int x = 0;
    int y = 0;
    bool operator==(const DialogBaseUnits&) const = default;
};

// What placing a template's controls needs to know about its font. Taking
// these measurements makes the font system read its whole configuration and
// load the font, which is most of a window's start-up when it is the first
// window of the run; a copy from the previous run lets the first window be
// built and shown without that, and the real measurements are taken once it
// is on screen (CDialog checks them after its first paint;
// see FontMetricsCache.h).
struct TemplateFontMetrics {
    QString family; // the family the template font resolved to; empty: the default font
    DialogBaseUnits units;
    int listFieldHeight = 0;     // a closed drop-down list
    int editListFieldHeight = 0; // a closed drop-down with an edit field; 0: not measured
    int listItemHeight = 0;      // one line of an open list

    bool operator==(const TemplateFontMetrics&) const = default;
};

// The font a template asks for. SimSun is SimSun on Windows; elsewhere a CJK
// font of the same role stands for it ("Noto Sans CJK SC", "Noto Serif CJK
// SC", "WenQuanYi Micro Hei", else the default font), System for the default sans font. Sizes are in pixels at 96
// dots per inch, as the templates were laid out: 9 points are 12 pixels, so a
// window keeps its layout whatever the screen's DPI setting (Qt scales pixels
// on high-density screens by itself).
QFont TemplateFont(DialogFont font);
// The family TemplateFont picks for `font` (empty: the default font's). Asking
// the font system for a family makes it read its whole configuration first.
QString TemplateFontFamily(DialogFont font);
// The template font with its family already known (a stored copy of the
// choice); touches no font file.
QFont TemplateFont(DialogFont font, const QString& family);

// Average width of "A".."Z" "a".."z" rounded as GetTextExtentPoint-based
// averaging does ((width / 26 + 1) / 2), and the font's line height.
DialogBaseUnits BaseUnitsOf(const QFont& font);

// a * b / c rounded to the nearest integer, halves away from zero (MulDiv).
int MulDivRound(int a, int b, int c);

// A rectangle in dialog units converted to pixels.
QRect MapDialogRect(const QRect& dialogUnits, DialogBaseUnits units);

} // namespace kestra::ui
