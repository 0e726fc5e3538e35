// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "common/Session.h"
#include "storage/SettingsFinding.h"

#include <array>
#include <cstdint>

namespace kestra {

// The camera's working parameters, one byte each in camera.dat in this order.
// Almost every field is the position of the chosen entry of a Camera window
// list; the comments give the stored values.
struct CameraSettings {
    int cameraMode = 0;   // 0 photo, 1 video, 2 photo and video
    int imageSize = 0;    // 0 12MP, 1 5MP, 2 1.3MP
    int videoSize = 0;    // 0 1280x720, 1 640x480, 2 320x240
    int pictureCount = 0; // pictures per trigger minus 1
    int videoLength = 0;  // seconds minus 1, 0 to 59
    int timeStamp = 0;    // 0 on, 1 off
    int pirInterval = 0;  // 0x80 + seconds (0 to 59 s) or minutes 1 to 60
    int senseLevel = 0;   // 0 normal, 1 high, 2 low, 3 off
    int timer1On = 0;
    int beepSound = 0;   // 0 off, 1 on
    int timeLapseOn = 0; // 0 on, 1 off (sic: the camera's order)
    int timeLapseHour = 0;
    int timeLapseMinute = 0;
    int timeLapseSecond = 0;
    int clockYear = 0; // year minus 2010, 0 to 21
    int clockMonth = 0;
    int clockDay = 0;
    int clockHour = 0;
    int clockMinute = 0;
    int clockSecond = 0;
    int timer1StartHour = 0;
    int timer1StartMinute = 0;
    int timer1StopHour = 0;
    int timer1StopMinute = 0;
    int serialOn = 0;
    int serialChar1 = 0; // 0 to 9 for "0" to "9", 10 to 35 for "A" to "Z"
    int serialChar2 = 0;
    int serialChar3 = 0;
    int serialChar4 = 0;
    int languageCode = 0;
    int tvMode = 0;
    int timer2On = 0;
    int timer2StartHour = 0;
    int timer2StartMinute = 0;
    int timer2StopHour = 0;
    int timer2StopMinute = 0;
    int sdCycle = 0;
    int irLight = 0;   // 0 high, 1 low
    int mmsStatus = 0; // 0 off, 1 MMS, 2 GPRS, 3 SMS
};

// PIR interval list position (0 to 119: "0 Sec".."59 Sec", "1 Min".."60 Min")
// to the stored value and back. A position outside the list encodes as -1.
int EncodePirInterval(int listPosition);
int DecodePirInterval(int storedValue); // -1 for a value no list position gives

// The camera's calendar runs from 2010 to 2031; the clock year is stored
// minus the first year.
inline constexpr int kFirstClockYear = 2010;
inline constexpr int kLastClockYear = 2031;

// The PC time as the camera's clock, the one rule of the Camera window, the
// command line and a card: a year above 2031 becomes 2031, below 2010 becomes
// 2011 (a PC clock before the calendar, typically a flat CMOS battery, gives
// 2011, as the camera always has); month, day and time stay as the PC gave
// them.
PcClock ClampToCameraCalendar(int year, int month, int day, int hour, int minute, int second);

// Clock year as stored: limited to 2010..2031, minus 2010.
int StoredClockYear(int year);

// The PIR interval list has 120 entries, the first kPirSecondsEntries of them
// seconds ("0 Sec" to "59 Sec"), then minutes ("1 Min" to "60 Min"); the
// stored values 1..60 are minutes, 0x80..0xBB seconds.
inline constexpr int kPirIntervalListSize = 120;
inline constexpr int kPirSecondsEntries = 60;

// Every value of the record outside what its list or number field offers: a
// list position past its list, a clock that is no date, a language code
// outside 1..11. `tvMode` is the registry's value and any byte is accepted.
// The findings carry the file offset of each field.
SettingsFindings CheckCameraSettings(const CameraSettings& settings);

// The one maker of a Checked<CameraSettings>: the record itself when the camera
// can hold every value of it (CheckCameraSettings finds nothing), otherwise the
// refusal of the first finding, naming its field, in Chinese or English.
// Every door reaches it through its window's save step (PrepareCameraSave).
SaveDecision<CameraSettings> CheckCameraRecord(const CameraSettings& record, bool chinese = false);

} // namespace kestra
