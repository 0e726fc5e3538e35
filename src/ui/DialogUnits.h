// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ui/DialogTemplate.h"

#include <QFont>
#include <QRect>

namespace kestra::ui {

// The dialog base units of a template font: the average width of its
// characters and its height, in pixels, as the Windows dialog manager takes
// them. One horizontal dialog unit is a quarter of `x`, one vertical unit an
// eighth of `y`.
struct DialogBaseUnits {
    int x = 0;
    int y = 0;
};

// The font a template asks for. SimSun stands for a CJK font of the same role
// ("Noto Sans CJK SC", "Noto Serif CJK SC", "WenQuanYi Micro Hei", else the
// default font), System for the default sans font. Sizes are in pixels at 96
// dots per inch, as the templates were laid out: 9 points are 12 pixels, so a
// window keeps its layout whatever the screen's DPI setting (Qt scales pixels
// on high-density screens by itself).
QFont TemplateFont(DialogFont font);

// Average width of "A".."Z" "a".."z" rounded as GetTextExtentPoint-based
// averaging does ((width / 26 + 1) / 2), and the font's line height.
DialogBaseUnits BaseUnitsOf(const QFont& font);

// a * b / c rounded to the nearest integer, halves away from zero (MulDiv).
int MulDivRound(int a, int b, int c);

// A rectangle in dialog units converted to pixels.
QRect MapDialogRect(const QRect& dialogUnits, DialogBaseUnits units);

} // namespace kestra::ui
