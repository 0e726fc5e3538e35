// SPDX-License-Identifier: Apache-2.0
#include "dialogs/base/PcClock.h"

#include "common/TextTable.h"
#include "formats/camera/CameraSettings.h"
#include "ui/Services.h"

namespace kestra {

namespace {
const TextTable kClockFormatText{
    .english = "%02d/%02d/%04d %02d:%02d:%02d MM/DD/YY",
    .chinese = "%02d/%02d/%04d %02d:%02d:%02d 月/日/年",
};
} // namespace

PcClock PcClockNow(ui::ClockService& clock)
{
    const ui::LocalTime now = clock.localTime();
    return ClampToCameraCalendar(now.year, now.month, now.day, now.hour, now.minute, now.second);
}

QString FormatClockText(const PcClock& clock, int languageIndex)
{
    return FormatText(kClockFormatText.pick(languageIndex),
                      {clock.month, clock.day, clock.year, clock.hour, clock.minute, clock.second});
}

} // namespace kestra
