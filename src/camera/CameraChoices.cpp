#include "camera/CameraChoices.h"

#include "app/PcClock.h"

#include <QDir>

#include <cstddef>

namespace kestra {
namespace {

struct ListInfo {
    CameraList list;
    int size;
    int initial;
    const char* name; // English, for messages
};

// Sizes and starting entries of the twenty lists. The window opens on these
// whatever was saved before: nothing reads camera.dat back.
constexpr ListInfo kLists[] = {
    {CameraList::Mode, 3, 0, "Mode"},
    {CameraList::ImageSize, 3, 0, "Image Size"},
    {CameraList::VideoSize, 3, 0, "Video Size"},
    {CameraList::PictureNo, 3, 0, "Picture No."},
    {CameraList::TimeStamp, 2, 0, "Time Stamp"},
    {CameraList::SenseLevel, 4, 0, "Sense Level"},
    {CameraList::BeepSound, 2, 1, "Beep Sound"},
    {CameraList::VideoLength, 60, 9, "Video Length"},   // "10 Sec"
    {CameraList::PirInterval, 120, 60, "PIR Interval"}, // "1 Min"
    {CameraList::SdCycle, 2, 0, "Cyclic Store"},
    {CameraList::IrLight, 2, 0, "IR Light"},
    {CameraList::MmsStatus, 4, 0, "MMS Status"},
    {CameraList::Timer1, 2, 0, "Timer1"},
    {CameraList::Timer2, 2, 0, "Timer2"},
    {CameraList::SerialNo, 2, 0, "Serial No."},
    {CameraList::SerialChar1, 36, 0, "Serial No. character 1"},
    {CameraList::SerialChar2, 36, 0, "Serial No. character 2"},
    {CameraList::SerialChar3, 36, 0, "Serial No. character 3"},
    {CameraList::SerialChar4, 36, 0, "Serial No. character 4"},
    {CameraList::TimeLapse, 2, 1, "Time Lapse"}, // 1 is "Off": the camera reads 0 as on
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

const CameraNumberField kNumbers[] = {
    {CameraNumber::TimeLapseHour, &CameraChoices::timeLapseHour, 23, "Time Lapse hour"},
    {CameraNumber::TimeLapseMinute, &CameraChoices::timeLapseMinute, 59, "Time Lapse minute"},
    {CameraNumber::TimeLapseSecond, &CameraChoices::timeLapseSecond, 59, "Time Lapse second"},
    {CameraNumber::Timer1StartHour, &CameraChoices::timer1StartHour, 23, "Timer1 start hour"},
    {CameraNumber::Timer1StartMinute, &CameraChoices::timer1StartMinute, 59, "Timer1 start minute"},
    {CameraNumber::Timer1StopHour, &CameraChoices::timer1StopHour, 23, "Timer1 stop hour"},
    {CameraNumber::Timer1StopMinute, &CameraChoices::timer1StopMinute, 59, "Timer1 stop minute"},
    {CameraNumber::Timer2StartHour, &CameraChoices::timer2StartHour, 23, "Timer2 start hour"},
    {CameraNumber::Timer2StartMinute, &CameraChoices::timer2StartMinute, 59, "Timer2 start minute"},
    {CameraNumber::Timer2StopHour, &CameraChoices::timer2StopHour, 23, "Timer2 stop hour"},
    {CameraNumber::Timer2StopMinute, &CameraChoices::timer2StopMinute, 59, "Timer2 stop minute"},
};
static_assert(std::size(kNumbers) == kCameraNumberCount);

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
    return Info(list).size;
}

int CameraListInitialPosition(CameraList list)
{
    return Info(list).initial;
}

const CameraNumberField& CameraNumberInfo(CameraNumber number)
{
    return kNumbers[static_cast<std::size_t>(number)];
}

QString CameraChoiceError::message(bool chinese) const
{
    if (chinese) {
        return QStringLiteral("%1：请输入一个介于%2和%3之间的值!（现在是 %4）")
            .arg(field).arg(minValue).arg(maxValue).arg(value);
    }
    return QStringLiteral("%1: please enter an integer between %2 and %3 (not %4).")
        .arg(field).arg(minValue).arg(maxValue).arg(value);
}

std::optional<CameraChoiceError> CheckCameraChoices(const CameraChoices& choices)
{
    for (const ListInfo& info : kLists) {
        const int position = choices.position(info.list);
        if (position < 0 || position >= info.size)
            return CameraChoiceError{QString::fromUtf8(info.name), position, 0, info.size - 1};
    }
    for (const CameraNumberField& number : kNumbers) {
        const int value = choices.*number.member;
        if (value < 0 || value > number.maxValue)
            return CameraChoiceError{QString::fromUtf8(number.name), value, 0, number.maxValue};
    }
    return std::nullopt;
}

CameraSettings FillCameraSettings(const CameraChoices& choices, const PcClock& clock, int languageCode,
                                  int tvMode)
{
    CameraSettings s;
    s.cameraMode = choices.position(CameraList::Mode);
    s.imageSize = choices.position(CameraList::ImageSize);
    s.videoSize = choices.position(CameraList::VideoSize);
    s.pictureCount = choices.position(CameraList::PictureNo);
    s.videoLength = choices.position(CameraList::VideoLength);
    s.timeStamp = choices.position(CameraList::TimeStamp);
    s.pirInterval = EncodePirInterval(choices.position(CameraList::PirInterval));
    s.senseLevel = choices.position(CameraList::SenseLevel);
    s.timer1On = choices.position(CameraList::Timer1);
    s.beepSound = choices.position(CameraList::BeepSound);
    s.timeLapseOn = choices.position(CameraList::TimeLapse);
    s.timeLapseHour = choices.timeLapseHour;
    s.timeLapseMinute = choices.timeLapseMinute;
    s.timeLapseSecond = choices.timeLapseSecond;
    // The clock is the PC time of the last snapshot (window opened or Sync
    // Time), not the time of saving.
    s.clockYear = StoredClockYear(clock.year);
    s.clockMonth = clock.month;
    s.clockDay = clock.day;
    s.clockHour = clock.hour;
    s.clockMinute = clock.minute;
    s.clockSecond = clock.second;
    // A switched-off timer keeps its numbers; the camera ignores them.
    s.timer1StartHour = choices.timer1StartHour;
    s.timer1StartMinute = choices.timer1StartMinute;
    s.timer1StopHour = choices.timer1StopHour;
    s.timer1StopMinute = choices.timer1StopMinute;
    s.serialOn = choices.position(CameraList::SerialNo);
    s.serialChar1 = choices.position(CameraList::SerialChar1);
    s.serialChar2 = choices.position(CameraList::SerialChar2);
    s.serialChar3 = choices.position(CameraList::SerialChar3);
    s.serialChar4 = choices.position(CameraList::SerialChar4);
    s.languageCode = languageCode;
    s.tvMode = tvMode;
    s.timer2On = choices.position(CameraList::Timer2);
    s.timer2StartHour = choices.timer2StartHour;
    s.timer2StartMinute = choices.timer2StartMinute;
    s.timer2StopHour = choices.timer2StopHour;
    s.timer2StopMinute = choices.timer2StopMinute;
    s.sdCycle = choices.position(CameraList::SdCycle);
    s.irLight = choices.position(CameraList::IrLight);
    s.mmsStatus = choices.position(CameraList::MmsStatus);
    return s;
}

QString DefaultCameraFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\");
#else
    return QDir::homePath();
#endif
}

} // namespace kestra
