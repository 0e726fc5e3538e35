// SPDX-License-Identifier: Apache-2.0
#include "formats/sms/SmsTexts.h"

#include <gtest/gtest.h>

#include "support/ShowableText.h"

namespace kestra {
namespace {

using testdata::ExpectShowable;

TEST(SmsTexts, EveryLanguageHasEveryTextAndItEncodesToCodePage936)
{
    for (int language = kLanguageChinese; language <= kLanguageCount; ++language) {
        for (int i = 0; i < kSmsLabelCount; ++i) {
            const TextTable& table = SmsLabelTable(static_cast<SmsLabel>(i));
            ASSERT_NE(table.entry(language), nullptr) << "SMS label " << i << " language " << language;
            ExpectShowable(table.text(language), "SMS label", language);
        }
        const QStringList entries = SmsControlEntries(language);
        ASSERT_EQ(entries.size(), 6);
        for (const QString& entry : entries)
            ExpectShowable(entry, "SMS control entry", language);
    }
    for (bool chinese : {true, false}) {
        for (SmsHint hint : {SmsHint::Phone1, SmsHint::SmsControl})
            ExpectShowable(SmsHintText(chinese ? kLanguageChinese : kLanguageEnglish, hint), "SMS hint", chinese);
    }
}

} // namespace
} // namespace kestra
