// SPDX-License-Identifier: Apache-2.0
#include "FuzzInvariants.h"

#include "formats/mms/MmsCatalogue.h"
#include "formats/mms/MmsFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kestra;
    const MmsLoaded loaded =
        ParseMmsFile(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    for (const QByteArray* text : {&loaded.url, &loaded.apn, &loaded.gateway, &loaded.port, &loaded.phone,
                                   &loaded.email, &loaded.account, &loaded.password, &loaded.phone2})
        fuzz::RequireText(*text);
    fuzz::RequireIndex(loaded.smsControl, kSmsControlCount, "SMS control past its list");
    fuzz::RequireIndex(loaded.countryCode, kMmsCountryCount, "MMS country past its list");
    fuzz::Require(loaded.presetMode || !loaded.countryCode, "a country read in the custom mode");
    fuzz::Require(loaded.countryCode || !loaded.operatorIndex, "an operator without its country");
    if (loaded.countryCode)
        fuzz::RequireIndex(loaded.operatorIndex, MmsOperatorCount(*loaded.countryCode), "MMS operator not offered");
    return 0;
}
