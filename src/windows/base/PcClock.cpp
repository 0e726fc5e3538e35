#include "windows/base/PcClock.h"

#include "common/TextTable.h"
#include "ui/Services.h"

#include <algorithm>

namespace kestra {

PcClock g_pcClock;

namespace {
const TextTable kClockFormatText{
    .english = "%02d/%02d/%04d %02d:%02d:%02d MM/DD/YY",
    .chinese = "%02d/%02d/%04d %02d:%02d:%02d 月/日/年",
};

// The camera's calendar runs from 2010 to 2031. A PC clock before it (a flat
// CMOS battery, typically) gives 2011, not 2010, as the camera always has.
constexpr int kLatestYear = 2031;
constexpr int kEarliestYear = 2010;
constexpr int kYearForEarlierClocks = 2011;
} // namespace

void ReadPcClock(ui::ClockService& clock)
{
    const ui::LocalTime now = clock.localTime();
    int year = std::min(now.year, kLatestYear);
    if (year < kEarliestYear)
        year = kYearForEarlierClocks;
    g_pcClock = PcClock{year, now.month, now.day, now.hour, now.minute, now.second};
}

QString FormatClockText(int languageIndex)
{
    const PcClock& c = g_pcClock;
    return FormatText(kClockFormatText.pick(languageIndex),
                      {c.month, c.day, c.year, c.hour, c.minute, c.second});
}

} // namespace kestra
