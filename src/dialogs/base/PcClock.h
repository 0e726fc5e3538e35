// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/Session.h"

#include <QString>

namespace kestra {

namespace ui {
class ClockService;
}

// The PC's local time as the camera's clock (ClampToCameraCalendar).
PcClock PcClockNow(ui::ClockService& clock);

// "MM/DD/YYYY hh:mm:ss MM/DD/YY" from `clock`, or with "月/日/年" for
// language 1.
QString FormatClockText(const PcClock& clock, int languageIndex);

} // namespace kestra
