// SPDX-License-Identifier: Apache-2.0
#include "formats/gprs/GprsSettings.h"

#include "formats/shared/RecordRefusal.h"

#include "formats/gprs/GprsCatalogue.h"
#include "storage/SettingsBlock.h"

namespace kestra {

QByteArray GprsUserName(const QByteArray& senderEmail)
{
    const qsizetype at = senderEmail.indexOf('@');
    return at < 0 ? senderEmail : senderEmail.left(at);
}

SettingsFindings CheckGprsSettings(const GprsSettings& s)
{
    SettingsFindings findings;
    CheckRange(findings, FindingKind::Mode, QStringLiteral("mode"), 50, s.mode, kGprsModeAuto, kGprsModeCustomer);
    if (s.mode == kGprsModeCustomer) {
        if (s.operatorIndex != 0)
            findings.push_back({FindingKind::Mode, QStringLiteral("operatorIndex"), 1, s.operatorIndex, 0});
    } else if (s.countryIndex < 0 || s.countryIndex >= kGprsCountryCount) {
        findings.push_back(
            {FindingKind::CatalogueIndex, QStringLiteral("countryIndex"), 2, s.countryIndex, kGprsCountryCount});
    } else {
        const int count = GprsOperatorCount(s.countryIndex);
        if (s.operatorIndex < 0 || s.operatorIndex >= count)
            findings.push_back(
                {FindingKind::CatalogueIndex, QStringLiteral("operatorIndex"), 1, s.operatorIndex, count});
    }
    CheckRange(findings, FindingKind::OutOfRange, QStringLiteral("picturesPerDay"), 3, s.picturesPerDay, 0,
               kMaxPicturesPerDay);
    CheckRange(findings, FindingKind::OutOfRange, QStringLiteral("languageCode"), 5, s.languageCode, kMinLanguageCode,
               kMaxLanguageCode);
    CheckRange(findings, FindingKind::ListPosition, QStringLiteral("smsControl"), 8, s.smsControl, 0,
               kSmsControlCount - 1);
    for (const GprsTextField& field : kGprsTextFields) {
        CheckTextLength(findings, QLatin1String(field.name),
                        static_cast<qsizetype>(field.block * kBlockSize + kBlockTextLengthOffset), s.*field.member,
                        field.limit);
    }
    return findings;
}

template <> SaveDecision<GprsSettings> RecordCheck(GprsSettings record, bool chinese)
{
    if (const SettingsFindings findings = CheckGprsSettings(record); !findings.empty())
        return RefusalOf<GprsSettings>(findings, chinese);
    const Checked<GprsSettings> checked(std::move(record));
    return {checked, std::nullopt};
}

SaveDecision<GprsSettings> CheckGprsRecord(GprsSettings record, bool chinese)
{
    return RecordCheck(std::move(record), chinese);
}

} // namespace kestra
