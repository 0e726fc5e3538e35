// SPDX-License-Identifier: Apache-2.0
#include "FuzzInvariants.h"

#include "formats/gprs/GprsCatalogue.h"
#include "formats/gprs/GprsFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kestra;
    const GprsLoaded loaded =
        ParseGprsFile(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    for (const QByteArray* text : {&loaded.apn, &loaded.gprsAccount, &loaded.gprsPassword, &loaded.smtpServer,
                                   &loaded.smtpPort, &loaded.senderEmail, &loaded.phoneNumber, &loaded.recipientEmail})
        fuzz::RequireText(*text);
    fuzz::RequireIndex(loaded.smsControl, kSmsControlCount, "SMS control past its list");
    if (loaded.mode == kGprsModeAuto) {
        fuzz::RequireIndex(loaded.countryIndex, kGprsCountryCount, "GPRS country past its list");
        fuzz::Require(loaded.countryIndex || !loaded.operatorIndex, "an operator without its country");
        if (loaded.countryIndex)
            fuzz::RequireIndex(loaded.operatorIndex, GprsOperatorCount(*loaded.countryIndex),
                               "GPRS operator not offered");
    } else {
        fuzz::Require(loaded.mode == kGprsModeCustomer, "a mode other than Auto or Customer");
        fuzz::Require(loaded.countryIndex.value_or(kGprsCountryCustomer) == kGprsCountryCustomer,
                      "a Customer file handing back a country");
        fuzz::Require(loaded.operatorIndex.value_or(0) == 0, "a Customer file handing back an operator");
    }
    return 0;
}
