// SPDX-License-Identifier: Apache-2.0
#include "formats/sms/SmsSettings.h"

#include "formats/shared/RecordRefusal.h"

namespace kestra {

SettingsFindings CheckSmsSettings(const SmsSettings& s)
{
    SettingsFindings findings;
    for (const SmsNumberField& field : kSmsNumberFields)
        CheckNumberRange(findings, field, s);
    CheckTexts<SmsSettings>(findings, kSmsTextFields, s);
    return findings;
}

template <> SaveDecision<SmsSettings> RecordCheck(SmsSettings record, bool chinese)
{
    if (const SettingsFindings findings = CheckSmsSettings(record); !findings.empty())
        return RefusalOf<SmsSettings>(findings, chinese);
    const Checked<SmsSettings> checked(std::move(record));
    return {checked, std::nullopt};
}

SaveDecision<SmsSettings> CheckSmsRecord(SmsSettings record, bool chinese)
{
    return RecordCheck(std::move(record), chinese);
}

} // namespace kestra
