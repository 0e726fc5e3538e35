// SPDX-License-Identifier: Apache-2.0
#include "formats/sms/SmsSettings.h"

#include "formats/shared/RecordRefusal.h"

namespace kestra {

template <> struct RecordCheck<SmsSettings> {
    static Checked<SmsSettings> Pass(SmsSettings record) { return Checked<SmsSettings>(std::move(record)); }
};

SettingsFindings CheckSmsSettings(const SmsSettings& s)
{
    SettingsFindings findings;
    for (const SmsNumberField& field : kSmsNumberFields)
        CheckNumberRange(findings, field, s);
    CheckTextLengths<SmsSettings>(findings, kSmsTextFields, s);
    return findings;
}

SaveDecision<SmsSettings> CheckSmsRecord(SmsSettings record, bool chinese)
{
    if (const SettingsFindings findings = CheckSmsSettings(record); !findings.empty())
        return RefusalOf<SmsSettings>(findings, chinese);
    return {RecordCheck<SmsSettings>::Pass(std::move(record)), std::nullopt};
}

} // namespace kestra
