// SPDX-License-Identifier: Apache-2.0
#include "formats/gprs/GprsCatalogue.h"
#include "formats/mms/MmsCatalogue.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kestra {
namespace {

// Counts, names and which preset texts are filled, as gprs.dat and the Auto
// mode rely on them; written out independently of the data file. Fields: "A"
// APN, "U" account, "P" password.
const int kOperatorCounts[kGprsCountryCount] = {
    3, 2, 2, 2, 2, 2, 1, 1, 2, 2, 2, 2, 3, 2, 2, 2, 3, 2, 2, 2, 2,
    1, 1, 2, 2, 1, 2, 2, 2, 2, 1, 3, 2, 2, 3, 3, 5, 2, 2, 3, 3,
};

struct ExpectedOperator {
    int country;
    int slot;
    const char* name;
    const char* fields;
};

const ExpectedOperator kExpectedOperators[] = {
    {0, 0, "Optus", "A"},        {0, 1, "Telstra", "A"},      {0, 2, "Vodafone", "A"},
    {1, 0, "Proximus", "AUP"},   {1, 1, "Mobistar", "AUP"},   {2, 0, "Brazil Telecom", "AUP"},
    {2, 1, "Claro", "AUP"},      {3, 0, "Globul", "AU"},      {3, 1, "Mtel", "A"},
    {4, 0, "China Mobile", "A"}, {4, 1, "China Unicom", "A"}, {5, 0, "Fido", "AUP"},
    {5, 1, "Rogers", "AUP"},     {6, 0, "Cyta", "AUP"},       {7, 0, "VIPNet", "AUP"},
    {8, 0, "Eurotel", "A"},      {8, 1, "O2", "A"},           {9, 0, "Vodafone", "AUP"},
    {9, 1, "T-Mobile", "AUP"},   {10, 0, "TDC", "AUP"},       {10, 1, "Telia", "AUP"},
    {11, 0, "MobilNil", "A"},    {11, 1, "Vodafone", "AUP"},  {12, 0, "EMT", "AU"},
    {12, 1, "ELISA", "AU"},      {12, 2, "TELE2", "AU"},      {13, 0, "Radiolinja", "AUP"},
    {13, 1, "DNA", "A"},         {14, 0, "Bouygues", "A"},    {14, 1, "Orange", "AUP"},
    {15, 0, "T-Cosmote", "A"},   {15, 1, "Vodafone", "A"},    {16, 0, "Pannon (contract)", "A"},
    {16, 1, "Vodafone", "AUP"},  {16, 2, "T-Mobile", "AUP"},  {17, 0, "TIM", "A"},
    {17, 1, "Vodafone", "A"},    {18, 0, "Meteor", "A"},      {18, 1, "Vodafone", "AUP"},
    {19, 0, "Idea", "A"},        {19, 1, "BPL", "AU"},        {20, 0, "Omnitel", "AUP"},
    {20, 1, "Bite", "AUP"},      {21, 0, "LMT", "A"},         {22, 0, "MTC", "AUP"},
    {23, 0, "Netcom", "A"},      {23, 1, "Telenor", "A"},     {24, 0, "T-Mobile", "A"},
    {24, 1, "Vodafone", "AUP"},  {25, 0, "Vodafone", "A"},    {26, 0, "A1", "AU"},
    {26, 1, "T-Mobile", "AU"},   {27, 0, "Optimus", "A"},     {27, 1, "Vodafone", "A"},
    {28, 0, "ERA", "AUP"},       {28, 1, "Orange", "AUP"},    {29, 0, "MTS", "AUP"},
    {29, 1, "Beeline", "AUP"},   {30, 0, "Orange", "AUP"},    {31, 0, "Orange", "A"},
    {31, 1, "Sunrise", "AUP"},   {31, 2, "Swisscom", ""},     {32, 0, "Cell C", "A"},
    {32, 1, "Vodacom", "A"},     {33, 0, "Amena", "AUP"},     {33, 1, "Vodafone", "AUP"},
    {34, 0, "T-Mobile", "A"},    {34, 1, "Orange", "A"},      {34, 2, "O2", "A"},
    {35, 0, "Telenor", "A"},     {35, 1, "Telia", "A"},       {35, 2, "Tele2", "AUP"},
    {36, 0, "Mobitel", "AUP"},   {36, 1, "Simobil", "AUP"},   {36, 2, "Tusmobil", "AUP"},
    {36, 3, "izimobil", "AUP"},  {36, 4, "Bob", "AUP"},       {37, 0, "Avea", "A"},
    {37, 1, "Turkcell", "A"},    {38, 0, "T-Mobile", "A"},    {38, 1, "AT&T", "AUP"},
    {39, 0, "Vodafone", "AUP"},  {39, 1, "O2", "A"},          {39, 2, "T-Mobile", "AUP"},
    {40, 0, "KiyvStar", "A"},    {40, 1, "MTS", "A"},         {40, 2, "LIFE", "A"},
};

bool Has(const char* fields, char field)
{
    return QByteArray(fields).contains(field);
}

bool IsEmpty(const GprsPreset& p)
{
    return p.apn.isEmpty() && p.account.isEmpty() && p.password.isEmpty();
}

TEST(GprsCatalogue, CountryListIsTheMmsListWithoutCaymanIslands)
{
    constexpr int kCaymanIslands = 9;
    ASSERT_EQ(MmsCountryName(CountryListVariant::English, kCaymanIslands), QStringLiteral("Cayman Islands"));
    for (int c = 0; c < kGprsCountryCount; ++c) {
        const int mms = c < kCaymanIslands ? c : c + 1;
        EXPECT_EQ(GprsCountryName(false, c), MmsCountryName(CountryListVariant::English, mms)) << c;
        EXPECT_EQ(GprsCountryName(true, c), MmsCountryName(CountryListVariant::Chinese, mms)) << c;
    }
    EXPECT_EQ(GprsCountryName(false, kGprsChinaIndex), QStringLiteral("China"));
    EXPECT_EQ(GprsCountryName(true, kGprsChinaIndex), QString::fromUtf8("中国"));
}

TEST(GprsCatalogue, CountsOfferAtLeastOneOperatorAndSloveniaTheMost)
{
    int largest = 0;
    for (int c = 0; c < kGprsCountryCount; ++c) {
        EXPECT_EQ(GprsOperatorCount(c), kOperatorCounts[c]) << c;
        EXPECT_GE(GprsOperatorCount(c), 1) << c;
        largest = std::max(largest, GprsOperatorCount(c));
    }
    EXPECT_EQ(largest, 5);
    EXPECT_EQ(GprsOperatorCount(36), 5) << "Slovenia";
}

TEST(GprsCatalogue, OperatorsHaveTheirNamesAndFilledFields)
{
    int seen[kGprsCountryCount] = {};
    for (const ExpectedOperator& e : kExpectedOperators) {
        SCOPED_TRACE(testing::Message() << e.country << "/" << e.slot << " " << e.name);
        EXPECT_EQ(e.slot, seen[e.country]++) << "expected rows out of order";
        EXPECT_EQ(GprsOperatorName(e.country, e.slot), QString::fromUtf8(e.name));
        const GprsPreset p = GprsOperatorPreset(e.country, e.slot);
        EXPECT_EQ(!p.apn.isEmpty(), Has(e.fields, 'A'));
        EXPECT_EQ(!p.account.isEmpty(), Has(e.fields, 'U'));
        EXPECT_EQ(!p.password.isEmpty(), Has(e.fields, 'P'));
        for (const QString& text : {p.apn, p.account, p.password}) {
            EXPECT_LE(text.size(), 32) << text.toStdString();
            EXPECT_EQ(text, text.simplified().remove(u' ')) << "stray blank in '" << text.toStdString() << "'";
        }
    }
    for (int c = 0; c < kGprsCountryCount; ++c)
        EXPECT_EQ(seen[c], kOperatorCounts[c]) << c;
}

TEST(GprsCatalogue, SwisscomIsAllEmptyAndChinaHasAnApnOnly)
{
    EXPECT_EQ(GprsOperatorName(31, 2), QStringLiteral("Swisscom"));
    EXPECT_TRUE(IsEmpty(GprsOperatorPreset(31, 2)));
    for (int slot : {0, 1}) {
        const GprsPreset p = GprsOperatorPreset(kGprsChinaIndex, slot);
        EXPECT_FALSE(p.apn.isEmpty()) << slot;
        EXPECT_TRUE(p.account.isEmpty()) << slot;
        EXPECT_TRUE(p.password.isEmpty()) << slot;
    }
}

// (Out-of-range lookups, the slots past the count, China's names by language
// and code page 936: formats/shared/CatalogueLookupsTest, with mms.dat's.)
TEST(GprsCatalogue, ChinaOperatorNameOfASlotPastTheTwoIsEmpty)
{
    for (int slot : {-1, 2, kGprsSlotsPerCountry})
        EXPECT_TRUE(GprsChinaOperatorName(1, slot).isEmpty()) << slot;
}

} // namespace
} // namespace kestra
