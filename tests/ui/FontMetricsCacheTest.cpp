// SPDX-License-Identifier: Apache-2.0
// The stored copy of the template font's measurements: a window built from a
// good copy is placed as a measuring run places it, a damaged, foreign or
// stale copy never leaves a control out of place once the window is shown,
// and the copy is rewritten only when the measurements change. The same goes
// for the windows' text fits kept with them.

#include "support/ScriptedDialog.h"
#include "support/TestServices.h"
#include "support/WidgetDriver.h"

#include "ui/FontMetricsCache.h"
#include "ui/Skin.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <vector>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace kestra::test {
namespace {

using namespace ui;

// The main window's shape: a list first (it takes the focus, and a focused
// list draws a wider frame in the skin), an editable list, a field, buttons.
DialogTemplate ListsTemplate(DialogFont font = DialogFont::SimSun9)
{
    return {910,
            160,
            120,
            "Lists",
            font,
            {
                {IDC_STATIC, ControlKind::Static, 8, 10, 50, 8, "Language"},
                {1001, ControlKind::DropDownList, 64, 8, 80, 60, "", WsVScroll},
                {IDC_STATIC, ControlKind::Static, 8, 30, 50, 8, "Operator"},
                {1002, ControlKind::DropDown, 64, 28, 80, 90, "", WsVScroll},
                {1003, ControlKind::Edit, 64, 48, 80, 12, ""},
                {IDC_STATIC, ControlKind::GroupBox, 4, 64, 150, 30, "Frame"},
                {IDOK, ControlKind::DefPushButton, 10, 100, 50, 14, "OK"},
                {IDCANCEL, ControlKind::PushButton, 90, 100, 50, 14, "Exit"},
            }};
}

// A label far too short for its text, with free room to its right.
DialogTemplate LabelTemplate(const char* text)
{
    return {911,
            160,
            60,
            "Fit",
            DialogFont::SimSun9,
            {
                {IDC_STATIC, ControlKind::Static, 8, 10, 24, 8, text},
                {1001, ControlKind::Edit, 8, 24, 80, 12, ""},
                {IDOK, ControlKind::DefPushButton, 10, 40, 50, 14, "OK"},
            }};
}

// Where everything of a window is: its size, each control's rectangle and
// each list's number of visible lines.
struct Placement {
    QSize window;
    std::vector<QRect> controls;
    std::vector<int> listLines;
    bool operator==(const Placement& other) const
    {
        return window == other.window && controls == other.controls && listLines == other.listLines;
    }
};

Placement PlacementOf(const CDialog& dialog)
{
    Placement placement{dialog.widget()->size(), {}, {}};
    const auto children = dialog.widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (!child->property("controlId").isValid())
            continue;
        placement.controls.push_back(child->geometry());
        if (auto* combo = qobject_cast<QComboBox*>(child))
            placement.listLines.push_back(combo->maxVisibleItems());
    }
    return placement;
}

std::ostream& operator<<(std::ostream& out, const Placement& placement)
{
    out << placement.window.width() << "x" << placement.window.height() << ":";
    for (const QRect& rect : placement.controls)
        out << " " << rect.x() << "," << rect.y() << "," << rect.width() << "," << rect.height();
    out << "; lines";
    for (int lines : placement.listLines)
        out << " " << lines;
    return out;
}

