// SPDX-License-Identifier: Apache-2.0
// The two programs as a user meets them: kestra-setup, the windows, and
// kestra-setup-cli, the command line; each linked to what it needs, and both
// loading only the two optional modules (the e-mail test and, on Linux, the
// removable drives), each of this build's version alone.
#include "app/StartOptions.h"
#include "app/StartupSettings.h"
#include "common/Languages.h"
#include "storage/Cp936.h"
#include "ui/FileRegistryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace kestra {
namespace {

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

// Runs `program` with no display and the choices and caches in `home` (a
// fresh folder of the test's when empty), in the C locale.
Outcome RunProgram(const QString& program, const QStringList& arguments, const QString& home = {},
                   const QStringList& extraEnvironment = {})
{
    QTemporaryDir freshHome;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANGUAGE"})
        environment.remove(QString::fromLatin1(name));
    const QString homePath = home.isEmpty() ? freshHome.path() : home;
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), homePath);
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), homePath);
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    for (const QString& variable : extraEnvironment)
        environment.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

const QString kWindows = QStringLiteral(KESTRA_SETUP_PROGRAM);
const QString kCommandLine = QStringLiteral(KESTRA_CLI_PROGRAM);

// --- the windowed program -----------------------------------------------------

// kestra-setup takes --lang, --help, --version and Qt's options. A command,
// wherever it stands, is sent to kestra-setup-cli in one line and exit 2,
// before any window or display and without storing anything; a language it
// does not know is refused with the list, before the display is looked for.
TEST(WindowedProgram, SendsCommandsToTheCommandLineAndRefusesUnknownLanguages)
{
    const QString english = QStringLiteral("is a command of kestra-setup-cli, the command line; run "
                                           "kestra-setup-cli with the same arguments");
    const QString chinese = QStringLiteral("是命令行程序 kestra-setup-cli 的命令");
    const struct {
        QStringList arguments;
        QString said;
        int status;
        bool onStdout;
    } cases[] = {
        {{"card", "list"}, QStringLiteral("kestra-setup: \"card\" ") + english, 2, false},
        {{"camera", "--out", "/tmp/nowhere", "--mode", "video"}, QStringLiteral("\"camera\" ") + english, 2, false},
        {{"--lang", "zh", "card", "list"}, QStringLiteral("\"card\" ") + chinese, 2, false},
        {{"--lang=de", "inspect", "x"}, QStringLiteral("\"inspect\" ") + english, 2, false},
        {{"-platform", "offscreen", "mail-test"}, QStringLiteral("\"mail-test\" ") + english, 2, false},
        {{"--lang", "Klingon", "catalogue"}, QStringLiteral("\"catalogue\" ") + english, 2, false},
        {{"nonsense"}, QStringLiteral("\"nonsense\" ") + english, 2, false},
        {{"--lang", "Klingon"},
         "kestra-setup: --lang: \"Klingon\" is no language; use one of Chinese (zh, 1), English (en, 2), "
         "Deutsch (de, 3)",
         2,
         false},
        {{"--lang=xx"}, "Japanese (ja, 10), Lithuanian (lt, 11)", 2, false},
        {{"--lang"}, "--lang needs a language", 2, false},
        // Options after the command, or a command's option before it.
        {{"card", "list", "--lang", "zh"}, QStringLiteral("\"card\" ") + chinese, 2, false},
        {{"--out", "/tmp/nowhere", "camera"}, QStringLiteral("\"camera\" ") + english, 2, false},
        {{"-V", "inspect"}, QStringLiteral("\"inspect\" ") + english, 2, false},
        // An option it does not take is refused, display or none.
        {{"--bogus"}, "kestra-setup: --bogus is no option of kestra-setup", 2, false},
        {{"--out", "/tmp/nowhere"}, "kestra-setup: --out is no option of kestra-setup", 2, false},
        {{"--lang", "zh", "--bogus=1"}, "kestra-setup：--bogus 不是 kestra-setup 的选项", 2, false},
        {{"-V"}, QStringLiteral("kestra-setup " KESTRA_VERSION), 0, true},
        {{"--version"}, QStringLiteral("kestra-setup " KESTRA_VERSION), 0, true},
        {{"--help"}, "see kestra-setup-cli --help", 0, true},
#ifndef Q_OS_WIN
        // Windows always has a display: there a known language opens the
        // windows, which no test may wait on.
        {{"--lang", "de"}, "no display", 2, false},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        QTemporaryDir home;
        const Outcome run = RunProgram(kWindows, c.arguments, home.path());
        EXPECT_EQ(run.status, c.status);
        const QString& shown = c.onStdout ? run.out : run.err;
        const QString& silent = c.onStdout ? run.err : run.out;
        EXPECT_TRUE(shown.contains(c.said)) << shown.toStdString();
        EXPECT_TRUE(silent.isEmpty()) << silent.toStdString();
        if (c.status == 2 && !c.said.contains(QStringLiteral("no display"))) {
            EXPECT_EQ(shown.count(QLatin1Char('\n')), 1) << "one line, not " << shown.toStdString();
        }
        // Nothing stored: not the --lang choice, not a first run's key.
        EXPECT_TRUE(QDir(home.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    }
    // The Chinese line as a Chinese Windows console's code page holds it.
    EXPECT_TRUE(EncodeCp936(CommandProgramLine(QStringLiteral("card"), true)).has_value());
    EXPECT_TRUE(EncodeCp936(UnknownOptionLine(QStringLiteral("--bogus"), true)).has_value());
}

#ifndef Q_OS_WIN
// Without --lang the line is in the language the windows would open in:
// Chinese once the language menu chose it, English for a stored Chinese the
// system cannot show (the windows show English then) and for any other.
TEST(WindowedProgram, SaysWhereCommandsGoInTheRememberedLanguage)
{
    const struct {
        int chosen; // the language menu's choice; 0: none stored
        const char* systemLocale;
        const char* said;
    } cases[] = {
        {kLanguageChinese, "C", "是命令行程序 kestra-setup-cli 的命令"},
        {kLanguageGerman, "C", "is a command of kestra-setup-cli"},
        {0, "C", "is a command of kestra-setup-cli"},
        {0, "zh_CN.UTF-8", "是命令行程序 kestra-setup-cli 的命令"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.chosen << " " << c.systemLocale);
        QTemporaryDir home;
        const QString storePath = QDir(home.path()).filePath(QStringLiteral("kestra-setup/registry.json"));
        if (c.chosen != 0) {
            ui::FileRegistryStore store(storePath);
            ASSERT_TRUE(store.createKey());
            ChooseLanguage(store, c.chosen);
        }
        QFile stored(storePath);
        const QByteArray before = stored.open(QIODevice::ReadOnly) ? stored.readAll() : QByteArray();
        stored.close();
        const Outcome run = RunProgram(kWindows, {"card", "list"}, home.path(),
                                       {QStringLiteral("LC_ALL=%1").arg(QLatin1String(c.systemLocale))});
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.said))) << run.err.toStdString();
        const QByteArray after = stored.open(QIODevice::ReadOnly) ? stored.readAll() : QByteArray();
        EXPECT_EQ(after, before);
    }
}
#endif

