// SPDX-License-Identifier: Apache-2.0
// The lookups both operator catalogues (mms.dat's and gprs.dat's) answer
// alike, one test over the two: an index past the table gives an empty result
// rather than a neighbour's row, the slots past a country's count are empty,
// China's two operators are Chinese for language 1 alone, and every text the
// camera may be given encodes to code page 936.

#include "formats/gprs/GprsCatalogue.h"
#include "formats/mms/MmsCatalogue.h"
#include "storage/Cp936.h"

#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <type_traits>
#include <vector>

namespace kestra {
namespace {

struct GprsCatalogueKind {
    static constexpr int kCountries = kGprsCountryCount;
    static constexpr int kSlots = kGprsSlotsPerCountry;
    static std::vector<int> OutOfRangeCountries() { return {-1, kGprsCountryCount, INT_MAX, INT_MIN}; }
    // Both variants of the country list: English and Chinese.
    static std::vector<QString> CountryNames(int country)
    {
        return {GprsCountryName(false, country), GprsCountryName(true, country)};
    }
    static int OperatorCount(int country) { return GprsOperatorCount(country); }
    static QString OperatorName(int country, int slot) { return GprsOperatorName(country, slot); }
    static std::vector<QString> PresetTexts(int country, int slot)
    {
        const GprsPreset p = GprsOperatorPreset(country, slot);
        return {p.apn, p.account, p.password};
    }
    static std::vector<QString> ChinaOperatorNames(int language)
    {
        return {GprsChinaOperatorName(language, 0), GprsChinaOperatorName(language, 1)};
    }
    // Japanese (10) and indexes no table names fall back to English as well.
    static std::vector<int> EnglishLanguages() { return {2, 3, 6, 10, 11, 0, 12}; }
};

struct MmsCatalogueKind {
    static constexpr int kCountries = kMmsCountryCount;
    static constexpr int kSlots = kMmsSlotsPerCountry;
    static std::vector<int> OutOfRangeCountries() { return {-1, kMmsCountryCount, COUNTRY_CUSTOM, INT_MAX, INT_MIN}; }
    static std::vector<QString> CountryNames(int country)
    {
        return {MmsCountryName(CountryListVariant::English, country),
                MmsCountryName(CountryListVariant::Chinese, country)};
    }
    static int OperatorCount(int country) { return MmsOperatorCount(country); }
    static QString OperatorName(int country, int slot) { return MmsOperatorName(country, slot); }
    static std::vector<QString> PresetTexts(int country, int slot)
    {
        const MmsPreset p = MmsOperatorPreset(country, slot);
        return {p.url, p.apn, p.gateway, p.port, p.account, p.password};
    }
    static std::vector<QString> ChinaOperatorNames(int language)
    {
        const auto pair = MmsChinaOperatorPair(language);
        return {pair[0], pair[1]};
    }
    static std::vector<int> EnglishLanguages() { return {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 12, -1}; }
};

template <typename Kind> bool PresetIsEmpty(int country, int slot)
{
    const std::vector<QString> texts = Kind::PresetTexts(country, slot);
    return std::all_of(texts.begin(), texts.end(), [](const QString& text) { return text.isEmpty(); });
}

template <typename Kind> class CatalogueLookups : public ::testing::Test {
};

class KindNames {
public:
    template <typename Kind> static std::string GetName(int)
    {
        return std::is_same_v<Kind, GprsCatalogueKind> ? "Gprs" : "Mms";
    }
};

using Kinds = ::testing::Types<GprsCatalogueKind, MmsCatalogueKind>;
TYPED_TEST_SUITE(CatalogueLookups, Kinds, KindNames);

TYPED_TEST(CatalogueLookups, OutOfRangeLookupsGiveEmptyResults)
{
    using Kind = TypeParam;
    for (int country : Kind::OutOfRangeCountries()) {
        for (const QString& name : Kind::CountryNames(country))
            EXPECT_TRUE(name.isEmpty()) << country;
        EXPECT_EQ(Kind::OperatorCount(country), 0) << country;
        EXPECT_TRUE(Kind::OperatorName(country, 0).isEmpty()) << country;
        EXPECT_TRUE(PresetIsEmpty<Kind>(country, 0)) << country;
    }
    for (int slot : {-1, Kind::kSlots, INT_MAX, INT_MIN}) {
        EXPECT_TRUE(Kind::OperatorName(0, slot).isEmpty()) << slot;
        EXPECT_TRUE(PresetIsEmpty<Kind>(0, slot)) << slot;
    }
}

TYPED_TEST(CatalogueLookups, SlotsBeyondTheOfferedCountAreEmpty)
{
    using Kind = TypeParam;
    for (int c = 0; c < Kind::kCountries; ++c) {
        for (int s = Kind::OperatorCount(c); s < Kind::kSlots; ++s) {
            EXPECT_TRUE(Kind::OperatorName(c, s).isEmpty()) << c << "/" << s;
            EXPECT_TRUE(PresetIsEmpty<Kind>(c, s)) << c << "/" << s;
        }
    }
}

TYPED_TEST(CatalogueLookups, ChinaOperatorNamesAreChineseOnlyForLanguageOne)
{
    using Kind = TypeParam;
    const std::vector<QString> chinese = Kind::ChinaOperatorNames(1);
    ASSERT_EQ(chinese.size(), 2U);
    EXPECT_EQ(chinese[0], QString::fromUtf8("中国移动"));
    EXPECT_EQ(chinese[1], QString::fromUtf8("中国联通"));
    for (int language : Kind::EnglishLanguages()) {
        const std::vector<QString> english = Kind::ChinaOperatorNames(language);
        ASSERT_EQ(english.size(), 2U);
        EXPECT_EQ(english[0], QStringLiteral("China Mobile")) << language;
        EXPECT_EQ(english[1], QStringLiteral("China Unicom")) << language;
    }
}

TYPED_TEST(CatalogueLookups, EveryTextEncodesToCodePage936)
{
    using Kind = TypeParam;
    std::vector<QString> texts;
    for (int c = 0; c < Kind::kCountries; ++c) {
        for (const QString& name : Kind::CountryNames(c))
            texts.push_back(name);
        for (int s = 0; s < Kind::kSlots; ++s) {
            texts.push_back(Kind::OperatorName(c, s));
            for (const QString& text : Kind::PresetTexts(c, s))
                texts.push_back(text);
        }
    }
    for (const QString& text : Kind::ChinaOperatorNames(1))
        texts.push_back(text);
    for (const QString& text : texts)
        EXPECT_TRUE(EncodeCp936(text).has_value()) << text.toStdString();
}

} // namespace
} // namespace kestra
