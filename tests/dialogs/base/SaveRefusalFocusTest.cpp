// SPDX-License-Identifier: Apache-2.0
// The Save step every settings window shares: a refused save writes nothing,
// says why once and puts the focus on the control of the field the refusal
// names, through the window's binding table.

#include "dialogs/camera/CameraDialog.h"
#include "dialogs/camera/CameraDialogIds.h"
#include "dialogs/mms/MmsDialog.h"
#include "dialogs/mms/MmsDialogIds.h"
#include "dialogs/sms/SmsDialog.h"
#include "dialogs/sms/SmsDialogIds.h"
#include "dialogs/smtp/SmtpDialog.h"
#include "dialogs/smtp/SmtpDialogIds.h"
#include "formats/camera/CameraFile.h"
#include "formats/gprs/GprsFile.h"
#include "formats/gprs/GprsSettings.h"
#include "formats/mms/MmsFile.h"
#include "formats/sms/SmsFile.h"
#include "storage/SettingsFileIo.h"
#include "support/DialogControls.h"
#include "support/TestServices.h"
#include "support/WidgetDriver.h"

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

namespace kestra {
namespace {

using Controls = test::DialogControls;

// The ids of the rows every window has.
struct WindowIds {
    int selectButton;
    int folderField;
    int saveButton;
    const char* fileName;
};

struct RefusalCase {
    const char* name;
    std::function<std::unique_ptr<CSettingsDialog>(ui::Services&)> open;
    WindowIds ids;
    // What the user types or picks before Save.
    std::function<void(const Controls&)> fill;
    // The control the refusal names; the focus is elsewhere before Save.
    int refusedControl;
    // The refusal's words, where the case says them.
    const char* message = nullptr;
};

void PrintTo(const RefusalCase& c, std::ostream* os)
{
    *os << c.name;
}

template <typename Window> std::function<std::unique_ptr<CSettingsDialog>(ui::Services&)> Opener(Session session)
{
    return [session](ui::Services& services) { return std::make_unique<Window>(services, session); };
}

const WindowIds kCameraIds{camera_ids::kSelectButton, camera_ids::kFolderField, camera_ids::kSaveButton,
                           kCameraFileName};
const WindowIds kMmsIds{mms_ids::kSelectButton, mms_ids::kFolderField, mms_ids::kSaveButton, kMmsFileName};
const WindowIds kSmtpIds{smtp_ids::kSelectButton, smtp_ids::kFolderField, smtp_ids::kSaveButton, kGprsFileName};
const WindowIds kSmsIds{sms_ids::kSelectButton, sms_ids::kFolderField, sms_ids::kSaveButton, kSmsFileName};

// A PC clock the camera's calendar does not have: the record check refuses
// the clock day, which the clock field shows.
Session ThirtiethOfFebruary()
{
    Session session;
    session.pcClock = {2024, 2, 30, 8, 7, 6};
    return session;
}

void TypeMailbox(const Controls& c)
{
    c.Retype(smtp_ids::kServerField, QStringLiteral("smtp.example.com"));
    c.Retype(smtp_ids::kPortField, QStringLiteral("465"));
    c.Retype(smtp_ids::kSenderField, QStringLiteral("cam@example.com"));
    c.Retype(smtp_ids::kSenderPasswordField, QStringLiteral("secret"));
}

const RefusalCase kCases[] = {
    {"CameraClockDay", Opener<CCameraDialog>(ThirtiethOfFebruary()), kCameraIds, [](const Controls&) {},
     camera_ids::kClockField},
    {"MmsCustomUrl", Opener<CMmsDialog>(Session{}), kMmsIds,
     [](const Controls& c) {
         c.Pick(mms_ids::kModeList, 1);
         c.Retype(mms_ids::kPhoneField, QStringLiteral("13800138000"));
     },
     mms_ids::kUrlField},
    {"MmsEmailAddress", Opener<CMmsDialog>(Session{}), kMmsIds,
     [](const Controls& c) { c.Retype(mms_ids::kEmailField, QStringLiteral("camera")); }, mms_ids::kEmailField},
    // A remote control by SMS needs the number it answers.
    {"MmsSmsControlWithoutPhone", Opener<CMmsDialog>(Session{}), kMmsIds,
     [](const Controls& c) {
         c.Pick(mms_ids::kSmsControlList, 2);
         c.Retype(mms_ids::kEmailField, QStringLiteral("cam@example.com"));
     },
     mms_ids::kPhoneField, "SMS control is already open，please input Phone No."},
    {"MmsPhone2Short", Opener<CMmsDialog>(Session{}), kMmsIds,
     [](const Controls& c) {
         c.Retype(mms_ids::kPhoneField, QStringLiteral("13800138000"));
         c.Retype(mms_ids::kPhone2Field, QStringLiteral("139"));
     },
     mms_ids::kPhone2Field},
    // The gateway ("MMS IP") is an IPv4 address, a port a number 1 to 65535.
    {"MmsCustomGatewayNoIpv4", Opener<CMmsDialog>(Session{}), kMmsIds,
     [](const Controls& c) {
         c.Pick(mms_ids::kModeList, 1);
         c.Retype(mms_ids::kPhoneField, QStringLiteral("13800138000"));
         c.Retype(mms_ids::kUrlField, QStringLiteral("http://mms.example.net"));
         c.Retype(mms_ids::kApnField, QStringLiteral("mms"));
         c.Retype(mms_ids::kGatewayField, QStringLiteral("999.1.1.1"));
         c.Retype(mms_ids::kPortField, QStringLiteral("80"));
     },
     mms_ids::kGatewayField},
    {"SmtpPortLetters", Opener<CSmtpDialog>(Session{}), kSmtpIds,
     [](const Controls& c) {
         TypeMailbox(c);
         c.Retype(smtp_ids::kPortField, QStringLiteral("abc"));
         c.Retype(smtp_ids::kRecipientField, QStringLiteral("me@example.com"));
     },
     smtp_ids::kPortField},
    {"SmtpServer", Opener<CSmtpDialog>(Session{}), kSmtpIds, [](const Controls&) {}, smtp_ids::kServerField},
    {"SmtpRecipientAddress", Opener<CSmtpDialog>(Session{}), kSmtpIds,
     [](const Controls& c) {
         TypeMailbox(c);
         c.Retype(smtp_ids::kRecipientField, QStringLiteral("me"));
     },
     smtp_ids::kRecipientField},
    {"SmtpCustomerApn", Opener<CSmtpDialog>(Session{}), kSmtpIds,
     [](const Controls& c) {
         TypeMailbox(c);
         c.Pick(smtp_ids::kModeList, kGprsModeCustomer);
         c.Retype(smtp_ids::kApnField, QStringLiteral("a"));
     },
     smtp_ids::kApnField},
    {"SmtpSmsControlPhone", Opener<CSmtpDialog>(Session{}), kSmtpIds,
     [](const Controls& c) {
         TypeMailbox(c);
         c.Retype(smtp_ids::kRecipientField, QStringLiteral("me@example.com"));
         c.Pick(smtp_ids::kSmsControlList, 0);
     },
     smtp_ids::kPhoneField},
    {"SmsPhone1Missing", Opener<CSmsDialog>(Session{}), kSmsIds, [](const Controls&) {}, sms_ids::kPhone1Field},
    {"SmsPhone2Digits", Opener<CSmsDialog>(Session{}), kSmsIds,
     [](const Controls& c) {
         c.Retype(sms_ids::kPhone1Field, QStringLiteral("13800138000"));
         c.Retype(sms_ids::kPhone2Field, QStringLiteral("1390x139000"));
     },
     sms_ids::kPhone2Field},
};

class SaveRefusalFocusTest : public ::testing::TestWithParam<RefusalCase>, protected Controls {
protected:
    ui::CDialog* openWindow() const override { return m_window.get(); }

