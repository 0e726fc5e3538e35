// SPDX-License-Identifier: Apache-2.0
// The card writing window: a profile from a profile file or a card's folder,
// then three cards in a row through stand-in drives (folders put in one after
// another), with the progress bar, one line per card and the serial texts
// counting on; Stop during the wait; what Start refuses; the main window's
// menu item that opens it.

#include "app/CardsDialog.h"
#include "app/AppState.h"
#include "app/MainDialog.h"
#include "app/ShellTexts.h"
#include "cards/CardList.h"
#include "cards/CardProfileFile.h"
#include "cards/CardWriter.h"
#include "filecheck/SettingsFileCheck.h"
#include "support/TestServices.h"
#include "support/WidgetDriver.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <mutex>

namespace kestra {
namespace {

using namespace CardsControl;

struct SharedLog {
    std::mutex mutex;
    QStringList ejected;
    std::deque<QString> cards; // folders put in, not yet taken
    std::condition_variable arrived;
    int waits = 0;
};

class StandInDrives final : public RemovableDrives {
public:
    explicit StandInDrives(SharedLog& log) : m_log(log) {}
    bool isRemovable(const QString&, const QByteArray&) override { return true; }
    EjectResult eject(const QString& mountPoint, const QByteArray&, EjectHow) override
    {
        const std::lock_guard lock(m_log.mutex);
        m_log.ejected << mountPoint;
        return {};
    }

private:
    SharedLog& m_log;
};

// Cards the test puts in, taken by the window's thread as they come.
class StandInArrivals final : public CardArrivals {
public:
    explicit StandInArrivals(SharedLog& log) : m_log(log) {}
    std::optional<CardVolume> waitForNew() override
    {
        std::unique_lock lock(m_log.mutex);
        ++m_log.waits;
        m_log.arrived.wait(lock, [this] { return m_stop || !m_log.cards.empty(); });
        if (m_stop)
            return std::nullopt;
        CardVolume card;
        card.mountPoint = m_log.cards.front();
        card.label = QDir(card.mountPoint).dirName();
        m_log.cards.pop_front();
        return card;
    }
    void stop() override
    {
        const std::lock_guard lock(m_log.mutex);
        m_stop = true;
        m_log.arrived.notify_all();
    }
    void ejected(const QString&) override {}
    bool stopRequested() const override
    {
        const std::lock_guard lock(m_log.mutex);
        return m_stop;
    }

private:
    SharedLog& m_log;
    bool m_stop = false;
};

bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

QString SerialOn(const QString& folder)
{
    const SettingsFileCheckResult camera =
        CheckSettingsFileAt(SettingsFileKind::Camera, QDir(folder).filePath(QStringLiteral("camera.dat")));
    if (!camera.ok())
        return QStringLiteral("(unreadable)");
    const auto& s = std::get<CameraSettings>(camera.values.record);
    QString text;
    for (int position : {s.serialChar1, s.serialChar2, s.serialChar3, s.serialChar4})
        text += position < 10 ? QChar(u'0' + position) : QChar(u'A' + position - 10);
    return s.serialOn == 1 ? text : QStringLiteral("(off)");
}

class CardsWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_languageIndex = kLanguageEnglish;
        // For the gallery's picture (scripts/gallery.sh) the cards are in
        // folders whose names read like a desktop's mounts.
        if (!gallery.isEmpty()) {
            QDir(media).removeRecursively();
            ASSERT_TRUE(QDir().mkpath(media));
            profileFile = QDir(media).filePath(QStringLiteral("site.json"));
        }
        QFile file(profileFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(R"({"camera": {"mode": "Camera+Video"}, "sms": {"phone1": "13800138000"}})");
    }
    void TearDown() override { g_languageIndex = kLanguageEnglish; }

