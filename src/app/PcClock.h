#pragma once

#include <QString>

namespace kestra {

namespace ui { class ClockService; }

// The PC time offered as the camera's clock, taken when the Camera window opens
// and at every Sync Time press.
struct PcClock {
    int year = 2011, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};
extern PcClock g_pcClock;

// Fills g_pcClock from the local time: a year above 2031 becomes 2031, below
// 2010 becomes 2011.
void ReadPcClock(ui::ClockService& clock);

// "MM/DD/YYYY hh:mm:ss MM/DD/YY", or with "月/日/年" when g_languageIndex is 1.
QString FormatClockText();

} // namespace kestra