// Runs the event loop until the window has been painted and has checked its
// measurements.
bool WaitForLayoutCheck(const CDialog& dialog)
{
    QDeadlineTimer deadline(5000);
    while (dialog.LayoutCheckPending() && !deadline.hasExpired()) {
        processEvents();
        QThread::msleep(2);
    }
    return !dialog.LayoutCheckPending();
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QJsonObject MetricsJson(const TemplateFontMetrics& m)
{
    return {{"family", m.family},
            {"baseUnitX", m.units.x},
            {"baseUnitY", m.units.y},
            {"listFieldHeight", m.listFieldHeight},
            {"editListFieldHeight", m.editListFieldHeight},
            {"listItemHeight", m.listItemHeight}};
}

QByteArray CopyFile(const QJsonObject& environment, const QJsonObject& fonts, int format = 1)
{
    return QJsonDocument(QJsonObject{{"format", format}, {"environment", environment}, {"fonts", fonts}})
        .toJson(QJsonDocument::Compact);
}

// A cache with no first guess: a run without a copy measures before the
// window is shown. The program's own cache guesses (FirstRun below).
FontMetricsCache MeasuringCache(const QString& path)
{
    return FontMetricsCache(path, &CurrentFontEnvironment, nullptr);
}

// Everything a window's texts and places end as: the window's size and font,
// and each control's rectangle, font, fit and number of visible list lines.
struct WindowState {
    QSize size;
    QFont font;
    struct Control {
        QRect geometry;
        QFont font;
        QString fit;
        int listLines = 0;
        bool operator==(const Control&) const = default;
    };
    std::vector<Control> controls;
    bool operator==(const WindowState&) const = default;
};

WindowState StateOf(const CDialog& dialog)
{
    WindowState state{dialog.widget()->size(), dialog.widget()->font(), {}};
    const auto children = dialog.widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (!child->property("controlId").isValid())
            continue;
        auto* combo = qobject_cast<QComboBox*>(child);
        state.controls.push_back({child->geometry(), child->font(), child->property("layoutFit").toString(),
                                  combo ? combo->maxVisibleItems() : 0});
        if (combo && combo->lineEdit())
            state.controls.push_back({combo->lineEdit()->geometry(), combo->lineEdit()->font(), {}, 0});
        if (combo) // the open list
            state.controls.push_back({{}, combo->view()->font(), {}, 0});
    }
    return state;
}

std::ostream& operator<<(std::ostream& out, const WindowState& state)
{
    out << state.size.width() << "x" << state.size.height() << " " << state.font.toString().toStdString() << ":";
    for (const WindowState::Control& c : state.controls)
        out << "\n  " << c.geometry.x() << "," << c.geometry.y() << "," << c.geometry.width() << ","
            << c.geometry.height() << " " << c.font.toString().toStdString() << " [" << c.fit.toStdString() << "] "
            << c.listLines;
    return out;
}

class FontMetricsCacheTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_path = m_folder.filePath(QStringLiteral("cache/template-fonts.json"));
        // The tool's own skin, so that the lists measure as in the program.
        InitSkinEngine();
        ASSERT_TRUE(LoadSkin(165));
        ASSERT_TRUE(SelectDialogStyle(QStringLiteral("Dialog")));
        m_reference = MeasuredPlacement(DialogFont::SimSun9);
    }
    void TearDown() override
    {
        UseFontMetricsCache(nullptr);
        UnloadSkin();
    }

    // The window as it is placed with no copy at all: measured before it is shown.
    Placement MeasuredPlacement(DialogFont font)
    {
        UseFontMetricsCache(nullptr);
        ScriptedDialog dialog(ListsTemplate(font), m_fakes);
        dialog.Create();
        m_live = dialog.LayoutMetrics();
        return PlacementOf(dialog);
    }

    // A window built with the copy in use is placed as measuring places it,
    // before it is shown and after its check.
    void ExpectPlacedAsMeasured()
    {
        ScriptedDialog dialog(ListsTemplate(), m_fakes);
        dialog.Create();
        EXPECT_EQ(PlacementOf(dialog), m_reference);
        ASSERT_TRUE(WaitForLayoutCheck(dialog));
        EXPECT_EQ(PlacementOf(dialog), m_reference);
    }

    QTemporaryDir m_folder;
    QString m_path;
    TestServices m_fakes;
    Placement m_reference;
    TemplateFontMetrics m_live;
};

TEST_F(FontMetricsCacheTest, ACopyFromTheLastRunPlacesTheWindowAsMeasuringDoesAndIsKept)
{
    // First run: no copy, the window measures before it is shown, as it
    // always has, and keeps its measurements once it has been painted.
    {
        FontMetricsCache cache = MeasuringCache(m_path);
        UseFontMetricsCache(&cache);
        ExpectPlacedAsMeasured();
    }
    ASSERT_TRUE(QFile::exists(m_path));
    // The same copy in another layout: a rewrite would show.
    const QByteArray compact = QJsonDocument::fromJson(ReadAll(m_path)).toJson(QJsonDocument::Compact);
    WriteAll(m_path, compact);

    // Next run: placed from the copy before any measuring, the same places;
    // the check after the first paint agrees (the focused list with its wider
    // frame included) and leaves the file alone.
    FontMetricsCache cache(m_path);
    UseFontMetricsCache(&cache);
    ScriptedDialog dialog(ListsTemplate(), m_fakes);
    dialog.Create();
    EXPECT_TRUE(dialog.LayoutCheckPending());
    EXPECT_EQ(PlacementOf(dialog), m_reference);
    ASSERT_TRUE(showAndActivate(dialog.widget()));
    ASSERT_TRUE(WaitForLayoutCheck(dialog));
    EXPECT_EQ(PlacementOf(dialog), m_reference);
    EXPECT_EQ(ReadAll(m_path), compact);

    // A later window of the same run takes the checked copy without another check.
    ScriptedDialog second(ListsTemplate(), m_fakes);
    second.Create();
    EXPECT_FALSE(second.LayoutCheckPending());
    EXPECT_EQ(PlacementOf(second), m_reference);
}

