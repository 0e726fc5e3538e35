// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ui/DialogTemplate.h"
#include "ui/DialogUnits.h"
#include "ui/Services.h"
#include "ui/TextRoom.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QComboBox;

class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QWidget;

namespace kestra::ui {

class CDataExchange;
class CDialog;

// A handle on one control of a dialog (a non-owning pointer to its widget).
// Default-constructed handles are unbound; DDX_Control binds them.
class CWnd {
public:
    CWnd() = default;
    explicit CWnd(QWidget* widget) : m_widget(widget) {}

    QWidget* widget() const { return m_widget; }
    bool isBound() const { return m_widget != nullptr; }

    // For an edit field, a programmatic text change notifies like typing does
    // (only when the text really changes). A label's new text also becomes the
    // accessible name of the control it labels.
    void SetWindowText(const QString& text);
    QString GetWindowText() const;
    void EnableWindow(bool enable);
    void SetFocus();

    void attach(QWidget* widget) { m_widget = widget; }

protected:
    QWidget* m_widget = nullptr;
};

class CButton : public CWnd {
public:
    using CWnd::CWnd;
    QPushButton* button() const;
};

class CEdit : public CWnd {
public:
    using CWnd::CWnd;
    QLineEdit* edit() const;
    void SetReadOnly(bool readOnly);
    // Limits what the user can type to `maxBytes` bytes of code page 936 (a
    // Chinese character counts two), as the ANSI edit control did. Text set
    // from code is never cut; 0 lifts the limit.
    void SetLimitText(int maxBytes);
    int GetLimitText() const;
};

class CComboBox : public CWnd {
public:
    using CWnd::CWnd;
    QComboBox* combo() const;
    int AddString(const QString& text); // index of the new entry; the selection is unchanged
    void ResetContent();                // empties the list; nothing selected
    int SetCurSel(int index);           // -1 clears the selection; out of range clears it and returns CB_ERR
    int GetCurSel() const;              // -1 (CB_ERR) when nothing is selected
    int GetCount() const;
};

class CListBox : public CWnd {
public:
    using CWnd::CWnd;
    QListWidget* list() const;
    int AddString(const QString& text); // appends; the new entry is scrolled into view
};

class CProgressCtrl : public CWnd {
public:
    using CWnd::CWnd;
    QProgressBar* bar() const;
    void SetRange(int lower, int upper);
    void SetPos(int position);
};

// Control notifications a window can route to a handler by control id.
enum class Notification {
    EditChange,   // EN_CHANGE: the edit's text changed (typed or set from code)
    SelChange,    // CBN_SELCHANGE: the user picked a list entry
    SelEndCancel, // CBN_SELENDCANCEL: the list closed without a pick
    Clicked,      // BN_CLICKED (also Enter on the default button, Esc as IDCANCEL)
    SetFocus,     // EN_SETFOCUS / CBN_SETFOCUS: the control gained the keyboard focus
    KillFocus,    // EN_KILLFOCUS / CBN_KILLFOCUS: the control lost it
};

// Sees every mouse press, key press and right click on a window's controls
// before the control does (what PreTranslateMessage hands a balloon hint).
using EventRelay = std::function<void(QWidget* control, QEvent* event)>;

// A modal window built from a template. Derived windows override the virtual
// operations and register their handlers in their constructor or OnInitDialog.
//
// Notifications follow the framework the windows were written for:
// - While UpdateData runs, control notifications of this window are dropped.
//   Putting values into the controls changes their texts, and the handlers of
//   those changes would otherwise pull the data back half-way through the push
//   (and show the same range message a second time).
// - Outside UpdateData, a text set from code notifies at once, re-entrantly:
//   a handler that sets another field's text runs that field's handler before
//   it returns. Runaway recursion (a handler that keeps changing its own text)
//   is cut off at kMaxNotificationDepth with a warning on the debug output.
class CDialog {
public:
    static constexpr int kMaxNotificationDepth = 16;

    CDialog(const DialogTemplate& dialogTemplate, Services& services);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Builds the window, runs OnInitDialog and shows it modally; returns the
    // code passed to EndDialog (IDOK, IDCANCEL, ...). A window runs once: a
    // second call returns the first result at once.
    int DoModal();
    // Builds the window, runs OnInitDialog and shows it without a modal loop,
    // for tests and for the rare window that is not run modally. Idempotent.
    void Create();
    // Ends the run with `result`; the window hides and DoModal returns.
    void EndDialog(int result);
    bool IsEnded() const { return m_ended; }
    int Result() const { return m_result; }

    // Moves data between controls and members through DoDataExchange. Returns
    // false when a check failed (its message was shown and the focus moved).
    bool UpdateData(bool saveAndValidate = true);

