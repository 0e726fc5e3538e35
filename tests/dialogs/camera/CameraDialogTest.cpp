// SPDX-License-Identifier: Apache-2.0
#include "dialogs/camera/CameraDialog.h"
#include "app/AppState.h"
#include "dialogs/camera/CameraDialogIds.h"
#include "formats/camera/CameraFile.h"
#include "storage/SettingsFileIo.h"
#include "support/CheckedRecords.h"
#include "support/SettingsWindowTest.h"
#include "support/WidgetDriver.h"
#include "ui/DataExchange.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSignalBlocker>

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

namespace kestra {
namespace {

using namespace camera_ids;

const QString kEnglishSaved = QStringLiteral("Save All Parameters To Camera Setting File");
const QString kEnglishDefaultSaved = QStringLiteral("Save All Default Parameters To Camera Setting File");

QString RangeMessage(int low, int high)
{
    return QStringLiteral("Please enter an integer between %1 and %2!").arg(low).arg(high);
}

QString PlatformRangeMessage(int low, int high)
{
    return ui::kIntegerRangeText.text(false).arg(low).arg(high);
}

class CameraDialogTest : public test::SettingsWindowTest<CCameraDialog> {
protected:
    CameraDialogTest() : SettingsWindowTest(kSelectButton, kCameraFileName) {}

