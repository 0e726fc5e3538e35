// SPDX-License-Identifier: Apache-2.0
#include "cli/CatalogueCommand.h"

#include "formats/gprs/GprsCatalogue.h"
#include "formats/gprs/GprsSave.h"
#include "formats/gprs/GprsWords.h"
#include "formats/mms/MmsCatalogue.h"
#include "formats/mms/MmsSave.h"
#include "formats/mms/MmsWords.h"
#include "storage/Cp936.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <functional>
#include <string_view>

namespace kestra::cli {

namespace {

// The country key of both catalogues' files.
constexpr const char* kCountryKey = RowOf(kMmsNumberFields, &MmsSettings::countryCode).key;
static_assert(std::string_view(kCountryKey) == RowOf(kGprsNumberFields, &GprsSettings::countryIndex).key);

// An operator and the texts its preset writes, each under its key.
template <typename Record, std::size_t N>
void PrintOperator(int slot, const QString& name, const std::array<TextField<Record>, N>& texts, const Record& preset)
{
    PrintLine(QStringLiteral("  %1  %2").arg(slot, 2).arg(name));
    int width = 0;
    for (const TextField<Record>& field : texts) {
        if (field.preset)
            width = std::max(width, static_cast<int>(std::string_view(field.key).size()) + 1);
    }
    for (const TextField<Record>& field : texts) {
        if (!field.preset)
            continue;
        QString line = QStringLiteral("        %1 %2")
                           .arg(QLatin1String(field.key) + QLatin1Char(':'), -width)
                           .arg(DecodeCp936(preset.*field.member));
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        PrintLine(line);
    }
}

// "1 operator", "3 operators"; in Chinese "3 个运营商".
QString Operators(int count, bool chinese)
{
    if (chinese)
        return QStringLiteral("%1 个运营商").arg(count);
    return (count == 1 ? QStringLiteral("%1 operator") : QStringLiteral("%1 operators")).arg(count);
}

void PrintCountries(int count, const std::function<QString(int)>& name, const std::function<int(int)>& operators,
                    bool chinese)
{
    for (int i = 0; i < count; ++i)
        PrintLine((chinese ? QStringLiteral("  %1  %2（%3）") : QStringLiteral("  %1  %2 (%3)"))
                      .arg(i, 2)
                      .arg(name(i), Operators(operators(i), chinese)));
}

} // namespace

CatalogueCommand::CatalogueCommand(CLI::App& program)
{
    m_command = program.add_subcommand(kName, "List the countries, operators and presets of the MMS or GPRS catalogue");
    m_command->add_option("which", m_which, "mms or gprs")
        ->required()
        ->check(CLI::IsMember({"mms", "gprs"}))
        ->type_name("mms|gprs");
    m_command
        ->add_option("--" + std::string(kCountryKey), m_country,
                     "Show this country's operators and their presets: its name or index")
        ->type_name("NAME|INDEX");
    m_session.addTo(*m_command, false);
}

int CatalogueCommand::run() const
{
    const Session session = m_session.session();
    const bool chinese = session.languageIndex == kLanguageChinese;
    const QString country = FromStd(m_country);
    const KeySpelling spelling = KeySpelling::CommandLine();
    const auto found = [](const auto& find) {
        try {
            return find();
        } catch (const WordRefusal& refusal) {
            RefuseUsage(refusal.message);
        }
    };

    if (m_which == "mms") {
        const CountryListVariant variant = chinese ? CountryListVariant::Chinese : CountryListVariant::English;
        if (country.isEmpty()) {
            PrintLine(chinese ? QStringLiteral("彩信国家（编号、名称、运营商）：")
                              : QStringLiteral("MMS countries (index, name, operators):"));
            PrintCountries(
                kMmsCountryCount, [variant](int i) { return MmsCountryName(variant, i); }, MmsOperatorCount, chinese);
            return kExitOk;
        }
        const int index = found([&] { return FindMmsCountry(spelling(kCountryKey), country, chinese); });
        PrintLine((chinese ? QStringLiteral("%1（彩信国家 %2），%3：") : QStringLiteral("%1 (MMS country %2), %3:"))
                      .arg(MmsCountryName(variant, index))
                      .arg(index)
                      .arg(Operators(MmsOperatorCount(index), chinese)));
        for (int slot = 0; slot < MmsOperatorCount(index); ++slot) {
            MmsSettings preset;
            ApplyMmsPreset(preset, index, slot);
            PrintOperator(slot, MmsOperatorShownName(index, slot, session.languageIndex), kMmsTextFields, preset);
        }
        return kExitOk;
    }

    if (country.isEmpty()) {
        PrintLine(chinese ? QStringLiteral("GPRS 国家（编号、名称、运营商）：")
                          : QStringLiteral("GPRS countries (index, name, operators):"));
        PrintCountries(
            kGprsCountryCount, [chinese](int i) { return GprsCountryName(chinese, i); }, GprsOperatorCount, chinese);
        return kExitOk;
    }
    const int index = found([&] { return FindGprsCountry(spelling(kCountryKey), country, chinese); });
    PrintLine((chinese ? QStringLiteral("%1（GPRS 国家 %2），%3：") : QStringLiteral("%1 (GPRS country %2), %3:"))
                  .arg(GprsCountryName(chinese, index))
                  .arg(index)
                  .arg(Operators(GprsOperatorCount(index), chinese)));
    for (int slot = 0; slot < GprsOperatorCount(index); ++slot) {
        GprsSettings preset;
        FillGprsPreset(preset, index, slot);
        PrintOperator(slot, GprsOperatorShownName(index, slot, session.languageIndex), kGprsTextFields, preset);
    }
    return kExitOk;
}

} // namespace kestra::cli