    void open()
    {
        CardWritingPorts ports{
            .drives = [this] { return std::make_unique<StandInDrives>(log); },
            .arrivals = [this](RemovableDrives&) { return std::make_unique<StandInArrivals>(log); },
            .readProfile = &ReadCardProfileAt,
        };
        window = std::make_unique<CCardsDialog>(fakes.services(), ports);
        window->Create();
    }
    QString card(const char* name)
    {
        const QString folder = QDir(gallery.isEmpty() ? work.path() : media).filePath(QLatin1String(name));
        QDir().mkpath(folder);
        return folder;
    }
    void putIn(const QString& folder)
    {
        const std::lock_guard lock(log.mutex);
        log.cards.push_back(folder);
        log.arrived.notify_all();
    }
    int waits()
    {
        const std::lock_guard lock(log.mutex);
        return log.waits;
    }
    void click(int id) { qobject_cast<QPushButton*>(window->Control(id))->click(); }
    void type(int id, const QString& text) { qobject_cast<QLineEdit*>(window->Control(id))->setText(text); }
    QString text(int id) { return window->GetDlgItem(id)->GetWindowText(); }
    QStringList lines()
    {
        QStringList all;
        auto* list = qobject_cast<QListWidget*>(window->Control(CardLines));
        for (int i = 0; i < list->count(); ++i)
            all << list->item(i)->text();
        return all;
    }
    bool enabled(int id) { return window->Control(id)->isEnabled(); }

    test::TestServices fakes;
    QTemporaryDir work;
    const QString gallery = qEnvironmentVariable("KESTRA_GALLERY_DIR");
    const QString media = QDir::temp().filePath(QStringLiteral("kestra-media"));
    QString profileFile = work.filePath(QStringLiteral("site.json"));
    SharedLog log;
    std::unique_ptr<CCardsDialog> window;
};

TEST_F(CardsWindow, WritesThreeCardsInARowNumberingEach)
{
    open();
    fakes.files.answers.push_back(profileFile);
    click(FromFileButton);
    ASSERT_TRUE(window->Profile().has_value()) << fakes.messages.texts().join(u'\n').toStdString();
    EXPECT_EQ(text(ProfileNote), QStringLiteral("Writes camera.dat, sms.dat onto each card."));
    type(CountField, QStringLiteral("3"));
    type(SerialField, QStringLiteral("cam8"));
    click(StartButton);
    ASSERT_TRUE(window->Running());
    EXPECT_FALSE(enabled(StartButton));
    EXPECT_TRUE(enabled(StopButton));
    EXPECT_FALSE(enabled(FromFileButton));

    const QStringList cards{card("KESTRA1"), card("KESTRA2"), card("KESTRA3")};
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(WaitUntil([&] { return waits() == i + 1; }));
        ASSERT_TRUE(WaitUntil([&] { return text(StatusLine).startsWith(QStringLiteral("Waiting for a card")); }));
        putIn(cards[i]);
        ASSERT_TRUE(WaitUntil([&] { return lines().size() == i + 1; })) << i;
        EXPECT_EQ(qobject_cast<QProgressBar*>(window->Control(ProgressBar))->value(), i + 1);
    }
    ASSERT_TRUE(WaitUntil([&] { return !window->Running(); }));

    const char* serials[] = {"CAM8", "CAM9", "CAMA"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(lines()[i], QStringLiteral("%1: card written and read back, serial text %2; ejected")
                                  .arg(QDir::toNativeSeparators(cards[i]), QLatin1String(serials[i])));
        EXPECT_EQ(SerialOn(cards[i]), QLatin1String(serials[i]));
        EXPECT_TRUE(QFile::exists(QDir(cards[i]).filePath(QStringLiteral("sms.dat"))));
    }
    EXPECT_EQ(log.ejected, cards);
    EXPECT_EQ(text(StatusLine), QStringLiteral("3 card(s) written."));
    EXPECT_EQ(text(SerialField), QStringLiteral("CAMB")) << "the next run does not go on from the next number";
    EXPECT_TRUE(enabled(StartButton));
    EXPECT_FALSE(enabled(StopButton));
    EXPECT_TRUE(fakes.messages.empty()) << fakes.messages.texts().join(u'\n').toStdString();
    if (!gallery.isEmpty()) {
        window->widget()->show();
        QApplication::processEvents();
        window->widget()->grab().save(QDir(gallery).filePath(QStringLiteral("cards-run-en.png")));
    }
}

