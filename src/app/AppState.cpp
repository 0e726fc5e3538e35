// SPDX-License-Identifier: Apache-2.0
#include "app/AppState.h"

#include "dialogs/base/PcClock.h"

namespace kestra {

// English until start-up has read the registry, so that anything shown before
// then (nothing, today) would still be readable.
int g_languageIndex = kLanguageEnglish;
int g_chineseChosen = 0;
int g_systemIsChinese = 0;
int g_modelIndex = 1;
int g_tvMode = 0;
PcClock g_pcClock;

int CameraLanguageCode()
{
    return g_chineseChosen == 1 ? kLanguageChinese : g_languageIndex;
}

void ReadPcClock(ui::ClockService& clock)
{
    g_pcClock = PcClockNow(clock);
}

Session CurrentSession()
{
    return Session{.languageIndex = g_languageIndex,
                   .languageCode = CameraLanguageCode(),
                   .tvMode = g_tvMode,
                   .pcClock = g_pcClock};
}

Session OpeningSession(ui::ClockService& clock)
{
    ReadPcClock(clock);
    return CurrentSession();
}

} // namespace kestra
