// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "common/Session.h"
#include "formats/camera/CameraChoices.h"
#include "formats/camera/CameraFields.h"
#include "formats/camera/CameraSettings.h"
#include "formats/shared/SettingWords.h"

#include <optional>

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

// A list's summary of its accepted words, for a list too long to name each
// entry (CameraField::accepted), in Chinese or English; empty for a list
// whose entries are named one by one.
QString CameraAcceptedWords(const CameraField& row, bool chinese);

// A clock the user types, "2024-03-05 08:07:06": the camera's clock it sets,
// or (`clock` empty) the refusal naming `key`, in Chinese when `chinese`, of
// a text of another shape, a date that does not exist, or a year outside the
// camera's calendar (the range of the clock's rows). Only the PC's clock is
// limited to the calendar; a typed year is the user's word and is never
// stored as another.
struct TypedClock {
    std::optional<PcClock> clock;
    QString refusal;
};
TypedClock ReadTypedClock(const QString& key, const QString& word, bool chinese);

// The words that give the settings of `settings` back: every list in the
// window's English words, the serial text and the times, one word per key in
// the rows' order. The clock, the language and the TV mode are no such words.
SettingWords CameraWordsOf(const CameraSettings& settings);

} // namespace kestra
