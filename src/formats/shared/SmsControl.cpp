// SPDX-License-Identifier: Apache-2.0
#include "formats/shared/SmsControl.h"

#include "common/TextTable.h"

namespace kestra {
namespace {

const TextTable kOffEntry{.english = "Off", .chinese = "关闭", .german = "Aus", .finnish = "pois", .italian = "OFF",
                          .french = "Arret", .hungarian = "Off", .slovenian = "Izklop", .czech = "Vypnuto",
                          .japanese = "オフ", .lithuanian = "NE"};

} // namespace

QStringList SmsControlEntries(int language)
{
    QStringList entries = language == kLanguageChinese
                              ? QStringList{QStringLiteral("打开"), QStringLiteral("5 分钟"), QStringLiteral("30 分钟"),
                                            QStringLiteral("1 小时"), QStringLiteral("2 小时")}
                              : QStringList{QStringLiteral("On"), QStringLiteral("5 Min"), QStringLiteral("30 Min"),
                                            QStringLiteral("1 Hour"), QStringLiteral("2 Hour")};
    entries << kOffEntry.text(language);
    return entries;
}

} // namespace kestra
