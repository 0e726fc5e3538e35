// SPDX-License-Identifier: Apache-2.0
#pragma once

// The records the Save tests of the messaging files start from: each passes
// every check its window's Save runs, so a case changes only what it is about.

#include "formats/gprs/GprsSave.h"
#include "formats/mms/MmsCatalogue.h"
#include "formats/mms/MmsSave.h"

namespace kestra::test {

inline const Session kEnglishSession{kLanguageEnglish, kLanguageEnglish, 0};

// mms.dat: the window's start record with a phone.
inline MmsSettings ValidMmsStart()
{
    MmsSettings s = InitialMmsSettings(kEnglishSession);
    s.phone = "13800138000";
    return s;
}

// The custom mode with its four parameters typed.
inline void ToMmsCustomMode(MmsSettings& s)
{
    s.presetFlag = 0;
    s.countryCode = COUNTRY_CUSTOM;
    s.url = "http://mms.example.net";
    s.apn = "mms";
    s.gateway = "10.0.0.172";
    s.port = "80";
}

// gprs.dat: everything the checks ask for, in Auto mode with China's first
// operator.
inline GprsSettings CompleteGprsStart()
{
    GprsSettings s = InitialGprsSettings(kEnglishSession);
    s.smtpServer = "smtp.example.com";
    s.smtpPort = "25";
    s.senderEmail = "cam@example.com";
    s.senderPassword = "secret";
    s.recipientEmail = "me@example.com";
    return s;
}

} // namespace kestra::test
