// SPDX-License-Identifier: Apache-2.0
// The data exchange: integer and text exchange, the standard checks and their
// exact messages, Fail() (focus, selection, abandon), code page 936 bytes.

#include "SampleTemplate.h"
#include "storage/Cp936.h"
#include "support/ScriptedDialog.h"
#include "support/TestServices.h"
#include "support/WidgetDriver.h"

#include <QLineEdit>

#include <gtest/gtest.h>

namespace kestra::test {
namespace {

using namespace ui;

TEST(ParseFieldInteger, ReadsWhatTheFrameworkReads)
{
    struct Case {
        const char* text;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"0", 0},
        {"25", 25},
        {"007", 7},
        {"  7", 7},
        {"\t-3", -3},
        {"+4", 4},
        {"7 ", 7},
        {"7\t", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"-", std::nullopt},
        {"1a", std::nullopt},
        {"a1", std::nullopt},
        {"1 2", std::nullopt},
        {"0x10", std::nullopt},
        {"1.5", std::nullopt},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"１２", std::nullopt}, // full-width digits are not digits to the framework
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseFieldInteger(QString::fromUtf8(c.text)), c.value) << c.text;
}

class DataExchange : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog.exchange = [this](CDataExchange* pDX) {
            if (script)
                script(pDX);
        };
        dialog.Create();
        ASSERT_TRUE(showAndActivate(dialog.widget()));
    }

    void setText(int id, const QString& text) { dialog.Edit(id).SetWindowText(text); }
    QString text(int id) { return dialog.Edit(id).GetWindowText(); }
    QString frameworkCaption() const { return QString::fromUtf8(kFrameworkCaption); }

    TestServices fakes;
    ScriptedDialog dialog{SampleTemplate(), fakes};
    std::function<void(CDataExchange*)> script;
};

TEST_F(DataExchange, AFailedFieldTakesTheFocusSelectsItsTextAndStopsTheExchange)
{
    int hour = 1, minute = 2;
    QString phone = QStringLiteral("old");
    script = [&](CDataExchange* pDX) {
        DDX_Text(pDX, 1100, phone);
        DDX_Text(pDX, 1017, hour);
        DDX_Text(pDX, 1022, minute);
    };
    setText(1100, QStringLiteral("new"));
    setText(1017, QStringLiteral("12x"));
    setText(1022, QStringLiteral("30"));
    dialog.Edit(1100).SetFocus();

    EXPECT_FALSE(dialog.UpdateData(true));

    ASSERT_EQ(fakes.messages.count(), 1);
    EXPECT_EQ(fakes.messages.last().caption, frameworkCaption());
    EXPECT_EQ(fakes.messages.last().text, "Please enter an integer.");
    EXPECT_EQ(phone, QStringLiteral("new")); // fields before the failure were taken over
    EXPECT_EQ(hour, 1);                      // the failing value is left as it was
    EXPECT_EQ(minute, 2);                    // fields after it are abandoned
    EXPECT_EQ(focusWidget(), dialog.Control(1017));
    EXPECT_EQ(dialog.Edit(1017).edit()->selectedText(), QStringLiteral("12x"));
}

TEST_F(DataExchange, RangeCheckShowsTheBoundsAndKeepsTheValueThatFailed)
{
    struct Case {
        const char* typed;
        bool passes;
    };
    for (const Case& c : {Case{"0", true}, Case{"23", true}, Case{"24", false}, Case{"-1", false}}) {
        fakes.messages.clear();
        int hour = 99;
        script = [&](CDataExchange* pDX) {
            DDX_Text(pDX, 1017, hour);
            DDV_MinMaxInt(pDX, hour, 0, 23);
        };
        setText(1017, QString::fromLatin1(c.typed));
        EXPECT_EQ(dialog.UpdateData(true), c.passes) << c.typed;
        EXPECT_EQ(hour, QString::fromLatin1(c.typed).toInt()) << c.typed;
        if (c.passes) {
            EXPECT_TRUE(fakes.messages.empty()) << c.typed;
        } else {
            ASSERT_EQ(fakes.messages.count(), 1) << c.typed;
            EXPECT_EQ(fakes.messages.last().text, "Please enter an integer between 0 and 23.");
            EXPECT_EQ(fakes.messages.last().caption, frameworkCaption());
        }
    }

    // Putting an out-of-range value into the controls is not checked.
    fakes.messages.clear();
    int big = 99;
    script = [&](CDataExchange* pDX) {
        DDX_Text(pDX, 1017, big);
        DDV_MinMaxInt(pDX, big, 0, 23);
    };
    EXPECT_TRUE(dialog.UpdateData(false));
    EXPECT_EQ(text(1017), QStringLiteral("99"));
    EXPECT_TRUE(fakes.messages.empty());
}

