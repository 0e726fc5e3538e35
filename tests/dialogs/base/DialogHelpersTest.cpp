// SPDX-License-Identifier: Apache-2.0
#include "dialogs/base/DialogHelpers.h"
#include "common/Session.h"
#include "support/TestServices.h"
#include "support/WidgetDriver.h"
#include "ui/DataExchange.h"
#include "ui/Dialog.h"

#include <QApplication>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace kestra {
namespace {

constexpr int kFieldId = 1010;

// A window with one number field checked against [minValue, maxValue], the
// way the settings windows use the range check.
class RangeWindow : public ui::CDialog {
public:
    RangeWindow(ui::Services& services, int minValue, int maxValue)
        : ui::CDialog(Template(), services), m_min(minValue), m_max(maxValue)
    {
    }

    int value = 0;

protected:
    void DoDataExchange(ui::CDataExchange* pDX) override
    {
        ui::DDX_Text(pDX, kFieldId, value);
        DDV_IntRange(pDX, value, m_min, m_max);
    }

private:
    static const ui::DialogTemplate& Template()
    {
        static const ui::DialogTemplate t{
            .resourceId = 901,
            .cx = 120,
            .cy = 60,
            .caption = "Range",
            .controls = {
                {.id = kFieldId, .kind = ui::ControlKind::Edit, .x = 10, .y = 10, .cx = 60, .cy = 12},
                {.id = 1011, .kind = ui::ControlKind::Edit, .x = 10, .y = 30, .cx = 60, .cy = 12},
            }};
        return t;
    }

    int m_min;
    int m_max;
};

struct RangeCase {
    int minValue, maxValue;
    const char* typed;
    bool accepted;
};

TEST(DDV_IntRange, AcceptsBothBoundsAndRefusesOneBeyond)
{
    const RangeCase cases[] = {
        {1, 99, "1", true}, {1, 99, "99", true},  {1, 99, "0", false}, {1, 99, "100", false}, {-5, 5, "-5", true},
        {-5, 5, "5", true}, {-5, 5, "-6", false}, {-5, 5, "6", false}, {0, 0, "0", true},     {0, 0, "1", false},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.typed << " in [" << c.minValue << ", " << c.maxValue << "]");
        test::TestServices fakes;
        RangeWindow window(fakes.services(), c.minValue, c.maxValue);
        window.Create();
        ASSERT_TRUE(test::showAndActivate(window.widget()));
        auto* field = qobject_cast<QLineEdit*>(window.Control(kFieldId));
        window.Edit(1011).SetFocus();
        field->setText(QString::fromUtf8(c.typed));

        EXPECT_EQ(window.UpdateData(true), c.accepted);
        if (c.accepted) {
            EXPECT_TRUE(fakes.messages.messages.empty());
            EXPECT_EQ(window.value, QString::fromUtf8(c.typed).toInt());
            continue;
        }
        ASSERT_EQ(fakes.messages.messages.size(), 1U);
        EXPECT_EQ(fakes.messages.messages[0].caption, "Kestra");
        EXPECT_EQ(fakes.messages.messages[0].text,
                  QStringLiteral("Please enter an integer between %1 and %2!").arg(c.minValue).arg(c.maxValue));
        // The user's text stays, selected, in the field that failed.
        EXPECT_EQ(field->text(), QString::fromUtf8(c.typed));
        EXPECT_EQ(test::focusWidget(), field);
        EXPECT_EQ(field->selectedText(), field->text());
    }
}

TEST(DDV_IntRange, SpeaksChineseOnlyForLanguage1)
{
    struct Case {
        int language;
        const char* message;
    };
    const Case cases[] = {
        {kLanguageChinese, "请输入一个介于1和12之间的值!"},
        {kLanguageEnglish, "Please enter an integer between 1 and 12!"},
        {kLanguageGerman, "Please enter an integer between 1 and 12!"},
        {kLanguageJapanese, "Please enter an integer between 1 and 12!"},
    };
    for (const Case& c : cases) {
        test::TestServices fakes;
        RangeWindow window(fakes.services(), 1, 12);
        window.SetChineseMessages(Session{.languageIndex = c.language}.chineseMessages());
        window.Create();
        window.Edit(kFieldId).SetWindowText("13");
        EXPECT_FALSE(window.UpdateData(true));
        ASSERT_EQ(fakes.messages.messages.size(), 1U);
        EXPECT_EQ(fakes.messages.messages[0].text, QString::fromUtf8(c.message));
    }
}

TEST(DDV_IntRange, ChecksNothingWhileFillingTheControls)
{
    test::TestServices fakes;
    RangeWindow window(fakes.services(), 1, 12);
    window.value = 40;
    window.Create();
    EXPECT_TRUE(window.UpdateData(false));
    EXPECT_TRUE(fakes.messages.messages.empty());
    EXPECT_EQ(window.Edit(kFieldId).GetWindowText(), "40");
}

} // namespace
} // namespace kestra
