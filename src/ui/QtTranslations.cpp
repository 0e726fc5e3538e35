// SPDX-License-Identifier: Apache-2.0
#include "ui/QtTranslations.h"

#include "common/LanguageNames.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace kestra::ui {

namespace {

// Why a global: Qt's translators are the application's, installed on
// QCoreApplication, so there is one per process whatever holds the pointer.
// The translator is a child of the application object, so that it goes with
// it; the pointer notices that. GUI thread only.
QPointer<QTranslator> g_qtTranslator;

// The name Qt files a language's translation under; English needs none.
QString TranslationName(int languageIndex)
{
    if (languageIndex == kLanguageChinese)
        return QStringLiteral("qtbase_zh_CN"); // simplified characters, as the tool's own texts
    const LanguageSpelling* language = FindLanguageSpelling(languageIndex);
    if (!language || languageIndex == kLanguageEnglish)
        return {};
    return QStringLiteral("qtbase_") + QLatin1String(language->code);
}

} // namespace

QString QtTranslationsFolder()
{
#ifdef Q_OS_WIN
    // The program's folder is all a Windows install has: the zip carries the
    // translations beside the program.
    return QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
#else
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#endif
}

bool UseQtTranslations(int languageIndex)
{
    const QString name = TranslationName(languageIndex);
    // Every main window asks again; the file is read once per change.
    if (g_qtTranslator && g_qtTranslator->objectName() == name)
        return true;
    if (g_qtTranslator) {
        QCoreApplication::removeTranslator(g_qtTranslator);
        delete g_qtTranslator;
    }
    if (name.isEmpty())
        return false;
    auto* translator = new QTranslator(QCoreApplication::instance());
    translator->setObjectName(name);
    // A language Qt has no translation for (or a missing file) stays English.
    if (!translator->load(name, QtTranslationsFolder())) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    g_qtTranslator = translator;
    return true;
}

} // namespace kestra::ui
