// SPDX-License-Identifier: Apache-2.0
// What every settings window does alike, one table over the windows each: a
// text field takes its limit in bytes typed and not one more, and a longer
// text pasted whole fails the field's check, which names the limit; the
// picture count refuses every character class but a sign in front; every
// control has a name a screen reader announces; and each language shows the
// window's own texts, quirks included.

#include "app/AppState.h"
#include "dialogs/camera/CameraDialog.h"
#include "dialogs/camera/CameraDialogIds.h"
#include "dialogs/mms/MmsDialog.h"
#include "dialogs/mms/MmsDialogIds.h"
#include "dialogs/sms/SmsDialog.h"
#include "dialogs/sms/SmsDialogIds.h"
#include "dialogs/smtp/SmtpDialog.h"
#include "dialogs/smtp/SmtpDialogIds.h"
#include "formats/gprs/GprsSettings.h"
#include "support/AnnouncedName.h"
#include "support/DialogControls.h"
#include "support/TestServices.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kestra {
namespace {

using Controls = test::DialogControls;
using test::AnnouncedName;

// One settings window as its own tests open it: `open` builds it in a
// language, Select points it at the test's folder.
struct WindowKind {
    const char* name;
    std::function<std::unique_ptr<CSettingsDialog>(ui::Services&, int language)> open;
    int selectButton;
    // What the limits' cases do first, so that every field of the table takes typing.
    std::function<void(const Controls&)> prepare;
    // The picture count of the record the window shows.
    std::function<int(CSettingsDialog&)> pictures;
};

// As the shell opens a window: the shell's state, with `language` chosen.
template <typename Window> auto ShellOpens()
{
    return [](ui::Services& services, int language) -> std::unique_ptr<CSettingsDialog> {
        g_languageIndex = language;
        return std::make_unique<Window>(services, OpeningSession(services.clock));
    };
}

// With a session of `language` alone (its code the same, no TV mode).
template <typename Window> auto SessionOpens()
{
    return [](ui::Services& services, int language) -> std::unique_ptr<CSettingsDialog> {
        return std::make_unique<Window>(services, Session{language, language, 0});
    };
}

// A value of the record the window shows.
template <typename Window, typename Value, typename Record>
std::function<Value(CSettingsDialog&)> Shown(Value Record::*member)
{
    return [member](CSettingsDialog& window) { return static_cast<Window&>(window).ShownSettings().*member; };
}

const WindowKind kCamera{"Camera", ShellOpens<CCameraDialog>(), camera_ids::kSelectButton, {}, {}};
const WindowKind kMms{"Mms", SessionOpens<CMmsDialog>(), mms_ids::kSelectButton,
                      [](const Controls& c) {
                          c.Pick(mms_ids::kModeList, 1); // Custom: every parameter field takes typing
                          c.Retype(mms_ids::kPhoneField, QStringLiteral("13800138000")); // opens the second number
                      },
                      Shown<CMmsDialog>(&MmsSettings::picturesPerDay)};
const WindowKind kSms{"Sms", ShellOpens<CSmsDialog>(), sms_ids::kSelectButton,
                      [](const Controls& c) {
                          // Each complete number opens the next.
                          c.Retype(sms_ids::kPhone1Field, QStringLiteral("12345"));
                          c.Retype(sms_ids::kPhone2Field, QStringLiteral("12345"));
                      },
                      Shown<CSmsDialog>(&SmsSettings::picturesPerDay)};
const WindowKind kSmtp{"Smtp", ShellOpens<CSmtpDialog>(), smtp_ids::kSelectButton,
                       [](const Controls& c) {
                           c.Pick(smtp_ids::kModeList, kGprsModeCustomer); // the GPRS fields take typing
                       },
                       Shown<CSmtpDialog>(&GprsSettings::picturesPerDay)};

template <typename Param> class EveryWindow : public ::testing::TestWithParam<Param>, protected Controls {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        g_languageIndex = kLanguageEnglish;
        g_chineseChosen = 0;
        g_tvMode = 0;
        fakes.clock.now = {2024, 3, 5, 8, 7, 6};
    }

    ui::CDialog* openWindow() const override { return m_window.get(); }

    CSettingsDialog& Open(const WindowKind& kind, int language)
    {
        m_window.reset();
        m_window = kind.open(fakes, language);
        m_window->Create();
        fakes.folders.answers.push_back(m_dir.path());
        Click(kind.selectButton);
        return *m_window;
    }

    test::TestServices fakes;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<CSettingsDialog> m_window;
};

template <typename Param> std::string CaseName(const ::testing::TestParamInfo<Param>& info)
{
    return info.param.name;
}

// --- Field limits and refused characters ----------------------------------

