// SPDX-License-Identifier: Apache-2.0
#include "formats/gprs/GprsCatalogue.h"

#include "formats/gprs/GprsOperatorTable.h"

#include <vector>

namespace kestra {

namespace {

struct Entry {
    QString name;
    GprsPreset preset;
};

// The 410 rows (country x 10 + operator), built once from the operator rows;
// slots without a row stay empty.
const std::vector<Entry>& Entries()
{
    static const std::vector<Entry> entries = [] {
        std::vector<Entry> built(static_cast<std::size_t>(kGprsCountryCount * kGprsSlotsPerCountry));
        for (const gprs_table::OperatorRow& row : gprs_table::kOperators) {
            if (row.country < 0 || row.country >= kGprsCountryCount || row.slot < 0 || row.slot >= kGprsSlotsPerCountry)
                continue;
            Entry& entry = built[static_cast<std::size_t>(row.country * kGprsSlotsPerCountry + row.slot)];
            entry.name = QString::fromUtf8(row.name);
            entry.preset =
                GprsPreset{QString::fromUtf8(row.apn), QString::fromUtf8(row.account), QString::fromUtf8(row.password)};
        }
        return built;
    }();
    return entries;
}

bool ValidCountry(int country)
{
    return country >= 0 && country < kGprsCountryCount;
}

const Entry* FindEntry(int country, int slot)
{
    if (!ValidCountry(country) || slot < 0 || slot >= kGprsSlotsPerCountry)
        return nullptr;
    return &Entries()[static_cast<std::size_t>(country * kGprsSlotsPerCountry + slot)];
}

} // namespace

QString GprsCountryName(bool chineseVariant, int country)
{
    if (!ValidCountry(country))
        return {};
    if (chineseVariant && country == kGprsChinaIndex)
        return QString::fromUtf8(gprs_table::kChinaNameChinese);
    return QString::fromUtf8(gprs_table::kCountries[static_cast<std::size_t>(country)].name);
}

int GprsOperatorCount(int country)
{
    return ValidCountry(country) ? gprs_table::kCountries[static_cast<std::size_t>(country)].operatorCount : 0;
}

QString GprsOperatorName(int country, int slot)
{
    const Entry* entry = FindEntry(country, slot);
    return entry ? entry->name : QString();
}

QString GprsChinaOperatorName(int languageIndex, int slot)
{
    if (slot < 0 || slot > 1)
        return {};
    if (languageIndex == 1)
        return QString::fromUtf8(slot == 0 ? gprs_table::kChinaMobileChinese : gprs_table::kChinaUnicomChinese);
    return GprsOperatorName(kGprsChinaIndex, slot);
}

GprsPreset GprsOperatorPreset(int country, int slot)
{
    const Entry* entry = FindEntry(country, slot);
    return entry ? entry->preset : GprsPreset{};
}

} // namespace kestra
