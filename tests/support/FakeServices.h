// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ui/Services.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace kestra::test {

// Records every message instead of showing it; never blocks.
class FakeMessageBox : public ui::MessageBoxService {
public:
    struct Message {
        QString caption;
        QString text;
        bool operator==(const Message&) const = default;
    };

    void showMessage(const QString& caption, const QString& text) override;
    // Records the question as a message and answers with the next of
    // `yesNoAnswers`; No once they are used up.
    bool askYesNo(const QString& caption, const QString& text) override
    {
        showMessage(caption, text);
        if (yesNoAnswers.empty())
            return false;
        const bool yes = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return yes;
    }
    std::deque<bool> yesNoAnswers;

    std::vector<Message> messages;
    // Runs inside showMessage, after recording (a test can act while the
    // message would be on screen).
    std::function<void(const Message&)> onShow;

    int count() const { return static_cast<int>(messages.size()); }
    bool empty() const { return messages.empty(); }
    const Message& last() const { return messages.back(); }
    QStringList texts() const;
    void clear() { messages.clear(); }
};

// Answers of a picker dialog, from a queue; nullopt stands for Cancel, and so
// does an empty queue.
struct PickerAnswers {
    std::optional<QString> next();

    std::deque<std::optional<QString>> answers;
    int calls = 0;
};

class FakeFolderBrowser : public ui::FolderBrowserService, public PickerAnswers {
public:
    std::optional<QString> browseForFolder() override { return next(); }
};

class FakeOpenFile : public ui::OpenFileService, public PickerAnswers {
public:
    std::optional<QString> getOpenFileName() override
    {
        title.clear();
        filters = QStringList{QStringLiteral("Kestra Files (*.dat)"), QStringLiteral("All Files (*)")};
        return next();
    }
    std::optional<QString> chooseFile(const QString& dialogTitle, const QStringList& dialogFilters) override
    {
        title = dialogTitle;
        filters = dialogFilters;
        return next();
    }

    // What the last dialog was asked to show.
    QString title;
    QStringList filters;
};

class FakeClock : public ui::ClockService {
public:
    ui::LocalTime localTime() override { return now; }

    ui::LocalTime now{2014, 3, 7, 9, 5, 2};
};

class FakeSystemLanguage : public ui::SystemLanguageService {
public:
    std::uint16_t defaultLanguageId() override { return languageId; }

    std::uint16_t languageId = 0x0409;
};

} // namespace kestra::test
