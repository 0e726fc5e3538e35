// SPDX-License-Identifier: Apache-2.0
#include "formats/camera/CameraChoices.h"

#include "common/Session.h"
#include "formats/camera/CameraFields.h"

#include <cstddef>

namespace kestra {
namespace {

constexpr CameraNumberField Number(CameraNumber number, int CameraChoices::*member, int CameraSettings::*field)
{
    return {number, member, field};
}

constexpr CameraNumberField kNumbers[] = {
    Number(CameraNumber::TimeLapseHour, &CameraChoices::timeLapseHour, &CameraSettings::timeLapseHour),
    Number(CameraNumber::TimeLapseMinute, &CameraChoices::timeLapseMinute, &CameraSettings::timeLapseMinute),
    Number(CameraNumber::TimeLapseSecond, &CameraChoices::timeLapseSecond, &CameraSettings::timeLapseSecond),
    Number(CameraNumber::Timer1StartHour, &CameraChoices::timer1StartHour, &CameraSettings::timer1StartHour),
    Number(CameraNumber::Timer1StartMinute, &CameraChoices::timer1StartMinute, &CameraSettings::timer1StartMinute),
    Number(CameraNumber::Timer1StopHour, &CameraChoices::timer1StopHour, &CameraSettings::timer1StopHour),
    Number(CameraNumber::Timer1StopMinute, &CameraChoices::timer1StopMinute, &CameraSettings::timer1StopMinute),
    Number(CameraNumber::Timer2StartHour, &CameraChoices::timer2StartHour, &CameraSettings::timer2StartHour),
    Number(CameraNumber::Timer2StartMinute, &CameraChoices::timer2StartMinute, &CameraSettings::timer2StartMinute),
    Number(CameraNumber::Timer2StopHour, &CameraChoices::timer2StopHour, &CameraSettings::timer2StopHour),
    Number(CameraNumber::Timer2StopMinute, &CameraChoices::timer2StopMinute, &CameraSettings::timer2StopMinute),
};
static_assert(std::size(kNumbers) == kCameraNumberCount);

constexpr bool NumbersInOrder()
{
    for (std::size_t i = 0; i < std::size(kNumbers); ++i) {
        if (static_cast<std::size_t>(kNumbers[i].number) != i)
            return false;
    }
    return true;
}
static_assert(NumbersInOrder(), "number rows must follow the CameraNumber order");

} // namespace

std::array<int, kCameraListCount> CameraChoices::InitialPositions()
{
    std::array<int, kCameraListCount> positions{};
    for (const CameraField& field : kCameraFields) {
        if (field.list != kNoCameraList)
            positions[static_cast<std::size_t>(field.list)] = field.initial;
    }
    return positions;
}

int CameraListSize(CameraList list)
{
    // The PIR list is stored encoded, so its record range is not its size.
    if (list == CameraList::PirInterval)
        return kPirIntervalListSize;
    return CameraFieldOf(list).high + 1;
}

int CameraListInitialPosition(CameraList list)
{
    return CameraFieldOf(list).initial;
}

const CameraNumberField& CameraNumberInfo(CameraNumber number)
{
    return kNumbers[static_cast<std::size_t>(number)];
}

CameraSettings FillCameraSettings(const CameraChoices& choices, const PcClock& clock, int languageCode, int tvMode)
{
    CameraSettings s;
    for (const CameraField& field : kCameraFields) {
        if (field.list != kNoCameraList)
            s.*field.member = choices.position(field.list);
    }
    s.pirInterval = EncodePirInterval(choices.position(CameraList::PirInterval));
    // A switched-off timer or time lapse keeps its numbers; the camera ignores them.
    for (const CameraNumberField& number : kNumbers)
        s.*number.field = choices.*number.member;
    // The clock is the PC time of the last snapshot (window opened or Sync
    // Time), not the time of saving.
    s.clockYear = StoredClockYear(clock.year);
    s.clockMonth = clock.month;
    s.clockDay = clock.day;
    s.clockHour = clock.hour;
    s.clockMinute = clock.minute;
    s.clockSecond = clock.second;
    s.languageCode = languageCode;
    s.tvMode = tvMode;
    return s;
}

CameraChoices CameraChoicesFromSettings(const CameraSettings& settings)
{
    CameraChoices choices;
    for (const CameraField& field : kCameraFields) {
        if (field.list != kNoCameraList)
            choices.position(field.list) = settings.*field.member;
    }
    // A stored PIR value no list entry gives comes back as -1, so the record
    // check refuses it rather than a neighbouring entry being picked.
    choices.position(CameraList::PirInterval) = DecodePirInterval(settings.pirInterval);
    for (const CameraNumberField& number : kNumbers)
        choices.*number.member = settings.*number.field;
    return choices;
}

} // namespace kestra
