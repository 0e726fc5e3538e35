// SPDX-License-Identifier: Apache-2.0
#include "formats/mms/MmsCatalogue.h"

#include "formats/mms/MmsOperatorTable.h"

#include <vector>

namespace kestra {

namespace {

struct Entry {
    QString name;
    MmsPreset preset;
};

// The 420 catalogue entries (country x 10 + slot), built once from the operator
// rows; slots without a row stay empty.
const std::vector<Entry>& Entries()
{
    static const std::vector<Entry> entries = [] {
        std::vector<Entry> built(static_cast<std::size_t>(kMmsCountryCount * kMmsSlotsPerCountry));
        for (const mms_table::OperatorRow& row : mms_table::kOperators) {
            if (row.country < 0 || row.country >= kMmsCountryCount || row.slot < 0 || row.slot >= kMmsSlotsPerCountry)
                continue;
            Entry& entry = built[static_cast<std::size_t>(row.country * kMmsSlotsPerCountry + row.slot)];
            entry.name = QString::fromUtf8(row.name);
            entry.preset =
                MmsPreset{QString::fromUtf8(row.url),  QString::fromUtf8(row.apn),     QString::fromUtf8(row.gateway),
                          QString::fromUtf8(row.port), QString::fromUtf8(row.account), QString::fromUtf8(row.password)};
        }
        return built;
    }();
    return entries;
}

bool ValidCountry(int country)
{
    return country >= 0 && country < kMmsCountryCount;
}

const Entry* FindEntry(int country, int slot)
{
    if (!ValidCountry(country) || slot < 0 || slot >= kMmsSlotsPerCountry)
        return nullptr;
    return &Entries()[static_cast<std::size_t>(country * kMmsSlotsPerCountry + slot)];
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
    const Entry* entry = FindEntry(country, slot);
    return entry ? entry->name : QString();
}

MmsPreset MmsOperatorPreset(int country, int slot)
{
    const Entry* entry = FindEntry(country, slot);
    return entry ? entry->preset : MmsPreset{};
}

std::array<QString, 2> MmsChinaOperatorPair(int languageIndex)
{
    if (languageIndex == 1)
        return {QString::fromUtf8(mms_table::kChinaMobileChinese), QString::fromUtf8(mms_table::kChinaUnicomChinese)};
    return {MmsOperatorName(kMmsChinaIndex, 0), MmsOperatorName(kMmsChinaIndex, 1)};
}

} // namespace kestra
