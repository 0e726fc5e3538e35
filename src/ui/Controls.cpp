// SPDX-License-Identifier: Apache-2.0
#include "ui/ControlWidgets.h"
#include "ui/Dialog.h"

#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

namespace kestra::ui {

namespace {

// A label's new text is the new name of the control it labels; tell screen
// readers, which cache names.
void announceRename(QLabel* label)
{
    if (QWidget* buddy = label->buddy(); buddy && QAccessible::isActive()) {
        QAccessibleEvent event(buddy, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace

void CWnd::SetWindowText(const QString& text)
{
    if (!m_widget)
        return;
    if (auto* edit = qobject_cast<QLineEdit*>(m_widget)) {
        // Setting the same text again leaves the field (and its selection) alone
        // and does not notify.
        if (edit->text() != text)
            edit->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(m_widget)) {
        if (combo->isEditable())
            combo->setEditText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(m_widget)) {
        button->setText(text);
        CDialog::TextChanged(button);
    } else if (auto* label = qobject_cast<QLabel*>(m_widget)) {
        label->setText(text);
        announceRename(label);
        CDialog::TextChanged(label);
    } else if (auto* group = qobject_cast<QGroupBox*>(m_widget)) {
        group->setTitle(text);
        CDialog::TextChanged(group);
    } else {
        m_widget->setWindowTitle(text);
    }
}

QString CWnd::GetWindowText() const
{
    if (!m_widget)
        return QString();
    if (auto* edit = qobject_cast<QLineEdit*>(m_widget))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(m_widget))
        return combo->currentText();
    if (auto* button = qobject_cast<QAbstractButton*>(m_widget))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(m_widget))
        return label->text();
    if (auto* group = qobject_cast<QGroupBox*>(m_widget))
        return group->title();
    return m_widget->windowTitle();
}

void CWnd::EnableWindow(bool enable)
{
    if (m_widget)
        m_widget->setEnabled(enable);
}

void CWnd::SetFocus()
{
    if (m_widget)
        m_widget->setFocus(Qt::OtherFocusReason);
}

QPushButton* CButton::button() const
{
    return qobject_cast<QPushButton*>(m_widget);
}

QLineEdit* CEdit::edit() const
{
    return qobject_cast<QLineEdit*>(m_widget);
}

void CEdit::SetReadOnly(bool readOnly)
{
    if (QLineEdit* field = edit())
        field->setReadOnly(readOnly);
}

void CEdit::SetLimitText(int maxBytes)
{
    if (QLineEdit* field = edit())
        EditInputRules::of(field)->setByteLimit(std::max(0, maxBytes));
}

int CEdit::GetLimitText() const
{
    QLineEdit* field = edit();
    return field ? EditInputRules::of(field)->byteLimit() : 0;
}

QComboBox* CComboBox::combo() const
{
    return qobject_cast<QComboBox*>(m_widget);
}

int CComboBox::AddString(const QString& text)
{
    QComboBox* list = combo();
    if (!list)
        return CB_ERR;
    // Qt selects the first entry added to an empty list; the original list
    // keeps showing no selection until one is set.
    const int selected = list->currentIndex();
    const QString editText = list->isEditable() ? list->currentText() : QString();
    list->addItem(text);
    CDialog::TextChanged(list);
    if (list->currentIndex() != selected) {
        list->setCurrentIndex(selected);
        if (list->isEditable())
            list->setEditText(editText);
    }
    return list->count() - 1;
}

void CComboBox::ResetContent()
{
    if (QComboBox* list = combo())
        list->clear();
}

int CComboBox::SetCurSel(int index)
{
    QComboBox* list = combo();
    if (!list)
        return CB_ERR;
    if (index < 0 || index >= list->count()) {
        list->setCurrentIndex(-1);
        return CB_ERR;
    }
    list->setCurrentIndex(index);
    return index;
}

int CComboBox::GetCurSel() const
{
    const QComboBox* list = combo();
    return list ? list->currentIndex() : CB_ERR;
}

int CComboBox::GetCount() const
{
    const QComboBox* list = combo();
    return list ? list->count() : 0;
}

QListWidget* CListBox::list() const
{
    return qobject_cast<QListWidget*>(m_widget);
}

int CListBox::AddString(const QString& text)
{
    QListWidget* widget = list();
    if (!widget)
        return CB_ERR;
    widget->addItem(text);
    widget->scrollToBottom();
    return widget->count() - 1;
}

QProgressBar* CProgressCtrl::bar() const
{
    return qobject_cast<QProgressBar*>(m_widget);
}

void CProgressCtrl::SetRange(int lower, int upper)
{
    if (QProgressBar* widget = bar())
        widget->setRange(lower, upper);
}

void CProgressCtrl::SetPos(int position)
{
    if (QProgressBar* widget = bar())
        widget->setValue(position);
}

} // namespace kestra::ui
