// SPDX-License-Identifier: Apache-2.0
#include "formats/sms/SmsSettings.h"

#include "formats/shared/RecordRefusal.h"

#include "storage/SettingsBlock.h"

namespace kestra {

SettingsFindings CheckSmsSettings(const SmsSettings& s)
{
    SettingsFindings findings;
    CheckRange(findings, FindingKind::ListPosition, QStringLiteral("smsControl"), 2, s.smsControl, 0,
               kSmsControlCount - 1);
    CheckRange(findings, FindingKind::OutOfRange, QStringLiteral("picturesPerDay"), 3, s.picturesPerDay, 0,
               kMaxPicturesPerDay);
    CheckRange(findings, FindingKind::OutOfRange, QStringLiteral("languageCode"), 5, s.languageCode, kMinLanguageCode,
               kMaxLanguageCode);
    for (std::size_t i = 0; i < kSmsTextFields.size(); ++i) {
        CheckTextLength(findings, QLatin1String(kSmsTextFields[i].name),
                        static_cast<qsizetype>((i + 1) * kBlockSize + kBlockTextLengthOffset),
                        s.*kSmsTextFields[i].member, kSmsTextFields[i].limit);
    }
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
