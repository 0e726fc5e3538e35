// SPDX-License-Identifier: Apache-2.0
#include "common/PcClockRule.h"

#include <algorithm>

namespace kestra {

namespace {
// The camera's calendar runs from 2010 to 2031. A PC clock before it (a flat
// CMOS battery, typically) gives 2011, not 2010, as the camera always has.
constexpr int kLatestYear = 2031;
constexpr int kEarliestYear = 2010;
constexpr int kYearForEarlierClocks = 2011;
} // namespace

PcClock ClampToCameraCalendar(int year, int month, int day, int hour, int minute, int second)
{
    int clamped = std::min(year, kLatestYear);
    if (clamped < kEarliestYear)
        clamped = kYearForEarlierClocks;
    return PcClock{clamped, month, day, hour, minute, second};
}

} // namespace kestra