    void SetUp() override
    {
        SettingsWindowTest::SetUp();
        fakes.clock.now = {2024, 3, 5, 8, 7, 6};
    }
};

// The record a save right after opening writes with the clock at 5 March 2024
// 08:07:06.
const QByteArray kWorkedRecord = QByteArray::fromHex("00000000090001000001010000000E0305080706"
                                                     "0000000000000000000200000000000000000000"
                                                     "00000000000000000000000000000000047A0D0A");

TEST_F(CameraDialogTest, SaveRightAfterOpeningWritesTheWorkedRecord)
{
    CCameraDialog& dialog = Open();
    EXPECT_EQ(Field(kClockField)->text(), "03/05/2024 08:07:06 MM/DD/YY");
    EXPECT_TRUE(Field(kClockField)->isReadOnly());
    EXPECT_EQ(dialog.GetWindowText(), "Kestra T870N");

    Click(kSaveButton);

    const QByteArray file = SavedFile();
    ASSERT_EQ(file.size(), kCameraFileSize);
    EXPECT_EQ(file.left(60).toHex(' ').toStdString(), kWorkedRecord.toHex(' ').toStdString());
    EXPECT_EQ(file.mid(60), BuildCameraFile(test::MustPass(dialog.settings())).mid(60));
    ASSERT_EQ(fakes.messages.count(), 1);
    EXPECT_EQ(fakes.messages.last().caption, "Kestra");
    EXPECT_EQ(fakes.messages.last().text, kEnglishSaved);
    EXPECT_FALSE(dialog.IsEnded()) << "Save leaves the window open";
}

TEST_F(CameraDialogTest, EnterSavesAndLeavesTheWindowOpen)
{
    CCameraDialog& dialog = Open();
    test::pressKey(List(kModeList), Qt::Key_Return);
    EXPECT_EQ(SavedFile().size(), kCameraFileSize);
    EXPECT_EQ(fakes.messages.texts(), QStringList{kEnglishSaved});
    EXPECT_FALSE(dialog.IsEnded());
}

TEST_F(CameraDialogTest, ClockOutsideTheCameraYearsIsClampedInTextAndFile)
{
    struct Case {
        int language;
        int year;
        const char* text;
        int stored;
    };
    for (const Case& c : {Case{kLanguageEnglish, 2009, "03/05/2011 08:07:06 MM/DD/YY", 1},
                          Case{kLanguageChinese, 2035, "03/05/2031 08:07:06 月/日/年", 21},
                          Case{kLanguageJapanese, 2010, "03/05/2010 08:07:06 MM/DD/YY", 0}}) {
        g_languageIndex = c.language;
        fakes.clock.now.year = c.year;
        Open();
        EXPECT_EQ(Field(kClockField)->text(), QString::fromUtf8(c.text));
        Click(kSaveButton);
        EXPECT_EQ(SavedFile().at(14), c.stored) << c.year;
    }
}

// The clock offered is the one the window was opened with, whatever the PC
// clock says by then, and it is still that one at Save.
TEST_F(CameraDialogTest, SaveWritesTheClockOfTheSessionNotOfThePc)
{
    Session session = OpeningSession(fakes.clock);
    session.pcClock = PcClock{2020, 6, 15, 10, 20, 30};
    fakes.clock.now = {2024, 3, 5, 8, 7, 6};
    OpenWith(session);
    EXPECT_EQ(Field(kClockField)->text(), "06/15/2020 10:20:30 MM/DD/YY");

    fakes.clock.now = {2025, 1, 2, 3, 4, 5};
    Click(kSaveButton);
    EXPECT_EQ(SavedFile().mid(14, 6), QByteArray::fromHex("0A060F0A141E"));
}

TEST_F(CameraDialogTest, LeapDayOutsideTheCameraYearsIsStillSaved)
{
    // The year is limited but the day is the PC's: 29 February lands in 2011
    // or 2031, which have none. The clock is no choice of the user's, so Save
    // must not be refused over it.
    struct Case {
        int year;
        const char* clockBytes;
    };
    for (const Case& c : {Case{2008, "01021D"}, Case{2032, "15021D"}}) {
        fakes.clock.now = {c.year, 2, 29, 12, 0, 0};
        Open();
        fakes.messages.clear();
        Click(kSaveButton);
        EXPECT_EQ(fakes.messages.texts(), QStringList{kEnglishSaved}) << c.year;
        EXPECT_EQ(SavedFile().mid(14, 3).toHex().toUpper(), QByteArray(c.clockBytes)) << c.year;
    }
}

struct GroupCase {
    const char* name;
    int list;
    int onPosition;
    std::vector<int> controls;
};

class CameraDialogGroups : public CameraDialogTest, public ::testing::WithParamInterface<GroupCase> {};

TEST_P(CameraDialogGroups, SwitchUnlocksAndLocksItsControls)
{
    const GroupCase& c = GetParam();
    Open();
    const auto unlocked = [&](int id) {
        if (QLineEdit* field = Field(id))
            return !field->isReadOnly();
        return List(id)->isEnabled();
    };
    for (int id : c.controls)
        EXPECT_FALSE(unlocked(id)) << c.name << " control " << id << " at start-up";
    EXPECT_EQ(List(c.list)->currentIndex(), 1 - c.onPosition) << c.name << " starts switched off";

    Pick(c.list, c.onPosition);
    for (int id : c.controls)
        EXPECT_TRUE(unlocked(id)) << c.name << " control " << id << " switched on";

    Pick(c.list, 1 - c.onPosition);
    for (int id : c.controls)
        EXPECT_FALSE(unlocked(id)) << c.name << " control " << id << " switched off";
    EXPECT_TRUE(fakes.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Groups, CameraDialogGroups,
    ::testing::Values(
        GroupCase{"Timer1", kTimer1List, 1, {kTimer1StartHour, kTimer1StartMinute, kTimer1StopHour, kTimer1StopMinute}},
        GroupCase{"Timer2", kTimer2List, 1, {kTimer2StartHour, kTimer2StartMinute, kTimer2StopHour, kTimer2StopMinute}},
        // "On" comes first in the Time Lapse list: the camera reads its byte as 0 on.
        GroupCase{"TimeLapse", kTimeLapseList, 0, {kTimeLapseHour, kTimeLapseMinute, kTimeLapseSecond}},
        GroupCase{"Serial", kSerialList, 1, {kSerialChar1, kSerialChar2, kSerialChar3, kSerialChar4}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(CameraDialogTest, LockedNumberFieldsRefuseTyping)
{
    Open();
    test::typeText(Field(kTimer1StartHour), QStringLiteral("7"));
    EXPECT_EQ(Field(kTimer1StartHour)->text(), "0");
}

struct OversizeCase {
    const char* name;
    int switchList;
    int onPosition;
    int field;
    CameraNumber number;
    const char* typed;
    QString message; // empty: accepted
    int kept;
};

class CameraDialogNumbers : public CameraDialogTest, public ::testing::WithParamInterface<OversizeCase> {};

TEST_P(CameraDialogNumbers, TypedNumberIsRangeCheckedAndTakesDigitsAlone)
{
    const OversizeCase& c = GetParam();
    CCameraDialog& dialog = Open();
    Pick(c.switchList, c.onPosition);
    QString shownWhenMessageRose;
    fakes.messages.onShow = [&](const auto&) { shownWhenMessageRose = Field(c.field)->text(); };

    Retype(c.field, QString::fromLatin1(c.typed));

    if (c.message.isEmpty()) {
        EXPECT_TRUE(fakes.messages.empty()) << c.name;
    } else {
        ASSERT_EQ(fakes.messages.count(), 1) << c.name;
        EXPECT_EQ(fakes.messages.last().text, c.message);
        EXPECT_EQ(shownWhenMessageRose, QString::fromLatin1(c.typed)) << "the message comes before the reset";
    }
    EXPECT_EQ(Field(c.field)->text(), QString::number(c.kept));
    EXPECT_EQ(dialog.number(c.number), c.kept);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CameraDialogNumbers,
    ::testing::Values(
        OversizeCase{"Hour25", kTimer1List, 1, kTimer1StartHour, CameraNumber::Timer1StartHour, "25",
                     RangeMessage(0, 23), 0},
        OversizeCase{"Hour23", kTimer1List, 1, kTimer1StopHour, CameraNumber::Timer1StopHour, "23", {}, 23},
        OversizeCase{"TimeLapseSecond60", kTimeLapseList, 0, kTimeLapseSecond, CameraNumber::TimeLapseSecond, "60",
                     RangeMessage(0, 59), 0},
        OversizeCase{
            "TimeLapseSecond59", kTimeLapseList, 0, kTimeLapseSecond, CameraNumber::TimeLapseSecond, "59", {}, 59},
        // Timer 2 runs the platform's own range check, with its own message.
        OversizeCase{"Timer2Hour24", kTimer2List, 1, kTimer2StopHour, CameraNumber::Timer2StopHour, "24",
                     PlatformRangeMessage(0, 23), 0},
        OversizeCase{"Timer2Minute60", kTimer2List, 1, kTimer2StartMinute, CameraNumber::Timer2StartMinute, "60",
                     PlatformRangeMessage(0, 59), 0},
        // Every number field takes digits alone: each other class of
        // character typed into one is refused as it is typed.
        OversizeCase{"Letter", kTimer1List, 1, kTimer1StartMinute, CameraNumber::Timer1StartMinute, "1a", {}, 1},
        OversizeCase{"Point", kTimer2List, 1, kTimer2StartHour, CameraNumber::Timer2StartHour, "1.5", {}, 15},
        OversizeCase{"SpaceInside", kTimeLapseList, 0, kTimeLapseHour, CameraNumber::TimeLapseHour, "1 2", {}, 12},
        OversizeCase{"SignAfter", kTimeLapseList, 0, kTimeLapseMinute, CameraNumber::TimeLapseMinute, "5-", {}, 5},
        OversizeCase{"SignInFront", kTimer1List, 1, kTimer1StopMinute, CameraNumber::Timer1StopMinute, "+7", {}, 7}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(CameraDialogTest, SwitchedOffTimerKeepsItsNumbersInTheFile)
{
    Open();
    Pick(kTimer1List, 1);
    Retype(kTimer1StartHour, QStringLiteral("22"));
    Retype(kTimer1StartMinute, QStringLiteral("30"));
    Retype(kTimer1StopHour, QStringLiteral("06"));
    Retype(kTimer1StopMinute, QStringLiteral("0"));
    Pick(kTimer1List, 0);
    Click(kSaveButton);

    const QByteArray file = SavedFile();
    ASSERT_EQ(file.size(), kCameraFileSize);
    EXPECT_EQ(file.at(8), 0) << "timer1On";
    EXPECT_EQ(file.mid(20, 4), QByteArray::fromHex("161E0600"));
    EXPECT_EQ(fakes.messages.texts(), QStringList{kEnglishSaved});
}

// A folder over the field's 80 characters would fail the field's check at
// every later exchange; Select turns it down at once and keeps the folder.
TEST_F(CameraDialogTest, FolderOverEightyCharactersIsRefusedAtSelect)
{
    const QString longFolder = path() + QLatin1Char('/') + QString(90, QLatin1Char('f'));
    ASSERT_TRUE(QDir().mkpath(longFolder));
    CCameraDialog& dialog = Open();
    fakes.folders.answers.push_back(longFolder);
    Click(kSelectButton);
    ASSERT_EQ(fakes.messages.count(), 1);
    EXPECT_TRUE(fakes.messages.last().text.contains(longFolder)) << fakes.messages.last().text.toStdString();
    EXPECT_TRUE(fakes.messages.last().text.contains(QStringLiteral("80")));
    EXPECT_EQ(Field(kFolderField)->text(), path());

    // Every field after the folder is taken over, without a word.
    Pick(kTimer2List, 1);
    Retype(kTimer2StopMinute, QStringLiteral("5"));
    EXPECT_EQ(dialog.number(CameraNumber::Timer2StopMinute), 5);
    Pick(kTimeLapseList, 0);
    Retype(kTimeLapseHour, QStringLiteral("99"));
    EXPECT_EQ(Field(kTimeLapseHour)->text(), "0");
    fakes.messages.clear();
    Click(kSaveButton);
    EXPECT_EQ(fakes.messages.texts(), QStringList{kEnglishSaved});
    EXPECT_EQ(Field(kTimer2StopMinute)->text(), "5");
    EXPECT_EQ(dialog.settings().timer2StopMinute, 5);
    EXPECT_EQ(dialog.settings().timeLapseHour, 0);
    EXPECT_EQ(SavedFile(), BuildCameraFile(test::MustPass(dialog.settings())));
}

TEST_F(CameraDialogTest, DefaultWritesTheDefaultFileAndResetsTheWindow)
{
    CCameraDialog& dialog = Open();
    Click(kSaveButton);
    const CameraSettings saved = dialog.settings();
    fakes.messages.clear();

    Pick(kModeList, 2);
    Pick(kPirIntervalList, 3);
    Pick(kBeepSoundList, 0);
    Pick(kTimer1List, 1);
    Retype(kTimer1StartHour, QStringLiteral("22"));
    Pick(kSerialList, 1);
    Pick(kSerialChar2, 12);
    Pick(kTimeLapseList, 0);
    Retype(kTimeLapseMinute, QStringLiteral("15"));
    const QString clock = Field(kClockField)->text();

    Click(kDefaultButton);

    EXPECT_EQ(SavedFile(), BuildCameraDefaultFile());
    EXPECT_EQ(fakes.messages.texts(), QStringList{kEnglishDefaultSaved});
    const std::vector<std::pair<int, int>> initial = {
        {kModeList, 0},   {kPirIntervalList, 60}, {kVideoLengthList, 9}, {kBeepSoundList, 1},
        {kTimer1List, 0}, {kSerialList, 0},       {kSerialChar2, 0},     {kTimeLapseList, 1}};
    for (const auto& [id, position] : initial)
        EXPECT_EQ(List(id)->currentIndex(), position) << "list " << id;
    for (int id : {kTimer1StartHour, kTimeLapseMinute}) {
        EXPECT_EQ(Field(id)->text(), "0") << id;
        EXPECT_TRUE(Field(id)->isReadOnly()) << id;
    }
    EXPECT_EQ(dialog.number(CameraNumber::Timer1StartHour), 0);
    EXPECT_FALSE(List(kSerialChar2)->isEnabled());
    EXPECT_EQ(Field(kClockField)->text(), clock);
    EXPECT_EQ(Field(kFolderField)->text(), path());
    EXPECT_EQ(BuildCameraFile(test::MustPass(dialog.settings())), BuildCameraFile(test::MustPass(saved)))
        << "Default leaves the record alone";
}

TEST_F(CameraDialogTest, FailedSaveNamesThePathAndConfirmsNothing)
{
    const QString missing = path() + QStringLiteral("/no-card");
    Open(missing);
    Click(kSaveButton);
    ASSERT_EQ(fakes.messages.count(), 1);
    EXPECT_TRUE(fakes.messages.last().text.contains(missing)) << fakes.messages.last().text.toStdString();
    EXPECT_NE(fakes.messages.last().text, kEnglishSaved);

    fakes.messages.clear();
    Click(kDefaultButton);
    ASSERT_EQ(fakes.messages.count(), 1);
    EXPECT_TRUE(fakes.messages.last().text.contains(missing));
    EXPECT_FALSE(QDir(missing).exists());
}

TEST_F(CameraDialogTest, FolderPastThePlatformPathLimitIsRefusedWithAMessage)
{
    // Far past the platform's limit, and so past the field's 80 characters
    // first: Select turns it down, and Save goes to the folder kept.
    const QString folder = path() + QLatin1Char('/') + QString(300, QLatin1Char('x'));
    Open();
    fakes.folders.answers.push_back(folder);
    Click(kSelectButton);
    ASSERT_EQ(fakes.messages.count(), 1);
    EXPECT_TRUE(fakes.messages.last().text.contains(folder));
    fakes.messages.clear();
    Click(kSaveButton);
    EXPECT_EQ(fakes.messages.texts(), QStringList{kEnglishSaved});
    EXPECT_EQ(QDir(path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"camera.dat"});
}

TEST_F(CameraDialogTest, SaveAndSyncTimeUseTheFolderTheFieldShows)
{
    Open();
    const QString typed = path() + QStringLiteral("/typed");
    ASSERT_TRUE(QDir().mkpath(typed));
    Field(kFolderField)->selectAll();
    test::typeText(Field(kFolderField), typed); // typed, not set: no exchange runs

    fakes.clock.now = {2025, 12, 31, 23, 59, 58};
    Click(kSyncTimeButton);
    EXPECT_EQ(Field(kClockField)->text(), "12/31/2025 23:59:58 MM/DD/YY");
    EXPECT_EQ(Field(kFolderField)->text(), typed) << "Sync Time keeps the typed folder";

    Click(kSaveButton);
    const QByteArray file = SavedFile(typed);
    ASSERT_EQ(file.size(), kCameraFileSize);
    EXPECT_EQ(file.mid(14, 6), QByteArray::fromHex("0F0C1F173B3A")) << "the clock of the last Sync Time";
    EXPECT_TRUE(SavedFile().isEmpty()) << "nothing in the folder picked before";
}

TEST_F(CameraDialogTest, CancelledFolderBrowserGivesTheDefaultFolder)
{
    CCameraDialog& dialog = Open();
    fakes.folders.answers.push_back(std::nullopt);
    Click(kSelectButton);
#ifdef Q_OS_WIN
    const QString defaultFolder = QStringLiteral("C:\\");
#else
    const QString defaultFolder = QDir::homePath();
#endif
    EXPECT_EQ(dialog.folderText(), defaultFolder);
    EXPECT_EQ(Field(kFolderField)->text(), defaultFolder);
}

#ifdef Q_OS_WIN
// Where most cameras are prepared: a folder typed the Windows way on drive C.
TEST_F(CameraDialogTest, SavesTheWorkedRecordIntoAFolderOnDriveC)
{
    const QString folder = QStringLiteral("C:\\kestra-test-%1").arg(QCoreApplication::applicationPid());
    ASSERT_TRUE(QDir().mkpath(folder));
    Open(folder);
    Click(kSaveButton);

    QFile file(folder + QStringLiteral("\\camera.dat"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << folder.toStdString();
    const QByteArray bytes = file.readAll();
    file.close();
    QDir(folder).removeRecursively();
    ASSERT_EQ(bytes.size(), kCameraFileSize);
    EXPECT_EQ(bytes.left(60).toHex(' ').toStdString(), kWorkedRecord.toHex(' ').toStdString());
    ASSERT_EQ(fakes.messages.count(), 1);
    EXPECT_EQ(fakes.messages.last().text, kEnglishSaved);
}
#endif

TEST_F(CameraDialogTest, ExitEndsTheWindowWithCancelAndSavesNothing)
{
    CCameraDialog& dialog = Open();
    Click(kExitButton);
    EXPECT_TRUE(dialog.IsEnded());
    EXPECT_EQ(dialog.Result(), ui::IDCANCEL);
    EXPECT_TRUE(SavedFile().isEmpty());
}

TEST_F(CameraDialogTest, StoredValuesAreTheSameInEveryLanguage)
{
    QByteArray first;
    for (int language = 1; language <= kLanguageCount; ++language) {
        g_languageIndex = language;
        const QString folder = path() + QStringLiteral("/lang%1").arg(language);
        ASSERT_TRUE(QDir().mkpath(folder));
        Open(folder);
        Pick(kModeList, 2);
        Pick(kSenseLevelList, 3);
        Pick(kPirIntervalList, 5);
        Pick(kMmsStatusList, 2);
        Pick(kSerialList, 1);
        Pick(kSerialChar1, 35);
        Pick(kTimeLapseList, 0);
        Click(kSaveButton);
        const QByteArray file = SavedFile(folder);
        ASSERT_EQ(file.size(), kCameraFileSize) << language;
        EXPECT_EQ(file.at(29), language) << "language byte";
        EXPECT_EQ(fakes.messages.last().text,
                  language == kLanguageChinese ? QStringLiteral("相机菜单设置文件已经保存") : kEnglishSaved);
        // Everything but the language byte and the checksum over it.
        const QByteArray values = file.left(29) + file.mid(30, 26);
        if (first.isEmpty())
            first = values;
        EXPECT_EQ(values.toHex(' ').toStdString(), first.toHex(' ').toStdString()) << "language " << language;
    }
    EXPECT_EQ(first.at(0), 2);
    EXPECT_EQ(static_cast<unsigned char>(first.at(6)), 0x85) << "PIR 5 Sec, encoded";
    EXPECT_EQ(first.at(10), 0) << "Time Lapse on";
}

} // namespace
} // namespace kestra

namespace kestra {
namespace {

using namespace camera_ids;

class CameraDialogExchange : public CameraDialogTest {
protected:
    // Puts a text into a number field without its change notification, so
    // several out-of-range values can wait for the next exchange together.
    void Place(int id, const QString& text)
    {
        const QSignalBlocker quiet(Field(id));
        Field(id)->setText(text);
    }
};

TEST_F(CameraDialogExchange, DefaultGoesOnAfterAFailedCheck)
{
    Open();
    Pick(kTimeLapseList, 0);
    Place(kTimeLapseMinute, QStringLiteral("75"));
    Pick(kModeList, 2);
    fakes.messages.clear();

    Click(kDefaultButton);
    EXPECT_EQ(fakes.messages.texts(), (QStringList{RangeMessage(0, 59), kEnglishDefaultSaved}));
    EXPECT_EQ(SavedFile(), BuildCameraDefaultFile());
    EXPECT_EQ(List(kModeList)->currentIndex(), 0);
    EXPECT_EQ(Field(kTimeLapseMinute)->text(), "0");
}

TEST_F(CameraDialogExchange, TimeLapseAndTimer1AreCheckedInTheirOwnOrder)
{
    // Minute, second, hour of the time lapse, then stop minute, stop hour,
    // start hour, start minute of timer 1: the first one out of range speaks.
    ASSERT_TRUE(test::showAndActivate(Open().widget()));
    Pick(kTimeLapseList, 0);
    Pick(kTimer1List, 1);
    struct Step {
        int id;
        const char* text;
        int low, high;
    };
    const Step steps[] = {
        {kTimer1StartMinute, "61", 0, 59}, {kTimer1StartHour, "25", 0, 23}, {kTimer1StopHour, "26", 0, 23},
        {kTimer1StopMinute, "62", 0, 59},  {kTimeLapseHour, "27", 0, 23},   {kTimeLapseSecond, "63", 0, 59},
        {kTimeLapseMinute, "64", 0, 59},
    };
    for (const Step& s : steps)
        Place(s.id, QString::fromLatin1(s.text));
    // Each exchange stops at the first failure; clearing it lets the next one speak.
    for (auto it = std::rbegin(steps); it != std::rend(steps); ++it) {
        fakes.messages.clear();
        Click(kSaveButton);
        EXPECT_EQ(fakes.messages.texts(), QStringList{RangeMessage(it->low, it->high)}) << it->text;
        EXPECT_EQ(test::focusWidget(), Field(it->id)) << it->text;
        Place(it->id, QStringLiteral("1"));
    }
}

// A pick takes the fields over without a word about a field the user is not
// changing: an emptied number waits for Save's check.
TEST_F(CameraDialogExchange, OnlySomeListsTakeTheFieldsOver)
{
    CCameraDialog& dialog = Open();
    Pick(kTimeLapseList, 0);
    Place(kTimeLapseHour, QString());
    Place(kTimeLapseMinute, QStringLiteral("0"));
    struct Case {
        int id;
        bool exchanges;
    };
    const Case cases[] = {
        {kModeList, true},       {kImageSizeList, true},  {kVideoLengthList, true}, {kPirIntervalList, true},
        {kSdCycleList, true},    {kVideoSizeList, false}, {kPictureNoList, false},  {kSenseLevelList, false},
        {kTimeStampList, false}, {kBeepSoundList, false}, {kIrLightList, false},    {kMmsStatusList, false},
    };
    int minute = 0;
    for (const Case& c : cases) {
        Place(kTimeLapseMinute, QString::number(++minute));
        Pick(c.id, 1);
        EXPECT_EQ(dialog.number(CameraNumber::TimeLapseMinute) == minute, c.exchanges) << c.id;
        EXPECT_EQ(Field(kTimeLapseHour)->text(), QString()) << "the emptied field is left as typed";
    }
    EXPECT_TRUE(fakes.messages.empty());
    Click(kSaveButton);
    EXPECT_EQ(fakes.messages.texts(), QStringList{ui::kEnterIntegerText.text(false)});
}

TEST_F(CameraDialogExchange, LanguageAndTvBytesComeFromTheShell)
{
    // Chinese chosen on a system that is not Chinese: English texts, code 1.
    g_languageIndex = kLanguageEnglish;
    g_chineseChosen = 1;
    g_tvMode = 0x0107;
    Open();
    Click(kSaveButton);
    const QByteArray file = SavedFile();
    ASSERT_EQ(file.size(), kCameraFileSize);
    EXPECT_EQ(static_cast<unsigned char>(file[29]), 1);
    EXPECT_EQ(static_cast<unsigned char>(file[30]), 0x07);
    EXPECT_EQ(fakes.messages.texts(), QStringList{kEnglishSaved});
}

TEST_F(CameraDialogExchange, SelectPutsEveryFieldBack)
{
    Open();
    Pick(kTimeLapseList, 0);
    Retype(kTimeLapseHour, QStringLiteral("7"));
    Place(kTimeLapseMinute, QStringLiteral("33")); // typed but not yet taken over
    fakes.folders.answers.push_back(path());
    Click(kSelectButton);
    EXPECT_EQ(Field(kTimeLapseHour)->text(), "7");
    EXPECT_EQ(Field(kTimeLapseMinute)->text(), "0") << "Select puts the fields as last taken over";
    EXPECT_EQ(Field(kFolderField)->text(), path());
}

} // namespace
} // namespace kestra
