// SPDX-License-Identifier: Apache-2.0
// Every text of the four settings windows, in every interface language: there,
// not blank, and within code page 936, which is all the camera tool can show.

#include "formats/camera/CameraChoices.h"
#include "formats/camera/CameraTexts.h"
#include "formats/gprs/SmtpTexts.h"
#include "formats/mms/MmsTexts.h"
#include "formats/sms/SmsTexts.h"

#include <gtest/gtest.h>

#include "support/ShowableText.h"

#include <utility>
#include <vector>

namespace kestra {
namespace {

using testdata::ExpectShowable;

// A list of a window with the number of entries it must hold.
using SizedList = std::pair<QStringList, qsizetype>;

struct WindowTexts {
    const char* window;
    QStringList (*texts)(int language); // labels, messages, hints and single entries
    std::vector<SizedList> (*lists)(int language);
    // The label tables in which every language must name its own text; none
    // where a language may leave a label at the template's text.
    int ownTables;
    const TextTable& (*ownTable)(int index);
};

class WindowTextsTest : public ::testing::TestWithParam<WindowTexts> {};

TEST_P(WindowTextsTest, EveryLanguageHasEveryTextAndItEncodesToCodePage936)
{
    const WindowTexts& w = GetParam();
    for (int language = kLanguageChinese; language <= kLanguageCount; ++language) {
        for (int i = 0; i < w.ownTables; ++i)
            EXPECT_NE(w.ownTable(i).entry(language), nullptr) << "label " << i << " language " << language;
        QStringList texts = w.texts(language);
        const std::vector<SizedList> lists = w.lists(language);
        for (std::size_t i = 0; i < lists.size(); ++i) {
            EXPECT_EQ(lists[i].first.size(), lists[i].second) << "list " << i << " language " << language;
            texts += lists[i].first;
        }
        for (const QString& text : texts)
            ExpectShowable(text, w.window, language);
    }
}

// The texts of every value of an enumeration up to `last`.
template <typename E> QStringList Each(int language, E last, QString (*text)(int, E))
{
    QStringList texts;
    for (int i = 0; i <= static_cast<int>(last); ++i)
        texts << text(language, static_cast<E>(i));
    return texts;
}

const WindowTexts kCamera{
    "camera",
    [](int language) {
        return Each(language, CameraLabel::ExitButton, CameraLabelText)
               + QStringList{CameraSavedMessage(language), CameraDefaultSavedMessage(language)};
    },
    [](int language) {
        std::vector<SizedList> lists;
        for (int i = 0; i < kCameraListCount; ++i) {
            const auto list = static_cast<CameraList>(i);
            lists.emplace_back(CameraListEntries(language, list), CameraListSize(list));
        }
        return lists;
    },
    0,
    nullptr,
};

const WindowTexts kMms{
    "MMS",
    [](int language) {
        return Each(language, MmsLabel::ExitButton, MmsLabelText)
               + Each(language, MmsMessage::NotMmsFile, MmsMessageText)
               + Each(language, MmsHint::SmsControl, MmsHintText) + QStringList{MmsCustomItem(language)};
    },
    [](int language) {
        return std::vector<SizedList>{{MmsModeEntries(language), 2}, {MmsSmsControlEntries(language), 6}};
    },
    0,
    nullptr,
};

const WindowTexts kSmtp{
    "SMTP",
    [](int language) {
        return Each<SmtpLabel>(language, SmtpLabel::ExitButton,
                               [](int l, SmtpLabel label) { return SmtpLabelTable(label).text(l); })
               + Each(language, SmtpCheck::PortNumber, SmtpCheckMessage)
               + Each(language, SmtpHint::Sender, SmtpHintText)
               + QStringList{GprsCustomerListEntry(language), SmtpSavedMessage(language)};
    },
    [](int language) {
        return std::vector<SizedList>{{{GprsModeEntry(language, 0), GprsModeEntry(language, 1)}, 2}};
    },
    kSmtpLabelCount,
    [](int i) -> const TextTable& { return SmtpLabelTable(static_cast<SmtpLabel>(i)); },
};

const WindowTexts kSms{
    "SMS",
    [](int language) {
        return Each<SmsLabel>(language, SmsLabel::ExitButton,
                              [](int l, SmsLabel label) { return SmsLabelTable(label).text(l); })
               + Each(language, SmsCheck::Phone1Digits, SmsCheckMessage)
               + Each(language, SmsHint::SmsControl, SmsHintText) + QStringList{SmsSavedMessage(language)};
    },
    [](int language) {
        return std::vector<SizedList>{{SmsControlEntries(language), 6}};
    },
    kSmsLabelCount,
    [](int i) -> const TextTable& { return SmsLabelTable(static_cast<SmsLabel>(i)); },
};

std::string WindowName(const ::testing::TestParamInfo<WindowTexts>& param)
{
    return param.param.window;
}

INSTANTIATE_TEST_SUITE_P(Windows, WindowTextsTest, ::testing::Values(kCamera, kMms, kSmtp, kSms), WindowName);

} // namespace
} // namespace kestra