TEST_F(FontMetricsCacheTest, ADamagedOrForeignCopyIsIgnoredAndRewritten)
{
    const QJsonObject environment = CurrentFontEnvironment();
    const QJsonObject good = MetricsJson(m_live);
    auto with = [&](const char* field, const QJsonValue& value) {
        QJsonObject changed = good;
        changed.insert(QString::fromLatin1(field), value);
        return CopyFile(environment, {{"SimSun9", changed}});
    };
    QJsonObject otherMachine = environment;
    otherMachine.insert("qt", "5.15.2");
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"not JSON", QByteArray("\x89PNG\r\n\x1a\n\0\0garbage", 16)},
        {"cut short", CopyFile(environment, {{"SimSun9", good}}).left(60)},
        {"a list", "[1, 2, 3]"},
        {"another format", CopyFile(environment, {{"SimSun9", good}}, 2)},
        {"another environment", CopyFile(otherMachine, {{"SimSun9", good}})},
        {"no environment", CopyFile({}, {{"SimSun9", good}})},
        {"zero base unit", with("baseUnitX", 0)},
        {"negative height", with("listFieldHeight", -22)},
        {"fraction", with("baseUnitY", 15.5)},
        {"huge", with("baseUnitY", 1e12)},
        {"text for a number", with("listItemHeight", "16")},
        {"missing field",
         [&] {
             QJsonObject cut = good;
             cut.remove("editListFieldHeight");
             return CopyFile(environment, {{"SimSun9", cut}});
         }()},
        {"family not text", with("family", 42)},
        {"oversized", CopyFile(environment, {{"SimSun9", good}, {"padding", QString(70000, QLatin1Char('x'))}})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(QDir().mkpath(m_folder.filePath("cache")));
        WriteAll(m_path, c.bytes);

        FontMetricsCache cache = MeasuringCache(m_path);
        UseFontMetricsCache(&cache);
        // Measured before showing, exactly as with no copy.
        ExpectPlacedAsMeasured();
        // Replaced by a good copy that the next run uses.
        FontMetricsCache nextRun(m_path);
        const std::optional<FontMetricsCache::Entry> entry = nextRun.find(DialogFont::SimSun9);
        ASSERT_TRUE(entry.has_value());
        EXPECT_TRUE(entry->metrics == m_live);
        EXPECT_FALSE(entry->confirmed);
    }
}

#ifndef Q_OS_WIN
// Opening a FIFO for reading waits for a writer: the start-up would hang.
TEST_F(FontMetricsCacheTest, AFifoUnderTheNameIsNoCopyAndNeverBlocks)
{
    ASSERT_TRUE(QDir().mkpath(m_folder.filePath("cache")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(m_path).constData(), 0600), 0);
    FontMetricsCache cache(m_path);
    EXPECT_FALSE(cache.find(DialogFont::SimSun9).has_value());
}
#endif

TEST_F(FontMetricsCacheTest, AStaleCopyIsCorrectedOnceTheWindowIsShown)
{
    // A copy that passed the environment check but no longer fits the font:
    // another family, smaller units, shorter lists.
    TemplateFontMetrics stale = m_live;
    stale.family = m_live.family.isEmpty() ? QStringLiteral("Sans Serif") : QString();
    stale.units = {m_live.units.x + 3, m_live.units.y - 4};
    stale.listFieldHeight = 9;
    stale.editListFieldHeight = 40;
    stale.listItemHeight = 30;
    ASSERT_TRUE(QDir().mkpath(m_folder.filePath("cache")));
    WriteAll(m_path, CopyFile(CurrentFontEnvironment(), {{"SimSun9", MetricsJson(stale)}}));

    WindowState measured;
    {
        ScriptedDialog dialog(ListsTemplate(), m_fakes);
        dialog.Create();
        measured = StateOf(dialog);
    }
    FontMetricsCache cache(m_path);
    UseFontMetricsCache(&cache);
    ScriptedDialog dialog(ListsTemplate(), m_fakes);
    dialog.Create();
    ASSERT_FALSE(PlacementOf(dialog) == m_reference); // placed from the copy until it is checked
    ASSERT_TRUE(WaitForLayoutCheck(dialog));
    EXPECT_EQ(PlacementOf(dialog), m_reference);
    // Every control shows the font a measured window gives it, down to a
    // list's edit field and popup.
    EXPECT_EQ(StateOf(dialog), measured);
    EXPECT_TRUE(dialog.LayoutMetrics() == m_live);

    FontMetricsCache nextRun(m_path);
    const std::optional<FontMetricsCache::Entry> entry = nextRun.find(DialogFont::SimSun9);
    ASSERT_TRUE(entry.has_value());
    EXPECT_TRUE(entry->metrics == m_live);
}

