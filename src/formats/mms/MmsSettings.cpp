// SPDX-License-Identifier: Apache-2.0
#include "formats/mms/MmsSettings.h"

#include "formats/shared/RecordRefusal.h"

#include "formats/mms/MmsCatalogue.h"
#include "storage/SettingsBlock.h"

namespace kestra {

SettingsFindings CheckMmsSettings(const MmsSettings& s)
{
    SettingsFindings findings;
    CheckRange(findings, FindingKind::OutOfRange, QStringLiteral("picturesPerDay"), 3, s.picturesPerDay, 0,
               kMaxPicturesPerDay);
    CheckRange(findings, FindingKind::OutOfRange, QStringLiteral("languageCode"), 5, s.languageCode, kMinLanguageCode,
               kMaxLanguageCode);
    CheckRange(findings, FindingKind::ListPosition, QStringLiteral("smsControl"), 10, s.smsControl, 0,
               kSmsControlCount - 1);
    CheckRange(findings, FindingKind::Mode, QStringLiteral("presetFlag"), 50, s.presetFlag, 0, 1);

    // The camera, like Load configure, takes any non-zero flag as the preset mode.
    if (s.presetFlag != 0) {
        if (s.countryCode < 0 || s.countryCode >= kMmsCountryCount) {
            findings.push_back(
                {FindingKind::CatalogueIndex, QStringLiteral("countryCode"), 8, s.countryCode, kMmsCountryCount});
        } else {
            const int offered = MmsOperatorCount(s.countryCode);
            if (s.operatorIndex < 0 || s.operatorIndex >= offered)
                findings.push_back(
                    {FindingKind::CatalogueIndex, QStringLiteral("operatorIndex"), 9, s.operatorIndex, offered});
        }
    } else {
        if (s.countryCode != COUNTRY_CUSTOM)
            findings.push_back({FindingKind::Mode, QStringLiteral("countryCode"), 8, s.countryCode, COUNTRY_CUSTOM});
        if (s.operatorIndex != 0)
            findings.push_back({FindingKind::Mode, QStringLiteral("operatorIndex"), 9, s.operatorIndex, 0});
    }

    for (std::size_t i = 0; i < kMmsTextFields.size(); ++i) {
        const MmsTextField& field = kMmsTextFields[i];
        CheckTextLength(findings, QLatin1String(field.name),
                        static_cast<qsizetype>((i + 1) * kBlockSize + kBlockTextLengthOffset), s.*field.member,
                        field.limit);
    }
    return findings;
}

template <> SaveDecision<MmsSettings> RecordCheck(MmsSettings record, bool chinese)
{
    if (const SettingsFindings findings = CheckMmsSettings(record); !findings.empty())
        return RefusalOf<MmsSettings>(findings, chinese);
    const Checked<MmsSettings> checked(std::move(record));
    return {checked, std::nullopt};
}

SaveDecision<MmsSettings> CheckMmsRecord(MmsSettings record, bool chinese)
{
    return RecordCheck(std::move(record), chinese);
}

} // namespace kestra
