// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/Languages.h"

namespace kestra {

// The PC time offered as the camera's clock, its year already limited to the
// camera's calendar.
struct PcClock {
    int year = 2011, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

// What a settings window or the command line needs to know of the shell's
// state: the interface language its texts are in, the language code every
// settings file carries, the TV mode copied into camera.dat and mms.dat, and
// the PC time the Camera window offers as the camera's clock.
// The shell fills it from its globals when it opens a window; the command line
// from its options. Nothing below the shell reads the shell's globals, so two
// windows or a window and a card loop never share a clock reading.
struct Session {
    int languageIndex = kLanguageEnglish;
    int languageCode = kLanguageEnglish;
    int tvMode = 0;
    // An initialiser of its own, so that a session of the first three alone
    // (`Session{language, code, tvMode}`) is complete to the compiler too.
    PcClock pcClock = {};

    // Messages of the tool's own code are Chinese for language 1, English for
    // every other language.
    bool chineseMessages() const { return languageIndex == kLanguageChinese; }
};

} // namespace kestra