TEST_F(FontMetricsCacheTest, AWindowWithoutAnEditableListKeepsTheStoredMeasurementOfOne)
{
    DialogTemplate plain = ListsTemplate();
    plain.controls.erase(plain.controls.begin() + 3); // the editable list
    auto run = [&] {
        FontMetricsCache cache(m_path);
        UseFontMetricsCache(&cache);
        for (const DialogTemplate& form : {plain, ListsTemplate()}) {
            ScriptedDialog dialog(form, m_fakes);
            dialog.Create();
            ASSERT_TRUE(WaitForLayoutCheck(dialog));
        }
    };
    run();
    const QByteArray first = QJsonDocument::fromJson(ReadAll(m_path)).toJson(QJsonDocument::Compact);
    WriteAll(m_path, first);
    // The next run's plain window must neither drop the editable list's
    // measurement nor make the other window measure and write it again.
    run();
    EXPECT_EQ(ReadAll(m_path), first);
    FontMetricsCache cache(m_path);
    EXPECT_EQ(cache.find(DialogFont::SimSun9)->metrics.editListFieldHeight, m_live.editListFieldHeight);
}

TEST_F(FontMetricsCacheTest, EachTemplateFontHasItsOwnCopy)
{
    const Placement systemReference = MeasuredPlacement(DialogFont::System9);
    const TemplateFontMetrics systemLive = m_live;
    {
        FontMetricsCache cache(m_path);
        UseFontMetricsCache(&cache);
        for (DialogFont font : {DialogFont::SimSun9, DialogFont::System9}) {
            ScriptedDialog dialog(ListsTemplate(font), m_fakes);
            dialog.Create();
            ASSERT_TRUE(WaitForLayoutCheck(dialog));
        }
    }
    FontMetricsCache cache(m_path);
    UseFontMetricsCache(&cache);
    ScriptedDialog system(ListsTemplate(DialogFont::System9), m_fakes);
    system.Create();
    EXPECT_TRUE(system.LayoutCheckPending());
    EXPECT_EQ(PlacementOf(system), systemReference);
    EXPECT_TRUE(system.LayoutMetrics() == systemLive);
    ScriptedDialog simsun(ListsTemplate(), m_fakes);
    simsun.Create();
    EXPECT_EQ(PlacementOf(simsun), m_reference);
}

TEST_F(FontMetricsCacheTest, ACopyThatCannotBeWrittenIsReportedAndTheWindowStillWorks)
{
    // The cache folder's place is taken by a file.
    WriteAll(m_folder.filePath("cache"), "not a folder");
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (type == QtWarningMsg)
                warnings << message;
        });
    FontMetricsCache cache(m_path);
    UseFontMetricsCache(&cache);
    ScriptedDialog dialog(ListsTemplate(), m_fakes);
    dialog.Create();
    const bool checked = WaitForLayoutCheck(dialog);
    qInstallMessageHandler(previous);
    ASSERT_TRUE(checked);
    EXPECT_EQ(PlacementOf(dialog), m_reference);
    EXPECT_EQ(warnings.filter(QStringLiteral("template font measurements cannot be kept")).size(), 1)
        << warnings.join('\n').toStdString();
}