TEST_F(DataExchange, LengthLimitsCountCodePage936Bytes)
{
    struct Case {
        const char* text;
        int limit;
        bool passes;
    };
    const Case cases[] = {
        {"abc", 3, true}, {"abcd", 3, false}, {"中文", 4, true}, {"中文", 3, false}, {"中a", 3, true}, {"", 0, true},
    };
    for (const Case& c : cases) {
        fakes.messages.clear();
        QByteArray bytes;
        QString plain;
        script = [&](CDataExchange* pDX) {
            DDX_Text(pDX, 1100, bytes);
            DDV_MaxChars(pDX, bytes, c.limit);
            DDX_Text(pDX, 1064, plain);
            DDV_MaxChars(pDX, plain, c.limit);
        };
        setText(1100, QString::fromUtf8(c.text));
        setText(1064, QString::fromUtf8(c.text));
        EXPECT_EQ(dialog.UpdateData(true), c.passes) << c.text;
        if (!c.passes) {
            EXPECT_EQ(fakes.messages.texts(), QStringList{kMaxCharsText.text(false).arg(c.limit)});
            EXPECT_EQ(focusWidget(), dialog.Control(1100));
        }
        // The QString form reaches its check only when the bytes passed.
        setText(1100, QString());
        fakes.messages.clear();
        EXPECT_EQ(dialog.UpdateData(true), c.passes) << c.text << " (plain text)";
    }
}

TEST_F(DataExchange, PuttingALongTextInLimitsTypingButKeepsTheText)
{
    QString folder = QStringLiteral("/media/card/") + QString(80, QLatin1Char('f'));
    script = [&](CDataExchange* pDX) {
        DDX_Text(pDX, 1064, folder);
        DDV_MaxChars(pDX, folder, 80);
    };
    ASSERT_TRUE(dialog.UpdateData(false));
    EXPECT_EQ(text(1064), folder);
    EXPECT_EQ(dialog.Edit(1064).GetLimitText(), 80);

    QLineEdit* edit = dialog.Edit(1064).edit();
    edit->setFocus();
    edit->end(false);
    typeText(edit, QStringLiteral("x"));
    EXPECT_EQ(text(1064), folder); // no typing beyond the limit
    pressKey(edit, Qt::Key_Backspace);
    EXPECT_EQ(text(1064).size(), folder.size() - 1); // shortening is fine

    EXPECT_FALSE(dialog.UpdateData(true));
    EXPECT_EQ(fakes.messages.texts(), QStringList{"Please enter no more than 80 characters."});
}

