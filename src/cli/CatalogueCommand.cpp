// SPDX-License-Identifier: Apache-2.0
#include "cli/CatalogueCommand.h"

#include "cli/CatalogueLookup.h"
#include "formats/gprs/GprsCatalogue.h"
#include "formats/mms/MmsCatalogue.h"

#include <CLI/CLI.hpp>

#include <utility>
#include <vector>

namespace kestra::cli {

namespace {

using Parameters = std::vector<std::pair<const char*, QString>>;

void PrintOperator(int slot, const QString& name, const Parameters& parameters)
{
    PrintLine(QStringLiteral("  %1  %2").arg(slot, 2).arg(name));
    for (const auto& [label, value] : parameters) {
        QString line = QStringLiteral("        %1 %2").arg(QLatin1String(label) + QLatin1Char(':'), -9).arg(value);
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        PrintLine(line);
    }
}

void PrintCountries(int count, const std::function<QString(int)>& name, const std::function<int(int)>& operators)
{
    for (int i = 0; i < count; ++i)
        PrintLine(QStringLiteral("  %1  %2 (%3 operators)").arg(i, 2).arg(name(i)).arg(operators(i)));
}

} // namespace

CatalogueCommand::CatalogueCommand(CLI::App& program)
{
    m_command = program.add_subcommand(kName, "List the countries, operators and presets of the MMS or GPRS catalogue");
    m_command->add_option("which", m_which, "mms or gprs")->required()->check(CLI::IsMember({"mms", "gprs"}));
    m_command->add_option("--country", m_country, "Show this country's operators and their presets: its name or index")
        ->type_name("NAME|INDEX");
    m_session.addTo(*m_command, false);
}

int CatalogueCommand::run() const
{
    const Session session = m_session.session();
    const bool chinese = session.languageIndex == kLanguageChinese;
    const QString country = FromStd(m_country);

    if (m_which == "mms") {
        const CountryListVariant variant = chinese ? CountryListVariant::Chinese : CountryListVariant::English;
        if (country.isEmpty()) {
            PrintLine(QStringLiteral("MMS countries (index, name, operators):"));
            PrintCountries(
                kMmsCountryCount, [variant](int i) { return MmsCountryName(variant, i); }, MmsOperatorCount);
            return kExitOk;
        }
        const int index = FindMmsCountry(QStringLiteral("--country"), country);
        PrintLine(QStringLiteral("%1 (MMS country %2), %3 operators:")
                      .arg(MmsCountryName(variant, index))
                      .arg(index)
                      .arg(MmsOperatorCount(index)));
        for (int slot = 0; slot < MmsOperatorCount(index); ++slot) {
            const MmsPreset preset = MmsOperatorPreset(index, slot);
            PrintOperator(slot, MmsOperatorShownName(index, slot, session.languageIndex),
                          {{"url", preset.url},
                           {"apn", preset.apn},
                           {"gateway", preset.gateway},
                           {"port", preset.port},
                           {"account", preset.account},
                           {"password", preset.password}});
        }
        return kExitOk;
    }

    if (country.isEmpty()) {
        PrintLine(QStringLiteral("GPRS countries (index, name, operators):"));
        PrintCountries(
            kGprsCountryCount, [chinese](int i) { return GprsCountryName(chinese, i); }, GprsOperatorCount);
        return kExitOk;
    }
    const int index = FindGprsCountry(QStringLiteral("--country"), country);
    PrintLine(QStringLiteral("%1 (GPRS country %2), %3 operators:")
                  .arg(GprsCountryName(chinese, index))
                  .arg(index)
                  .arg(GprsOperatorCount(index)));
    for (int slot = 0; slot < GprsOperatorCount(index); ++slot) {
        const GprsPreset preset = GprsOperatorPreset(index, slot);
        PrintOperator(slot, GprsOperatorShownName(index, slot, session.languageIndex),
                      {{"apn", preset.apn}, {"account", preset.account}, {"password", preset.password}});
    }
    return kExitOk;
}

} // namespace kestra::cli
