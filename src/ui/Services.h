// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace kestra::ui {

class RegistryStore;

// The user message box: the tool's icon, the caption, one OK button, no owner.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual void showMessage(const QString& caption, const QString& text) = 0;
    // The same box with Yes and No; true for Yes. A service without the
    // choice shows the text and answers No.
    virtual bool askYesNo(const QString& caption, const QString& text)
    {
        showMessage(caption, text);
        return false;
    }
};

// The folder browser with an editable path. Nothing when cancelled or when the
// chosen item has no file-system path.
class FolderBrowserService {
public:
    virtual ~FolderBrowserService() = default;
    virtual std::optional<QString> browseForFolder() = 0;
    // Where the browser opens; the home folder when empty.
    QString startFolder;
};

// The open-file dialog of "Load configure", filtered to "Kestra Files (*.dat)"
// and "All Files (*)". Nothing when cancelled.
class OpenFileService {
public:
    virtual ~OpenFileService() = default;
    virtual std::optional<QString> getOpenFileName() = 0;
    // An open-file dialog of the caller's own: its title and its filters, the
    // first one chosen (such as "Profiles (*.json)", "All Files (*)").
    virtual std::optional<QString> chooseFile(const QString& title, const QStringList& filters) = 0;
};

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

class ClockService {
public:
    virtual ~ClockService() = default;
    virtual LocalTime localTime() = 0;
};

// The system's default language ID as Windows numbers it (0x0804 Chinese
// (PRC), 0x0409 English (US), 0x1407 German (Liechtenstein), ...).
class SystemLanguageService {
public:
    virtual ~SystemLanguageService() = default;
    virtual std::uint16_t defaultLanguageId() = 0;
};

// Everything interactive a window may need, passed into every dialog.
struct Services {
    MessageBoxService& messages;
    FolderBrowserService& folders;
    OpenFileService& files;
    ClockService& clock;
    SystemLanguageService& systemLanguage;
    RegistryStore& registry;
};

} // namespace kestra::ui
