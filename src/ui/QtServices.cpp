// SPDX-License-Identifier: Apache-2.0
#include "ui/QtServices.h"

#include "ui/ControlWidgets.h"
#include "ui/RegistryStore.h"
#include "ui/SystemLanguage.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>

namespace kestra::ui {

namespace {

// The tool's message box with its icon, run modally; the button pressed.
int RunMessageBox(const QString& caption, const QString& text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, buttons);
    const QIcon icon = ToolIcon();
    if (!icon.isNull()) {
        box.setIconPixmap(icon.pixmap(32, 32));
        box.setWindowIcon(icon);
    }
    box.setObjectName(QStringLiteral("messageBox"));
    return box.exec();
}

} // namespace

void QtMessageBoxService::showMessage(const QString& caption, const QString& text)
{
    RunMessageBox(caption, text, QMessageBox::Ok);
}

bool QtMessageBoxService::askYesNo(const QString& caption, const QString& text)
{
    return RunMessageBox(caption, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QString> QtFolderBrowserService::browseForFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(
        nullptr, QString(), startFolder.isEmpty() ? QDir::homePath() : startFolder, QFileDialog::ShowDirsOnly);
    if (folder.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(folder);
}

std::optional<QString> QtOpenFileService::getOpenFileName()
{
    const QString file =
        QFileDialog::getOpenFileName(nullptr, QString(), QDir::homePath(), QString::fromLatin1(kFilter));
    if (file.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(file);
}

std::optional<QString> QtOpenFileService::chooseFile(const QString& title, const QStringList& filters)
{
    const QString file =
        QFileDialog::getOpenFileName(nullptr, title, QDir::homePath(), filters.join(QStringLiteral(";;")));
    if (file.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(file);
}

LocalTime QtClockService::localTime()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

std::uint16_t QtSystemLanguageService::defaultLanguageId()
{
    return SystemDefaultLanguageId();
}

ProgramServices::ProgramServices()
    : m_registry(CreatePlatformRegistryStore()), m_services{m_messages, m_folders,        m_files,
                                                            m_clock,    m_systemLanguage, *m_registry}
{
}

ProgramServices::~ProgramServices() = default;

} // namespace kestra::ui
