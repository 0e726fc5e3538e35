// SPDX-License-Identifier: Apache-2.0
#include "dialogs/sms/SmsDialog.h"
#include "app/AppState.h"
#include "dialogs/sms/SmsDialogIds.h"
#include "filecheck/SettingsFileCheck.h"
#include "formats/sms/SmsFile.h"
#include "storage/SettingsFileIo.h"
#include "support/SettingsWindowTest.h"
#include "support/WidgetDriver.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>

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

// (Its Lithuanian texts and every control's name: dialogs/base/EveryWindowTest.)
TEST_F(SmsDialogTest, SmsControlIsAPlainList)
{
    g_languageIndex = kLanguageLithuanian;
    Open();
    // A typed text that selected no entry would leave nothing to store.
    EXPECT_FALSE(List(kSmsControlList)->isEditable());
    EXPECT_EQ(List(kSmsControlList)->count(), 6);
    EXPECT_EQ(List(kSmsControlList)->currentText(), "NE");
}

} // namespace
} // namespace kestra
