// SPDX-License-Identifier: Apache-2.0
#include "ui/SystemLanguage.h"

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace kestra::ui {

namespace {

struct LocaleId {
    QLocale::Language language;
    QLocale::Territory territory;
    std::uint16_t id;
};

// Windows language IDs of the tool's eleven languages and of their common
// neighbours. Only 0x0804 and 0x1407 change what the tool does; the others keep
// the answers honest for anyone reading them.
constexpr LocaleId kLocaleIds[] = {
    {QLocale::Chinese, QLocale::China, 0x0804},         {QLocale::Chinese, QLocale::Taiwan, 0x0404},
    {QLocale::Chinese, QLocale::HongKong, 0x0C04},      {QLocale::Chinese, QLocale::Singapore, 0x1004},
    {QLocale::Chinese, QLocale::Macao, 0x1404},         {QLocale::English, QLocale::UnitedStates, 0x0409},
    {QLocale::English, QLocale::UnitedKingdom, 0x0809}, {QLocale::English, QLocale::Australia, 0x0C09},
    {QLocale::English, QLocale::Canada, 0x1009},        {QLocale::English, QLocale::NewZealand, 0x1409},
    {QLocale::English, QLocale::Ireland, 0x1809},       {QLocale::German, QLocale::Germany, 0x0407},
    {QLocale::German, QLocale::Switzerland, 0x0807},    {QLocale::German, QLocale::Austria, 0x0C07},
    {QLocale::German, QLocale::Luxembourg, 0x1007},     {QLocale::German, QLocale::Liechtenstein, 0x1407},
    {QLocale::French, QLocale::France, 0x040C},         {QLocale::French, QLocale::Belgium, 0x080C},
    {QLocale::French, QLocale::Canada, 0x0C0C},         {QLocale::French, QLocale::Switzerland, 0x100C},
    {QLocale::Italian, QLocale::Italy, 0x0410},         {QLocale::Italian, QLocale::Switzerland, 0x0810},
    {QLocale::Finnish, QLocale::Finland, 0x040B},       {QLocale::Hungarian, QLocale::Hungary, 0x040E},
    {QLocale::Slovenian, QLocale::Slovenia, 0x0424},    {QLocale::Czech, QLocale::CzechRepublic, 0x0405},
    {QLocale::Japanese, QLocale::Japan, 0x0411},        {QLocale::Lithuanian, QLocale::Lithuania, 0x0427},
    {QLocale::Korean, QLocale::SouthKorea, 0x0412},     {QLocale::Spanish, QLocale::Spain, 0x0C0A},
    {QLocale::Portuguese, QLocale::Brazil, 0x0416},     {QLocale::Portuguese, QLocale::Portugal, 0x0816},
    {QLocale::Russian, QLocale::Russia, 0x0419},        {QLocale::Polish, QLocale::Poland, 0x0415},
    {QLocale::Dutch, QLocale::Netherlands, 0x0413},     {QLocale::Swedish, QLocale::Sweden, 0x041D},
    {QLocale::Danish, QLocale::Denmark, 0x0406},        {QLocale::NorwegianBokmal, QLocale::Norway, 0x0414},
};

} // namespace

std::uint16_t LanguageIdForLocale(const QLocale& locale)
{
    for (const LocaleId& entry : kLocaleIds) {
        if (entry.language == locale.language() && entry.territory == locale.territory())
            return entry.id;
    }
    return kLangIdEnglishUs;
}

std::uint16_t SystemDefaultLanguageId()
{
#ifdef Q_OS_WIN
    return static_cast<std::uint16_t>(GetSystemDefaultLangID());
#else
    return LanguageIdForLocale(QLocale::system());
#endif
}

} // namespace kestra::ui
