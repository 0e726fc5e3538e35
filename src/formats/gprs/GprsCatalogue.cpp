// SPDX-License-Identifier: Apache-2.0
#include "formats/gprs/GprsCatalogue.h"

#include "formats/gprs/GprsOperatorTable.h"

namespace kestra {

namespace {

bool ValidCountry(int country)
{
    return country >= 0 && country < kGprsCountryCount;
}

// The operator row of a catalogue slot, or null for a slot without one. The
// 87 rows are looked through rather than turned into an index or strings up
// front: a run reads one preset or fills one list of at most five names.
const gprs_table::OperatorRow* FindRow(int country, int slot)
{
    if (!ValidCountry(country) || slot < 0 || slot >= kGprsSlotsPerCountry)
        return nullptr;
    for (const gprs_table::OperatorRow& row : gprs_table::kOperators) {
        if (row.country == country && row.slot == slot)
            return &row;
    }
    return nullptr;
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
    const gprs_table::OperatorRow* row = FindRow(country, slot);
    return row ? QString::fromUtf8(row->name) : QString();
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
    const gprs_table::OperatorRow* row = FindRow(country, slot);
    if (!row)
        return {};
    return {QString::fromUtf8(row->apn), QString::fromUtf8(row->account), QString::fromUtf8(row->password)};
}

} // namespace kestra
