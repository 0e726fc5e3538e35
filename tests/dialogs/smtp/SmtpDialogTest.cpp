// SPDX-License-Identifier: Apache-2.0
#include "dialogs/smtp/SmtpDialog.h"
#include "app/AppState.h"
#include "dialogs/smtp/SmtpDialogIds.h"
#include "filecheck/SettingsFileCheck.h"
#include "formats/gprs/GprsCatalogue.h"
#include "formats/gprs/GprsFile.h"
#include "formats/gprs/GprsSave.h"
#include "formats/gprs/SmtpTexts.h"
#include "formats/mms/MmsFile.h"
#include "formats/mms/MmsSave.h"
#include "formats/sms/SmsFile.h"
#include "formats/sms/SmsSave.h"
#include "storage/SettingsBlockFile.h"
#include "storage/SettingsFileIo.h"
#include "support/CheckedRecords.h"
#include "support/SettingsWindowTest.h"
#include "support/WidgetDriver.h"
#include "ui/BalloonTip.h"
#include "ui/DataExchange.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace kestra {
namespace {

using namespace smtp_ids;

const QString kEnglishSaved = QStringLiteral("Save All Parameters To GPRS Setting File");
constexpr int kCyprus = 6, kSchweiz = 31, kSwisscom = 2;

using test::MustPass;

// The mailbox values every save needs, on a stored record.
void FillMailbox(GprsSettings& stored)
{
    stored.smtpServer = "smtp.example.com";
    stored.smtpPort = "465";
    if (stored.senderEmail.isEmpty())
        stored.senderEmail = "cam@example.com";
    if (stored.senderPassword.isEmpty())
        stored.senderPassword = "secret";
    stored.recipientEmail = "me@example.com";
}

class SmtpDialogTest : public test::SettingsWindowTest<CSmtpDialog> {
protected:
    SmtpDialogTest() : SettingsWindowTest(kSelectButton, kGprsFileName) {}

    QString Text(int id) { return Field(id)->text(); }

