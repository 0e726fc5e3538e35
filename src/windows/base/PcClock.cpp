// SPDX-License-Identifier: Apache-2.0
#include "windows/base/PcClock.h"

#include "common/PcClockRule.h"
#include "common/TextTable.h"
#include "ui/Services.h"

namespace kestra {

PcClock g_pcClock;

namespace {
const TextTable kClockFormatText{
    .english = "%02d/%02d/%04d %02d:%02d:%02d MM/DD/YY",
    .chinese = "%02d/%02d/%04d %02d:%02d:%02d 月/日/年",
};
} // namespace

void ReadPcClock(ui::ClockService& clock)
{
    const ui::LocalTime now = clock.localTime();
    g_pcClock = ClampToCameraCalendar(now.year, now.month, now.day, now.hour, now.minute, now.second);
}

QString FormatClockText(int languageIndex)
{
    const PcClock& c = g_pcClock;
    return FormatText(kClockFormatText.pick(languageIndex),
                      {c.month, c.day, c.year, c.hour, c.minute, c.second});
}

} // namespace kestra