// --- the optional modules -------------------------------------------------------

// The e-mail test and (on Linux) the removable drives are modules loaded when
// used. A copy of kestra-setup-cli without them, with a damaged file in their
// place or with a module of another version, names the file it could not use
// (and both versions) and exits with 1: never a crash, never a success, and
// never a call into a module of another build.
TEST(OptionalModules, MissingBrokenOrForeignModuleIsNamedAndFailsTheRun)
{
    QTemporaryDir folder;
    const QString program = folder.filePath(QFileInfo(kCommandLine).fileName());
    ASSERT_TRUE(QFile::copy(kCommandLine, program));
    const QDir programDir(QFileInfo(folder.path()).canonicalFilePath());
    const QStringList mailTest = {"mail-test",       "--smtp-server",     "127.0.0.1", "--sender-email",
                                  "cam@example.org", "--sender-password", "pw",        "--json"};
    enum class Put { Nothing, Damaged, OtherVersion };
    struct Case {
        const char* name;
        QStringList arguments;
        const char* module;
        Put put;
    };
    std::vector<Case> cases = {
        {"mail test, missing", mailTest, KESTRA_MAILTEST_MODULE_FILE, Put::Nothing},
        {"mail test, damaged", mailTest, KESTRA_MAILTEST_MODULE_FILE, Put::Damaged},
        {"mail test, another version", mailTest, KESTRA_MAILTEST_MODULE_FILE, Put::OtherVersion},
    };
#ifdef KESTRA_DRIVES_MODULE_FILE
    cases.push_back({"drives, missing", {"card", "list"}, KESTRA_DRIVES_MODULE_FILE, Put::Nothing});
    cases.push_back({"drives, damaged", {"card", "list"}, KESTRA_DRIVES_MODULE_FILE, Put::Damaged});
    cases.push_back({"drives, missing, JSON", {"card", "list", "--json"}, KESTRA_DRIVES_MODULE_FILE, Put::Nothing});
    cases.push_back({"drives, another version", {"card", "list"}, KESTRA_DRIVES_MODULE_FILE, Put::OtherVersion});
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString module = programDir.filePath(QString::fromLatin1(c.module));
        QFile::remove(module);
        if (c.put == Put::Damaged)
            WriteAll(module, "not a module");
        if (c.put == Put::OtherVersion) {
            ASSERT_TRUE(QFile::copy(QStringLiteral(KESTRA_OTHER_VERSION_MODULE), module));
        }
        const Outcome run = RunProgram(program, c.arguments);
        EXPECT_EQ(run.status, 1) << run.out.toStdString() << run.err.toStdString();
        // The mail test's --json report carries the path escaped: read its summary.
        const QString said =
            run.out + run.err + QJsonDocument::fromJson(run.out.toUtf8()).object().value("summary").toString();
        EXPECT_TRUE(said.contains(QDir::toNativeSeparators(module))) << said.toStdString();
        if (c.put == Put::OtherVersion) {
            EXPECT_TRUE(said.contains(QStringLiteral("belongs to Kestra Setup 0.0.1-other, not to this program's "
                                                     "version " KESTRA_VERSION)))
                << said.toStdString();
            EXPECT_FALSE(said.contains(QStringLiteral("entry of another build was called"))) << said.toStdString();
        }
        QFile::remove(module);
    }
}

