// SPDX-License-Identifier: Apache-2.0
#include "dialogs/mms/MmsDialog.h"

#include "dialogs/mms/MmsDialogIds.h"
#include "filecheck/SettingsFileCheck.h"
#include "formats/mms/MmsCatalogue.h"
#include "formats/mms/MmsFile.h"
#include "formats/mms/MmsSave.h"
#include "storage/SettingsBlockFile.h"
#include "storage/SettingsFileIo.h"
#include "support/CheckedRecords.h"
#include "support/SettingsWindowTest.h"
#include "support/WidgetDriver.h"
#include "ui/BalloonTip.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
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

using namespace mms_ids;

const QString kSaved = QStringLiteral("Save All Parameters To MMS Setting File");

Session SessionOf(int language)
{
    return Session{language, language, 0};
}

using test::MustPass;

// mms.dat of `stored` as another tool may have written it: the header of the
// checked record, the texts of `stored` as they are. A preset-mode file whose
// parameters are not the catalogue's is one no save step writes.
QByteArray ForeignMmsFile(const MmsSettings& stored)
{
    std::array<QByteArray, kMmsTextFields.size() + 1> texts; // block 10 is empty
    for (std::size_t i = 0; i < kMmsTextFields.size(); ++i)
        texts[i] = stored.*kMmsTextFields[i].member;
    return BuildBlockFile(ReadHeaderBlock(BuildMmsFile(MustPass(stored))), texts, true);
}

// The file of the window's start record with a phone number: a sound mms.dat.
QByteArray StartFile()
{
    MmsSettings start = InitialMmsSettings(SessionOf(kLanguageEnglish));
    start.phone = "13800138000";
    return BuildMmsFile(MustPass(start));
}

// Every value of a record, to compare records no check need pass.
std::string Described(const MmsSettings& s)
{
    QStringList values;
    for (int value :
         {s.picturesPerDay, s.languageCode, s.tvMode, s.countryCode, s.operatorIndex, s.smsControl, s.presetFlag})
        values << QString::number(value);
    for (const MmsTextField& field : kMmsTextFields)
        values << QString::fromLatin1(field.name) + '=' + QString::fromLatin1((s.*field.member).toHex());
    return values.join(' ').toStdString();
}

class MmsDialogTest : public test::SettingsWindowTest<CMmsDialog> {
protected:
    MmsDialogTest() : SettingsWindowTest(kSelectButton, kMmsFileName) {}

    // Opens the window in `language` and points it at `folder` (the test's folder) through Select.
    CMmsDialog& Open(int language = kLanguageEnglish, const QString& folder = {})
    {
        return OpenWith(SessionOf(language), folder);
    }

    // Writes `bytes` as a file of the test's folder and loads it through Load configure.
    QString Load(const QByteArray& bytes, const QString& name = QStringLiteral("loaded.dat"))
    {
        const QString path = filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        fakes.files.answers.push_back(path);
        Click(kLoadButton);
        return path;
    }
};

TEST_F(MmsDialogTest, PhoneWithLeadingPlusSavesTheStartRecord)
{
    CMmsDialog& window = Open();
    EXPECT_EQ(window.GetWindowText(), "Kestra T870N");
    EXPECT_TRUE(Field(kPhone2Field)->isReadOnly());
    EXPECT_TRUE(Field(kUrlField)->isReadOnly());
    Retype(kPhoneField, QStringLiteral("+861380013800"));
    EXPECT_FALSE(Field(kPhone2Field)->isReadOnly()) << "a phone of five or more opens phone2";

    Click(kSaveButton);

    MmsSettings expected = InitialMmsSettings(SessionOf(kLanguageEnglish));
    expected.phone = "+861380013800";
    const QByteArray file = SavedFile();
    EXPECT_EQ(file, BuildMmsFile(MustPass(expected)));
    EXPECT_EQ(file.left(11).toHex(' '), "00 00 00 00 00 20 00 10 40 00 50");
    EXPECT_TRUE(CheckSettingsFile(SettingsFileKind::Mms, file).clean());
    EXPECT_EQ(fakes.messages.texts(), QStringList{kSaved});
    EXPECT_FALSE(window.IsEnded()) << "Save leaves the window open";
}

