// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/Session.h"

#include <QString>

namespace kestra {

namespace ui { class ClockService; }

// The PC time offered as the camera's clock, taken when the Camera window opens
// and at every Sync Time press.
extern PcClock g_pcClock;

// Fills g_pcClock from the local time: a year above 2031 becomes 2031, below
// 2010 becomes 2011.
void ReadPcClock(ui::ClockService& clock);

// "MM/DD/YYYY hh:mm:ss MM/DD/YY" from g_pcClock, or with "月/日/年" for
// language 1.
QString FormatClockText(int languageIndex);

} // namespace kestra