    // What every save needs besides the GPRS access data.
    void TypeSender()
    {
        Retype(kServerField, QStringLiteral("smtp.example.com"));
        Retype(kPortField, QStringLiteral("465"));
        Retype(kSenderField, QStringLiteral("cam@example.com"));
        Retype(kSenderPasswordField, QStringLiteral("secret"));
        Retype(kRecipientField, QStringLiteral("me@example.com"));
    }
};

TEST_F(SmtpDialogTest, FreshAutoSaveWritesTheWorkedHeaderAndEmptiesTheShownPreset)
{
    Open();
    EXPECT_EQ(dialog().GetWindowText(), "Kestra T870N");
    EXPECT_EQ(Entries(kModeList), (QStringList{"Auto", "Customer"}));
    EXPECT_EQ(List(kCountryList)->count(), kGprsCountryCount);
    EXPECT_EQ(List(kCountryList)->currentText(), "China");
    EXPECT_EQ(Entries(kOperatorList), (QStringList{"China Mobile", "China Unicom"}));
    EXPECT_EQ(List(kSmsControlList)->currentText(), "Off");
    const QString chinaMobileApn = GprsOperatorPreset(kGprsChinaIndex, 0).apn;
    EXPECT_EQ(Text(kApnField), chinaMobileApn);
    EXPECT_TRUE(Field(kApnField)->isReadOnly());
    EXPECT_EQ(Field(kSenderPasswordField)->echoMode(), QLineEdit::Password);

    TypeSender();
    Click(kSaveButton);

    const QByteArray file = SavedFile();
    ASSERT_EQ(file.size(), kGprsFileSize);
    EXPECT_EQ(file.left(9).toHex(' '), "00 00 40 00 00 20 10 10 50");
    EXPECT_EQ(file.at(50), 1);
    EXPECT_TRUE(CheckSettingsFile(SettingsFileKind::Gprs, file).clean());
    EXPECT_EQ(fakes.messages.texts(), QStringList{kEnglishSaved});

    // The file has the preset; the window shows the three values emptied from
    // the next time it puts its values back.
    Click(kSelectButton); // cancelled: the default folder
    EXPECT_EQ(Text(kFolderField), CSettingsDialog::DefaultFolder());
    EXPECT_EQ(Text(kApnField), QString());
    Pick(kOperatorList, 0);
    EXPECT_EQ(Text(kApnField), chinaMobileApn);
}

TEST_F(SmtpDialogTest, EnterNeitherEndsNorSaves)
{
    Open();
    TypeSender();
    test::pressKey(Field(kRecipientField), Qt::Key_Return);
    EXPECT_FALSE(dialog().IsEnded());
    EXPECT_TRUE(SavedFile().isEmpty());
    EXPECT_EQ(Text(kSenderField), "cam@example.com");
}

TEST_F(SmtpDialogTest, OperatorWithoutAccessDataSavesEmptyBlocks)
{
    Open();
    Pick(kCountryList, kSchweiz);
    EXPECT_EQ(Entries(kOperatorList), (QStringList{"Orange", "Sunrise", "Swisscom"}));
    EXPECT_FALSE(Text(kApnField).isEmpty()) << "Orange has an APN";
    Pick(kOperatorList, kSwisscom);
    EXPECT_EQ(Text(kApnField), QString());
    TypeSender();
    Click(kSaveButton);
    const QByteArray file = SavedFile();
    ASSERT_EQ(file.size(), kGprsFileSize);
    for (int block = 1; block <= 3; ++block)
        EXPECT_EQ(file.mid(block * 60, 58), QByteArray(58, '\0')) << "block " << block;
    EXPECT_EQ(static_cast<unsigned char>(file.at(1)), 0x20) << "operator 2, nibble-swapped";

    Pick(kCountryList, kCyprus);
    EXPECT_EQ(List(kOperatorList)->count(), 1);
}

TEST_F(SmtpDialogTest, CustomerStartsTheAccountOverAndAutoRefillsChina)
{
    Open();
    TypeSender();
    Retype(kPhoneField, QStringLiteral("13900000000"));
    Retype(kPicturesField, QStringLiteral("7"));
    Pick(kCountryList, kCyprus);

    // Picking the mode already shown keeps everything typed.
    Pick(kModeList, kGprsModeAuto);
    EXPECT_EQ(Text(kSenderField), "cam@example.com");
    EXPECT_EQ(List(kCountryList)->currentIndex(), kCyprus);

    Pick(kModeList, kGprsModeCustomer);
    for (int id : {kServerField, kPortField, kSenderField, kSenderPasswordField, kRecipientField, kApnField,
                   kAccountField, kGprsPasswordField})
        EXPECT_EQ(Text(id), QString()) << id;
    EXPECT_EQ(Text(kPhoneField), "13900000000");
    EXPECT_EQ(Text(kPicturesField), "7");
    EXPECT_EQ(Text(kFolderField), path());
    EXPECT_FALSE(Field(kApnField)->isReadOnly());
    for (int id : {kCountryList, kOperatorList}) {
        EXPECT_FALSE(List(id)->isEnabled());
        EXPECT_EQ(Entries(id), QStringList{"Customer"});
    }

    Pick(kModeList, kGprsModeAuto);
    EXPECT_EQ(List(kCountryList)->currentIndex(), kGprsChinaIndex);
    EXPECT_EQ(List(kCountryList)->count(), kGprsCountryCount);
    EXPECT_TRUE(List(kCountryList)->isEnabled());
    EXPECT_EQ(Text(kApnField), GprsOperatorPreset(kGprsChinaIndex, 0).apn);
    EXPECT_TRUE(Field(kApnField)->isReadOnly());
    EXPECT_TRUE(fakes.messages.empty());
}

TEST_F(SmtpDialogTest, ChineseInterfaceNamesChinaAndItsOperatorsInChinese)
{
    g_languageIndex = kLanguageChinese;
    g_chineseChosen = 1;
    Open();
    EXPECT_EQ(List(kCountryList)->itemText(kGprsChinaIndex), "中国");
    EXPECT_EQ(Entries(kOperatorList), (QStringList{"中国移动", "中国联通"}));
    Pick(kCountryList, kCyprus);
    Pick(kCountryList, kGprsChinaIndex);
    EXPECT_EQ(Entries(kOperatorList), (QStringList{"中国移动", "中国联通"}));
    EXPECT_EQ(List(kCountryList)->count(), kGprsCountryCount);
    EXPECT_EQ(Entries(kModeList), (QStringList{"厂家设置", "自定义"}));
    EXPECT_EQ(List(kSmsControlList)->currentText(), "关闭");

    Click(kSaveButton);
    EXPECT_EQ(fakes.messages.texts(), QStringList{"请输入邮件服务器Smtp地址"});
}

// A Customer file loads back into the Customer mode with its own access data,
// so saving it again gives the same bytes (once the mailbox password, which
// the file does not give back, is typed again).
TEST_F(SmtpDialogTest, CustomerFileLoadsIntoCustomerModeAndSavesTheSameBytes)
{
    Open();
    Pick(kModeList, kGprsModeCustomer);
    TypeSender();
    Retype(kApnField, QStringLiteral("internet.example"));
    Retype(kAccountField, QStringLiteral("user"));
    Retype(kGprsPasswordField, QStringLiteral("pass"));
    Retype(kPhoneField, QStringLiteral("+4917000000"));
    Retype(kPicturesField, QStringLiteral("12"));
    Pick(kSmsControlList, 2);
    Click(kSaveButton);
    const QByteArray saved = SavedFile();
    ASSERT_EQ(saved.size(), kGprsFileSize);
    const QString savedPath = SettingsFilePath(path(), QString::fromLatin1(kGprsFileName));

    QTemporaryDir second;
    Open(second.path());
    Retype(kSenderPasswordField, QStringLiteral("stale"));
    fakes.files.answers.push_back(savedPath);
    fakes.messages.clear();
    Click(kLoadButton);
    EXPECT_TRUE(fakes.messages.empty()) << fakes.messages.texts().join('|').toStdString();
    EXPECT_EQ(Text(kLoadedPathField), savedPath);
    EXPECT_EQ(List(kModeList)->currentIndex(), kGprsModeCustomer);
    EXPECT_EQ(Entries(kCountryList), QStringList{"Customer"});
    EXPECT_FALSE(Field(kApnField)->isReadOnly());
    EXPECT_EQ(Text(kApnField), "internet.example");
    EXPECT_EQ(Text(kSenderPasswordField), QString());
    EXPECT_EQ(Text(kPicturesField), "12");
    EXPECT_EQ(List(kSmsControlList)->currentIndex(), 2);

    Retype(kSenderPasswordField, QStringLiteral("secret"));
    Click(kSaveButton);
    EXPECT_EQ(SavedFile(second.path()).toHex(' '), saved.toHex(' '));
}

TEST_F(SmtpDialogTest, AutoFileLoadsItsCountryAndOperator)
{
    GprsSettings stored;
    stored.countryIndex = kSchweiz;
    stored.operatorIndex = 1;
    stored.languageCode = kLanguageEnglish;
    stored.smsControl = 0;
    stored.senderEmail = "cam@example.com";
    stored.senderPassword = "kept out";
    stored.phoneNumber = "12345";
    FillMailbox(stored);
    ASSERT_TRUE(WriteGprsFile(path(), MustPass(stored)).ok());

    Open();
    Pick(kModeList, kGprsModeCustomer);
    fakes.files.answers.push_back(SettingsFilePath(path(), QString::fromLatin1(kGprsFileName)));
    Click(kLoadButton);
    EXPECT_EQ(List(kModeList)->currentIndex(), kGprsModeAuto);
    EXPECT_TRUE(List(kCountryList)->isEnabled());
    EXPECT_EQ(List(kCountryList)->currentIndex(), kSchweiz);
    EXPECT_EQ(List(kOperatorList)->currentText(), "Sunrise");
    EXPECT_TRUE(Field(kApnField)->isReadOnly());
    EXPECT_EQ(Text(kSenderField), "cam@example.com");
    EXPECT_EQ(Text(kSenderPasswordField), QString());
    EXPECT_EQ(List(kSmsControlList)->currentIndex(), 0);
}

// Load configure takes a file whole or not at all: another kind of settings
// file (an mms.dat has the same size), a damaged one or one with a text its
// field cannot take is turned down, saying where and why, and the window
// stays as it was.
TEST_F(SmtpDialogTest, FileOfAnotherKindOrDamagedIsTurnedDownWhole)
{
    const Session english = CurrentSession();
    // An APN longer than its field passes no check: the file is put together
    // from the header of a checked record and text blocks of its own.
    GprsSettings header;
    header.languageCode = kLanguageEnglish;
    header.smsControl = kSmsControlOff;
    header.countryIndex = kGprsChinaIndex;
    FillMailbox(header);
    std::array<QByteArray, kGprsTextFields.size() + 1> longApnTexts; // block 9 is the user name
    longApnTexts[0] = QByteArray(40, 'a');
    const QByteArray longApn = BuildBlockFile(ReadHeaderBlock(BuildGprsFile(MustPass(header))), longApnTexts, true);
    GprsSettings start = InitialGprsSettings(english);
    FillMailbox(start);
    QByteArray damaged = BuildGprsFile(MustPass(start));
    damaged[61] = 'x';
    MmsSettings mms = InitialMmsSettings(english);
    mms.phone = "13800138000";
    SmsSettings sms = InitialSmsSettings(english);
    sms.phone1 = "13800138000";
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"mms.dat", BuildMmsFile(MustPass(mms)), ""},
        {"sms.dat", BuildSmsFile(MustPass(sms)), "300 bytes"},
        {"long apn", longApn, ""},
        {"damaged", damaged, ""},
    };
    for (const Case& c : cases) {
        Open();
        TypeSender();
        const GprsSettings before = dialog().ShownSettings();
        const QString file = QDir(path()).filePath(QStringLiteral("picked.dat"));
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(c.bytes) == c.bytes.size());
        out.close();
        fakes.messages.clear();
        fakes.files.answers.push_back(file);
        Click(kLoadButton);

        ASSERT_EQ(fakes.messages.count(), 1) << c.name;
        const QString message = fakes.messages.last().text;
        EXPECT_TRUE(message.contains(file) && message.contains(QStringLiteral("Nothing was loaded"))
                    && message.contains(QString::fromUtf8(c.reason)))
            << c.name << ": " << message.toStdString();
        EXPECT_EQ(BuildGprsFile(MustPass(dialog().ShownSettings())), BuildGprsFile(MustPass(before))) << c.name;
        EXPECT_EQ(Text(kSenderField), "cam@example.com") << c.name;
        EXPECT_EQ(Text(kApnField), GprsOperatorPreset(kGprsChinaIndex, 0).apn) << c.name;
        EXPECT_EQ(Text(kLoadedPathField), QString()) << c.name;
    }
}

