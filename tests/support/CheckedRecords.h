// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "common/Session.h"
#include "formats/camera/CameraSettings.h"
#include "formats/gprs/GprsSettings.h"
#include "formats/mms/MmsSettings.h"
#include "formats/sms/SmsSettings.h"

#include <stdexcept>
#include <string>

namespace kestra::test {

// A record through its kind's record check, the one way to a file's bytes
// (the windows' own rules, such as a sender address with "@", are the save
// steps' and are tested there). A record the check refuses fails the test
// with the refusal (GoogleTest reports the exception).
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
    return Passed(CheckCameraRecord(s));
}

inline Checked<MmsSettings> MustPass(const MmsSettings& s)
{
    return Passed(CheckMmsRecord(s));
}

inline Checked<GprsSettings> MustPass(const GprsSettings& s)
{
    return Passed(CheckGprsRecord(s));
}

inline Checked<SmsSettings> MustPass(const SmsSettings& s)
{
    return Passed(CheckSmsRecord(s));
}

} // namespace kestra::test