// In the Chinese interface: a profile from a card's folder, one card, and
// Stop while the window waits for the next ends the wait at once.
TEST_F(CardsWindow, StopEndsTheWaitAndTheLinesAreInTheInterfacesLanguage)
{
    g_languageIndex = kLanguageChinese;
    const QString master = card("master");
    {
        const CardProfileRead read = ReadCardProfileAt(profileFile, kLanguageEnglish);
        ASSERT_TRUE(read.profile.has_value());
        ASSERT_TRUE(WriteCard(master, *read.profile, PcClock{2024, 3, 5, 8, 7, 6}, std::nullopt).complete());
    }
    open();
    EXPECT_EQ(window->GetWindowText(), QStringLiteral("写存储卡"));
    fakes.folders.answers.push_back(master);
    click(FromFolderButton);
    ASSERT_TRUE(window->Profile().has_value()) << fakes.messages.texts().join(u'\n').toStdString();
    type(CountField, QStringLiteral("5"));
    click(StartButton);
    const QString first = card("first");
    ASSERT_TRUE(WaitUntil([&] { return waits() == 1; }));
    putIn(first);
    ASSERT_TRUE(WaitUntil([&] { return lines().size() == 1 && waits() == 2; }));
    EXPECT_EQ(lines()[0], QStringLiteral("%1: 存储卡已写入并读回核对，已弹出").arg(QDir::toNativeSeparators(first)));
    click(StopButton);
    ASSERT_TRUE(WaitUntil([&] { return !window->Running(); }, 3000)) << "Stop did not end the wait";
    EXPECT_EQ(text(StatusLine), QStringLiteral("已写入 1 张存储卡。"));
    EXPECT_EQ(text(CountField), QStringLiteral("4")) << "the cards left to write";
    EXPECT_EQ(lines().size(), 1);
}

// Start refuses what would not make a run, before anything is waited for.
TEST_F(CardsWindow, StartRefusesWhatMakesNoRun)
{
    struct Case {
        bool profile;
        const char* count;
        const char* serial;
        const char* says;
    };
    const Case cases[] = {
        {false, "3", "", "No profile yet"},
        {true, "0", "", "Give the number of cards, 1 to 9999."},
        {true, "", "", "Give the number of cards"},
        {true, "3", "CA", "The first serial text is four characters"},
        {true, "3", "CA-1", "The first serial text is four characters"},
        {true, "3", "ZZZY", "3 cards from ZZZY would go past ZZZZ"},
    };
    for (const Case& c : cases) {
        open();
        if (c.profile) {
            fakes.files.answers.push_back(profileFile);
            click(FromFileButton);
        }
        type(CountField, QLatin1String(c.count));
        type(SerialField, QLatin1String(c.serial));
        fakes.messages.clear();
        click(StartButton);
        EXPECT_FALSE(window->Running()) << c.says;
        ASSERT_EQ(fakes.messages.count(), 1) << c.says;
        EXPECT_TRUE(fakes.messages.last().text.contains(QLatin1String(c.says)))
            << fakes.messages.last().text.toStdString();
        EXPECT_EQ(waits(), 0);
    }
    // A file that is no profile leaves the profile read before in place.
    open();
    fakes.files.answers.push_back(profileFile);
    click(FromFileButton);
    fakes.files.answers.push_back(work.filePath(QStringLiteral("missing.json")));
    fakes.messages.clear();
    click(FromFileButton);
    EXPECT_TRUE(window->Profile().has_value());
    EXPECT_EQ(text(ProfileField), QDir::toNativeSeparators(profileFile));
    ASSERT_EQ(fakes.messages.count(), 1);
    EXPECT_TRUE(fakes.messages.last().text.contains(QStringLiteral("missing.json gives no profile")));
}

