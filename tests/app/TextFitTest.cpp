// SPDX-License-Identifier: Apache-2.0
// The layout check: every window in every interface language, laid out with
// the fonts the program ships with, under the skin and the style it runs
// with, shows every text whole and opens every list with several entries.
// Run on the Windows platform plugin (scripts/windows.sh) it checks the
// Windows look as well.
//
// KESTRA_GALLERY_DIR=<folder> also saves a picture of each window there
// (scripts/gallery.sh); KESTRA_LAYOUT_REPORT=1 prints which controls had to
// take more room or a narrower font to fit.

#include "app/AppState.h"
#include "app/CardsDialog.h"
#include "app/MainDialog.h"
#include "dialogs/camera/CameraDialog.h"
#include "dialogs/mms/MmsDialog.h"
#include "dialogs/mms/MmsDialogIds.h"
#include "dialogs/sms/SmsDialog.h"
#include "dialogs/smtp/SmtpDialog.h"
#include "dialogs/smtp/SmtpDialogIds.h"
#include "support/LayoutCheck.h"
#include "support/TestServices.h"
#include "ui/Skin.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPixmap>
#include <QScreen>

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <memory>

namespace kestra {
namespace {

const char* const kLanguageTags[] = {"", "zh", "en", "de", "fi", "it", "fr", "hu", "sl", "cs", "ja", "lt"};

using WindowMaker = std::function<std::unique_ptr<ui::CDialog>(ui::Services&, int language)>;

// The windows whose operator list changes with the country: every country's
// operators are checked as well, and both lists in the Customer mode, where
// they hold one entry of their own and are disabled.
struct CountryLists {
    int country = 0;
    int operators = 0;
    int mode = 0;
};

constexpr int kCustomerModeEntry = 1;

void Pick(ui::CDialog& dialog, int id, int index)
{
    auto* list = qobject_cast<QComboBox*>(dialog.Control(id));
    ASSERT_NE(list, nullptr) << id;
    list->setCurrentIndex(index);
    emit list->activated(index); // as the user picks it
    QApplication::processEvents();
}

QStringList ProblemsInEveryCountry(ui::CDialog& dialog, CountryLists lists)
{
    QStringList problems;
    auto* countries = qobject_cast<QComboBox*>(dialog.Control(lists.country));
    for (int country = 0; countries && country < countries->count(); ++country) {
        Pick(dialog, lists.country, country);
        for (const QString& problem : test::LayoutProblems(dialog, lists.operators))
            problems << QStringLiteral("with %1: %2").arg(countries->itemText(country), problem);
    }
    Pick(dialog, lists.mode, kCustomerModeEntry);
    for (const int id : {lists.country, lists.operators}) {
        for (const QString& problem : test::LayoutProblems(dialog, id))
            problems << QStringLiteral("in the Customer mode: %1").arg(problem);
    }
    return problems;
}

class TextFit : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A run meant for a scaled screen (KESTRA_TEST_SCALE) must have one.
        if (const double scale = qEnvironmentVariable("KESTRA_TEST_SCALE").toDouble(); scale > 0) {
            ASSERT_DOUBLE_EQ(QGuiApplication::primaryScreen()->devicePixelRatio(), scale);
        }
        ui::InitSkinEngine();
        ASSERT_TRUE(ui::LoadSkin(165).ok());
        ASSERT_TRUE(ui::SelectDialogStyle(QStringLiteral("Dialog")).ok());
    }
    void TearDown() override
    {
        ui::UnloadSkin();
        g_languageIndex = kLanguageEnglish;
    }

    // Opens the window in each language and collects what the check finds.
    void CheckEveryLanguage(const char* window, const WindowMaker& make, CountryLists lists = {})
    {
        const QString gallery = qEnvironmentVariable("KESTRA_GALLERY_DIR");
        const bool report = !qEnvironmentVariableIsEmpty("KESTRA_LAYOUT_REPORT");
        for (int language = 1; language <= kLanguageCount; ++language) {
            g_languageIndex = language;
            const std::unique_ptr<ui::CDialog> dialog = make(fakes.services(), language);
            dialog->Create();
            QApplication::processEvents();
            const QString where = QStringLiteral("%1 window, %2, %3%: ")
                                      .arg(QLatin1String(window), QLatin1String(kLanguageTags[language]))
                                      .arg(qRound(dialog->widget()->devicePixelRatioF() * 100));
            if (!gallery.isEmpty()) {
                QDir().mkpath(gallery);
                dialog->widget()->grab().save(
                    QStringLiteral("%1/%2-%3.png")
                        .arg(gallery, QLatin1String(window), QLatin1String(kLanguageTags[language])));
            }
            if (report) {
                for (const QString& line : test::LayoutAdjustments(*dialog))
                    std::cout << (where + line).toStdString() << "\n";
            }
            QStringList problems = test::LayoutProblems(*dialog);
            if (lists.country != 0)
                problems << ProblemsInEveryCountry(*dialog, lists);
            for (const QString& problem : problems)
                ADD_FAILURE() << (where + problem).toStdString();
        }
    }

    test::TestServices fakes;
};

Session SessionOf(int language)
{
    return Session{language, language, 0};
}

TEST_F(TextFit, MainWindowListsInEveryLanguage)
{
    CheckEveryLanguage("main", [](ui::Services& services, int) { return std::make_unique<CMainDialog>(services); });
}

TEST_F(TextFit, CardsWindowInEveryLanguage)
{
    CheckEveryLanguage("cards", [](ui::Services& services, int) {
        return std::make_unique<CCardsDialog>(services, CardWritingPorts{});
    });
}

TEST_F(TextFit, CameraWindowListsInEveryLanguage)
{
    CheckEveryLanguage("camera", [](ui::Services& services, int language) {
        return std::make_unique<CCameraDialog>(services, SessionOf(language));
    });
}

TEST_F(TextFit, MmsWindowInEveryLanguage)
{
    CheckEveryLanguage("mms",
                       [](ui::Services& services, int language) {
                           return std::make_unique<CMmsDialog>(services, SessionOf(language));
                       },
                       {mms_ids::kCountryList, mms_ids::kOperatorList, mms_ids::kModeList});
}

TEST_F(TextFit, SmtpWindowInEveryLanguage)
{
    CheckEveryLanguage("smtp",
                       [](ui::Services& services, int language) {
                           return std::make_unique<CSmtpDialog>(services, SessionOf(language));
                       },
                       {smtp_ids::kCountryList, smtp_ids::kOperatorList, smtp_ids::kModeList});
}

TEST_F(TextFit, SmsWindowInEveryLanguage)
{
    CheckEveryLanguage("sms", [](ui::Services& services, int language) {
        return std::make_unique<CSmsDialog>(services, SessionOf(language));
    });
}

} // namespace
} // namespace kestra