TEST_F(FontMetricsCacheTest, AStoredTextFitServesOnlyTheTextsItWasTakenForAndIsCheckedOnceShown)
{
    const char* const longText = "A label far too long for its place";
    UseFontMetricsCache(nullptr);
    Placement reference;
    {
        ScriptedDialog measured(LabelTemplate(longText), m_fakes);
        measured.Create();
        reference = PlacementOf(measured);
        ASSERT_EQ(measured.widget()->findChild<QLabel*>()->property("layoutFit").toString(), QStringLiteral("wider"));
    }
    // Every stored fit claims another outcome.
    auto outcome = [](const char* json) {
        return [json](QJsonObject& root) {
            QJsonArray fits = root.value("textFits").toArray();
            ASSERT_FALSE(fits.isEmpty());
            for (QJsonValueRef fit : fits)
                fit = QJsonArray{fit.toArray().at(0), QString::fromLatin1(json)};
            root.insert("textFits", fits);
        };
    };
    const struct {
        const char* what;
        const char* firstRunText;
        std::function<void(QJsonObject&)> forge;
        bool usedBeforeShown;
    } cases[] = {
        {"stale: the label left at its template width", longText, outcome("[]"), true},
        {"another environment", longText,
         [&](QJsonObject& root) {
             outcome("[]")(root);
             QJsonObject environment = root.value("environment").toObject();
             environment.insert("qt", "5.15.2");
             root.insert("environment", environment);
         },
         false},
        {"taken for another text", "Short", [](QJsonObject&) {}, false},
        {"a control the window lacks", longText, outcome(R"([[7,0,0,10,10,100,"wider"]])"), false},
        {"a font width never tried", longText, outcome(R"([[0,0,0,10,10,55,"narrower font 55%"]])"), false},
    };
    auto run = [&](const char* text, bool placedAsMeasuredAtOnce) {
        FontMetricsCache cache = MeasuringCache(m_path);
        UseFontMetricsCache(&cache);
        ScriptedDialog dialog(LabelTemplate(text), m_fakes);
        dialog.Create();
        if (placedAsMeasuredAtOnce) {
            EXPECT_EQ(PlacementOf(dialog), reference);
        }
        ASSERT_TRUE(WaitForLayoutCheck(dialog));
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(m_path);
        run(c.firstRunText, false);
        QJsonObject root = QJsonDocument::fromJson(ReadAll(m_path)).object();
        c.forge(root);
        WriteAll(m_path, QJsonDocument(root).toJson());

        FontMetricsCache cache = MeasuringCache(m_path);
        UseFontMetricsCache(&cache);
        {
            ScriptedDialog dialog(LabelTemplate(longText), m_fakes);
            dialog.Create();
            EXPECT_EQ(!(PlacementOf(dialog) == reference), c.usedBeforeShown);
            ASSERT_TRUE(WaitForLayoutCheck(dialog));
            processEvents();
            // Never left cut once shown.
            EXPECT_EQ(PlacementOf(dialog), reference);
        }
        // The next run takes the measured fit from the copy.
        run(longText, true);
    }
}

