// SPDX-License-Identifier: Apache-2.0
#include "formats/gprs/SmtpTexts.h"

#include <gtest/gtest.h>

#include "support/ShowableText.h"

namespace kestra {
namespace {

using testdata::ExpectShowable;

TEST(SmtpTexts, EveryLanguageHasEveryTextAndItEncodesToCodePage936)
{
    for (int language = kLanguageChinese; language <= kLanguageCount; ++language) {
        for (int i = 0; i < kSmtpLabelCount; ++i) {
            const TextTable& table = SmtpLabelTable(static_cast<SmtpLabel>(i));
            ASSERT_NE(table.entry(language), nullptr) << "SMTP label " << i << " language " << language;
            ExpectShowable(table.text(language), "SMTP label", language);
        }
        for (int mode : {0, 1})
            ExpectShowable(GprsModeEntry(language, mode), "mode entry", language);
    }
    for (bool chinese : {true, false}) {
        for (SmtpHint hint : {SmtpHint::Server, SmtpHint::Port, SmtpHint::Recipient, SmtpHint::Phone,
                              SmtpHint::SmsControl, SmtpHint::Sender})
            ExpectShowable(SmtpHintText(chinese ? kLanguageChinese : kLanguageEnglish, hint), "SMTP hint", chinese);
    }
}

} // namespace
} // namespace kestra
