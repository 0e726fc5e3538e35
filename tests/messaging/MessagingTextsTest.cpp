// SPDX-License-Identifier: Apache-2.0
#include "messaging/SmsTexts.h"
#include "messaging/SmtpTexts.h"
#include "storage/Cp936.h"

#include <gtest/gtest.h>

namespace kestra {
namespace {

void ExpectShowable(const QString& text, const char* what, int language)
{
    EXPECT_FALSE(text.trimmed().isEmpty()) << what << " language " << language;
    EXPECT_TRUE(EncodeCp936(text).has_value()) << text.toStdString();
}

TEST(MessagingTexts, EveryLanguageHasEveryTextAndItEncodesToCodePage936)
{
    for (int language = kLanguageChinese; language <= kLanguageCount; ++language) {
        for (int i = 0; i < kSmtpLabelCount; ++i) {
            const TextTable& table = SmtpLabelTable(static_cast<SmtpLabel>(i));
            ASSERT_NE(table.entry(language), nullptr) << "SMTP label " << i << " language " << language;
            ExpectShowable(table.text(language), "SMTP label", language);
        }
        for (int i = 0; i < kSmsLabelCount; ++i) {
            const TextTable& table = SmsLabelTable(static_cast<SmsLabel>(i));
            ASSERT_NE(table.entry(language), nullptr) << "SMS label " << i << " language " << language;
            ExpectShowable(table.text(language), "SMS label", language);
        }
        for (int mode : {0, 1})
            ExpectShowable(GprsModeEntry(language, mode), "mode entry", language);
        const QStringList entries = SmsControlEntries(language);
        ASSERT_EQ(entries.size(), 6);
        for (const QString& entry : entries)
            ExpectShowable(entry, "SMS control entry", language);
    }
    for (bool chinese : {true, false}) {
        for (SmtpHint hint : {SmtpHint::Server, SmtpHint::Port, SmtpHint::Recipient, SmtpHint::Phone,
                              SmtpHint::SmsControl, SmtpHint::Sender})
            ExpectShowable(SmtpHintText(hint, chinese), "SMTP hint", chinese);
        for (SmsHint hint : {SmsHint::Phone1, SmsHint::SmsControl})
            ExpectShowable(SmsHintText(hint, chinese), "SMS hint", chinese);
    }
}

} // namespace
} // namespace kestra