    test::TestServices fakes;
    QTemporaryDir dir;
    std::unique_ptr<CSettingsDialog> m_window;
};

TEST_P(SaveRefusalFocusTest, RefusalWritesNothingAndFocusesTheRefusedField)
{
    const RefusalCase& c = GetParam();
    ASSERT_TRUE(dir.isValid());
    m_window = c.open(fakes);
    m_window->Create();
    fakes.folders.answers.push_back(dir.path());
    Click(c.ids.selectButton);
    ASSERT_TRUE(test::showAndActivate(m_window->widget()));
    c.fill(*this);
    Field(c.ids.folderField)->setFocus();
    fakes.messages.clear();

    Click(c.ids.saveButton);

    EXPECT_EQ(fakes.messages.count(), 1) << fakes.messages.texts().join('|').toStdString();
    if (c.message) {
        EXPECT_EQ(fakes.messages.texts(), QStringList{QString::fromUtf8(c.message)});
    }
    EXPECT_FALSE(QFile::exists(SettingsFilePath(dir.path(), QString::fromLatin1(c.ids.fileName))));
    EXPECT_EQ(test::focusWidget(), m_window->Control(c.refusedControl))
        << (test::focusWidget() ? test::focusWidget()->objectName().toStdString() : std::string("no focus"));
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, SaveRefusalFocusTest, ::testing::ValuesIn(kCases),
                         [](const auto& param) { return std::string(param.param.name); });

} // namespace
} // namespace kestra