// --- linking ------------------------------------------------------------------

#ifdef Q_OS_LINUX
QString Dependencies(const QString& file)
{
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"), {file});
    EXPECT_TRUE(ldd.waitForFinished(30000) && ldd.exitStatus() == QProcess::NormalExit && ldd.exitCode() == 0)
        << ldd.errorString().toStdString() << ldd.readAllStandardError().toStdString();
    return QString::fromLocal8Bit(ldd.readAllStandardOutput());
}

// The files of the build's own folder a run loads after its start (dlopen),
// as the dynamic linker reports them.
QStringList OwnFilesLoaded(const QString& program, const QStringList& arguments, int lingerMs)
{
    QTemporaryDir home;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("files"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), home.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // No system bus: the drives module is loaded all the same, and answers at once.
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/kestra"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (lingerMs > 0 && !process.waitForFinished(lingerMs)) {
        process.kill();
        process.waitForFinished(30000);
    } else {
        process.waitForFinished(30000);
    }
    const QString folder = QFileInfo(program).canonicalPath() + QLatin1Char('/');
    QStringList loaded;
    for (const QString& line : QString::fromLocal8Bit(process.readAllStandardError()).split(QLatin1Char('\n'))) {
        // "file=/path/libx.so [0];  dynamically loaded by ..."
        if (!line.contains(QStringLiteral("dynamically loaded by")))
            continue;
        const QString file = line.section(QStringLiteral("file="), 1).section(QLatin1Char(' '), 0, 0);
        if (QFileInfo(file).canonicalFilePath().startsWith(folder))
            loaded << QFileInfo(file).fileName();
    }
    loaded.removeDuplicates();
    return loaded;
}
#endif

// The command line links QtCore and no Qt Gui, Widgets, Network or DBus (nor
// what lies under them: libdbus, Kerberos, X); the windows link Widgets and
// no QtNetwork. No
// program loads a module of its own code but the optional ones, and those
// only when a run uses them.
TEST(Programs, EachLinksWhatItNeedsAndLoadsOnlyTheOptionalModules)
{
#ifndef Q_OS_LINUX
    GTEST_SKIP() << "the dynamic dependencies are read with ldd and the dynamic linker's report";
#else
    const QString commandLine = Dependencies(kCommandLine);
    EXPECT_TRUE(commandLine.contains("libQt6Core.so")) << commandLine.toStdString();
    for (const char* unwanted :
         {"libQt6Gui", "libQt6Widgets", "libQt6Network", "libQt6DBus", "libdbus-1", "libX11", "libxcb", "libkestra"})
        EXPECT_FALSE(commandLine.contains(QLatin1String(unwanted))) << unwanted << " in\n" << commandLine.toStdString();
    const QString windows = Dependencies(kWindows);
    EXPECT_TRUE(windows.contains("libQt6Widgets.so")) << windows.toStdString();
    // Qt Gui itself brings QtDBus on Linux; QtNetwork is the mail test's alone.
    for (const char* unwanted : {"libQt6Network", "libkestra"})
        EXPECT_FALSE(windows.contains(QLatin1String(unwanted))) << unwanted << " in\n" << windows.toStdString();

    QTemporaryDir card;
    const struct {
        const char* name;
        QString program;
        QStringList arguments;
        int lingerMs; // a run that does not end by itself is ended then
        QStringList loaded;
    } cases[] = {
        {"a save", kCommandLine, {"camera", "--out", card.path(), "--clock", "2024-03-05 08:07:06"}, 0, {}},
        {"inspect", kCommandLine, {"inspect", card.path()}, 0, {}},
        {"the version", kCommandLine, {"--version"}, 0, {}},
        {"card list", kCommandLine, {"card", "list"}, 0, {QStringLiteral(KESTRA_DRIVES_MODULE_FILE)}},
        {"the main window", kWindows, {}, 3000, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(OwnFilesLoaded(c.program, c.arguments, c.lingerMs), c.loaded);
    }
#endif
}

} // namespace
} // namespace kestra
