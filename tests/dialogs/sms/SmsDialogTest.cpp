// SPDX-License-Identifier: Apache-2.0
#include "dialogs/sms/SmsDialog.h"
#include "app/AppState.h"
#include "dialogs/sms/SmsDialogIds.h"
#include "filecheck/SettingsFileCheck.h"
#include "formats/sms/SmsFile.h"
#include "storage/SettingsFileIo.h"
#include "support/AnnouncedName.h"
#include "support/SettingsWindowTest.h"
#include "support/WidgetDriver.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace kestra {
namespace {

using namespace sms_ids;

class SmsDialogTest : public test::SettingsWindowTest<CSmsDialog> {
protected:
    SmsDialogTest() : SettingsWindowTest(kSelectButton, kSmsFileName) {}

    QString Text(int id) { return Field(id)->text(); }

    void Backspace(int id) { test::pressKey(Field(id), Qt::Key_Backspace); }
};

TEST_F(SmsDialogTest, EachNumberUnlocksTheNextOnlyWhileItIsComplete)
{
    Open();
    EXPECT_FALSE(Field(kPhone1Field)->isReadOnly());
    EXPECT_TRUE(Field(kPhone2Field)->isReadOnly());
    EXPECT_TRUE(Field(kPhone3Field)->isReadOnly());

    Retype(kPhone1Field, QStringLiteral("1234"));
    EXPECT_TRUE(Field(kPhone2Field)->isReadOnly());
    test::typeText(Field(kPhone1Field), QStringLiteral("5"));
    EXPECT_FALSE(Field(kPhone2Field)->isReadOnly());

    Retype(kPhone2Field, QStringLiteral("67890"));
    EXPECT_FALSE(Field(kPhone3Field)->isReadOnly());
    Retype(kPhone3Field, QStringLiteral("24680"));

    // Shortening the first number locks the second (keeping it) and empties the third.
    Backspace(kPhone1Field);
    EXPECT_TRUE(Field(kPhone2Field)->isReadOnly());
    EXPECT_EQ(Text(kPhone2Field), "67890");
    EXPECT_EQ(Text(kPhone3Field), QString());

    test::typeText(Field(kPhone1Field), QStringLiteral("5"));
    Retype(kPhone3Field, QStringLiteral("24680"));
    Backspace(kPhone2Field);
    EXPECT_TRUE(Field(kPhone3Field)->isReadOnly());
    EXPECT_EQ(Text(kPhone3Field), QString());
    EXPECT_TRUE(fakes.messages.empty());
}

// Each number takes its 32 bytes typed and not one more; a longer text set
// from code fails the field's check, which names the limit. The picture
// count refuses every character class but a sign in front.
TEST_F(SmsDialogTest, FieldsAtTheirLimitsAndRefusedCharacters)
{
    const QString full(32, u'1');
    const QString over(33, u'1');
    const QString integer = QStringLiteral("Please enter an integer.");
    const QString tooLong = QStringLiteral("Please enter no more than 32 characters.");
    struct Case {
        const char* name;
        int id;
        bool typed; // else set from code (pasted whole)
        QString text;
        QString shown;                             // what the field then shows
        QString message;                           // empty for none
        QByteArray SmsSettings::*member = nullptr; // the record takes the shown text
    };
    const Case cases[] = {
        {"phone 1 at the limit", kPhone1Field, true, full, full, {}, &SmsSettings::phone1},
        {"phone 1 typed over", kPhone1Field, true, over, full, {}, &SmsSettings::phone1},
        {"phone 1 set over", kPhone1Field, false, over, over, tooLong},
        {"phone 2 at the limit", kPhone2Field, true, full, full, {}, &SmsSettings::phone2},
        {"phone 2 typed over", kPhone2Field, true, over, full, {}, &SmsSettings::phone2},
        {"phone 2 set over", kPhone2Field, false, over, over, tooLong},
        {"phone 3 at the limit", kPhone3Field, true, full, full, {}, &SmsSettings::phone3},
        {"phone 3 typed over", kPhone3Field, true, over, full, {}, &SmsSettings::phone3},
        {"phone 3 set over", kPhone3Field, false, over, over, tooLong},
        {"pictures with a letter", kPicturesField, false, "1a", "1a", integer},
        {"pictures with a point", kPicturesField, false, "1.5", "1.5", integer},
        {"pictures with a space inside", kPicturesField, false, "1 5", "1 5", integer},
        {"pictures with a sign after", kPicturesField, false, "5-", "5-", integer},
        {"pictures with a sign inside", kPicturesField, false, "1+2", "1+2", integer},
        {"pictures with a sign in front", kPicturesField, false, "+7", "+7", {}},
    };
    for (const Case& c : cases) {
        Open();
        Retype(kPhone1Field, QStringLiteral("12345")); // each complete number opens the next
        Retype(kPhone2Field, QStringLiteral("12345"));
        fakes.messages.clear();
        if (c.typed)
            Retype(c.id, c.text);
        else
            dialog().Edit(c.id).SetWindowText(c.text);
        EXPECT_EQ(Text(c.id), c.shown) << c.name;
        EXPECT_EQ(fakes.messages.texts(), c.message.isEmpty() ? QStringList() : QStringList{c.message}) << c.name;
        if (c.member) {
            EXPECT_EQ(dialog().ShownSettings().*c.member, c.shown.toLatin1()) << c.name;
        }
    }
    EXPECT_EQ(dialog().ShownSettings().picturesPerDay, 7);
}

TEST_F(SmsDialogTest, EnterSavesWithTheSessionLanguageCodeAndPictures)
{
    g_languageIndex = kLanguageChinese;
    g_chineseChosen = 1;
    Open();
    EXPECT_EQ(List(kSmsControlList)->currentText(), "关闭");
    Retype(kPicturesField, QStringLiteral("12"));

    test::pressKey(Field(kPhone1Field), Qt::Key_Return);
    EXPECT_EQ(fakes.messages.texts(), QStringList{"手机号码1错误"});
    EXPECT_TRUE(SavedFile().isEmpty());

    Retype(kPhone1Field, QStringLiteral("+1234567890"));
    fakes.messages.clear();
    test::pressKey(Field(kPhone1Field), Qt::Key_Return);
    EXPECT_EQ(fakes.messages.texts(), QStringList{"短信设置文件已生成"});
    EXPECT_FALSE(dialog().IsEnded());
    const QByteArray file = SavedFile();
    ASSERT_EQ(file.size(), kSmsFileSize);
    EXPECT_EQ(file.mid(2, 4).toHex(' '), "50 10 20 10"); // Off, 1 and 2 pictures, language code 1
    EXPECT_TRUE(CheckSettingsFile(SettingsFileKind::Sms, file).clean());
}

// The folder has no length limit here, and a bad number says so once, when it
// is typed: typing elsewhere is quiet and keeps it, Save checks it again.
TEST_F(SmsDialogTest, LongFolderIsTakenAndABadNumberSpeaksOnlyWhenTypedAndAtSave)
{
    const QString longFolder = path() + QLatin1Char('/') + QString(90, QLatin1Char('f'));
    ASSERT_TRUE(QDir().mkpath(longFolder));
    Open();
    fakes.folders.answers.push_back(longFolder);
    Click(kSelectButton);
    EXPECT_EQ(Text(kFolderField), longFolder);
    const QStringList enterInteger{"Please enter an integer."};

    Retype(kPicturesField, QStringLiteral("x"));
    EXPECT_EQ(fakes.messages.texts(), enterInteger);
    EXPECT_EQ(Text(kPicturesField), "x") << "not selected for the next keystroke to replace";
    fakes.messages.clear();
    Retype(kPhone1Field, QStringLiteral("+1234567890"));
    Retype(kPhone2Field, QStringLiteral("13900"));
    EXPECT_TRUE(fakes.messages.empty());
    EXPECT_EQ(Text(kPicturesField), "x");
    EXPECT_EQ(Text(kPhone2Field), "13900");

    Click(kSaveButton);
    EXPECT_EQ(fakes.messages.texts(), enterInteger);
    Retype(kPicturesField, QStringLiteral("4"));
    fakes.messages.clear();
    Click(kSaveButton);
    EXPECT_EQ(fakes.messages.texts(), QStringList{"Save SMS configuration file"});
    EXPECT_TRUE(QFile::exists(SettingsFilePath(longFolder, QString::fromLatin1(kSmsFileName))));
}

// Without a field limit, a folder past the platform's path limit reaches the
// save, which refuses it with a message rather than cut it short.
TEST_F(SmsDialogTest, FolderPastThePlatformPathLimitIsRefusedAtSave)
{
    const QString folder = path() + QLatin1Char('/') + QString(300, QLatin1Char('x'));
    Open();
    fakes.folders.answers.push_back(folder);
    Click(kSelectButton);
    EXPECT_EQ(Text(kFolderField), folder);
    Retype(kPhone1Field, QStringLiteral("+1234567890"));
    Click(kSaveButton);
    ASSERT_EQ(fakes.messages.count(), 1);
    EXPECT_NE(fakes.messages.last().text, "Save SMS configuration file");
    EXPECT_TRUE(QDir(path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST_F(SmsDialogTest, SmsControlIsAPlainListAndEveryControlIsNamed)
{
    g_languageIndex = kLanguageLithuanian;
    Open();
    // A typed text that selected no entry would leave nothing to store.
    EXPECT_FALSE(List(kSmsControlList)->isEditable());
    EXPECT_EQ(List(kSmsControlList)->count(), 6);
    EXPECT_EQ(List(kSmsControlList)->currentText(), "NE");
    EXPECT_EQ(test::AnnouncedName(Field(kPhone1Field)), "Telefono Nr. 1");
    EXPECT_EQ(qobject_cast<QPushButton*>(dialog().Control(kSaveButton))->text(), " Save");
    for (const ui::ControlTemplate& control : dialog().dialogTemplate().controls) {
        if (control.kind == ui::ControlKind::Static || control.kind == ui::ControlKind::GroupBox)
            continue;
        EXPECT_FALSE(test::AnnouncedName(dialog().Control(control.id)).trimmed().isEmpty()) << control.id;
    }
}

} // namespace
} // namespace kestra
