// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "formats/camera/CameraSettings.h"
#include "formats/camera/CameraTexts.h"
#include "formats/shared/SettingsValues.h"
#include "storage/SettingsFinding.h"

#include <array>
#include <climits>
#include <cstddef>

namespace kestra {

// How a key of camera.dat is given, as a word of the command line or a
// profile; a key may set several fields, each one row.
enum class CameraWord {
    List,    // an entry of the row's list, in words or as its position
    Serial,  // the four serial characters as one text, one row each
    Time,    // "HH:MM" or "HH:MM:SS", one row per part
    Clock,   // the camera's clock, set for each card anew (the command line's --clock)
    Session, // the language and the TV mode: a whole card's, or the session's
};

// No list: the row is a number field, the clock or a session value.
inline constexpr CameraList kNoCameraList = static_cast<CameraList>(-1);

// One field of camera.dat, the one place of its name, key, range, offset and
// list. The record block holds field i at byte i.
struct CameraField {
    const char* name;            // the record field, as findings name it
    const char* key;             // the command-line option (after "--") and the profile key
    int CameraSettings::*member; // where the record holds it
    int low;                     // the values the window can give it
    int high;
    FindingKind kind;                      // the finding of a value outside low..high
    std::size_t offset;                    // its byte in camera.dat
    CameraWord word;                       // how its key is given
    CameraList list;                       // the window's list of the field, or kNoCameraList
    int initial;                           // the list position the window opens on
    const char* help = nullptr;            // what the key sets (on the first row of a key)
    const char* accepted = nullptr;        // the accepted words of a list too long to name each entry
    const char* acceptedChinese = nullptr; // the same in Chinese: the Chinese entries, then the English
};

inline constexpr std::size_t kCameraFieldCount = 39;

// clang-format off
inline constexpr std::array<CameraField, kCameraFieldCount> kCameraFields{{
    {"cameraMode",        "mode",              &CameraSettings::cameraMode,        0, 2,  FindingKind::ListPosition, 0,  CameraWord::List, CameraList::Mode, 0, "Capture mode"},
    {"imageSize",         "image-size",        &CameraSettings::imageSize,         0, 2,  FindingKind::ListPosition, 1,  CameraWord::List, CameraList::ImageSize, 0, "Picture size"},
    {"videoSize",         "video-size",        &CameraSettings::videoSize,         0, 2,  FindingKind::ListPosition, 2,  CameraWord::List, CameraList::VideoSize, 0, "Video size"},
    {"pictureCount",      "pictures",          &CameraSettings::pictureCount,      0, 2,  FindingKind::ListPosition, 3,  CameraWord::List, CameraList::PictureNo, 0, "Pictures per trigger"},
    {"videoLength",       "video-length",      &CameraSettings::videoLength,       0, 59, FindingKind::ListPosition, 4,  CameraWord::List, CameraList::VideoLength, 9, "Video length",
     R"("1 Sec" to "60 Sec" (also written 10s, 10 sec))",
     "\u201c1 秒\u201d至\u201c60 秒\u201d或\u201c1 Sec\u201d至\u201c60 Sec\u201d（也可写作 10s、10 sec）"},
    {"timeStamp",         "time-stamp",        &CameraSettings::timeStamp,         0, 1,  FindingKind::ListPosition, 5,  CameraWord::List, CameraList::TimeStamp, 0, "Date and time imprinted on pictures"},
    // Stored encoded (EncodePirInterval): CheckCameraSettings tests it through
    // DecodePirInterval, and its list has kPirIntervalListSize entries.
    {"pirInterval",       "pir",               &CameraSettings::pirInterval,       1, 0xBB, FindingKind::ListPosition, 6, CameraWord::List, CameraList::PirInterval, 60,
     "PIR interval, the pause between motion-triggered captures",
     R"("0 Sec" to "59 Sec" or "1 Min" to "60 Min" (also written 30s, 5min))",
     "\u201c0 秒\u201d至\u201c59 秒\u201d、\u201c1 分\u201d至\u201c60 分\u201d，或\u201c0 Sec\u201d至\u201c59 Sec\u201d、\u201c1 Min\u201d至\u201c60 Min\u201d（也可写作 30s、5min）"},
    {"senseLevel",        "sense-level",       &CameraSettings::senseLevel,        0, 3,  FindingKind::ListPosition, 7,  CameraWord::List, CameraList::SenseLevel, 0, "Motion sensor sensitivity"},
    {"timer1On",          "timer1",            &CameraSettings::timer1On,          0, 1,  FindingKind::ListPosition, 8,  CameraWord::List, CameraList::Timer1, 0, "Work-hour timer 1"},
    {"beepSound",         "beep",              &CameraSettings::beepSound,         0, 1,  FindingKind::ListPosition, 9,  CameraWord::List, CameraList::BeepSound, 1, "Beep sound"},
    // 1 is "Off": the camera reads 0 as on.
    {"timeLapseOn",       "time-lapse",        &CameraSettings::timeLapseOn,       0, 1,  FindingKind::ListPosition, 10, CameraWord::List, CameraList::TimeLapse, 1, "Time lapse"},
    {"timeLapseHour",     "time-lapse-period", &CameraSettings::timeLapseHour,     0, 23, FindingKind::Clock, 11, CameraWord::Time, kNoCameraList, 0,
     "Time-lapse period as HH:MM:SS [default: 00:00:00]"},
    {"timeLapseMinute",   "time-lapse-period", &CameraSettings::timeLapseMinute,   0, 59, FindingKind::Clock, 12, CameraWord::Time, kNoCameraList, 0},
    {"timeLapseSecond",   "time-lapse-period", &CameraSettings::timeLapseSecond,   0, 59, FindingKind::Clock, 13, CameraWord::Time, kNoCameraList, 0},
    {"clockYear",         "clock",             &CameraSettings::clockYear,         0, kLastClockYear - kFirstClockYear, FindingKind::Clock, 14, CameraWord::Clock, kNoCameraList, 0,
     "Camera clock as \"2024-03-05 08:07:06\" [default: the PC's clock now]"},
    {"clockMonth",        "clock",             &CameraSettings::clockMonth,        1, 12, FindingKind::Clock, 15, CameraWord::Clock, kNoCameraList, 0},
    // The upper bound depends on the month: CheckCameraSettings tests it.
    {"clockDay",          "clock",             &CameraSettings::clockDay,          1, 31, FindingKind::Clock, 16, CameraWord::Clock, kNoCameraList, 0},
    {"clockHour",         "clock",             &CameraSettings::clockHour,         0, 23, FindingKind::Clock, 17, CameraWord::Clock, kNoCameraList, 0},
    {"clockMinute",       "clock",             &CameraSettings::clockMinute,       0, 59, FindingKind::Clock, 18, CameraWord::Clock, kNoCameraList, 0},
    {"clockSecond",       "clock",             &CameraSettings::clockSecond,       0, 59, FindingKind::Clock, 19, CameraWord::Clock, kNoCameraList, 0},
    {"timer1StartHour",   "timer1-start",      &CameraSettings::timer1StartHour,   0, 23, FindingKind::Clock, 20, CameraWord::Time, kNoCameraList, 0,
     "Timer 1 start as HH:MM [default: 00:00]"},
    {"timer1StartMinute", "timer1-start",      &CameraSettings::timer1StartMinute, 0, 59, FindingKind::Clock, 21, CameraWord::Time, kNoCameraList, 0},
    {"timer1StopHour",    "timer1-stop",       &CameraSettings::timer1StopHour,    0, 23, FindingKind::Clock, 22, CameraWord::Time, kNoCameraList, 0,
     "Timer 1 stop as HH:MM [default: 00:00]"},
    {"timer1StopMinute",  "timer1-stop",       &CameraSettings::timer1StopMinute,  0, 59, FindingKind::Clock, 23, CameraWord::Time, kNoCameraList, 0},
    {"serialOn",          "serial",            &CameraSettings::serialOn,          0, 1,  FindingKind::ListPosition, 24, CameraWord::List, CameraList::SerialNo, 0, "Serial text imprinted on pictures"},
    {"serialChar1",       "serial-text",       &CameraSettings::serialChar1,       0, 35, FindingKind::ListPosition, 25, CameraWord::Serial, CameraList::SerialChar1, 0,
     "The four serial characters, each 0 to 9 or A to Z [default: 0000]"},
    {"serialChar2",       "serial-text",       &CameraSettings::serialChar2,       0, 35, FindingKind::ListPosition, 26, CameraWord::Serial, CameraList::SerialChar2, 0},
    {"serialChar3",       "serial-text",       &CameraSettings::serialChar3,       0, 35, FindingKind::ListPosition, 27, CameraWord::Serial, CameraList::SerialChar3, 0},
    {"serialChar4",       "serial-text",       &CameraSettings::serialChar4,       0, 35, FindingKind::ListPosition, 28, CameraWord::Serial, CameraList::SerialChar4, 0},
    {"languageCode",      kLanguageKey,        &CameraSettings::languageCode,      kMinLanguageCode, kLanguageCount, FindingKind::OutOfRange, 29, CameraWord::Session, kNoCameraList, 0},
    // The registry's TvMode, whatever it holds; only its low byte is stored.
    {"tvMode",            kTvModeKey,          &CameraSettings::tvMode,            INT_MIN, INT_MAX, FindingKind::OutOfRange, 30, CameraWord::Session, kNoCameraList, 0},
    {"timer2On",          "timer2",            &CameraSettings::timer2On,          0, 1,  FindingKind::ListPosition, 31, CameraWord::List, CameraList::Timer2, 0, "Work-hour timer 2"},
    {"timer2StartHour",   "timer2-start",      &CameraSettings::timer2StartHour,   0, 23, FindingKind::Clock, 32, CameraWord::Time, kNoCameraList, 0,
     "Timer 2 start as HH:MM [default: 00:00]"},
    {"timer2StartMinute", "timer2-start",      &CameraSettings::timer2StartMinute, 0, 59, FindingKind::Clock, 33, CameraWord::Time, kNoCameraList, 0},
    {"timer2StopHour",    "timer2-stop",       &CameraSettings::timer2StopHour,    0, 23, FindingKind::Clock, 34, CameraWord::Time, kNoCameraList, 0,
     "Timer 2 stop as HH:MM [default: 00:00]"},
    {"timer2StopMinute",  "timer2-stop",       &CameraSettings::timer2StopMinute,  0, 59, FindingKind::Clock, 35, CameraWord::Time, kNoCameraList, 0},
    {"sdCycle",           "sd-cycle",          &CameraSettings::sdCycle,           0, 1,  FindingKind::ListPosition, 36, CameraWord::List, CameraList::SdCycle, 0, "Cyclic storage on the SD card"},
    {"irLight",           "ir-light",          &CameraSettings::irLight,           0, 1,  FindingKind::ListPosition, 37, CameraWord::List, CameraList::IrLight, 0, "Infrared light strength"},
    {"mmsStatus",         "mms-status",        &CameraSettings::mmsStatus,         0, 3,  FindingKind::ListPosition, 38, CameraWord::List, CameraList::MmsStatus, 0, "How the camera sends pictures"},
}};
// clang-format on

constexpr bool CameraFieldsInByteOrder()
{
    for (std::size_t i = 0; i < kCameraFields.size(); ++i) {
        if (kCameraFields[i].offset != i)
            return false;
    }
    return true;
}
static_assert(CameraFieldsInByteOrder(), "the record block holds field i at byte i");

constexpr bool EveryListStoredOnce()
{
    for (int list = 0; list < kCameraListCount; ++list) {
        int rows = 0;
        for (const CameraField& field : kCameraFields)
            rows += field.list == static_cast<CameraList>(list) ? 1 : 0;
        if (rows != 1)
            return false;
    }
    return true;
}
static_assert(EveryListStoredOnce(), "each list of the window is one field of camera.dat");

// The row of `member`; a member the table lacks stops the build where it is
// asked for in a constant expression.
constexpr const CameraField& CameraFieldOf(int CameraSettings::*member)
{
    for (const CameraField& field : kCameraFields) {
        if (field.member == member)
            return field;
    }
    throw "no such camera.dat field";
}

// The row that stores the position of `list`.
constexpr const CameraField& CameraFieldOf(CameraList list)
{
    for (const CameraField& field : kCameraFields) {
        if (field.list == list)
            return field;
    }
    throw "no camera.dat field stores this list";
}

} // namespace kestra