TEST_F(MmsDialogTest, ThirtyThirdPhoneCharacterEmptiesPhoneAndPhone2)
{
    Open();
    Retype(kPhoneField, QStringLiteral("13800"));
    Retype(kPhone2Field, QStringLiteral("13900"));
    test::typeText(Field(kPhoneField), QString(27, u'1'));
    EXPECT_TRUE(fakes.messages.empty()) << "32 characters are allowed";
    test::typeText(Field(kPhoneField), QStringLiteral("2"));
    EXPECT_EQ(fakes.messages.texts(), QStringList{QStringLiteral("The max number of phone 32!")});
    EXPECT_EQ(Field(kPhoneField)->text(), "");
    EXPECT_EQ(Field(kPhone2Field)->text(), "");
    EXPECT_TRUE(Field(kPhone2Field)->isReadOnly());
}

TEST_F(MmsDialogTest, Phone2StaysWhileTheOtherRecipientStillOpensIt)
{
    // Clearing the e-mail must not wipe a second number the phone still allows.
    Open();
    Retype(kPhoneField, QStringLiteral("13800138000"));
    Retype(kPhone2Field, QStringLiteral("13900139000"));
    Retype(kEmailField, QStringLiteral("a"));
    Field(kEmailField)->clear();
    EXPECT_EQ(Field(kPhone2Field)->text(), "13900139000");
    EXPECT_FALSE(Field(kPhone2Field)->isReadOnly());

    // And the other way round: an address keeps phone2 open when the phone goes.
    Retype(kEmailField, QStringLiteral("a@b.cn"));
    Field(kPhoneField)->clear();
    EXPECT_EQ(Field(kPhone2Field)->text(), "13900139000");
    Retype(kEmailField, QStringLiteral("a@b"));
    EXPECT_EQ(Field(kPhone2Field)->text(), "");
    EXPECT_TRUE(Field(kPhone2Field)->isReadOnly());
}

// Numbers as people write them, with blanks or dashes between the groups:
// the camera dials digits only (a "+" may lead the phone; the second number
// may hold "+" anywhere), so the window refuses each such form with the
// field's message, saves nothing, and saves the same number written whole.
TEST_F(MmsDialogTest, PhoneNumbersWithBlanksOrDashesAreRefused)
{
    const QString phoneDigits = QStringLiteral("Only numbers(+) are allowed phone number");
    const QString phone2Format = QStringLiteral("Please check the phone number or email address");
    struct Case {
        int id;
        const char* typed;
        QString refusal; // empty: saved as typed
    };
    const Case cases[] = {
        {kPhoneField, "138-0013-8000", phoneDigits},
        {kPhoneField, "138 0013 8000", phoneDigits},
        {kPhoneField, "+86 138 0013 8000", phoneDigits},
        {kPhoneField, "+86-13800138000", phoneDigits},
        {kPhoneField, "13800138000 ", phoneDigits},
        {kPhoneField, " 13800138000", phoneDigits},
        {kPhoneField, "+8613800138000", {}},
        {kPhone2Field, "139-0013-9000", phone2Format},
        {kPhone2Field, "139 0013 9000", phone2Format},
        {kPhone2Field, "+86 139 0013 9000", phone2Format},
        {kPhone2Field, "+8613900139000", {}},
    };
    for (const Case& c : cases) {
        const std::string name = std::string(c.id == kPhoneField ? "phone " : "phone2 ") + "\"" + c.typed + "\"";
        QFile::remove(filePath(QString::fromLatin1(kMmsFileName))); // an earlier case's
        Open();
        Retype(kPhoneField, QStringLiteral("13800138000")); // opens the second number
        Retype(c.id, QString::fromLatin1(c.typed));
        ASSERT_EQ(Field(c.id)->text(), QString::fromLatin1(c.typed)) << name;
        fakes.messages.clear();
        Click(kSaveButton);
        if (c.refusal.isEmpty()) {
            EXPECT_EQ(fakes.messages.texts(), QStringList{kSaved}) << name;
            MmsSettings expected = InitialMmsSettings(SessionOf(kLanguageEnglish));
            expected.phone = "13800138000";
            (c.id == kPhoneField ? expected.phone : expected.phone2) = c.typed;
            EXPECT_EQ(SavedFile(), BuildMmsFile(MustPass(expected))) << name;
        } else {
            EXPECT_EQ(fakes.messages.texts(), QStringList{c.refusal}) << name;
            EXPECT_TRUE(SavedFile().isEmpty()) << name << ": written";
        }
    }
}

