// SPDX-License-Identifier: Apache-2.0
#include "formats/mms/MmsCatalogue.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace kestra {
namespace {

// The catalogue as the file format fixes it, written out independently of the
// data file: mms.dat stores country and slot indexes, so a shifted row, a
// renamed operator or a lost credential is a camera that dials the wrong network.
const char* const kCountryNames[kMmsCountryCount] = {
    "Australia", "Belgium",         "Brazil",         "Bulgaria",    "China",         "Canada",         "Cyprus",
    "Croatia",   "Ceska republika", "Cayman Islands", "Deutschland", "Denmark",       "Egypt",          "Estonia",
    "Finland",   "France",          "Greece",         "Hungary",     "Italy",         "Ireland",        "India",
    "Lithuania", "Latvia",          "Namibia",        "Norway",      "Netherlands",   "New Zealand",    "Oesterreich",
    "Portugal",  "Poland",          "Russia",         "Romania",     "Schweiz",       "South Africa",   "Spain",
    "Slovakia",  "Sweden",          "Slovenia",       "Turkey",      "United States", "United Kingdom", "Ukraine",
};

const int kOfferedCounts[kMmsCountryCount] = {
    3, 2, 1, 2, 2, 2, 1, 2, 2, 1, 3, 3, 2, 3, 3, 3, 2, 2, 2, 2, 3,
    3, 1, 1, 3, 2, 1, 2, 2, 3, 2, 1, 3, 4, 4, 3, 3, 3, 2, 2, 5, 5,
};

enum class Credentials { None, AccountOnly, Both };

struct ExpectedOperator {
    int country;
    int slot;
    const char* name;
    const char* port;
    Credentials credentials;
};

const ExpectedOperator kExpectedOperators[] = {
    {0, 0, "Optus", "8070", Credentials::None},
    {0, 1, "Telstra", "80", Credentials::None},
    {0, 2, "Mic1", "9201", Credentials::Both},
    {1, 0, "Proximus", "80", Credentials::None},
    {1, 1, "Mobistar", "8080", Credentials::None},
    {2, 0, "Brazil Telecom", "8080", Credentials::Both},
    {3, 0, "Globul", "8004", Credentials::AccountOnly},
    {3, 1, "Mtel", "8080", Credentials::Both},
    {4, 0, "China Mobile", "80", Credentials::None},
    {4, 1, "China Unicom", "80", Credentials::None},
    {5, 0, "Fido", "8080", Credentials::Both},
    {5, 1, "Rogers", "8080", Credentials::Both},
    {6, 0, "Cyta", "8080", Credentials::AccountOnly},
    {7, 0, "VIPNet", "8080", Credentials::None},
    {7, 1, "T-mobile HR", "8080", Credentials::None},
    {8, 0, "Eurotel", "8080", Credentials::None},
    {8, 1, "O2", "8080", Credentials::None},
    {9, 0, "Digicel", "8080", Credentials::Both},
    {10, 0, "Vodafone", "80", Credentials::None},
    {10, 1, "T-Mobile", "8008", Credentials::Both},
    {10, 2, "E-Plus", "8080", Credentials::Both},
    {11, 0, "Sonofon", "8080", Credentials::None},
    {11, 1, "TDC", "8080", Credentials::None},
    {11, 2, "Telia", "8080", Credentials::None},
    {12, 0, "MobilNil", "8080", Credentials::None},
    {12, 1, "Vodafone", "8080", Credentials::None},
    {13, 0, "EMT", "8080", Credentials::None},
    {13, 1, "ELISA", "8000", Credentials::None},
    {13, 2, "TELE2", "9201", Credentials::None},
    {14, 0, "Alands", "8080", Credentials::None},
    {14, 1, "DNA", "8080", Credentials::Both},
    {14, 2, "Sonera", "80", Credentials::None},
    {15, 0, "Bouygues", "8080", Credentials::None},
    {15, 1, "Orange", "8080", Credentials::Both},
    {15, 2, "SFR", "8080", Credentials::None},
    {16, 0, "T-Cosmote", "8080", Credentials::None},
    {16, 1, "Vodafone", "8080", Credentials::Both},
    {17, 0, "T-Mobile", "8080", Credentials::None},
    {17, 1, "Vodafone", "8080", Credentials::Both},
    {18, 0, "TIM", "80", Credentials::None},
    {18, 1, "Vodafone", "8080", Credentials::None},
    {19, 0, "Meteor", "8799", Credentials::Both},
    {19, 1, "Vodafone", "80", Credentials::Both},
    {20, 0, "Idea", "8080", Credentials::None},
    {20, 1, "CellOne", "8080", Credentials::Both},
    {20, 2, "BPL", "8080", Credentials::None},
    {21, 0, "Omnitel", "8080", Credentials::Both},
    {21, 1, "Omnitel Ezio", "8080", Credentials::Both},
    {21, 2, "Tele2 Pildyk", "8080", Credentials::None},
    {22, 0, "Okarte", "80", Credentials::None},
    {23, 0, "MTC", "80", Credentials::Both},
    {24, 0, "Netcom", "8080", Credentials::Both},
    {24, 1, "Telenor", "8080", Credentials::None},
    {24, 2, "Onecall", "80", Credentials::None},
    {25, 0, "T-Mobile", "8080", Credentials::Both},
    {25, 1, "Vodafone", "8799", Credentials::Both},
    {26, 0, "Vodafone", "8080", Credentials::None},
    {27, 0, "A1", "8001", Credentials::None},
    {27, 1, "T-Mobile", "80", Credentials::None},
    {28, 0, "Optimus", "8799", Credentials::None},
    {28, 1, "Vodafone", "8799", Credentials::Both},
    {29, 0, "ERA", "8080", Credentials::Both},
    {29, 1, "Orange", "8080", Credentials::Both},
    {29, 2, "Plus", "8080", Credentials::None},
    {30, 0, "A Mobile", "9201", Credentials::AccountOnly},
    {30, 1, "Beeline", "9201", Credentials::Both},
    {31, 0, "Orange", "8080", Credentials::None},
    {32, 0, "Orange", "8080", Credentials::None},
    {32, 1, "Sunrise", "8080", Credentials::Both},
    {32, 2, "Swisscom", "8080", Credentials::None},
    {33, 0, "Cell C", "8080", Credentials::None},
    {33, 1, "Virgin", "8080", Credentials::None},
    {33, 2, "MTN", "8080", Credentials::Both},
    {33, 3, "Vodacom", "8080", Credentials::None},
    {34, 0, "Orange", "8080", Credentials::Both},
    {34, 1, "Vodafone", "80", Credentials::Both},
    {34, 2, "Telstra", "8080", Credentials::None},
    {34, 3, "Movistar", "8080", Credentials::Both},
    {35, 0, "T-Mobile", "8080", Credentials::Both},
    {35, 1, "Orange", "8799", Credentials::Both},
    {35, 2, "O2", "8080", Credentials::None},
    {36, 0, "Telenor", "8799", Credentials::None},
    {36, 1, "Telia", "8080", Credentials::Both},
    {36, 2, "Tele2 ", "8080", Credentials::None},
    {37, 0, "Mobitel", "8080", Credentials::Both},
    {37, 1, "Izi Mobil", "8080", Credentials::Both},
    {37, 2, "Si Mobil", "9201", Credentials::Both},
    {38, 0, "Avea", "8080", Credentials::Both},
    {38, 1, "Turkcell", "8080", Credentials::Both},
    {39, 0, "T-Mobile", "8080", Credentials::None},
    {39, 1, "AT&T", "80", Credentials::Both},
    {40, 0, "Vodafone", "9201", Credentials::Both},
    {40, 1, "O2", "8080", Credentials::Both},
    {40, 2, "O2 Payandgo", "8080", Credentials::Both},
    {40, 3, "Orange", "8080", Credentials::Both},
    {40, 4, "Three", "8799", Credentials::None},
    {41, 0, "KiyvStar", "8080", Credentials::Both},
    {41, 1, "MTS", "8080", Credentials::None},
    {41, 2, "LIFE", "8080", Credentials::None},
    {41, 3, "Beeline UA", "8080", Credentials::None},
    {41, 4, "UMC Ukraine", "8080", Credentials::None},
};

bool IsDottedQuad(const QString& text)
{
    const QStringList parts = text.split(u'.');
    if (parts.size() != 4)
        return false;
    for (const QString& part : parts) {
        if (part.isEmpty() || part.size() > 3 || (part.size() > 1 && part.startsWith(u'0')))
            return false;
        for (QChar c : part)
            if (c < u'0' || c > u'9')
                return false;
        if (part.toInt() > 255)
            return false;
    }
    return true;
}

std::vector<QString> Texts(const MmsPreset& p)
{
    return {p.url, p.apn, p.gateway, p.port, p.account, p.password};
}

TEST(MmsCatalogue, CountryListKeepsItsOrderAndDiffersOnlyAtChinaBetweenVariants)
{
    for (int c = 0; c < kMmsCountryCount; ++c) {
        EXPECT_EQ(MmsCountryName(CountryListVariant::English, c), QString::fromUtf8(kCountryNames[c])) << c;
        const QString chinese = MmsCountryName(CountryListVariant::Chinese, c);
        if (c == kMmsChinaIndex)
            EXPECT_EQ(chinese, QString::fromUtf8("中国"));
        else
            EXPECT_EQ(chinese, QString::fromUtf8(kCountryNames[c])) << c;
    }
}

TEST(MmsCatalogue, OfferedCountsAddUpTo101WithOneAndFiveOperatorCountries)
{
    int total = 0;
    std::vector<int> single;
    std::vector<int> five;
    for (int c = 0; c < kMmsCountryCount; ++c) {
        const int count = MmsOperatorCount(c);
        EXPECT_EQ(count, kOfferedCounts[c]) << c;
        EXPECT_GE(count, 1) << c;
        EXPECT_LE(count, 5) << c;
        total += count;
        if (count == 1)
            single.push_back(c);
        if (count == 5)
            five.push_back(c);
    }
    EXPECT_EQ(total, 101);
    // Brazil, Cyprus, Cayman Islands, Latvia, Namibia, New Zealand, Romania.
    EXPECT_EQ(single, (std::vector<int>{2, 6, 9, 22, 23, 26, 31}));
    // United Kingdom and Ukraine.
    EXPECT_EQ(five, (std::vector<int>{40, 41}));
}

TEST(MmsCatalogue, OperatorsHaveTheirNamesPortsAndCredentialsInSlotOrder)
{
    int seen[kMmsCountryCount] = {};
    for (const ExpectedOperator& e : kExpectedOperators) {
        SCOPED_TRACE(testing::Message() << e.country << "/" << e.slot << " " << e.name);
        EXPECT_EQ(e.slot, seen[e.country]++) << "expected rows out of order";
        EXPECT_EQ(MmsOperatorName(e.country, e.slot), QString::fromUtf8(e.name));
        const MmsPreset preset = MmsOperatorPreset(e.country, e.slot);
        EXPECT_EQ(preset.port, QString::fromLatin1(e.port));
        EXPECT_EQ(!preset.account.isEmpty(), e.credentials != Credentials::None);
        EXPECT_EQ(!preset.password.isEmpty(), e.credentials == Credentials::Both);
    }
    for (int c = 0; c < kMmsCountryCount; ++c)
        EXPECT_EQ(seen[c], kOfferedCounts[c]) << c;
    EXPECT_EQ(MmsOperatorName(36, 2), QStringLiteral("Tele2 ")) << "the trailing blank is part of the name";
}

TEST(MmsCatalogue, EveryOfferedPresetIsCompleteAndWithinTheCatalogueLimits)
{
    for (int c = 0; c < kMmsCountryCount; ++c) {
        for (int s = 0; s < MmsOperatorCount(c); ++s) {
            SCOPED_TRACE(testing::Message() << c << "/" << s << " " << MmsOperatorName(c, s).toStdString());
            const MmsPreset p = MmsOperatorPreset(c, s);
            EXPECT_FALSE(p.url.isEmpty());
            EXPECT_FALSE(p.apn.isEmpty());
            EXPECT_TRUE(IsDottedQuad(p.gateway)) << p.gateway.toStdString();
            EXPECT_LE(p.url.size(), 39);
            EXPECT_LE(p.apn.size(), 21);
            EXPECT_LE(p.gateway.size(), 15);
            EXPECT_LE(p.account.size(), 20);
            EXPECT_LE(p.password.size(), 10);
            EXPECT_FALSE(p.port.isEmpty());
            EXPECT_LE(p.port.size(), 4);
            bool numeric = false;
            EXPECT_GT(p.port.toInt(&numeric), 0);
            EXPECT_TRUE(numeric);
            for (const QString& text : Texts(p))
                EXPECT_EQ(text, text.simplified().remove(u' ')) << "stray blank in '" << text.toStdString() << "'";
        }
    }
}

TEST(MmsCatalogue, EntryFortyIsChinaMobileTheWindowsStartingPreset)
{
    EXPECT_EQ(MmsOperatorName(4, 0), QStringLiteral("China Mobile"));
    const MmsPreset p = MmsOperatorPreset(4, 0);
    EXPECT_EQ(p.apn, QStringLiteral("cmwap"));
    EXPECT_EQ(p.gateway, QStringLiteral("10.0.0.172"));
    EXPECT_EQ(p.port, QStringLiteral("80"));
}

TEST(MmsCatalogue, SameNameInDifferentCountriesHasItsOwnPreset)
{
    std::map<QString, std::vector<MmsPreset>> byName;
    for (const ExpectedOperator& e : kExpectedOperators)
        byName[QString::fromUtf8(e.name)].push_back(MmsOperatorPreset(e.country, e.slot));
    for (const char* name : {"Vodafone", "Orange", "T-Mobile", "O2", "Telstra"}) {
        const auto& presets = byName[QString::fromUtf8(name)];
        ASSERT_GE(presets.size(), 2U) << name;
        for (std::size_t i = 0; i < presets.size(); ++i)
            for (std::size_t j = i + 1; j < presets.size(); ++j)
                EXPECT_NE(Texts(presets[i]), Texts(presets[j])) << name << " " << i << " " << j;
    }
}

// (Out-of-range lookups, the slots past the count, China's pair by language
// and code page 936: formats/shared/CatalogueLookupsTest, with gprs.dat's.)

} // namespace
} // namespace kestra