// A first run has no copy: the window is placed from the cache's first guess
// and its texts keep the template's layout, without asking the font system;
// once painted it measures, and ends exactly as a window measured before it
// was shown, moving only where the guess was wrong.
TEST_F(FontMetricsCacheTest, AFirstRunPlacedFromAGuessEndsAsAMeasuredRun)
{
    // The Lists window with a label too long for its place.
    DialogTemplate fitted = ListsTemplate();
    fitted.controls[2].text = "Operator of the network, as the card names it";
    TemplateFontMetrics otherSizes = m_live;
    otherSizes.units = {m_live.units.x + 2, m_live.units.y - 3};
    otherSizes.listFieldHeight = m_live.listFieldHeight + 9;
    otherSizes.editListFieldHeight = m_live.editListFieldHeight + 5;
    otherSizes.listItemHeight = m_live.listItemHeight + 4;
    TemplateFontMetrics notInstalled = otherSizes;
    notInstalled.family = QStringLiteral("Kestra Missing Sans");
    TemplateFontMetrics defaultFamily = m_live;
    defaultFamily.family = m_live.family.isEmpty() ? QStringLiteral("Noto Sans CJK SC") : QString();
    const struct {
        const char* what;
        DialogTemplate form;
        TemplateFontMetrics guess;
        bool movesOncePainted;
    } cases[] = {
        {"right guess, nothing to fit: nothing moves", ListsTemplate(), m_live, false},
        {"right guess, a label to fit", fitted, m_live, true},
        {"other sizes", fitted, otherSizes, true},
        {"a family not installed", fitted, notInstalled, true},
        {"the other family", ListsTemplate(), defaultFamily, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(m_path);
        UseFontMetricsCache(nullptr);
        WindowState measured;
        {
            ScriptedDialog dialog(c.form, m_fakes);
            dialog.Create();
            measured = StateOf(dialog);
        }
        std::vector<DialogFont> asked;
        {
            FontMetricsCache cache(m_path, &CurrentFontEnvironment, [&](DialogFont font) {
                asked.push_back(font);
                return std::optional<TemplateFontMetrics>(c.guess);
            });
            UseFontMetricsCache(&cache);
            ScriptedDialog dialog(c.form, m_fakes);
            dialog.Create();
            EXPECT_EQ(asked, std::vector<DialogFont>{DialogFont::SimSun9});
            EXPECT_TRUE(dialog.LayoutCheckPending());
            EXPECT_EQ(!(StateOf(dialog) == measured), c.movesOncePainted) << StateOf(dialog);
            ASSERT_TRUE(WaitForLayoutCheck(dialog));
            processEvents();
            EXPECT_EQ(StateOf(dialog), measured);
            EXPECT_TRUE(dialog.LayoutMetrics() == m_live);
        }
        // The next run takes what was measured, before showing and without a guess.
        FontMetricsCache nextRun(m_path, &CurrentFontEnvironment, [](DialogFont) {
            ADD_FAILURE() << "guessed with a copy at hand";
            return std::optional<TemplateFontMetrics>();
        });
        UseFontMetricsCache(&nextRun);
        ScriptedDialog dialog(c.form, m_fakes);
        dialog.Create();
        EXPECT_EQ(StateOf(dialog), measured);
        ASSERT_TRUE(WaitForLayoutCheck(dialog));
        EXPECT_EQ(StateOf(dialog), measured);
    }
}

// A stale built-in guess would move every first run's window once it is on
// screen: it must be what the set-up it was taken on measures.
TEST_F(FontMetricsCacheTest, TheBuiltInGuessIsWhatTheReferenceSetUpMeasures)
{
    if (!ReferenceFontMetrics(DialogFont::SimSun9))
        GTEST_SKIP() << "no built-in guess on this platform";
    if (m_live.family != ReferenceFontMetrics(DialogFont::SimSun9)->family
        || QFontInfo(TemplateFont(DialogFont::System9)).family() != QStringLiteral("DejaVu Sans"))
        GTEST_SKIP() << "not the reference fonts";
    for (DialogFont font : {DialogFont::SimSun9, DialogFont::System9}) {
        MeasuredPlacement(font);
        const TemplateFontMetrics guess = *ReferenceFontMetrics(font);
        EXPECT_TRUE(guess == m_live) << static_cast<int>(font) << ": " << m_live.family.toStdString() << " "
                                     << m_live.units.x << " " << m_live.units.y << " " << m_live.listFieldHeight << " "
                                     << m_live.editListFieldHeight << " " << m_live.listItemHeight;
    }
}

TEST_F(FontMetricsCacheTest, TheTextFitsKeptAreTheLatestUsedAndTheFileStaysReadable)
{
    // A window with many controls fitted, in many states: more fits, and
    // larger ones, than the file can take.
    QJsonArray large;
    for (int index = 0; index < 60; ++index)
        large.append(QJsonArray{index, 100, 200, 300, 40, 82, "wider, taller, narrower font 82%"});
    const int count = 2 * static_cast<int>(FontMetricsCache::kMaxTextFits);
    auto key = [](int n) { return QStringLiteral("%1").arg(n, 40, 16, QLatin1Char('0')); };
    {
        FontMetricsCache cache(m_path);
        for (int n = 0; n < count; ++n)
            cache.keepTextFit(key(n), large);
        ASSERT_TRUE(cache.findTextFit(key(0)) == std::nullopt);
        cache.findTextFit(key(count / 2 + 1)); // used again: the newest
        cache.keepTextFit(key(count), large);
        cache.writeIfChanged();
    }
    ASSERT_TRUE(QFile::exists(m_path));
    EXPECT_LE(QFileInfo(m_path).size(), 64 * 1024);
    FontMetricsCache nextRun(m_path);
    for (int n : {count, count / 2 + 1}) {
        const std::optional<FontMetricsCache::TextFit> fit = nextRun.findTextFit(key(n));
        ASSERT_TRUE(fit.has_value()) << n;
        EXPECT_EQ(fit->outcome, large);
        EXPECT_FALSE(fit->confirmed);
    }
    EXPECT_FALSE(nextRun.findTextFit(key(count / 2)).has_value());
}

} // namespace
} // namespace kestra::test