// A card's line longer than the list is wide wraps onto further lines: none
// of it runs past the list's right edge (the serial text, the eject's advice).
TEST_F(CardsWindow, ALongCardLineWrapsInsideTheList)
{
    open();
    ASSERT_TRUE(test::showAndActivate(window->widget()));
    auto* list = qobject_cast<QListWidget*>(window->Control(CardLines));
    ASSERT_NE(list, nullptr);
    const QString line = QStringLiteral(
        "/media/me/KESTRA: card written and read back, serial text CAM8; KESTRA (/media/me/KESTRA), 7.3 GB free "
        "was not ejected: it is flushed, so it can be pulled out once nothing reads it");
    list->addItem(line);
    QApplication::processEvents();
    const QFontMetrics metrics(list->font());
    ASSERT_GT(metrics.horizontalAdvance(line), list->viewport()->width()) << "the line is not long enough to test";
    const QRect shown = list->visualItemRect(list->item(0));
    EXPECT_LE(shown.right(), list->viewport()->width());
    EXPECT_GE(shown.height(), 2 * metrics.height()) << "the line was cut, not wrapped";
}

// "Profile file..." asks for profiles in the interface's language, with every
// file as the second choice, rather than showing only settings files.
TEST_F(CardsWindow, ProfileFileAsksForProfiles)
{
    struct Case {
        int language;
        const char* title;
        QStringList filters;
    };
    const Case cases[] = {
        {kLanguageEnglish, "Open a profile", {QStringLiteral("Profiles (*.json)"), QStringLiteral("All Files (*)")}},
        {kLanguageChinese, "打开配置文件", {QStringLiteral("配置文件 (*.json)"), QStringLiteral("所有文件 (*)")}},
    };
    for (const Case& c : cases) {
        g_languageIndex = c.language;
        open();
        fakes.files.answers.push_back(profileFile);
        click(FromFileButton);
        EXPECT_EQ(fakes.files.title, QString::fromUtf8(c.title));
        EXPECT_EQ(fakes.files.filters, c.filters);
        EXPECT_TRUE(window->Profile().has_value());
    }
}

// Drives that answer slowly, as UDisks2 can: the card list's first look is
// not done when the window asks.
class SlowRootDrives final : public RemovableDrives {
public:
    bool isRemovable(const QString& mountPoint, const QByteArray&) override
    {
        if (mountPoint != QStorageInfo::root().rootPath())
            return false;
        QThread::msleep(1000);
        return true;
    }
    EjectResult eject(const QString&, const QByteArray&, EjectHow) override { return {}; }
};

// "Card in" pressed before the list has looked once says it is looking, not
// that no card is in, and reads the card once the look is done.
TEST_F(CardsWindow, CardInBeforeTheFirstLookWaitsForIt)
{
    CardList::replaceShared(std::make_unique<SlowRootDrives>());
    open();
    fakes.messages.clear();
    click(FromCardButton);
    EXPECT_EQ(text(ProfileNote), QStringLiteral("Looking for the cards in..."));
    // The root volume is the one card in; it holds no settings files.
    ASSERT_TRUE(WaitUntil([this] { return !fakes.messages.empty(); }));
    EXPECT_TRUE(fakes.messages.last().text.contains(QStringLiteral("gives no profile")))
        << fakes.messages.last().text.toStdString();
}

// "Write cards..." comes below the languages in the main window's menu and
// opens the window.
TEST_F(CardsWindow, TheMainWindowsMenuOpensIt)
{
    CMainDialog main(fakes.services());
    main.SetCardWritingPorts({
        .drives = [this] { return std::make_unique<StandInDrives>(log); },
        .arrivals = [this](RemovableDrives&) { return std::make_unique<StandInArrivals>(log); },
        .readProfile = &ReadCardProfileAt,
    });
    main.Create();
    const QList<QAction*> actions = main.widget()->actions();
    ASSERT_GE(actions.size(), 2);
    EXPECT_EQ(actions.back()->text(), QStringLiteral("Write cards..."));
    EXPECT_EQ(actions[actions.size() - 2]->objectName(), QStringLiteral("languageMenu"));

    QString title;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        box->close();
    });
    actions.back()->trigger();
    EXPECT_EQ(title, QStringLiteral("Write cards"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    g_languageIndex = kLanguageChinese;
    CMainDialog chinese(fakes.services());
    chinese.Create();
    EXPECT_EQ(chinese.widget()->actions().back()->text(), QStringLiteral("写存储卡..."));
}

} // namespace
} // namespace kestra