TEST_F(MmsDialogTest, PicturesPerDayOutsideTheRangeFallsBackToZero)
{
    for (const char* typed : {"100", "-5"}) {
        Open();
        fakes.messages.clear();
        Retype(kPhoneField, QStringLiteral("13800138000"));
        // Pasted whole: typed, the lone "-" would fail the integer exchange first.
        dialog().Edit(kPicturesField).SetWindowText(QString::fromLatin1(typed));
        ASSERT_EQ(fakes.messages.count(), 1) << typed;
        EXPECT_EQ(fakes.messages.last().text, QStringLiteral("Please enter an integer between 0 and 99!")) << typed;
        EXPECT_EQ(Field(kPicturesField)->text(), "0") << typed;
        fakes.messages.clear();
        Click(kSaveButton);
        EXPECT_EQ(fakes.messages.texts(), QStringList{kSaved}) << typed;
        EXPECT_EQ(SavedFile().left(5).toHex(), "0000000000") << typed;
    }
}

TEST_F(MmsDialogTest, ModeSwitchEmptiesTheTextsAndSetsTheLists)
{
    Open();
    // Picking the mode already shown keeps what was typed.
    Retype(kPhoneField, QStringLiteral("13800138000"));
    Retype(kEmailField, QStringLiteral("me@example.com"));
    Retype(kPhone2Field, QStringLiteral("13900139000"));
    Pick(kModeList, 0);
    EXPECT_EQ(Field(kPhoneField)->text(), "13800138000");
    EXPECT_EQ(Field(kEmailField)->text(), "me@example.com");
    EXPECT_EQ(Field(kPhone2Field)->text(), "13900139000");
    EXPECT_FALSE(Field(kPhone2Field)->isReadOnly());

    Pick(kModeList, 1);
    EXPECT_EQ(Entries(kCountryList), QStringList{"Customer"});
    EXPECT_FALSE(List(kCountryList)->isEnabled());
    EXPECT_FALSE(List(kOperatorList)->isEnabled());
    EXPECT_EQ(Field(kUrlField)->text(), "");
    EXPECT_FALSE(Field(kUrlField)->isReadOnly());
    for (int id : {kUrlField, kApnField, kGatewayField, kPortField, kPhoneField, kEmailField})
        Retype(id, QStringLiteral("1.2.3.4"));
    Retype(kPhone2Field, QStringLiteral("5.6.7.8"));

    Pick(kModeList, 1);
    EXPECT_EQ(Field(kUrlField)->text(), "1.2.3.4") << "the custom mode picked again";
    Pick(kModeList, 0);
    for (int id : {kPhoneField, kEmailField, kPhone2Field})
        EXPECT_EQ(Field(id)->text(), "") << id;
    EXPECT_TRUE(Field(kPhone2Field)->isReadOnly());
    EXPECT_EQ(List(kCountryList)->currentIndex(), kMmsChinaIndex);
    EXPECT_TRUE(List(kOperatorList)->isEnabled());
    EXPECT_EQ(Field(kUrlField)->text(), MmsOperatorPreset(kMmsChinaIndex, 0).url);
    EXPECT_TRUE(Field(kUrlField)->isReadOnly());
}

