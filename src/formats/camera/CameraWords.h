// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "common/Session.h"
#include "formats/camera/CameraChoices.h"
#include "formats/camera/CameraSettings.h"
#include "formats/shared/SettingWords.h"

namespace kestra {

// camera.dat from words, the one reading of the command line's options and a
// profile's camera section. Each key of kCameraFields that a word may give
// (a list, the serial text, a time) is read as its rows say, over `start`
// (the window's opening choices, or a file's); then the Camera window's save
// step takes the choices with `clock` and the session's language code and TV
// mode. A word that names no value, and a record the save step refuses, is
// refused naming its key as `spelling` spells it, in Chinese when the
// session's messages are. The words of any other key are the door's own
// (the clock, the language, the TV mode) and not looked at here.
SaveDecision<CameraSettings> PrepareCameraWords(CameraChoices start, const SettingWords& words, const PcClock& clock,
                                                const Session& session, const KeySpelling& spelling);

// The words that give the settings of `settings` back: every list in the
// window's English words, the serial text and the times, one word per key in
// the rows' order. The clock, the language and the TV mode are no such words.
SettingWords CameraWordsOf(const CameraSettings& settings);

} // namespace kestra