    CWnd* GetDlgItem(int id);
    // Sets a control's text without its change notification, as a value put
    // back by the data exchange arrives: for a window that corrects a field
    // and must not take the correction for the user's typing.
    void SetDlgItemTextQuietly(int id, const QString& text);
    CEdit Edit(int id);
    CComboBox Combo(int id);
    CButton Button(int id);
    CListBox ListBox(int id);
    CProgressCtrl Progress(int id);
    QWidget* Control(int id) const;
    // Names a control that has no label of its own (fields that share their
    // labels, lists with none). Qt on Linux announces a list by the label that
    // names it and by nothing else, so a list also gets a hidden label
    // carrying the name.
    void SetAccessibleName(int id, const QString& name);
    // The id of the default button (IDOK when the template names none).
    int DefaultButtonId() const;

    // The language of the tool's own messages raised while this window runs
    // (range and code page messages). Until set, the shell's hook decides
    // (SetToolMessageLanguage).
    void SetChineseMessages(bool chinese) { m_chineseMessages = chinese ? 1 : 0; }
    bool ChineseMessages() const;

    void SetWindowText(const QString& title);
    QString GetWindowText() const;
    QDialog* widget() const { return m_window.get(); }
    // The template font's measurements the controls are placed by.
    const TemplateFontMetrics& LayoutMetrics() const { return m_fontMetrics; }
    // Placed from a stored copy (or measured but not yet stored) and waiting
    // for the window's first paint to measure for real (or to store).
    bool LayoutCheckPending() const { return m_fontCheck != FontCheck::None; }
    Services& services() const { return m_services; }
    const DialogTemplate& dialogTemplate() const { return m_template; }

    // A control's text or list entries changed from code: its window fits
    // its texts to their controls again before it is next painted.
    static void TextChanged(QWidget* control);

    // Message map: runs `handler` on `what` from control `id`. Several handlers
    // for one pair run in the order they were added. An id the template lacks
    // (other than IDOK and IDCANCEL, which Enter and Esc send) is a programming
    // error: the handler could never run, so registering it stops the program.
    void On(Notification what, int id, std::function<void()> handler);
    // Installs the relay for the window's controls; an empty one removes it.
    void SetEventRelay(EventRelay relay) { m_eventRelay = std::move(relay); }
    // Sends a notification as if the control had sent it (tests, menu items).
    // A click on IDOK or IDCANCEL without a handler of its own runs OnOK or
    // OnCancel.
    void Notify(Notification what, int id);

protected:
    virtual bool OnInitDialog();                     // base: UpdateData(false); true = focus to the first control
    virtual void DoDataExchange(CDataExchange* pDX); // base: nothing
    virtual void OnOK();                             // base: UpdateData(true), then EndDialog(IDOK)
    virtual void OnCancel();                         // base: EndDialog(IDCANCEL)

    // Window flags to set and to clear beyond a dialog's own, called from the
    // constructor: the window is built with them, because changing a built
    // window's flags makes Qt polish every control with the skin again.
    void SetExtraWindowFlags(Qt::WindowFlags set, Qt::WindowFlags clear)
    {
        m_extraFlags = set;
        m_clearedFlags = clear;
    }

private:
    class Window;
    friend class Window;
    class ControlEvents;
    friend class ControlEvents;
    void build();
    void createWindow();
    void focusFirstControl();
    void placeControls(QWidget* window, const TemplateFontMetrics& metrics);
    void checkLayoutMetrics();
    void fitTexts();

    enum class FontCheck {
        None,    // nothing to do after the window is shown
        Measure, // placed from a copy: measure, place again if it was wrong, store
        Store,   // measured before showing: store the measurements
    };

    DialogTemplate m_template;
    Qt::WindowFlags m_extraFlags;
    Qt::WindowFlags m_clearedFlags;
    Services& m_services;
    std::unique_ptr<QDialog> m_window;
    std::map<int, QWidget*> m_controls;
    std::vector<QWidget*> m_widgets; // every control, in template order
    std::vector<QRect> m_placed;     // their template rectangles in pixels
    bool m_textFitPending = false;
    bool m_textsInPlace = false; // OnInitDialog has run
    TemplateFontMetrics m_fontMetrics;
    FontCheck m_fontCheck = FontCheck::None;
    TextFitCheck m_textFitCheck;
    std::map<int, CWnd> m_items;
    std::multimap<std::pair<Notification, int>, std::function<void()>> m_handlers;
    bool m_created = false;
    bool m_ended = false;
    int m_result = 0;
    int m_updateDepth = 0;
    int m_notificationDepth = 0;
    int m_chineseMessages = -1; // -1: ask the shell's hook
    EventRelay m_eventRelay;
    ControlEvents* m_controlEvents = nullptr; // owned by the window
};

} // namespace kestra::ui