// China's operators carry the table's names in a loaded file, in the Chinese
// interface too; a pick in the window names them in Chinese again.
TEST_F(SmtpDialogTest, LoadedChinaFileShowsTheTableOperatorNames)
{
    GprsSettings stored;
    stored.countryIndex = kGprsChinaIndex;
    stored.operatorIndex = 1;
    stored.languageCode = kLanguageChinese;
    stored.smsControl = kSmsControlOff;
    FillMailbox(stored);
    ASSERT_TRUE(WriteGprsFile(path(), MustPass(stored)).ok());
    g_languageIndex = kLanguageChinese;
    g_chineseChosen = 1;
    Open();
    fakes.files.answers.push_back(SettingsFilePath(path(), QString::fromLatin1(kGprsFileName)));
    Click(kLoadButton);
    EXPECT_TRUE(fakes.messages.empty()) << fakes.messages.texts().join('|').toStdString();
    EXPECT_EQ(Entries(kOperatorList),
              (QStringList{GprsOperatorName(kGprsChinaIndex, 0), GprsOperatorName(kGprsChinaIndex, 1)}));
    EXPECT_EQ(List(kOperatorList)->currentIndex(), 1);
    Pick(kCountryList, kGprsChinaIndex);
    EXPECT_EQ(Entries(kOperatorList), (QStringList{"中国移动", "中国联通"}));
}

