// SPDX-License-Identifier: Apache-2.0
// Part of no program, and must never link: a second definition of the sms
// record's check, with which anything at all could become a checked record.
// The test common_RecordCheckDefinedTwice builds it and expects the linker to
// name the duplicate.
#include "formats/sms/SmsSettings.h"

#include <utility>

namespace kestra {

template <> SaveDecision<SmsSettings> RecordCheck(SmsSettings record, bool)
{
    const Checked<SmsSettings> unchecked(std::move(record));
    return {unchecked, std::nullopt};
}

} // namespace kestra

int main()
{
    // The format's own check, which lives beside the format's definition.
    return kestra::CheckSmsRecord(kestra::SmsSettings{}).ok() ? 0 : 1;
}
