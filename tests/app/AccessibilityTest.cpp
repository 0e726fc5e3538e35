// SPDX-License-Identifier: Apache-2.0
// What a screen reader or UI automation gets from the windows, asked the way
// they ask (through QAccessible), over many windows built and torn down in one
// process, as in a session with the tool.

#include "app/AppState.h"
#include "app/MainDialog.h"
#include "app/ShellTexts.h"
#include "app/StartupSettings.h"
#include "dialogs/camera/CameraDialog.h"
#include "dialogs/sms/SmsDialog.h"
#include "dialogs/smtp/SmtpDialog.h"
#include "support/AnnouncedName.h"
#include "support/ScriptedDialog.h"
#include "support/TestServices.h"
#include "ui/ControlWidgets.h"
#include "ui/SampleTemplate.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QDialog>
#include <QLabel>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace kestra::test {
namespace {

using ui::CDialog;
using ui::ControlKind;

struct WindowKind {
    const char* name;
    std::function<std::unique_ptr<CDialog>(TestServices&)> open;
};

const WindowKind kWindows[] = {
    {"sample",
     [](TestServices& fakes) -> std::unique_ptr<CDialog> {
         auto dialog = std::make_unique<ScriptedDialog>(SampleTemplate(), fakes);
         dialog->Create();
         return dialog;
     }},
    {"main",
     [](TestServices& fakes) -> std::unique_ptr<CDialog> {
         fakes.systemLanguage.languageId = 0x0409;
         RestoreSettings(fakes.registry, 0x0409);
         auto dialog = std::make_unique<CMainDialog>(fakes.services());
         dialog->Create();
         return dialog;
     }},
    {"camera",
     [](TestServices& fakes) -> std::unique_ptr<CDialog> {
         g_languageIndex = kLanguageEnglish;
         auto dialog = std::make_unique<CCameraDialog>(fakes.services(), CurrentSession());
         dialog->Create();
         return dialog;
     }},
    {"smtp",
     [](TestServices& fakes) -> std::unique_ptr<CDialog> {
         g_languageIndex = kLanguageEnglish;
         auto dialog = std::make_unique<CSmtpDialog>(fakes.services(), CurrentSession());
         dialog->Create();
         return dialog;
     }},
    {"sms",
     [](TestServices& fakes) -> std::unique_ptr<CDialog> {
         g_languageIndex = kLanguageEnglish;
         auto dialog = std::make_unique<CSmsDialog>(fakes.services(), CurrentSession());
         dialog->Create();
         return dialog;
     }},
};

const QLabel* labelOf(const QWidget* control)
{
    for (const QLabel* label : control->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->buddy() == control)
            return label;
    }
    return nullptr;
}

// The name a control should be announced with: the name the window gave it,
// else the text of its label, else a button's caption. Empty when Qt has no
// way to announce one (a list without a label: Qt on Linux reads a list's
// own accessible name nowhere, which is why CDialog::SetAccessibleName gives
// such a list a hidden label).
QString expectedName(const QWidget* control)
{
    const bool list = qobject_cast<const QComboBox*>(control) != nullptr;
    if (!list && !control->accessibleName().isEmpty())
        return control->accessibleName();
    if (const QLabel* label = labelOf(control))
        return ui::StripMnemonic(label->text());
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return ui::StripMnemonic(button->text());
    return {};
}

std::vector<QWidget*> inputsAndButtons(const CDialog& dialog)
{
    std::vector<QWidget*> controls;
    for (const ui::ControlTemplate& control : dialog.dialogTemplate().controls) {
        if (control.kind == ControlKind::Static || control.kind == ControlKind::GroupBox
            || control.kind == ControlKind::Icon)
            continue;
        if (QWidget* widget = dialog.Control(control.id))
            controls.push_back(widget);
    }
    return controls;
}

// Qt drops a widget's accessible interface when the widget's destroyed()
// signal reaches its cache. An interface that outlives its widget is handed to
// the next widget of the same class allocated at that address, and a screen
// reader asking that widget's name crashes inside Qt.
TEST(Accessibility, InterfacesGoWithTheirWindow)
{
    for (const WindowKind& kind : kWindows) {
        SCOPED_TRACE(kind.name);
        std::vector<std::pair<QString, QAccessible::Id>> ids;
        {
            TestServices fakes;
            const std::unique_ptr<CDialog> dialog = kind.open(fakes);
            for (QWidget* widget : dialog->widget()->findChildren<QWidget*>()) {
                QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
                ASSERT_NE(iface, nullptr) << widget->objectName().toStdString();
                ids.emplace_back(widget->objectName(), QAccessible::uniqueId(iface));
            }
            ASSERT_FALSE(ids.empty());
        }
        for (const auto& [name, id] : ids)
            EXPECT_EQ(QAccessible::accessibleInterface(id), nullptr) << name.toStdString();
    }
}

TEST(Accessibility, EveryControlKeepsItsNameOverManyWindows)
{
    constexpr int kCycles = 90;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        const WindowKind& kind = kWindows[cycle % std::size(kWindows)];
        SCOPED_TRACE(testing::Message() << kind.name << " window, cycle " << cycle);
        TestServices fakes;
        const std::unique_ptr<CDialog> dialog = kind.open(fakes);

        // Every widget of the window, labels and the lists' inner parts too.
        for (QWidget* widget : dialog->widget()->findChildren<QWidget*>()) {
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
            ASSERT_NE(iface, nullptr) << widget->objectName().toStdString();
            ASSERT_EQ(iface->object(), widget) << widget->objectName().toStdString();
        }
        for (QWidget* control : inputsAndButtons(*dialog)) {
            if (const QString expected = expectedName(control); !expected.isEmpty()) {
                ASSERT_EQ(AnnouncedName(control), expected) << control->objectName().toStdString();
            }
        }
    }
}

TEST(Accessibility, WindowsAreNamedByTheirLabels)
{
    struct Case {
        int window;
        int id;
        const char* name;
    };
    const Case cases[] = {
        {1, MainControl::LanguageList, "Select Language"}, // a list: through its Label relation
        {1, MainControl::ModelList, "Camera Model"},
        {1, MainControl::CameraButton, "Camera Setting"},
        {2, 1013, "Mode"},
        {2, 1044, "PIR Interval"},
        {2, 1030, "Set Clock"},
        {2, 1047, "Timer2 Stop: Min"}, // a name of its own: its labels are shared
        {2, 1064, "Folder"},
        {2, 1036, "Serial No. 3"}, // a list without a label of its own
    };
    TestServices fakes;
    std::unique_ptr<CDialog> open[std::size(kWindows)];
    for (const Case& c : cases) {
        if (!open[c.window])
            open[c.window] = kWindows[c.window].open(fakes);
        EXPECT_EQ(AnnouncedName(open[c.window]->Control(c.id)), QString::fromUtf8(c.name))
            << kWindows[c.window].name << " " << c.id;
    }
}

} // namespace
} // namespace kestra::test
