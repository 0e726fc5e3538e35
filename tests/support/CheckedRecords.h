// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "formats/camera/CameraChoices.h"
#include "formats/camera/CameraSave.h"
#include "formats/gprs/GprsSave.h"
#include "formats/mms/MmsSave.h"
#include "formats/sms/SmsSave.h"

#include <stdexcept>
#include <string>

namespace kestra::test {

// A record through its kind's save check, the one way to a file's bytes: a
// test that builds or writes a file goes the way every door goes. A record
// the check refuses fails the test with the refusal (GoogleTest reports the
// exception).
inline Session RecordSession(int languageCode, int tvMode = 0)
{
    Session session;
    session.languageIndex = kLanguageEnglish;
    session.languageCode = languageCode;
    session.tvMode = tvMode;
    return session;
}

template <typename Record> Checked<Record> Passed(const SaveDecision<Record>& decision)
{
    if (!decision.ok())
        throw std::runtime_error("the check refused the record: " + decision.refusal->toStdString() + " ("
                                 + decision.field.toStdString() + ")");
    return *decision.checked;
}

inline Checked<CameraSettings> MustPass(const CameraSettings& s)
{
    const PcClock clock{s.clockYear + 2010, s.clockMonth, s.clockDay, s.clockHour, s.clockMinute, s.clockSecond};
    return Passed(PrepareCameraSave(CameraChoicesFromSettings(s), clock, RecordSession(s.languageCode, s.tvMode)));
}

inline Checked<MmsSettings> MustPass(const MmsSettings& s)
{
    return Passed(PrepareMmsSave(s, RecordSession(s.languageCode, s.tvMode)));
}

inline Checked<GprsSettings> MustPass(const GprsSettings& s)
{
    return Passed(PrepareGprsSave(s, RecordSession(s.languageCode)));
}

inline Checked<SmsSettings> MustPass(const SmsSettings& s)
{
    return Passed(PrepareSmsSave(s, RecordSession(s.languageCode)));
}

} // namespace kestra::test
