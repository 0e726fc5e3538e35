// SPDX-License-Identifier: Apache-2.0
#pragma once

// Process-wide state of the shell. Set at start-up and by the main window's two
// lists; the settings windows read it when they open and when they save. One
// user-interface thread touches it, and the main window is closed while a
// settings window is open, so nothing here changes under a settings window.

#include "common/Languages.h"
#include "common/Session.h"

namespace kestra {


extern int g_languageIndex;  // interface language, 1 to 11
extern int g_chineseChosen;  // the user's choice is Chinese (shown in English off Chinese systems)
extern int g_systemIsChinese; // the system default language ID is 0x0804
extern int g_modelIndex;     // camera model, 1-based
extern int g_tvMode;         // registry value "TvMode"; its low byte goes into camera.dat and mms.dat


// The language code the registry and every settings file carry: 1 when the
// Chinese entry was chosen, otherwise g_languageIndex.
int CameraLanguageCode();

// True when messages of the tool's own code are Chinese (g_languageIndex 1).
inline bool ChineseMessages() { return g_languageIndex == kLanguageChinese; }

// The shell's state as the settings windows receive it when they open.
Session CurrentSession();

} // namespace kestra
