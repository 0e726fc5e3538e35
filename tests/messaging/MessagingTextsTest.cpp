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

// Rows that are easy to get wrong when copied: leading blanks, a shared word
// that differs in one language, the language-only last entry of a list.
TEST(MessagingTexts, TextsThatDifferFromTheirNeighbours)
{
    struct Case { QString actual; const char* expected; };
    const Case cases[] = {
        {SmsLabelTable(SmsLabel::SaveButton).text(kLanguageLithuanian), " Save"},
        {SmsLabelTable(SmsLabel::SaveButton).text(kLanguageFinnish), "luo"},
        {SmsLabelTable(SmsLabel::SaveButton).text(kLanguageJapanese), "ファイル作成"},
        {SmsLabelTable(SmsLabel::ExitButton).text(kLanguageGerman), "Back"},
        {SmsLabelTable(SmsLabel::Phone1Label).text(kLanguageLithuanian), "Telefono Nr. 1"},
        {SmtpLabelTable(SmtpLabel::ApnLabel).text(kLanguageJapanese), "GPRS APN"},
        {SmtpLabelTable(SmtpLabel::CountryLabel).text(kLanguageCzech), " Zeme"},
        {SmtpLabelTable(SmtpLabel::ModeLabel).text(kLanguageLithuanian), " GPRS Setting"},
        {SmtpLabelTable(SmtpLabel::PortLabel).text(kLanguageSlovenian), "VRATA"},
        {GprsModeEntry(kLanguageFinnish, 0), "Autom"},
        {GprsModeEntry(kLanguageFrench, 1), "Manuale"},
        {SmsControlEntries(kLanguageLithuanian).last(), "NE"},
        {SmsControlEntries(kLanguageChinese).first(), "打开"},
        {SmtpCheckMessage(SmtpCheck::SmsPhone, false), "SMS control is already open，please input Phone No."},
        {SmtpHintText(SmtpHint::Port, true), "提示：邮件SMTP服务器端口(例: 465) "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.actual, QString::fromUtf8(c.expected));
}

} // namespace
} // namespace kestra