// The platform's messages speak the window's language: Chinese in the Chinese
// interface, English in every other.
TEST_F(DataExchange, StandardMessagesFollowTheMessageLanguage)
{
    struct Case {
        const char* typed;
        int limit;
        const char* chinese;
        const char* english;
    };
    const Case cases[] = {
        {"", 2, "请键入一个整数。", "Please enter an integer."},
        {"7", 2, "“请填入一个在0和5之间的整数。”", "Please enter an integer between 0 and 5."},
        {"1", 0, "“请填入不多于0个的字符。”", "Please enter no more than 0 characters."},
    };
    for (bool chinese : {true, false}) {
        dialog.SetChineseMessages(chinese);
        for (const Case& c : cases) {
            int value = 0;
            QString plain;
            script = [&](CDataExchange* pDX) {
                DDX_Text(pDX, 1017, value);
                DDV_MinMaxInt(pDX, value, 0, 5);
                DDX_Text(pDX, 1064, plain);
                DDV_MaxChars(pDX, plain, c.limit);
            };
            setText(1017, QString::fromUtf8(c.typed));
            setText(1064, QString::fromUtf8(c.typed));
            fakes.messages.clear();
            EXPECT_FALSE(dialog.UpdateData(true));
            EXPECT_EQ(fakes.messages.texts(), QStringList{QString::fromUtf8(chinese ? c.chinese : c.english)})
                << c.typed << chinese;
        }
    }
}

// While the user types in one field, the exchange that follows each keystroke
// speaks only about that field: another field's fault waits, silently, for a
// full exchange (Save), and putting values back leaves that field's text.
TEST_F(DataExchange, AFieldNotBeingChangedWaitsSilentlyAndKeepsItsText)
{
    int hour = 1, minute = 2;
    QString phone;
    std::vector<int> deferred;
    int changing = 1100;
    script = [&](CDataExchange* pDX) {
        pDX->m_idChanging = changing;
        pDX->m_pDeferred = &deferred;
        DDX_Text(pDX, 1017, hour);
        DDV_MinMaxInt(pDX, hour, 0, 23);
        DDX_Text(pDX, 1022, minute);
        DDV_MinMaxInt(pDX, minute, 0, 59);
        DDX_Text(pDX, 1100, phone);
        DDV_MaxChars(pDX, phone, 4);
    };
    setText(1017, QString());
    setText(1022, QStringLiteral("75"));
    setText(1100, QStringLiteral("123"));
    dialog.Edit(1100).SetFocus();

    EXPECT_TRUE(dialog.UpdateData(true));
    EXPECT_TRUE(fakes.messages.empty());
    EXPECT_EQ(phone, "123") << "the exchange went on past the faults";
    EXPECT_EQ(hour, 1);
    EXPECT_EQ(focusWidget(), dialog.Control(1100));
    EXPECT_EQ(deferred, (std::vector<int>{1017, 1022}));

    hour = 5;
    minute = 6;
    EXPECT_TRUE(dialog.UpdateData(false));
    EXPECT_EQ(text(1017), QString()) << "the emptied field is not filled back";
    EXPECT_EQ(text(1022), "75");

    // The field being changed speaks, keeps the caret where the typing is,
    // and stops the exchange.
    setText(1100, QStringLiteral("12345"));
    dialog.Edit(1100).edit()->setCursorPosition(5);
    EXPECT_FALSE(dialog.UpdateData(true));
    EXPECT_EQ(fakes.messages.texts(), QStringList{"Please enter no more than 4 characters."});
    EXPECT_EQ(dialog.Edit(1100).edit()->selectedText(), QString());

    // An emptied number is not finished yet: no word while it is typed in.
    changing = 1017;
    fakes.messages.clear();
    EXPECT_TRUE(dialog.UpdateData(true));
    EXPECT_TRUE(fakes.messages.empty());

    // A full exchange reports the first waiting fault, and a field fixed
    // meanwhile is no longer kept.
    changing = 0;
    setText(1100, QStringLiteral("1"));
    setText(1017, QStringLiteral("3"));
    fakes.messages.clear();
    EXPECT_FALSE(dialog.UpdateData(true));
    EXPECT_EQ(fakes.messages.texts(), QStringList{"Please enter an integer between 0 and 59."});
    EXPECT_EQ(hour, 3);
    EXPECT_EQ(deferred, (std::vector<int>{1100, 1022})) << "1017 fixed; 1100 not reached since";
}

