// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "formats/camera/CameraSettings.h"
#include "formats/camera/CameraTexts.h"

#include <QString>

#include <array>

namespace kestra {

struct PcClock;

// What the user chose in the Camera settings window: the position of every
// option list and the eleven number fields. A default-constructed value is the
// window's state when it opens and after Default. The command line fills the
// same structure from its options, so both build the same record.
struct CameraChoices {
    std::array<int, kCameraListCount> positions = InitialPositions();

    int timeLapseHour = 0;
    int timeLapseMinute = 0;
    int timeLapseSecond = 0;
    int timer1StartHour = 0;
    int timer1StartMinute = 0;
    int timer1StopHour = 0;
    int timer1StopMinute = 0;
    int timer2StartHour = 0;
    int timer2StartMinute = 0;
    int timer2StopHour = 0;
    int timer2StopMinute = 0;

    int& position(CameraList list) { return positions[static_cast<std::size_t>(list)]; }
    int position(CameraList list) const { return positions[static_cast<std::size_t>(list)]; }

    static std::array<int, kCameraListCount> InitialPositions();
};

// How many entries a list has (the same in every language) and which one it
// starts on.
int CameraListSize(CameraList list);
int CameraListInitialPosition(CameraList list);

// The eleven number fields, in record order.
enum class CameraNumber {
    TimeLapseHour,
    TimeLapseMinute,
    TimeLapseSecond,
    Timer1StartHour,
    Timer1StartMinute,
    Timer1StopHour,
    Timer1StopMinute,
    Timer2StartHour,
    Timer2StartMinute,
    Timer2StopHour,
    Timer2StopMinute,
};
inline constexpr int kCameraNumberCount = static_cast<int>(CameraNumber::Timer2StopMinute) + 1;

struct CameraNumberField {
    CameraNumber number;
    int CameraChoices::*member;
    int CameraSettings::*field; // where the record keeps it, its row giving its range
};
const CameraNumberField& CameraNumberInfo(CameraNumber number);

// The record the choices stand for. The clock comes from the PC clock snapshot
// (the year limited to what the camera can hold), languageCode and tvMode from
// the session. CheckCameraSettings tells whether the camera can take it.
CameraSettings FillCameraSettings(const CameraChoices& choices, const PcClock& clock, int languageCode, int tvMode);

// The choices a record stands for, so a saved camera.dat can be edited and
// written again: the inverse of FillCameraSettings for every list and number
// field (clock, languageCode and tvMode are not choices). Stored values no
// window could have written stay as they are and fail the record check.
CameraChoices CameraChoicesFromSettings(const CameraSettings& settings);

} // namespace kestra