// An emptied pictures field says nothing while the user types elsewhere or
// picks from a list, keeps what it shows, and is checked at Save, in the
// interface language (English for German).
TEST_F(SmtpDialogTest, EmptiedNumberWaitsForSaveWithoutAMessagePerKeystroke)
{
    g_languageIndex = kLanguageGerman;
    Open();
    Retype(kPicturesField, QStringLiteral("7"));
    Retype(kPicturesField, QString());
    TypeSender();
    Pick(kOperatorList, 1);
    Pick(kModeList, kGprsModeCustomer);
    Retype(kApnField, QStringLiteral("internet"));
    EXPECT_TRUE(fakes.messages.empty()) << fakes.messages.texts().join('|').toStdString();
    EXPECT_EQ(Text(kPicturesField), QString());
    EXPECT_EQ(Text(kApnField), "internet");

    Click(kSaveButton);
    EXPECT_EQ(fakes.messages.texts(), QStringList{"Please enter an integer."});
    EXPECT_TRUE(SavedFile().isEmpty());
    Retype(kPicturesField, QStringLiteral("3"));
    TypeSender();
    fakes.messages.clear();
    Click(kSaveButton);
    EXPECT_EQ(fakes.messages.texts(), QStringList{kEnglishSaved});
}

// The output folder has no length limit in this window.
TEST_F(SmtpDialogTest, FolderOverEightyCharactersIsTakenAndSavedInto)
{
    const QString longFolder = path() + QLatin1Char('/') + QString(90, QLatin1Char('f'));
    ASSERT_TRUE(QDir().mkpath(longFolder));
    Open(longFolder);
    EXPECT_EQ(Text(kFolderField), longFolder);
    TypeSender();
    Click(kSaveButton);
    EXPECT_EQ(fakes.messages.texts(), QStringList{kEnglishSaved});
    EXPECT_EQ(SavedFile(longFolder).size(), kGprsFileSize);
}

