// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "formats/shared/SettingsValues.h"
#include "formats/camera/CameraSettings.h"
#include "storage/SettingsFinding.h"

#include <array>
#include <climits>

namespace kestra {

// The fields of camera.dat in byte order with the values the Camera window can
// give each. The record block holds field i at byte i.
struct CameraField {
    const char* name;
    int CameraSettings::*member;
    int low;
    int high;
    FindingKind kind;
};

inline constexpr std::size_t kCameraFieldCount = 39;

// clang-format off
inline constexpr std::array<CameraField, kCameraFieldCount> kCameraFields{{
    {"cameraMode",        &CameraSettings::cameraMode,        0, 2,  FindingKind::ListPosition},
    {"imageSize",         &CameraSettings::imageSize,         0, 2,  FindingKind::ListPosition},
    {"videoSize",         &CameraSettings::videoSize,         0, 2,  FindingKind::ListPosition},
    {"pictureCount",      &CameraSettings::pictureCount,      0, 2,  FindingKind::ListPosition},
    {"videoLength",       &CameraSettings::videoLength,       0, 59, FindingKind::ListPosition},
    {"timeStamp",         &CameraSettings::timeStamp,         0, 1,  FindingKind::ListPosition},
    // Not contiguous: CheckCameraSettings tests it through DecodePirInterval.
    {"pirInterval",       &CameraSettings::pirInterval,       1, 0xBB, FindingKind::ListPosition},
    {"senseLevel",        &CameraSettings::senseLevel,        0, 3,  FindingKind::ListPosition},
    {"timer1On",          &CameraSettings::timer1On,          0, 1,  FindingKind::ListPosition},
    {"beepSound",         &CameraSettings::beepSound,         0, 1,  FindingKind::ListPosition},
    {"timeLapseOn",       &CameraSettings::timeLapseOn,       0, 1,  FindingKind::ListPosition},
    {"timeLapseHour",     &CameraSettings::timeLapseHour,     0, 23, FindingKind::Clock},
    {"timeLapseMinute",   &CameraSettings::timeLapseMinute,   0, 59, FindingKind::Clock},
    {"timeLapseSecond",   &CameraSettings::timeLapseSecond,   0, 59, FindingKind::Clock},
    {"clockYear",         &CameraSettings::clockYear,         0, 21, FindingKind::Clock},
    {"clockMonth",        &CameraSettings::clockMonth,        1, 12, FindingKind::Clock},
    // The upper bound depends on the month: CheckCameraSettings tests it.
    {"clockDay",          &CameraSettings::clockDay,          1, 31, FindingKind::Clock},
    {"clockHour",         &CameraSettings::clockHour,         0, 23, FindingKind::Clock},
    {"clockMinute",       &CameraSettings::clockMinute,       0, 59, FindingKind::Clock},
    {"clockSecond",       &CameraSettings::clockSecond,       0, 59, FindingKind::Clock},
    {"timer1StartHour",   &CameraSettings::timer1StartHour,   0, 23, FindingKind::Clock},
    {"timer1StartMinute", &CameraSettings::timer1StartMinute, 0, 59, FindingKind::Clock},
    {"timer1StopHour",    &CameraSettings::timer1StopHour,    0, 23, FindingKind::Clock},
    {"timer1StopMinute",  &CameraSettings::timer1StopMinute,  0, 59, FindingKind::Clock},
    {"serialOn",          &CameraSettings::serialOn,          0, 1,  FindingKind::ListPosition},
    {"serialChar1",       &CameraSettings::serialChar1,       0, 35, FindingKind::ListPosition},
    {"serialChar2",       &CameraSettings::serialChar2,       0, 35, FindingKind::ListPosition},
    {"serialChar3",       &CameraSettings::serialChar3,       0, 35, FindingKind::ListPosition},
    {"serialChar4",       &CameraSettings::serialChar4,       0, 35, FindingKind::ListPosition},
    {"languageCode",      &CameraSettings::languageCode,      kMinLanguageCode, kMaxLanguageCode, FindingKind::OutOfRange},
    // The registry's TvMode, whatever it holds; only its low byte is stored.
    {"tvMode",            &CameraSettings::tvMode,            INT_MIN, INT_MAX, FindingKind::OutOfRange},
    {"timer2On",          &CameraSettings::timer2On,          0, 1,  FindingKind::ListPosition},
    {"timer2StartHour",   &CameraSettings::timer2StartHour,   0, 23, FindingKind::Clock},
    {"timer2StartMinute", &CameraSettings::timer2StartMinute, 0, 59, FindingKind::Clock},
    {"timer2StopHour",    &CameraSettings::timer2StopHour,    0, 23, FindingKind::Clock},
    {"timer2StopMinute",  &CameraSettings::timer2StopMinute,  0, 59, FindingKind::Clock},
    {"sdCycle",           &CameraSettings::sdCycle,           0, 1,  FindingKind::ListPosition},
    {"irLight",           &CameraSettings::irLight,           0, 1,  FindingKind::ListPosition},
    {"mmsStatus",         &CameraSettings::mmsStatus,         0, 3,  FindingKind::ListPosition},
}};
// clang-format on

} // namespace kestra