struct LimitCase {
    std::string name;
    const WindowKind* window;
    int id;
    bool typed; // else set from code (pasted whole)
    QString text;
    QString shown;   // what the field then shows
    QString message; // empty for none
    // The record's text the field fills, which takes the shown text; none where empty.
    std::function<QByteArray(CSettingsDialog&)> stored = {};
    std::optional<int> pictures = std::nullopt; // the picture count the record then holds
};

void PrintTo(const LimitCase& c, std::ostream* os)
{
    *os << c.name;
}

struct LimitedField {
    const char* name;
    int id;
    std::function<QByteArray(CSettingsDialog&)> stored;
    int limit;
};

std::vector<LimitCase> LimitCases()
{
    std::vector<LimitCase> cases;
    const QString integer = QStringLiteral("Please enter an integer.");
    // Pasted whole, the count refuses every character class but a sign in front.
    const struct {
        const char* name;
        const char* text;
    } pasted[] = {{"Letter", "1a"},    {"Point", "1.5"},      {"SpaceInside", "1 5"},
                  {"SignAfter", "5-"}, {"SignInside", "1+2"}, {"SignInFront", "+7"}};
    const struct {
        const WindowKind* window;
        int pictures;
    } counts[] = {
        {&kMms, mms_ids::kPicturesField}, {&kSms, sms_ids::kPicturesField}, {&kSmtp, smtp_ids::kPicturesField}};
    for (const auto& w : counts) {
        for (const auto& p : pasted) {
            const bool taken = QByteArray(p.text) == "+7";
            const std::string name = std::string(w.window->name) + "_Pictures_Set_" + p.name;
            const std::optional<int> count = taken ? std::optional(7) : std::nullopt;
            cases.push_back(
                {name, w.window, w.pictures, false, p.text, p.text, taken ? QString() : integer, {}, count});
        }
    }
    // Typed, the count of the GPRS window takes its digits alone.
    const struct {
        const char* name;
        const char* text;
        const char* shown;
    } typed[] = {{"Letter", "1a", "1"},
                 {"Point", "1.5", "15"},
                 {"SpaceInside", "1 5", "15"},
                 {"SignAfter", "5-", "5"},
                 {"SignInFront", "+7", "7"}};
    for (const auto& t : typed) {
        const std::string name = std::string("Smtp_Pictures_Typed_") + t.name;
        cases.push_back({name, &kSmtp, smtp_ids::kPicturesField, true, t.text, t.shown, {}});
    }

    const std::vector<std::pair<const WindowKind*, std::vector<LimitedField>>> limited = {
        {&kMms,
         {
             {"Url", mms_ids::kUrlField, Shown<CMmsDialog>(&MmsSettings::url), 50},
             {"Apn", mms_ids::kApnField, Shown<CMmsDialog>(&MmsSettings::apn), 30},
             {"Gateway", mms_ids::kGatewayField, Shown<CMmsDialog>(&MmsSettings::gateway), 20},
             {"Port", mms_ids::kPortField, Shown<CMmsDialog>(&MmsSettings::port), 10},
             {"Account", mms_ids::kAccountField, Shown<CMmsDialog>(&MmsSettings::account), 30},
             {"Password", mms_ids::kPasswordField, Shown<CMmsDialog>(&MmsSettings::password), 30},
             {"Email", mms_ids::kEmailField, Shown<CMmsDialog>(&MmsSettings::email), 40},
             {"Phone2", mms_ids::kPhone2Field, Shown<CMmsDialog>(&MmsSettings::phone2), 32},
         }},
        {&kSms,
         {
             {"Phone1", sms_ids::kPhone1Field, Shown<CSmsDialog>(&SmsSettings::phone1), 32},
             {"Phone2", sms_ids::kPhone2Field, Shown<CSmsDialog>(&SmsSettings::phone2), 32},
             {"Phone3", sms_ids::kPhone3Field, Shown<CSmsDialog>(&SmsSettings::phone3), 32},
         }},
        {&kSmtp,
         {
             {"Apn", smtp_ids::kApnField, Shown<CSmtpDialog>(&GprsSettings::apn), 32},
             {"Account", smtp_ids::kAccountField, Shown<CSmtpDialog>(&GprsSettings::gprsAccount), 32},
             {"GprsPassword", smtp_ids::kGprsPasswordField, Shown<CSmtpDialog>(&GprsSettings::gprsPassword), 32},
             {"Server", smtp_ids::kServerField, Shown<CSmtpDialog>(&GprsSettings::smtpServer), 40},
             {"Port", smtp_ids::kPortField, Shown<CSmtpDialog>(&GprsSettings::smtpPort), 10},
             {"Sender", smtp_ids::kSenderField, Shown<CSmtpDialog>(&GprsSettings::senderEmail), 32},
             {"SenderPassword", smtp_ids::kSenderPasswordField, Shown<CSmtpDialog>(&GprsSettings::senderPassword), 32},
             {"Phone", smtp_ids::kPhoneField, Shown<CSmtpDialog>(&GprsSettings::phoneNumber), 30},
             {"Recipient", smtp_ids::kRecipientField, Shown<CSmtpDialog>(&GprsSettings::recipientEmail), 32},
         }},
    };
    for (const auto& [window, fields] : limited) {
        for (const LimitedField& f : fields) {
            const std::string name = std::string(window->name) + '_' + f.name + '_';
            const QString full(f.limit, u'1');
            const QString over(f.limit + 1, u'1');
            const QString tooLong = QStringLiteral("Please enter no more than %1 characters.").arg(f.limit);
            cases.push_back({name + "TypedToTheLimit", window, f.id, true, full, full, {}, f.stored});
            cases.push_back({name + "TypedOverIsCut", window, f.id, true, over, full, {}, f.stored});
            cases.push_back({name + "SetOverIsRefused", window, f.id, false, over, over, tooLong});
        }
    }
    return cases;
}

