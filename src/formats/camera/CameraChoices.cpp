// SPDX-License-Identifier: Apache-2.0
#include "formats/camera/CameraChoices.h"

#include "common/Session.h"
#include "formats/camera/CameraFields.h"

#include <cstddef>

namespace kestra {
namespace {

// The range the record check allows a field: one table for the window's checks,
// the list sizes and the record check.
constexpr const CameraField& RecordField(int CameraSettings::*member)
{
    for (const CameraField& field : kCameraFields) {
        if (field.member == member)
            return field;
    }
    throw "no such camera.dat field"; // unreachable: every member is in the table
}

struct ListInfo {
    CameraList list;
    int CameraSettings::*field;
    int initial;
};

// The twenty lists and where each is stored. The window opens on these
// positions whatever was saved before: nothing reads camera.dat back.
constexpr ListInfo kLists[] = {
    {CameraList::Mode, &CameraSettings::cameraMode, 0},
    {CameraList::ImageSize, &CameraSettings::imageSize, 0},
    {CameraList::VideoSize, &CameraSettings::videoSize, 0},
    {CameraList::PictureNo, &CameraSettings::pictureCount, 0},
    {CameraList::TimeStamp, &CameraSettings::timeStamp, 0},
    {CameraList::SenseLevel, &CameraSettings::senseLevel, 0},
    {CameraList::BeepSound, &CameraSettings::beepSound, 1},
    {CameraList::VideoLength, &CameraSettings::videoLength, 9},  // "10 Sec"
    {CameraList::PirInterval, &CameraSettings::pirInterval, 60}, // "1 Min"
    {CameraList::SdCycle, &CameraSettings::sdCycle, 0},
    {CameraList::IrLight, &CameraSettings::irLight, 0},
    {CameraList::MmsStatus, &CameraSettings::mmsStatus, 0},
    {CameraList::Timer1, &CameraSettings::timer1On, 0},
    {CameraList::Timer2, &CameraSettings::timer2On, 0},
    {CameraList::SerialNo, &CameraSettings::serialOn, 0},
    {CameraList::SerialChar1, &CameraSettings::serialChar1, 0},
    {CameraList::SerialChar2, &CameraSettings::serialChar2, 0},
    {CameraList::SerialChar3, &CameraSettings::serialChar3, 0},
    {CameraList::SerialChar4, &CameraSettings::serialChar4, 0},
    {CameraList::TimeLapse, &CameraSettings::timeLapseOn, 1}, // 1 is "Off": the camera reads 0 as on
};
static_assert(std::size(kLists) == kCameraListCount);

constexpr bool ListsInOrder()
{
    for (std::size_t i = 0; i < std::size(kLists); ++i) {
        if (static_cast<std::size_t>(kLists[i].list) != i)
            return false;
    }
    return true;
}
static_assert(ListsInOrder(), "list rows must follow the CameraList order");

constexpr CameraNumberField Number(CameraNumber number, int CameraChoices::*member, int CameraSettings::*field)
{
    return {number, member, field, RecordField(field).high};
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

const ListInfo& Info(CameraList list)
{
    return kLists[static_cast<std::size_t>(list)];
}

} // namespace

std::array<int, kCameraListCount> CameraChoices::InitialPositions()
{
    std::array<int, kCameraListCount> positions{};
    for (const ListInfo& info : kLists)
        positions[static_cast<std::size_t>(info.list)] = info.initial;
    return positions;
}

int CameraListSize(CameraList list)
{
    // The PIR list is stored encoded, so its record range is not its size.
    if (list == CameraList::PirInterval)
        return kPirIntervalListSize;
    return RecordField(Info(list).field).high + 1;
}

int CameraListInitialPosition(CameraList list)
{
    return Info(list).initial;
}

const CameraNumberField& CameraNumberInfo(CameraNumber number)
{
    return kNumbers[static_cast<std::size_t>(number)];
}

CameraSettings FillCameraSettings(const CameraChoices& choices, const PcClock& clock, int languageCode, int tvMode)
{
    CameraSettings s;
    for (const ListInfo& info : kLists)
        s.*info.field = choices.position(info.list);
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
    for (const ListInfo& info : kLists)
        choices.position(info.list) = settings.*info.field;
    // A stored PIR value no list entry gives comes back as -1, so the record
    // check refuses it rather than a neighbouring entry being picked.
    choices.position(CameraList::PirInterval) = DecodePirInterval(settings.pirInterval);
    for (const CameraNumberField& number : kNumbers)
        choices.*number.member = settings.*number.field;
    return choices;
}

} // namespace kestra