TEST_F(MmsDialogTest, ChinaIsNamedInTheInterfaceLanguageUnlessLoaded)
{
    Open(kLanguageChinese);
    const QStringList chinese{QStringLiteral("中国移动"), QStringLiteral("中国联通")};
    EXPECT_EQ(Entries(kOperatorList), chinese);
    EXPECT_EQ(List(kCountryList)->itemText(kMmsChinaIndex), QStringLiteral("中国"));
    Pick(kCountryList, 0);
    EXPECT_EQ(Entries(kOperatorList), (QStringList{"Optus", "Telstra", "Mic1"}));
    Pick(kCountryList, kMmsChinaIndex);
    EXPECT_EQ(Entries(kOperatorList), chinese);

    MmsSettings stored = InitialMmsSettings(SessionOf(kLanguageChinese));
    stored.operatorIndex = 1;
    ApplyMmsPreset(stored, kMmsChinaIndex, 1);
    stored.phone = "13800138000";
    Load(BuildMmsFile(MustPass(stored)));
    EXPECT_EQ(Entries(kOperatorList), (QStringList{"China Mobile", "China Unicom"}));
    EXPECT_EQ(List(kOperatorList)->currentIndex(), 1);
    EXPECT_TRUE(fakes.messages.empty());
}

TEST_F(MmsDialogTest, PresetModeSavesTheCataloguePresetOverLoadedParameters)
{
    MmsSettings stored = InitialMmsSettings(SessionOf(kLanguageEnglish));
    stored.countryCode = 10; // Deutschland, T-Mobile
    stored.operatorIndex = 1;
    stored.url = "http://old.example/mms";
    stored.account.clear();
    stored.phone = "491701234567";
    Open();
    Load(ForeignMmsFile(stored));
    EXPECT_EQ(Field(kUrlField)->text(), "http://old.example/mms");
    EXPECT_EQ(Entries(kOperatorList), (QStringList{"Vodafone", "T-Mobile", "E-Plus"}));

    Click(kSaveButton);
    MmsSettings expected = stored;
    ApplyMmsPreset(expected, 10, 1);
    EXPECT_EQ(SavedFile(), BuildMmsFile(MustPass(expected)));
    EXPECT_EQ(Field(kUrlField)->text(), MmsOperatorPreset(10, 1).url) << "the window shows what was saved";
}

struct RoundTripCase {
    const char* name;
    int savedMode;  // the mode list position the file is saved in
    int loaderMode; // the mode of the window that loads it
};

class MmsDialogRoundTrip : public MmsDialogTest, public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(MmsDialogRoundTrip, SavedFileLoadsAndSavesToTheSameBytes)
{
    const RoundTripCase& c = GetParam();
    Open(kLanguageGerman);
    Pick(kModeList, c.savedMode);
    if (c.savedMode == 0) {
        Pick(kCountryList, 40);
        Pick(kOperatorList, 3);
    } else {
        Retype(kUrlField, QStringLiteral("http://mms.example.net/servlets/mms"));
        Retype(kApnField, QStringLiteral("mms.example"));
        Retype(kGatewayField, QStringLiteral("10.0.0.172"));
        Retype(kPortField, QStringLiteral("9201"));
        Retype(kAccountField, QStringLiteral("wap"));
        Retype(kPasswordField, QStringLiteral("secret"));
    }
    Retype(kPicturesField, QStringLiteral("37"));
    Pick(kSmsControlList, 3);
    Retype(kPhoneField, QStringLiteral("+441234567890"));
    Retype(kEmailField, QStringLiteral("cam@example.com"));
    Retype(kPhone2Field, QStringLiteral("other@example.com"));
    Click(kSaveButton);
    const QByteArray first = SavedFile();
    ASSERT_EQ(first.size(), kMmsFileSize) << fakes.messages.texts().join('|').toStdString();
    EXPECT_TRUE(CheckSettingsFile(SettingsFileKind::Mms, first).clean());

