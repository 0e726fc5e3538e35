// SPDX-License-Identifier: Apache-2.0
#include "ui/DataExchange.h"

#include "storage/Cp936.h"
#include "ui/ControlWidgets.h"
#include "ui/Dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtDebug>

#include <algorithm>
#include <limits>

namespace kestra::ui {

namespace {

// Why a global: the data exchange's standard messages are the framework's,
// raised deep inside DDX_/DDV_ calls that have no session to ask, and the
// language they follow is the shell's one interface language. The shell sets
// the query once at start-up (SetToolMessageLanguage); it is read on the GUI
// thread only and holds no state of its own, so nothing can go stale.
ChineseMessagesQuery g_chineseToolMessages = nullptr;

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

} // namespace

void SetToolMessageLanguage(ChineseMessagesQuery chinese)
{
    g_chineseToolMessages = chinese;
}

bool ChineseToolMessages()
{
    return g_chineseToolMessages && g_chineseToolMessages();
}

QString UnstorableCharacterMessage(const QString& fieldName, const QString& character, bool chinese)
{
    if (chinese)
        return QStringLiteral("字段“%1”含有相机无法保存的字符：“%2”").arg(fieldName, character);
    return QStringLiteral("The field \"%1\" contains a character the camera cannot store: \"%2\"")
        .arg(fieldName, character);
}

std::optional<int> ParseFieldInteger(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    const qsizetype firstDigit = i;
    long long value = 0;
    for (; i < n && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'); ++i) {
        value = value * 10 + (text.at(i).unicode() - '0');
        // The original stored a clamped value here without a word; a number
        // that does not fit is refused instead.
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    if (i == firstDigit)
        return std::nullopt;
    while (i < n && isBlank(text.at(i)))
        ++i;
    if (i != n)
        return std::nullopt;
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return std::nullopt;
    return static_cast<int>(value);
}

CDataExchange::CDataExchange(CDialog* dialog, bool saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog)
{
}

QWidget* CDataExchange::PrepareCtrl(int id)
{
    QWidget* control = m_pDlgWnd->Control(id);
    m_idLastControl = id;
    m_bEditLastControl = false;
    if (m_bSaveAndValidate && m_pDeferred) // taken over again: a fault is noted anew
        std::erase(*m_pDeferred, id);
    if (!control) {
        qWarning("Dialog %d: the data exchange names control %d, which the template lacks",
                 m_pDlgWnd->dialogTemplate().resourceId, id);
        m_idLastControl = 0;
        throw DataExchangeFailure{};
    }
    return control;
}

QWidget* CDataExchange::PrepareEditCtrl(int id)
{
    QWidget* control = PrepareCtrl(id);
    m_bEditLastControl = true;
    return control;
}

bool CDataExchange::ReportFault(bool unfinished)
{
    if (!m_bSaveAndValidate || m_idChanging == 0 || (m_idLastControl == m_idChanging && !unfinished))
        return true;
    if (m_pDeferred && m_idLastControl != 0 && std::ranges::find(*m_pDeferred, m_idLastControl) == m_pDeferred->end())
        m_pDeferred->push_back(m_idLastControl);
    return false;
}

bool CDataExchange::KeepsTyped(int id) const
{
    return !m_bSaveAndValidate && m_pDeferred && std::ranges::find(*m_pDeferred, id) != m_pDeferred->end();
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_idLastControl != 0) {
        // The member did not take the field's text; putting values back
        // leaves that text for the user to correct.
        if (m_pDeferred && std::ranges::find(*m_pDeferred, m_idLastControl) == m_pDeferred->end())
            m_pDeferred->push_back(m_idLastControl);
        if (QWidget* control = m_pDlgWnd->Control(m_idLastControl)) {
            control->setFocus(Qt::OtherFocusReason);
            // Selecting the text invites retyping it; in the middle of typing
            // it would make the next keystroke replace the whole field.
            if (m_bEditLastControl && m_idChanging == 0) {
                if (auto* edit = qobject_cast<QLineEdit*>(control))
                    edit->selectAll();
                else if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit())
                    combo->lineEdit()->selectAll();
            }
        }
    }
    throw DataExchangeFailure{};
}

void CDataExchange::ShowFrameworkMessage(const QString& text)
{
    m_pDlgWnd->services().messages.showMessage(QString::fromUtf8(kFrameworkCaption), text);
}

