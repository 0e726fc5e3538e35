// SPDX-License-Identifier: Apache-2.0
#include "cli/CatalogueLookup.h"

#include "cli/CliSupport.h"
#include "formats/gprs/GprsCatalogue.h"
#include "formats/mms/MmsCatalogue.h"

#include <QStringList>

#include <functional>

namespace kestra::cli {

namespace {

QString Loose(const QString& name)
{
    return name.simplified().remove(QLatin1Char(' ')).toCaseFolded();
}

// The index `value` names among `count` entries, each known by the names
// `names(i)` gives.
int FindIndex(const QString& option, const QString& value, int count, const QString& what,
              const std::function<QStringList(int)>& names, const QString& listCommand)
{
    bool isNumber = false;
    const int number = value.trimmed().toInt(&isNumber);
    if (isNumber) {
        if (number >= 0 && number < count)
            return number;
        RefuseUsage(QStringLiteral("%1: %2 is no %3; the indexes run from 0 to %4 (see %5)")
                        .arg(option, value, what)
                        .arg(count - 1)
                        .arg(listCommand));
    }
    const QString wanted = Loose(value);
    for (int i = 0; i < count; ++i) {
        for (const QString& name : names(i)) {
            if (!name.isEmpty() && Loose(name) == wanted)
                return i;
        }
    }
    RefuseUsage(
        QStringLiteral("%1: \"%2\" is no %3; %4 lists the accepted names").arg(option, value, what, listCommand));
}

} // namespace

QString MmsOperatorShownName(int country, int slot, int languageIndex)
{
    if (country == kMmsChinaIndex && (slot == 0 || slot == 1))
        return MmsChinaOperatorPair(languageIndex)[static_cast<std::size_t>(slot)];
    return MmsOperatorName(country, slot);
}

QString GprsOperatorShownName(int country, int slot, int languageIndex)
{
    if (country == kGprsChinaIndex && (slot == 0 || slot == 1))
        return GprsChinaOperatorName(languageIndex, slot);
    return GprsOperatorName(country, slot);
}

int FindMmsCountry(const QString& option, const QString& value)
{
    return FindIndex(
        option, value, kMmsCountryCount, QStringLiteral("country of the MMS list"),
        [](int i) {
            return QStringList{MmsCountryName(CountryListVariant::English, i),
                               MmsCountryName(CountryListVariant::Chinese, i)};
        },
        QStringLiteral("\"kestra-setup catalogue mms\""));
}

int FindMmsOperator(const QString& option, int country, const QString& value)
{
    return FindIndex(
        option, value, MmsOperatorCount(country),
        QStringLiteral("operator of %1").arg(MmsCountryName(CountryListVariant::English, country)),
        [country](int i) {
            return QStringList{MmsOperatorShownName(country, i, kLanguageEnglish),
                               MmsOperatorShownName(country, i, kLanguageChinese)};
        },
        QStringLiteral("\"kestra-setup catalogue mms --country %1\"").arg(country));
}

int FindGprsCountry(const QString& option, const QString& value)
{
    return FindIndex(
        option, value, kGprsCountryCount, QStringLiteral("country of the GPRS list"),
        [](int i) {
            return QStringList{GprsCountryName(false, i), GprsCountryName(true, i)};
        },
        QStringLiteral("\"kestra-setup catalogue gprs\""));
}

int FindGprsOperator(const QString& option, int country, const QString& value)
{
    return FindIndex(
        option, value, GprsOperatorCount(country),
        QStringLiteral("operator of %1").arg(GprsCountryName(false, country)),
        [country](int i) {
            return QStringList{GprsOperatorShownName(country, i, kLanguageEnglish),
                               GprsOperatorShownName(country, i, kLanguageChinese)};
        },
        QStringLiteral("\"kestra-setup catalogue gprs --country %1\"").arg(country));
}

} // namespace kestra::cli
