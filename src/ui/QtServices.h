// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ui/Services.h"

#include <memory>

namespace kestra::ui {

// The services as the program uses them, on Qt's own dialogs.

// An owner-less QMessageBox with the tool's icon and one OK button.
class QtMessageBoxService : public MessageBoxService {
public:
    void showMessage(const QString& caption, const QString& text) override;
    bool askYesNo(const QString& caption, const QString& text) override;
};

// QFileDialog's folder chooser; its path field can be typed into. The answer
// uses the platform's separators.
class QtFolderBrowserService : public FolderBrowserService {
public:
    std::optional<QString> browseForFolder() override;
};

// QFileDialog's open dialog with "Kestra Files (*.dat)" and "All Files (*)".
class QtOpenFileService : public OpenFileService {
public:
    static constexpr const char* kFilter = "Kestra Files (*.dat);;All Files (*)";
    std::optional<QString> getOpenFileName() override;
    std::optional<QString> chooseFile(const QString& title, const QStringList& filters) override;
};

class QtClockService : public ClockService {
public:
    LocalTime localTime() override;
};

// GetSystemDefaultLangID on Windows; elsewhere the system locale through
// LanguageIdForLocale.
class QtSystemLanguageService : public SystemLanguageService {
public:
    std::uint16_t defaultLanguageId() override;
};

// One of each, with the platform's registry store, for the program.
class ProgramServices {
public:
    ProgramServices();
    ~ProgramServices();
    ProgramServices(const ProgramServices&) = delete;
    ProgramServices& operator=(const ProgramServices&) = delete;

    Services& services() { return m_services; }

private:
    QtMessageBoxService m_messages;
    QtFolderBrowserService m_folders;
    QtOpenFileService m_files;
    QtClockService m_clock;
    QtSystemLanguageService m_systemLanguage;
    std::unique_ptr<RegistryStore> m_registry;
    Services m_services;
};

} // namespace kestra::ui