TEST_F(DataExchange, TypingStopsAtTheByteLimitWithChineseCountingTwo)
{
    dialog.Edit(1100).SetLimitText(4);
    QLineEdit* edit = dialog.Edit(1100).edit();
    edit->setFocus();
    typeText(edit, QStringLiteral("中"));
    typeText(edit, QStringLiteral("a"));
    typeText(edit, QStringLiteral("文")); // 5 bytes: refused
    typeText(edit, QStringLiteral("b"));
    EXPECT_EQ(text(1100), QStringLiteral("中ab"));
}

TEST_F(DataExchange, TextTravelsAsCodePage936Bytes)
{
    QByteArray bytes = QByteArray("\xD6\xD0\xCE\xC4", 4) + QByteArray("\0junk", 5);
    script = [&](CDataExchange* pDX) { DDX_Text(pDX, 1100, bytes); };
    ASSERT_TRUE(dialog.UpdateData(false));
    EXPECT_EQ(text(1100), QStringLiteral("中文")); // the record's C string ends at its zero byte

    setText(1100, QStringLiteral("Tel 中文 +86"));
    ASSERT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(bytes, QByteArray("Tel \xD6\xD0\xCE\xC4 +86"));
}

TEST_F(DataExchange, ACharacterTheCameraCannotStoreIsRefusedByName)
{
    QByteArray bytes = "keep";
    script = [&](CDataExchange* pDX) { DDX_Text(pDX, 1100, bytes); };
    for (const char* character : {"😀", "ก"}) {
        fakes.messages.clear();
        setText(1100, QStringLiteral("555 ") + QString::fromUtf8(character));
        EXPECT_FALSE(dialog.UpdateData(true)) << character;
        EXPECT_EQ(bytes, QByteArray("keep"));
        ASSERT_EQ(fakes.messages.count(), 1);
        EXPECT_EQ(fakes.messages.last().caption, QStringLiteral("Kestra"));
        EXPECT_EQ(fakes.messages.last().text,
                  QStringLiteral("The field \"Phone No 01\" contains a character the camera cannot store: \"%1\"")
                      .arg(QString::fromUtf8(character)));
        EXPECT_EQ(focusWidget(), dialog.Control(1100));
    }

    SetToolMessageLanguage([] { return true; });
    fakes.messages.clear();
    EXPECT_FALSE(dialog.UpdateData(true));
    EXPECT_EQ(fakes.messages.last().text, QStringLiteral("字段“Phone No 01”含有相机无法保存的字符：“ก”"));
    EXPECT_TRUE(EncodeCp936(UnstorableCharacterMessage(QStringLiteral("a"), QStringLiteral("b"), true)).has_value());
    SetToolMessageLanguage(nullptr);
}

TEST_F(DataExchange, ListIndexAndControlBinding)
{
    CComboBox mode = dialog.Combo(1013);
    for (const char* entry : {"Camera", "Video", "Camera+Video"})
        mode.AddString(QString::fromLatin1(entry));

    CComboBox bound;
    int index = 0;
    script = [&](CDataExchange* pDX) {
        DDX_Control(pDX, 1013, bound);
        DDX_CBIndex(pDX, 1013, index);
    };
    struct Case {
        int put;
        int shown;
    };
    for (const Case& c : {Case{1, 1}, Case{-1, -1}, Case{3, -1}, Case{2, 2}}) {
        index = c.put;
        ASSERT_TRUE(dialog.UpdateData(false));
        EXPECT_EQ(mode.GetCurSel(), c.shown) << c.put;
        ASSERT_TRUE(dialog.UpdateData(true));
        EXPECT_EQ(index, c.shown) << c.put;
    }
    EXPECT_EQ(bound.widget(), dialog.Control(1013));
}

TEST_F(DataExchange, AControlTheTemplateLacksFailsTheExchange)
{
    int value = 0;
    script = [&](CDataExchange* pDX) { DDX_Text(pDX, 4242, value); };
    EXPECT_FALSE(dialog.UpdateData(true));
    EXPECT_TRUE(fakes.messages.empty());
}

} // namespace
} // namespace kestra::test