    QTemporaryDir other;
    Open(kLanguageGerman, other.path());
    Pick(kModeList, c.loaderMode);
    Load(first, QStringLiteral("mms.dat"));
    EXPECT_EQ(List(kModeList)->currentIndex(), c.savedMode) << "the window takes the file's mode";
    EXPECT_EQ(List(kCountryList)->isEnabled(), c.savedMode == 0);
    EXPECT_EQ(Field(kUrlField)->isReadOnly(), c.savedMode == 0);
    EXPECT_EQ(Field(kPicturesField)->text(), "37");
    EXPECT_EQ(List(kSmsControlList)->currentIndex(), 3);
    EXPECT_EQ(Field(kPhone2Field)->text(), "other@example.com");
    EXPECT_FALSE(Field(kPhone2Field)->isReadOnly());
    EXPECT_EQ(Field(kLoadPathField)->text(), QDir(path()).filePath("mms.dat"));

    fakes.messages.clear();
    Click(kSaveButton);
    EXPECT_EQ(fakes.messages.texts(), QStringList{kSaved});
    EXPECT_EQ(SavedFile(other.path()).toHex(), first.toHex());
}

INSTANTIATE_TEST_SUITE_P(Modes, MmsDialogRoundTrip,
                         ::testing::Values(RoundTripCase{"PresetIntoPreset", 0, 0},
                                           RoundTripCase{"PresetIntoCustom", 0, 1},
                                           RoundTripCase{"CustomIntoCustom", 1, 1},
                                           RoundTripCase{"CustomIntoPreset", 1, 0}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(MmsDialogTest, FileThatCannotBeLoadedSaysSoAndChangesNothing)
{
    struct Case {
        const char* name;
        std::function<QString(const QString& dir)> make;
    };
    const Case cases[] = {
        {"missing", [](const QString& dir) { return QDir(dir).filePath("none.dat"); }},
        {"folder", [](const QString& dir) { return dir; }},
        {"short",
         [](const QString& dir) {
             const QString p = QDir(dir).filePath("short.dat");
             QFile f(p);
             f.open(QIODevice::WriteOnly);
             f.write(StartFile().left(700));
             return p;
         }},
        {"damaged",
         [](const QString& dir) {
             const QString p = QDir(dir).filePath("damaged.dat");
             QByteArray bytes = StartFile();
             bytes[61] = 'x';
             QFile f(p);
             f.open(QIODevice::WriteOnly);
             f.write(bytes);
             return p;
         }},
    };
    for (const Case& c : cases) {
        Open();
        Pick(kModeList, 1);
        Retype(kUrlField, QStringLiteral("http://kept.example"));
        Retype(kPhoneField, QStringLiteral("13800138000"));
        const MmsSettings before = dialog().ShownSettings();
        fakes.messages.clear();
        const QString file = c.make(path());
        fakes.files.answers.push_back(file);
        Click(kLoadButton);

        ASSERT_EQ(fakes.messages.count(), 1) << c.name;
        EXPECT_TRUE(fakes.messages.last().text.contains(QDir::toNativeSeparators(file))
                    || fakes.messages.last().text.contains(file))
            << c.name << ": " << fakes.messages.last().text.toStdString();
        EXPECT_EQ(Described(dialog().ShownSettings()), Described(before)) << c.name;
        EXPECT_EQ(List(kModeList)->currentIndex(), 1) << c.name;
        EXPECT_EQ(Field(kUrlField)->text(), "http://kept.example") << c.name;
        EXPECT_EQ(Field(kLoadPathField)->text(), "") << c.name;
    }
}

// The folder field holds 80 code-page-936 bytes. A folder over them is
// refused by Select at once, with a message in the interface language that
// says what it counts; the folder the window had stays, and typing goes on.
TEST_F(MmsDialogTest, SelectTakesAFolderOfEightyBytesAndRefusesOneMore)
{
    struct Case {
        const char* name;
        int language;
        bool chinese; // the folder's name in Chinese characters (two bytes each)
        int bytes;
        const char* refusal; // part of the message, or none when taken
    };
    const Case cases[] = {
        {"letters at the limit", kLanguageGerman, false, 80, nullptr},
        {"letters one over", kLanguageGerman, false, 81, "longer than 80 bytes: 80 letters or 40 Chinese characters"},
        {"Chinese at the limit", kLanguageChinese, true, 80, nullptr},
        {"Chinese one over", kLanguageChinese, true, 81, "超过 80 字节：80 个字母或 40 个汉字"},
    };
    for (const Case& c : cases) {
        const QString start = path() + QLatin1Char('/');
        const int room = c.bytes - static_cast<int>(start.size());
        const QString folder = start + QString(c.chinese ? room / 2 : 0, QChar(0x76EE))
                               + QString(c.chinese ? room % 2 : room, QLatin1Char('a'));
        Open(c.language);
        fakes.messages.clear();
        fakes.folders.answers.push_back(folder);
        Click(kSelectButton);
        if (c.refusal) {
            ASSERT_EQ(fakes.messages.count(), 1) << c.name;
            const QString message = fakes.messages.last().text;
            EXPECT_TRUE(message.contains(folder)) << message.toStdString();
            EXPECT_TRUE(message.contains(QString::fromUtf8(c.refusal))) << message.toStdString();
            EXPECT_EQ(Field(kFolderField)->text(), path()) << c.name;
        } else {
            EXPECT_TRUE(fakes.messages.empty()) << c.name;
            EXPECT_EQ(Field(kFolderField)->text(), folder) << c.name;
        }
        fakes.messages.clear();
        Retype(kPhoneField, QStringLiteral("13800138000"));
        Retype(kPicturesField, QStringLiteral("5"));
        EXPECT_TRUE(fakes.messages.empty()) << c.name;
        EXPECT_EQ(dialog().ShownSettings().picturesPerDay, 5) << c.name;
    }
}

TEST_F(MmsDialogTest, FailedSaveNamesThePathAndConfirmsNothing)
{
    const QString missing = QDir(path()).filePath("no-such-card");
    Open(kLanguageEnglish, missing);
    Retype(kPhoneField, QStringLiteral("13800138000"));
    Click(kSaveButton);
    ASSERT_EQ(fakes.messages.count(), 1);
    EXPECT_NE(fakes.messages.last().text, kSaved);
    EXPECT_TRUE(fakes.messages.last().text.contains(missing)) // the folder as given
        << fakes.messages.last().text.toStdString();
}

TEST_F(MmsDialogTest, ClickIntoAHintedFieldShowsItsBalloon)
{
    CMmsDialog& window = Open(kLanguageChinese);
    test::showAndActivate(window.widget());
    ui::CBalloonTip* balloon = window.balloon();
    ASSERT_NE(balloon, nullptr);
    QWidget* phone = Field(kPhoneField);
    balloon->widgetAt = [phone](QPoint) { return phone; };

    const QPoint inside(5, 5);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(inside), QPointF(phone->mapToGlobal(inside)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(phone, &press);
    EXPECT_EQ(balloon->CurrentTool(), phone);
    EXPECT_EQ(balloon->Text(), QStringLiteral("注意：该手机号码可以作为短信控制号码(ex:13800013800)"));
    QElapsedTimer waited;
    waited.start();
    while (!balloon->IsVisible() && waited.elapsed() < 2000)
        test::processEvents();
    EXPECT_TRUE(balloon->IsVisible());
}

} // namespace
} // namespace kestra