TEST_F(SmtpDialogTest, FailedLoadAndFailedSaveSayWhyAndWhere)
{
    Open();
    TypeSender();
    const QString missing = QDir(path()).filePath(QStringLiteral("nowhere/gprs.dat"));
    fakes.files.answers.push_back(missing);
    Click(kLoadButton);
    ASSERT_EQ(fakes.messages.count(), 1);
    EXPECT_TRUE(fakes.messages.last().text.contains(missing)) << fakes.messages.last().text.toStdString();
    EXPECT_EQ(Text(kLoadedPathField), QString());
    EXPECT_EQ(Text(kSenderField), "cam@example.com");
    EXPECT_EQ(Text(kApnField), GprsOperatorPreset(kGprsChinaIndex, 0).apn);

    const QString noFolder = QDir(path()).filePath(QStringLiteral("no-such-folder"));
    Retype(kFolderField, noFolder);
    fakes.messages.clear();
    Click(kSaveButton);
    ASSERT_EQ(fakes.messages.count(), 1);
    EXPECT_NE(fakes.messages.last().text, kEnglishSaved);
    EXPECT_TRUE(fakes.messages.last().text.contains(noFolder)) << fakes.messages.last().text.toStdString();
    // A save that did not happen keeps the values it would have emptied.
    Click(kSelectButton);
    EXPECT_EQ(Text(kApnField), GprsOperatorPreset(kGprsChinaIndex, 0).apn);
}

TEST_F(SmtpDialogTest, PicturesPerDayOverTheLimitGoBackToZero)
{
    Open();
    TypeSender();
    Retype(kPicturesField, QStringLiteral("100"));
    EXPECT_EQ(fakes.messages.texts(), QStringList{ui::kIntegerRangeText.text(false).arg(0).arg(99)});
    EXPECT_EQ(Text(kPicturesField), "0");

    // With no number at all, Save says so and writes nothing.
    Retype(kPicturesField, QString());
    fakes.messages.clear();
    Click(kSaveButton);
    EXPECT_TRUE(SavedFile().isEmpty());
    EXPECT_FALSE(fakes.messages.texts().contains(kEnglishSaved));

    // Text typed meanwhile is not lost when a list puts the values back.
    Retype(kRecipientField, QStringLiteral("you@example.com"));
    Pick(kOperatorList, 1);
    EXPECT_EQ(Text(kRecipientField), "you@example.com");
}

// The controls' names and texts in Lithuanian: dialogs/base/EveryWindowTest.
TEST_F(SmtpDialogTest, ClickedFieldShowsItsHintInEnglishUnderALithuanianWindow)
{
    g_languageIndex = kLanguageLithuanian;
    Open();
    ASSERT_TRUE(test::showAndActivate(dialog().widget()));
    ASSERT_NE(dialog().balloon(), nullptr);
    const struct {
        int id;
        SmtpHint hint;
    } hints[] = {
        {kServerField, SmtpHint::Server}, {kPortField, SmtpHint::Port},     {kRecipientField, SmtpHint::Recipient},
        {kPhoneField, SmtpHint::Phone},   {kSenderField, SmtpHint::Sender},
    };
    for (const auto& h : hints) {
        QWidget* control = dialog().Control(h.id);
        control->setFocus();
        const QPointF local(control->width() / 2.0, control->height() / 2.0);
        QMouseEvent press(QEvent::MouseButtonPress, local, control->mapToGlobal(local), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(control, &press);
        EXPECT_EQ(dialog().balloon()->CurrentTool(), control) << h.id;
        EXPECT_EQ(dialog().balloon()->Text(), SmtpHintText(kLanguageEnglish, h.hint)) << h.id;
        // A screen reader says the hint on focus, and names the balloon by it.
        EXPECT_EQ(control->accessibleDescription(), SmtpHintText(kLanguageEnglish, h.hint)) << h.id;
        EXPECT_EQ(dialog().balloon()->window()->accessibleName(), SmtpHintText(kLanguageEnglish, h.hint)) << h.id;
    }
}

} // namespace
} // namespace kestra