using FieldLimits = EveryWindow<LimitCase>;

TEST_P(FieldLimits, FieldTakesItsLimitAndRefusesWhatItCannotHold)
{
    const LimitCase& c = GetParam();
    CSettingsDialog& window = Open(*c.window, kLanguageEnglish);
    c.window->prepare(*this);
    fakes.messages.clear();
    if (c.typed)
        Retype(c.id, c.text);
    else
        window.Edit(c.id).SetWindowText(c.text);
    EXPECT_EQ(Field(c.id)->text(), c.shown);
    EXPECT_EQ(fakes.messages.texts(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
    if (c.stored) {
        EXPECT_EQ(c.stored(window), c.shown.toLatin1());
    }
    if (c.pictures) {
        EXPECT_EQ(c.window->pictures(window), *c.pictures);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, FieldLimits, ::testing::ValuesIn(LimitCases()), CaseName<LimitCase>);

// --- Names a screen reader announces ---------------------------------------

struct NamesCase {
    std::string name;
    const WindowKind* window;
    int language;
    // Controls whose names are worth saying word for word.
    std::vector<std::pair<int, const char*>> named;
};

void PrintTo(const NamesCase& c, std::ostream* os)
{
    *os << c.name;
}

const NamesCase kNamesCases[] = {
    {"Camera",
     &kCamera,
     kLanguageEnglish,
     {{camera_ids::kPirIntervalList, "PIR Interval"},
      {camera_ids::kClockField, "Set Clock"},
      {camera_ids::kTimer2StopMinute, "Timer2 Stop: Min"},
      {camera_ids::kSerialChar3, "Serial No. 3"}}},
    {"Mms",
     &kMms,
     kLanguageEnglish,
     {{mms_ids::kApnField, "APN"},
      {mms_ids::kLoadPathField, "Load configure"},
      {mms_ids::kSmsControlList, "SMS Control"}}},
    {"SmsLithuanian", &kSms, kLanguageLithuanian, {{sms_ids::kPhone1Field, "Telefono Nr. 1"}}},
    {"SmtpLithuanian",
     &kSmtp,
     kLanguageLithuanian,
     {{smtp_ids::kApnField, "GPRS APN"},
      {smtp_ids::kCountryList, "Salis"},
      {smtp_ids::kLoadedPathField, "Load configure"},
      {smtp_ids::kSmsControlList, " SMS nuotol.valdymas"}}},
};

using AnnouncedNames = EveryWindow<NamesCase>;

TEST_P(AnnouncedNames, EveryControlHasANameAndTheNamedOnesTheirOwn)
{
    const NamesCase& c = GetParam();
    CSettingsDialog& window = Open(*c.window, c.language);
    for (const ui::ControlTemplate& control : window.dialogTemplate().controls) {
        if (control.kind == ui::ControlKind::Static || control.kind == ui::ControlKind::GroupBox)
            continue;
        QWidget* widget = window.Control(control.id);
        ASSERT_NE(widget, nullptr) << control.id;
        EXPECT_FALSE(AnnouncedName(widget).trimmed().isEmpty()) << "control " << control.id;
    }
    for (const auto& [control, name] : c.named)
        EXPECT_EQ(AnnouncedName(window.Control(control)), QString::fromUtf8(name)) << "control " << control;
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, AnnouncedNames, ::testing::ValuesIn(kNamesCases), CaseName<NamesCase>);

// --- Texts of each language -------------------------------------------------

struct TextCase {
    const WindowKind* window;
    int language;
    int control;
    int entry; // -1: the control's own text
    const char* text;
};

void PrintTo(const TextCase& c, std::ostream* os)
{
    *os << c.window->name << " in language " << c.language << ": control " << c.control << " entry " << c.entry;
}

const TextCase kTextCases[] = {
    {&kCamera, kLanguageLithuanian, camera_ids::kTimer1StartLabel, -1, "Pradeti:"},
    {&kCamera, kLanguageLithuanian, camera_ids::kTimer2StartLabel, -1, "Start:"},
    {&kCamera, kLanguageLithuanian, camera_ids::kTimer2StopLabel, -1, "Stop:"},
    {&kCamera, kLanguageLithuanian, camera_ids::kSaveButton, -1, " Save"},
    {&kCamera, kLanguageHungarian, camera_ids::kTimeStampList, 0, "Be"},
    {&kCamera, kLanguageHungarian, camera_ids::kTimeStampList, 1, "Off"},
    {&kCamera, kLanguageHungarian, camera_ids::kSdCycleList, 0, "Off"},
    {&kCamera, kLanguageHungarian, camera_ids::kBeepSoundList, 0, "Ki"},
    {&kCamera, kLanguageSlovenian, camera_ids::kSdCycleList, 1, "paalla"},
    {&kCamera, kLanguageJapanese, camera_ids::kTimer1StartHourUnit, -1, "時"},
    {&kCamera, kLanguageJapanese, camera_ids::kTimeLapseSecondUnit, -1, "秒"},
    {&kCamera, kLanguageJapanese, camera_ids::kBeepSoundList, 0, "オフ"},
    {&kCamera, kLanguageJapanese, camera_ids::kVideoLengthList, 9, "10 Sec"},
    {&kCamera, kLanguageChinese, camera_ids::kVideoLengthList, 9, "10 秒"},
    {&kCamera, kLanguageChinese, camera_ids::kPirIntervalList, 60, "1 分"},
    {&kCamera, kLanguageChinese, camera_ids::kTimer2Group, -1, "工作时间段"},
    {&kCamera, kLanguageChinese, camera_ids::kTimer2StopMinuteUnit, -1, "分"},
    {&kCamera, kLanguageGerman, camera_ids::kTimer2StopMinuteUnit, -1, "Min"},
    {&kCamera, kLanguageGerman, camera_ids::kDefaultButton, -1, "Werkseinstell."},
    {&kMms, kLanguageEnglish, mms_ids::kEmailLabel, -1, "Recieve Email"},
    {&kMms, kLanguageFinnish, mms_ids::kEmailLabel, -1, "Sahkoposti"},
    {&kMms, kLanguageLithuanian, mms_ids::kSaveButton, -1, " Save"},
    {&kMms, kLanguageLithuanian, mms_ids::kSmsControlLabel, -1, " SMS nuotol.valdymas"},
    {&kMms, kLanguageCzech, mms_ids::kCountryLabel, -1, " Zeme"},
    {&kMms, kLanguageChinese, mms_ids::kParametersGroup, -1, "彩信参数"},
    {&kMms, kLanguageJapanese, mms_ids::kSettingsGroup, -1, "MMS Setting"},
    {&kMms, kLanguageGerman, mms_ids::kExitButton, -1, "Back"},
    {&kMms, kLanguageLithuanian, mms_ids::kModeList, 1, "Customer"},
    {&kMms, kLanguageCzech, mms_ids::kModeList, 0, "Automaticky"},
    {&kMms, kLanguageJapanese, mms_ids::kSmsControlList, 5, "オフ"},
    {&kMms, kLanguageChinese, mms_ids::kSmsControlList, 1, "5 分钟"},
    {&kMms, kLanguageSlovenian, mms_ids::kOperatorList, 0, "China Mobile"},
    {&kSms, kLanguageLithuanian, sms_ids::kSaveButton, -1, " Save"},
    {&kSmtp, kLanguageLithuanian, smtp_ids::kSaveButton, -1, " Save"},
};

using WindowTexts = EveryWindow<TextCase>;

TEST_P(WindowTexts, WindowShowsTheTextsOfItsLanguage)
{
    const TextCase& c = GetParam();
    CSettingsDialog& window = Open(*c.window, c.language);
    const QString shown =
        c.entry < 0 ? window.GetDlgItem(c.control)->GetWindowText() : List(c.control)->itemText(c.entry);
    EXPECT_EQ(shown, QString::fromUtf8(c.text));
    // A button's own text is what it shows, not only what the window says it holds.
    if (auto* button = qobject_cast<QPushButton*>(window.Control(c.control)); button && c.entry < 0) {
        EXPECT_EQ(button->text(), QString::fromUtf8(c.text));
    }
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, WindowTexts, ::testing::ValuesIn(kTextCases));

} // namespace
} // namespace kestra
