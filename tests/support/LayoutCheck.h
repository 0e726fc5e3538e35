// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QStringList>

namespace kestra::ui {
class CDialog;
}

namespace kestra::test {

// What a user of `dialog` (built and shown) would find wrong with its looks,
// measured with the fonts and the style the window really has, one line per
// fault naming the control id and the text:
// - a label, button or group-box title whose text needs more room than the
//   control gives it, or that runs under another control;
// - a list entry that does not fit the list's field next to its arrow, or
//   that runs into the margin the style keeps before the arrow (as wide as
//   the one it keeps from the list's left edge);
// - a list whose open popup shows fewer entries than its template height
//   allows, more than that height, or too few to pick from ("several": three,
//   or all when the list has fewer), or that leaves the screen;
// - a popup too narrow for its longest entry;
// - a control of the template the check cannot find by its object name.
// Opens and closes every list of the window, disabled ones too. `onlyId`
// limits the check to one control.
QStringList LayoutProblems(const ui::CDialog& dialog, int onlyId = 0);

// How the window made a text fit (the control's "layoutFit" property, set by
// the dialog layer), one line per control that needed it.
QStringList LayoutAdjustments(const ui::CDialog& dialog);

} // namespace kestra::test
