// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/TextTable.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

class QWidget;

namespace kestra::ui {

class CDialog;
class CWnd;
class CEdit;
class CComboBox;
class CButton;

// The platform's standard validation messages. The platform had them in
// Chinese only; like the tool's own messages they are Chinese in the Chinese
// interface and English in every other, so every user can read them.
inline constexpr ChineseEnglishText kEnterIntegerText{.english = "Please enter an integer.",
                                                      .chinese = "请键入一个整数。"};
// "%1" and "%2" the bounds.
inline constexpr ChineseEnglishText kIntegerRangeText{.english = "Please enter an integer between %1 and %2.",
                                                      .chinese = "“请填入一个在%1和%2之间的整数。”"};
// "%1" the limit.
inline constexpr ChineseEnglishText kMaxCharsText{.english = "Please enter no more than %1 characters.",
                                                  .chinese = "“请填入不多于%1个的字符。”"};

// Caption of the platform's own messages: the program file's name.
inline constexpr const char* kFrameworkCaption = "kestra-setup";
// Caption of the tool's own messages (g_appCaption).
inline constexpr const char* kToolCaption = "Kestra";

// The tool's own message raised by the data exchange (a typed character that
// code page 936 cannot hold) is Chinese when this returns true. The shell
// points it at its interface language; until then the message is English.
using ChineseMessagesQuery = bool (*)();
void SetToolMessageLanguage(ChineseMessagesQuery chinese);

// True when the tool's own messages are Chinese by the hook above (windows
// that know their session's language tell CDialog::SetChineseMessages instead).
bool ChineseToolMessages();

// The message for a field whose text holds `character`, which the camera's
// code page cannot store, in Chinese or English.
QString UnstorableCharacterMessage(const QString& fieldName, const QString& character, bool chinese);

// An integer as the framework reads one from a field: optional leading white
// space, an optional sign, decimal digits, optional trailing blanks, nothing
// else. A value outside the int range is no integer either.
std::optional<int> ParseFieldInteger(const QString& text);

// Thrown by Fail(); UpdateData catches it. Never escapes a dialog.
struct DataExchangeFailure {};

class CDataExchange {
public:
    CDataExchange(CDialog* dialog, bool saveAndValidate);

    bool m_bSaveAndValidate;
    CDialog* m_pDlgWnd;

    // The control being exchanged, so Fail() knows where to go.
    int m_idLastControl = 0;
    bool m_bEditLastControl = false;

    // A window that takes its fields over on every keystroke names the
    // control the user is changing (0: none, as at Save). A fault of another
    // field is then not reported: no message, no focus taken from the field
    // being typed in, and the rest of the exchange goes on. That field's
    // member keeps its last good value and its id goes into `m_pDeferred`,
    // where the window remembers it; the check runs again at Save.
    int m_idChanging = 0;
    std::vector<int>* m_pDeferred = nullptr;

    // Whether a fault of the last prepared control is reported. When not, the
    // control is noted as deferred and the caller leaves the member as it was.
    // An unfinished value (a number field emptied to type a new one) is not
    // reported while typing, not even in the field being changed.
    bool ReportFault(bool unfinished = false);
    // True when putting values back must leave control `id` alone: it shows
    // text the user typed that its member could not take.
    bool KeepsTyped(int id) const;

    // Remembers the control being exchanged and returns it. A control the
    // template lacks is a programming error: it is reported on the debug
    // output and fails the exchange.
    QWidget* PrepareCtrl(int id);
    QWidget* PrepareEditCtrl(int id);

    // Focus to the last prepared control, its text selected, and the rest of
    // the exchange abandoned (throws DataExchangeFailure).
    [[noreturn]] void Fail();

    // Shows a message in the platform's style (caption kFrameworkCaption).
    void ShowFrameworkMessage(const QString& text);
    // Shows a message of the tool's own (caption kToolCaption).
    void ShowToolMessage(const QString& text);
};

void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// Integer exchange; text that is not an integer fails with kEnterInteger and
// leaves `value` unchanged.
void DDX_Text(CDataExchange* pDX, int id, int& value);
// Text exchange as code page 936 bytes; a character the code page cannot hold
// fails with a message naming the field (its accessible name).
void DDX_Text(CDataExchange* pDX, int id, QByteArray& value);
// Plain text exchange, for texts no file carries (the clock text, the folder).
void DDX_Text(CDataExchange* pDX, int id, QString& value);
// Length limit in bytes: saving rejects a longer value with kMaxChars; loading
// limits the edit field to `maxChars` typed bytes. The QString form counts the
// text's code page 936 bytes, as the ANSI original counted.
void DDV_MaxChars(CDataExchange* pDX, const QByteArray& value, int maxChars);
void DDV_MaxChars(CDataExchange* pDX, const QString& value, int maxChars);
// The platform's range check, message kIntegerRange.
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minValue, int maxValue);
// Selected index of a list (-1 when none).
void DDX_CBIndex(CDataExchange* pDX, int id, int& index);

} // namespace kestra::ui
