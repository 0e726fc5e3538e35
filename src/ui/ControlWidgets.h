// SPDX-License-Identifier: Apache-2.0
#pragma once

// The widgets behind the template's control kinds, where Qt's own differ from
// the controls the windows were written for. Internal to the dialog layer.

#include <QComboBox>
#include <QString>
#include <QValidator>

#include <functional>

class QIcon;
class QLineEdit;

namespace kestra::ui {

// What the user may type into an edit field: digits only (ES_NUMBER) and at
// most a number of bytes (EM_LIMITTEXT). Like the original control it refuses
// typing that would break a rule but never touches text set from code, so a
// longer text put in by the program stays whole until the user shortens it.
class EditInputRules : public QValidator {
public:
    explicit EditInputRules(QLineEdit* edit);

    void setDigitsOnly(bool digitsOnly) { m_digitsOnly = digitsOnly; }
    bool digitsOnly() const { return m_digitsOnly; }
    void setByteLimit(int maxBytes) { m_byteLimit = maxBytes; }
    int byteLimit() const { return m_byteLimit; }

    State validate(QString& input, int& pos) const override;

    // Finds (or adds) the rules of an edit field.
    static EditInputRules* of(QLineEdit* edit);

private:
    QString m_accepted; // the text as it stood before the edit being validated
    bool m_digitsOnly = false;
    int m_byteLimit = 0;
};

// A drop-down list that reports the two ways its list closes: with a pick
// (Qt's activated signal) or without one (CBN_SELENDCANCEL, which Qt lacks).
class DropDownWidget : public QComboBox {
    Q_OBJECT
public:
    explicit DropDownWidget(QWidget* parent);

    std::function<void()> onClosedWithoutPick;

    // The template's height of the open list, in pixels. The list opens as
    // many entries as fit below the closed field (at least one, at most what
    // fits on the screen), as wide as its longest entry needs.
    void setOpenListHeight(int pixels) { m_openListHeight = pixels; }
    int openListHeight() const { return m_openListHeight; }

    void showPopup() override;
    void hidePopup() override;

private:
    void fitPopup();

    int m_openListHeight = 0;
    bool m_picked = false;
    bool m_open = false;
};

// The label text of a control for messages and screen readers: its own
// accessible name, else the text of the label that names it (mnemonic '&'
// and a trailing colon removed), else its own text.
QString ControlLabel(const QWidget* control);

// Removes mnemonic ampersands ("&&" stands for one '&').
QString StripMnemonic(const QString& text);

// The tool's icon: the shell's resource ":/icons/kestra.png" when present,
// else the application's window icon. Decoded on the first call.
QIcon ToolIcon();
// Whether ToolIcon has decoded its picture: until then a window's icon waits
// for its first paint rather than hold up its opening.
bool ToolIconDecoded();

} // namespace kestra::ui
