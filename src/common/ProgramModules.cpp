// SPDX-License-Identifier: Apache-2.0
#include "common/ProgramModules.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>

#include <string>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

// The build names the modules and says where an install keeps them, relative
// to the program's folder (src/CMakeLists.txt).
#if !defined(KESTRA_MAILTEST_MODULE_FILE) || !defined(KESTRA_MODULE_DIR) || !defined(KESTRA_VERSION)
#error "the build defines the module file names, the install's module folder and the version"
#endif
#if !defined(Q_OS_WIN) && !defined(KESTRA_DRIVES_MODULE_FILE)
#error "the build defines the drives module's file name on every system but Windows"
#endif

namespace kestra {
namespace {

// A module may be looked for before the program's application object exists,
// when Qt cannot yet say where the program is.
QString ProgramDirectory()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
#ifdef Q_OS_WIN
    std::wstring path(32768, L'\0');
    const DWORD size = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (size == 0 || size >= path.size())
        return {};
    return QFileInfo(QString::fromWCharArray(path.data(), static_cast<qsizetype>(size))).absolutePath();
#else
    // Linux names the running program here, whatever path it was started by.
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return program.isEmpty() ? QString() : QFileInfo(program).absolutePath();
#endif
}

QString Shown(const QString& path)
{
    return QDir::toNativeSeparators(QDir::cleanPath(path));
}

} // namespace

QString ModuleFileName(ProgramModule module)
{
    switch (module) {
    case ProgramModule::MailTest:
        return QStringLiteral(KESTRA_MAILTEST_MODULE_FILE);
    case ProgramModule::Drives:
#ifdef KESTRA_DRIVES_MODULE_FILE
        return QStringLiteral(KESTRA_DRIVES_MODULE_FILE);
#else
        break; // Windows asks Win32 in the program itself: there is no such module
#endif
    }
    return {};
}

QString ProgramVersion()
{
    return QStringLiteral(KESTRA_VERSION);
}

ModuleEntry LoadModuleEntry(ProgramModule module, const char* entryName)
{
    const QString file = ModuleFileName(module);
    const QString programDir = ProgramDirectory();
    if (programDir.isEmpty())
        return {nullptr,
                QStringLiteral("the program's own folder cannot be found, so neither can its module %1").arg(file)};
    QStringList tried;
    for (const QString& folder : {programDir, QDir(programDir).filePath(QStringLiteral(KESTRA_MODULE_DIR))}) {
        const QString path = QDir::cleanPath(QDir(folder).filePath(file));
        if (!QFileInfo::exists(path)) {
            tried << Shown(path);
            continue;
        }
        // A module found but unusable is reported as it is, rather than passed
        // over for another copy that may belong to another version.
        QLibrary library(path);
        library.setLoadHints(QLibrary::PreventUnloadHint);
        if (!library.load())
            return {nullptr, QStringLiteral("%1 cannot be loaded (%2)").arg(Shown(path), library.errorString())};
        // The version first: an entry of another build is never called.
        const auto version = reinterpret_cast<ModuleVersionEntry>(library.resolve(kModuleVersionEntryName));
        if (!version)
            return {nullptr, QStringLiteral("%1 is no module of this program: it has no %2")
                                 .arg(Shown(path), QString::fromLatin1(kModuleVersionEntryName))};
        const QString moduleVersion = QString::fromUtf8(version());
        if (moduleVersion != ProgramVersion())
            return {nullptr, QStringLiteral("%1 belongs to Kestra Setup %2, not to this program's version %3")
                                 .arg(Shown(path), moduleVersion, ProgramVersion())};
        if (const QFunctionPointer function = library.resolve(entryName))
            return {function, {}};
        return {nullptr, QStringLiteral("%1 is no module of this program: it has no %2")
                             .arg(Shown(path), QString::fromLatin1(entryName))};
    }
    return {nullptr,
            QStringLiteral("the module %1 is missing (looked for %2)").arg(file, tried.join(QStringLiteral(" and ")))};
}

} // namespace kestra
