// SPDX-License-Identifier: Apache-2.0
#include "formats/mms/MmsCatalogue.h"

#include "formats/mms/MmsOperatorTable.h"

namespace kestra {

namespace {

bool ValidCountry(int country)
{
    return country >= 0 && country < kMmsCountryCount;
}

// The operator row of a catalogue slot, or null for a slot without one. The
// 101 rows are looked through rather than turned into an index or strings up
// front: a run reads one preset or fills one list of at most five names.
const mms_table::OperatorRow* FindRow(int country, int slot)
{
    if (!ValidCountry(country) || slot < 0 || slot >= kMmsSlotsPerCountry)
        return nullptr;
    for (const mms_table::OperatorRow& row : mms_table::kOperators) {
        if (row.country == country && row.slot == slot)
            return &row;
    }
    return nullptr;
}

} // namespace

QString MmsCountryName(CountryListVariant variant, int country)
{
    if (!ValidCountry(country))
        return {};
    if (variant == CountryListVariant::Chinese && country == kMmsChinaIndex)
        return QString::fromUtf8(mms_table::kChinaNameChinese);
    return QString::fromUtf8(mms_table::kCountries[static_cast<std::size_t>(country)].name);
}

int MmsOperatorCount(int country)
{
    return ValidCountry(country) ? mms_table::kCountries[static_cast<std::size_t>(country)].offeredCount : 0;
}

QString MmsOperatorName(int country, int slot)
{
    const mms_table::OperatorRow* row = FindRow(country, slot);
    return row ? QString::fromUtf8(row->name) : QString();
}

MmsPreset MmsOperatorPreset(int country, int slot)
{
    const mms_table::OperatorRow* row = FindRow(country, slot);
    if (!row)
        return {};
    return {QString::fromUtf8(row->url),  QString::fromUtf8(row->apn),     QString::fromUtf8(row->gateway),
            QString::fromUtf8(row->port), QString::fromUtf8(row->account), QString::fromUtf8(row->password)};
}

std::array<QString, 2> MmsChinaOperatorPair(int languageIndex)
{
    if (languageIndex == 1)
        return {QString::fromUtf8(mms_table::kChinaMobileChinese), QString::fromUtf8(mms_table::kChinaUnicomChinese)};
    return {MmsOperatorName(kMmsChinaIndex, 0), MmsOperatorName(kMmsChinaIndex, 1)};
}

} // namespace kestra
