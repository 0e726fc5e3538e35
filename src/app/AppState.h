// SPDX-License-Identifier: Apache-2.0
#pragma once

// Process-wide state of the shell. Set at start-up and by the main window's two
// lists; a settings window gets it as a Session when it opens and never reads
// it itself. One user-interface thread touches it, and the main window is
// closed while a settings window is open.

#include "common/Languages.h"
#include "common/Session.h"

namespace kestra {

namespace ui {
class ClockService;
}

extern int g_languageIndex;   // interface language, 1 to 11
extern int g_chineseChosen;   // the user's choice is Chinese (shown in English off Chinese systems)
extern int g_systemIsChinese; // the system default language ID is 0x0804
extern int g_modelIndex;      // camera model, 1-based
extern int g_tvMode;          // registry value "TvMode"; its low byte goes into camera.dat and mms.dat
extern PcClock g_pcClock;     // the PC time as last read, offered as the camera's clock

// The language code the registry and every settings file carry: 1 when the
// Chinese entry was chosen, otherwise g_languageIndex.
int CameraLanguageCode();

// True when messages of the tool's own code are Chinese (g_languageIndex 1).
inline bool ChineseMessages()
{
    return g_languageIndex == kLanguageChinese;
}

// Fills g_pcClock from the local time: a year above 2031 becomes 2031, below
// 2010 becomes 2011.
void ReadPcClock(ui::ClockService& clock);

// The shell's state as the settings windows receive it when they open; the
// clock is g_pcClock as last read.
Session CurrentSession();

// The shell's state for a window opened now: the PC clock is read first, so
// the Camera window offers the time it was opened at.
Session OpeningSession(ui::ClockService& clock);

} // namespace kestra
