// SPDX-License-Identifier: Apache-2.0
#include "formats/gprs/GprsSettings.h"

#include "formats/shared/RecordRefusal.h"

namespace kestra {

QByteArray GprsUserName(const QByteArray& senderEmail)
{
    const qsizetype at = senderEmail.indexOf('@');
    return at < 0 ? senderEmail : senderEmail.left(at);
}

namespace {

// The operator the mode allows: in the Auto mode one the catalogue offers in
// a country it has, in the Customer mode slot 0 (the country is not stored).
void CheckCatalogue(SettingsFindings& findings, const GprsSettings& s)
{
    constexpr const GprsNumberField& country = RowOf(kGprsNumberFields, &GprsSettings::countryIndex);
    constexpr const GprsNumberField& slot = RowOf(kGprsNumberFields, &GprsSettings::operatorIndex);
    const auto finding = [&findings](const GprsNumberField& field, FindingKind kind, int value, int expected) {
        findings.push_back({kind, QLatin1String(field.name), static_cast<qsizetype>(field.offset), value, expected});
    };
    if (s.mode == kGprsModeCustomer) {
        if (s.operatorIndex != 0)
            finding(slot, FindingKind::Mode, s.operatorIndex, 0);
    } else if (s.countryIndex < 0 || s.countryIndex >= kGprsCountryCount) {
        finding(country, country.kind, s.countryIndex, kGprsCountryCount);
    } else {
        const int count = GprsOperatorCount(s.countryIndex);
        if (s.operatorIndex < 0 || s.operatorIndex >= count)
            finding(slot, slot.kind, s.operatorIndex, count);
    }
}

} // namespace

SettingsFindings CheckGprsSettings(const GprsSettings& s)
{
    SettingsFindings findings;
    for (const GprsNumberField& field : kGprsNumberFields) {
        CheckNumberRange(findings, field, s);
        if (field.member == &GprsSettings::countryIndex)
            CheckCatalogue(findings, s);
    }
    CheckTexts<GprsSettings>(findings, kGprsTextFields, s);
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
