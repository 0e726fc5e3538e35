// SPDX-License-Identifier: Apache-2.0
#pragma once

// Header only: it opens the shell's windows, so only the window tests, which
// link the shell, include it.

#include "app/AppState.h"
#include "storage/SettingsFileIo.h"
#include "support/DialogControls.h"
#include "support/TestServices.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace kestra::test {

// What every settings window test starts from: the fakes, an empty folder of
// its own and the shell in English. Open() opens the window as the shell
// does (the session of the shell's state, the PC clock read from the fake
// clock at that moment) and points it at the test's folder through Select;
// SavedFile() reads the window's settings file back.
//
//   class CMyDialogTest : public test::SettingsWindowTest<CMyDialog> {
//   protected:
//       CMyDialogTest() : SettingsWindowTest(kSelectButton, kMyFileName) {}
//   };
template <typename Window> class SettingsWindowTest : public ::testing::Test, protected DialogControls {
protected:
    SettingsWindowTest(int selectButtonId, const char* fileName)
        : m_selectButtonId(selectButtonId), m_fileName(QString::fromLatin1(fileName))
    {
    }

    ui::CDialog* openWindow() const override { return m_dialog.get(); }

    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        g_languageIndex = kLanguageEnglish;
        g_chineseChosen = 0;
        g_tvMode = 0;
    }

    // Opens the window with the shell's state as it stands and points it at
    // `folder` (the test's own by default).
    Window& Open(const QString& folder = {}) { return OpenWith(OpeningSession(fakes.clock), folder); }

    // The same with a session of the test's choosing. The window open before
    // is closed first, so two windows never share the fakes.
    Window& OpenWith(const Session& session, const QString& folder = {})
    {
        m_dialog.reset();
        m_dialog = std::make_unique<Window>(fakes, session);
        m_dialog->Create();
        fakes.folders.answers.push_back(folder.isEmpty() ? m_dir.path() : folder);
        Click(m_selectButtonId);
        return *m_dialog;
    }

    // The window's settings file in `folder` (the test's own by default);
    // empty when there is none.
    QByteArray SavedFile(const QString& folder = {}) const
    {
        QFile file(SettingsFilePath(folder.isEmpty() ? m_dir.path() : folder, m_fileName));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    Window& dialog() { return *m_dialog; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

    TestServices fakes;

private:
    int m_selectButtonId;
    QString m_fileName;
    QTemporaryDir m_dir;
    std::unique_ptr<Window> m_dialog;
};

} // namespace kestra::test
