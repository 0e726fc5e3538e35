#pragma once

#include <QByteArray>
#include <QString>

namespace kestra::ui {

class CDialog;
class CWnd;
class CEdit;
class CComboBox;
class CButton;

// The platform's standard validation messages. They are Chinese in every
// interface language, as the original platform resources were.
namespace StandardMessages {
inline constexpr const char* kEnterInteger = "请键入一个整数。";
inline constexpr const char* kIntegerRange = "“请填入一个在%1和%2之间的整数。”";
inline constexpr const char* kMaxChars = "“请填入不多于%1个的字符。”";
} // namespace StandardMessages

// Caption of the platform's own messages: the program file's name.
inline constexpr const char* kFrameworkCaption = "kestra-setup";

// Thrown by Fail(); UpdateData catches it. Never escapes a dialog.
struct DataExchangeFailure {};

class CDataExchange {
public:
    CDataExchange(CDialog* dialog, bool saveAndValidate);

    bool m_bSaveAndValidate;
    CDialog* m_pDlgWnd;

    // Remembers the control being exchanged, so Fail() knows where to go.
    QWidget* PrepareCtrl(int id);
    QWidget* PrepareEditCtrl(int id);

    // Focus to the last prepared control, its text selected, and the rest of
    // the exchange abandoned (throws DataExchangeFailure).
    [[noreturn]] void Fail();

    // Shows a message in the platform's style (caption kFrameworkCaption).
    void ShowFrameworkMessage(const QString& text);

private:
    int m_lastControl = 0;
    bool m_lastIsEdit = false;
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
// limits the edit field to `maxChars` typed characters.
void DDV_MaxChars(CDataExchange* pDX, const QByteArray& value, int maxChars);
void DDV_MaxChars(CDataExchange* pDX, const QString& value, int maxChars);
// The platform's range check, message kIntegerRange.
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minValue, int maxValue);
// Selected index of a list (-1 when none).
void DDX_CBIndex(CDataExchange* pDX, int id, int& index);

} // namespace kestra::ui
