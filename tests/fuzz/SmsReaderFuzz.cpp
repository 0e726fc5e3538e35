// SPDX-License-Identifier: Apache-2.0
#include "FuzzInvariants.h"

#include "formats/sms/SmsFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kestra;
    const SmsLoaded loaded =
        ParseSmsFile(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    for (const QByteArray* text : {&loaded.phone1, &loaded.phone2, &loaded.phone3})
        fuzz::RequireText(*text);
    fuzz::RequireIndex(loaded.smsControl, kSmsControlCount, "SMS control past its list");
    return 0;
}