void CDataExchange::ShowToolMessage(const QString& text)
{
    m_pDlgWnd->services().messages.showMessage(QString::fromUtf8(kToolCaption), text);
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    QWidget* widget = pDX->PrepareCtrl(id);
    if (!control.isBound())
        control.attach(widget);
}

void DDX_Text(CDataExchange* pDX, int id, int& value)
{
    CWnd field(pDX->PrepareEditCtrl(id));
    if (!pDX->m_bSaveAndValidate) {
        if (!pDX->KeepsTyped(id))
            field.SetWindowText(QString::number(value));
        return;
    }
    const QString text = field.GetWindowText();
    const std::optional<int> parsed = ParseFieldInteger(text);
    if (!parsed) {
        if (!pDX->ReportFault(text.trimmed().isEmpty()))
            return;
        pDX->ShowFrameworkMessage(kEnterIntegerText.text(pDX->m_pDlgWnd->ChineseMessages()));
        pDX->Fail();
    }
    value = *parsed;
}

void DDX_Text(CDataExchange* pDX, int id, QByteArray& value)
{
    QWidget* control = pDX->PrepareEditCtrl(id);
    CWnd field(control);
    if (!pDX->m_bSaveAndValidate) {
        if (pDX->KeepsTyped(id))
            return;
        // The records hold C strings: the text ends at the first zero byte.
        const qsizetype end = value.indexOf('\0');
        field.SetWindowText(DecodeCp936(end < 0 ? QByteArrayView(value) : QByteArrayView(value).first(end)));
        return;
    }
    const QString text = field.GetWindowText();
    const std::optional<QByteArray> bytes = EncodeCp936(text);
    if (!bytes) {
        if (!pDX->ReportFault())
            return;
        pDX->ShowToolMessage(UnstorableCharacterMessage(ControlLabel(control),
                                                        FirstNonCp936Character(text).value_or(QString()),
                                                        pDX->m_pDlgWnd->ChineseMessages()));
        pDX->Fail();
    }
    value = *bytes;
}

void DDX_Text(CDataExchange* pDX, int id, QString& value)
{
    CWnd field(pDX->PrepareEditCtrl(id));
    if (pDX->m_bSaveAndValidate)
        value = field.GetWindowText();
    else if (!pDX->KeepsTyped(id))
        field.SetWindowText(value);
}

namespace {

void checkMaxChars(CDataExchange* pDX, int length, int maxChars)
{
    if (pDX->m_bSaveAndValidate && length > maxChars && pDX->ReportFault()) {
        pDX->ShowFrameworkMessage(kMaxCharsText.text(pDX->m_pDlgWnd->ChineseMessages()).arg(maxChars));
        pDX->Fail();
    }
    if (pDX->m_idLastControl != 0 && pDX->m_bEditLastControl) {
        QWidget* control = pDX->m_pDlgWnd->Control(pDX->m_idLastControl);
        QLineEdit* field = qobject_cast<QLineEdit*>(control);
        if (auto* combo = qobject_cast<QComboBox*>(control))
            field = combo->lineEdit(); // the edit field of a drop-down with one
        if (field)
            EditInputRules::of(field)->setByteLimit(std::max(0, maxChars));
    }
}

} // namespace

void DDV_MaxChars(CDataExchange* pDX, const QByteArray& value, int maxChars)
{
    const qsizetype end = value.indexOf('\0');
    checkMaxChars(pDX, static_cast<int>(end < 0 ? value.size() : end), maxChars);
}

void DDV_MaxChars(CDataExchange* pDX, const QString& value, int maxChars)
{
    checkMaxChars(pDX, Cp936Length(value), maxChars);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minValue, int maxValue)
{
    if (!pDX->m_bSaveAndValidate)
        return; // the framework only warns about out-of-range initial data
    if ((value < minValue || value > maxValue) && pDX->ReportFault()) {
        pDX->ShowFrameworkMessage(
            kIntegerRangeText.text(pDX->m_pDlgWnd->ChineseMessages()).arg(minValue).arg(maxValue));
        pDX->Fail();
    }
}

void DDX_CBIndex(CDataExchange* pDX, int id, int& index)
{
    CComboBox list(pDX->PrepareCtrl(id));
    if (pDX->m_bSaveAndValidate)
        index = list.GetCurSel();
    else
        list.SetCurSel(index);
}

} // namespace kestra::ui
