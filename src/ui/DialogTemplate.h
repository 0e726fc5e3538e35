// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <vector>

namespace kestra::ui {

// Result codes and the ids of the OK and Cancel buttons, as in every template.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
// Id of labels and frames nothing refers to.
inline constexpr int IDC_STATIC = -1;
// Result of a list operation that failed (an index out of range).
inline constexpr int CB_ERR = -1;

enum class ControlKind {
    PushButton,
    DefPushButton, // the default button: Enter runs its OK path
    GroupBox,
    Static,       // a label
    Edit,         // a one-line edit field
    DropDownList, // a drop-down list without edit field
    DropDown,     // a drop-down list with an edit field
    Icon,         // the picture of the tool's icon
    ListBox,      // a list of lines, one entry each, scrolled as it grows
    Progress,     // a progress bar
};

// Style bits of a control; only those that change behaviour or looks.
enum ControlStyle : unsigned {
    StyleNone = 0,
    EsReadOnly = 1U << 0,
    EsNumber = 1U << 1, // digits only
    EsPassword = 1U << 2,
    EsCenter = 1U << 3,
    EsAutoHScroll = 1U << 4,
    SsCenter = 1U << 5,  // centred label
    WsVScroll = 1U << 6, // scroll bar on a drop-down list
    WsDisabled = 1U << 7,
    LbsWrapLines = 1U << 8, // a list whose long entries wrap onto further lines
};

struct ControlTemplate {
    int id = IDC_STATIC;
    ControlKind kind = ControlKind::Static;
    int x = 0, y = 0, cx = 0, cy = 0; // dialog units
    const char* text = "";            // UTF-8 template text
    unsigned style = StyleNone;
    int maxLength = 0; // edit fields: typed bytes (code page 936), 0 for none
    // Labels: the id of the control this label names. kBuddyFromOrder lets the
    // label name the control right after it when that is an edit field or a
    // list (the usual "label, then its field" order of a template);
    // kNoBuddy names nothing (a unit label after a field, say).
    int buddyId = 0;
};

inline constexpr int kBuddyFromOrder = 0;
inline constexpr int kNoBuddy = -2;

enum class DialogFont {
    SimSun9, // 9-point SimSun, the main and settings windows
    System9, // 9-point System, the SMS window
};

// A dialog template: the size in dialog units, its caption and font, and its
// controls in tab order.
struct DialogTemplate {
    int resourceId = 0;
    int cx = 0, cy = 0;
    const char* caption = "";
    DialogFont font = DialogFont::SimSun9;
    std::vector<ControlTemplate> controls;
};

// The template `Build` makes, built on first use and kept for the program's
// life: a window opened again gets the same template, and one nobody opens
// is never built.
template <DialogTemplate (*Build)()> const DialogTemplate& BuiltOnce()
{
    static const DialogTemplate kept = Build();
    return kept;
}

} // namespace kestra::ui
