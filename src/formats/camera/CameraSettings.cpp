// SPDX-License-Identifier: Apache-2.0
#include "formats/camera/CameraSettings.h"

#include "formats/shared/RecordRefusal.h"

#include "formats/camera/CameraFields.h"

#include <algorithm>

namespace kestra {

namespace {

constexpr int kPirSecondsFlag = 0x80; // the camera reads a set high bit as seconds
constexpr int kPirMaxMinutes = 60;

// The years a PC clock outside the camera's calendar is moved to. The day is
// kept as the PC gave it, so 29 February of a leap year outside the calendar
// arrives as 29 February of one of these; the camera has always been given it.
constexpr int kYearForEarlierClocks = 2011;

int DaysInMonth(int year, int month)
{
    static constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0))
        return 29;
    return days[static_cast<std::size_t>(month - 1)];
}

} // namespace

int EncodePirInterval(int listPosition)
{
    if (listPosition < 0 || listPosition >= kPirIntervalListSize)
        return -1;
    if (listPosition < kPirSecondsEntries)
        return listPosition + kPirSecondsFlag;
    return listPosition - (kPirSecondsEntries - 1);
}

int DecodePirInterval(int storedValue)
{
    if (storedValue >= kPirSecondsFlag && storedValue < kPirSecondsFlag + kPirSecondsEntries)
        return storedValue - kPirSecondsFlag;
    if (storedValue >= 1 && storedValue <= kPirMaxMinutes)
        return storedValue + (kPirSecondsEntries - 1);
    return -1;
}

PcClock ClampToCameraCalendar(int year, int month, int day, int hour, int minute, int second)
{
    int clamped = std::min(year, kLastClockYear);
    if (clamped < kFirstClockYear)
        clamped = kYearForEarlierClocks;
    return PcClock{clamped, month, day, hour, minute, second};
}

int StoredClockYear(int year)
{
    return std::clamp(year, kFirstClockYear, kLastClockYear) - kFirstClockYear;
}

SettingsFindings CheckCameraSettings(const CameraSettings& settings)
{
    SettingsFindings findings;
    for (const CameraField& field : kCameraFields) {
        const int value = settings.*field.member;
        const QLatin1String name(field.name);
        if (field.member == &CameraSettings::pirInterval) {
            if (DecodePirInterval(value) < 0)
                findings.push_back({field.kind, QString(name), static_cast<qsizetype>(field.offset), value, 0});
            continue;
        }
        CheckRange(findings, field.kind, name, static_cast<qsizetype>(field.offset), value, field.low, field.high);
    }
    // A day past its month's last, once year and month are within their rows.
    constexpr const CameraField& year = CameraFieldOf(&CameraSettings::clockYear);
    constexpr const CameraField& month = CameraFieldOf(&CameraSettings::clockMonth);
    constexpr const CameraField& day = CameraFieldOf(&CameraSettings::clockDay);
    const auto within = [&settings](const CameraField& field) {
        return settings.*field.member >= field.low && settings.*field.member <= field.high;
    };
    if (within(year) && within(month) && settings.clockDay >= day.low) {
        const int fullYear = settings.clockYear + kFirstClockYear;
        const bool clampedLeapDay = settings.clockMonth == 2 && settings.clockDay == 29
                                    && (fullYear == kYearForEarlierClocks || fullYear == kLastClockYear);
        const int days = clampedLeapDay ? 29 : DaysInMonth(fullYear, settings.clockMonth);
        if (settings.clockDay > days && settings.clockDay <= day.high)
            findings.push_back(
                {day.kind, QLatin1String(day.name), static_cast<qsizetype>(day.offset), settings.clockDay, days});
    }
    return findings;
}

template <> SaveDecision<CameraSettings> RecordCheck(CameraSettings record, bool chinese)
{
    if (const SettingsFindings findings = CheckCameraSettings(record); !findings.empty()) {
        // The camera's fields are lists and times, named with their offset
        // as the Camera window has always named them.
        return SaveDecision<CameraSettings>::Refused(findings.front().message(chinese), findings.front().field);
    }
    const Checked<CameraSettings> checked(record);
    return {checked, std::nullopt};
}

SaveDecision<CameraSettings> CheckCameraRecord(const CameraSettings& record, bool chinese)
{
    return RecordCheck(record, chinese);
}

} // namespace kestra
