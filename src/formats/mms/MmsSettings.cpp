// SPDX-License-Identifier: Apache-2.0
#include "formats/mms/MmsSettings.h"

#include "formats/shared/RecordRefusal.h"

#include "formats/mms/MmsCatalogue.h"

namespace kestra {

namespace {

// The country and the slot the mode allows: in the preset mode (any non-zero
// flag, as the camera and Load configure take it) what the catalogue offers,
// in the custom mode COUNTRY_CUSTOM and slot 0.
void CheckCatalogue(SettingsFindings& findings, const MmsSettings& s)
{
    constexpr const MmsNumberField& country = RowOf(kMmsNumberFields, &MmsSettings::countryCode);
    constexpr const MmsNumberField& slot = RowOf(kMmsNumberFields, &MmsSettings::operatorIndex);
    const auto finding = [&findings](const MmsNumberField& field, FindingKind kind, int value, int expected) {
        findings.push_back({kind, QLatin1String(field.name), static_cast<qsizetype>(field.offset), value, expected});
    };
    if (s.presetFlag != 0) {
        if (s.countryCode < 0 || s.countryCode >= kMmsCountryCount) {
            finding(country, country.kind, s.countryCode, kMmsCountryCount);
        } else {
            const int offered = MmsOperatorCount(s.countryCode);
            if (s.operatorIndex < 0 || s.operatorIndex >= offered)
                finding(slot, slot.kind, s.operatorIndex, offered);
        }
    } else {
        if (s.countryCode != COUNTRY_CUSTOM)
            finding(country, FindingKind::Mode, s.countryCode, COUNTRY_CUSTOM);
        if (s.operatorIndex != 0)
            finding(slot, FindingKind::Mode, s.operatorIndex, 0);
    }
}

} // namespace

SettingsFindings CheckMmsSettings(const MmsSettings& s)
{
    SettingsFindings findings;
    for (const MmsNumberField& field : kMmsNumberFields) {
        CheckNumberRange(findings, field, s);
        if (field.member == &MmsSettings::countryCode)
            CheckCatalogue(findings, s);
    }
    CheckTexts<MmsSettings>(findings, kMmsTextFields, s);
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
