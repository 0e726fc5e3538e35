// SPDX-License-Identifier: Apache-2.0
#include "ui/SystemLanguage.h"

#include <gtest/gtest.h>

namespace kestra::ui {
namespace {

TEST(SystemLanguage, LocalesMapToWindowsLanguageIds)
{
    struct Case {
        const char* locale;
        std::uint16_t id;
    };
    const Case cases[] = {
        {"zh_CN", 0x0804},
        {"zh_TW", 0x0404},
        {"de_LI", 0x1407},
        {"de_DE", 0x0407},
        {"de_CH", 0x0807},
        {"en_US", 0x0409},
        {"en_GB", 0x0809},
        {"fr_FR", 0x040C},
        {"it_IT", 0x0410},
        {"fi_FI", 0x040B},
        {"hu_HU", 0x040E},
        {"sl_SI", 0x0424},
        {"cs_CZ", 0x0405},
        {"ja_JP", 0x0411},
        {"lt_LT", 0x0427},
        // Not in the table: English (US), which the tool treats as any other system.
        {"C", 0x0409},
        {"sw_KE", 0x0409},
        {"zh_Hans_SG", 0x1004},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LanguageIdForLocale(QLocale(QString::fromLatin1(c.locale))), c.id) << c.locale;
}

} // namespace
} // namespace kestra::ui
