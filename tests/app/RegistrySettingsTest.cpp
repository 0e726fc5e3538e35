// SPDX-License-Identifier: Apache-2.0
#include "app/RegistrySettings.h"
#include "support/MemoryRegistryStore.h"

#include <gtest/gtest.h>

namespace kestra {
namespace {

using test::MemoryRegistryStore;

TEST(DefaultLanguageCode, FollowsTheSystemLanguageId)
{
    EXPECT_EQ(DefaultLanguageCode(0x0804), 1);
    EXPECT_EQ(DefaultLanguageCode(0x1407), 3);
    EXPECT_EQ(DefaultLanguageCode(0x0409), 2);
    // Other Chinese and German locales are not special.
    EXPECT_EQ(DefaultLanguageCode(0x0404), 2);
    EXPECT_EQ(DefaultLanguageCode(0x0407), 2);
}

TEST(ReadLanguageSetting, CreatesAMissingKeyAndReportsFailure)
{
    MemoryRegistryStore store; // no key yet
    short out = 42;
    EXPECT_EQ(ReadLanguageSetting(store, 0x0409, out), 0);
    EXPECT_EQ(out, 42);
    EXPECT_EQ(store.createCalls, 1);
    EXPECT_TRUE(store.keyExists);
    EXPECT_TRUE(store.values.empty());

    MemoryRegistryStore locked; // no key yet
    locked.denyCreate = true;
    EXPECT_EQ(ReadLanguageSetting(locked, 0x0409, out), 0);
    EXPECT_EQ(locked.createCalls, 1);
}

TEST(ReadLanguageSetting, MissingValueGivesTheSystemDefaultWithoutStoringIt)
{
    struct Case {
        std::uint16_t systemId;
        short expected;
    };
    for (const Case c : {Case{0x0804, 1}, Case{0x1407, 3}, Case{0x0409, 2}}) {
        MemoryRegistryStore store = MemoryRegistryStore::withKey();
        short out = 0;
        EXPECT_EQ(ReadLanguageSetting(store, c.systemId, out), 1);
        EXPECT_EQ(out, c.expected) << std::hex << c.systemId;
        EXPECT_EQ(store.writeCalls, 0);
    }
}

TEST(RegistryValues, OnlyTheLow16BitsCount)
{
    struct Case {
        std::uint32_t stored;
        short expected;
    };
    for (const Case c : {Case{5, 5}, Case{0x00010001, 1}, Case{0xFFFF, -1}, Case{0xFFFF8000, -32768}}) {
        MemoryRegistryStore store = MemoryRegistryStore::withKey();
        store.values = {{"language", c.stored}, {"model", c.stored}, {"TvMode", c.stored}};
        short language = 0, model = 0, tvMode = 0;
        EXPECT_EQ(ReadLanguageSetting(store, 0x0409, language), 1);
        EXPECT_EQ(ReadModelSetting(store, model), 1);
        EXPECT_EQ(ReadTvModeSetting(store, tvMode), 1);
        EXPECT_EQ(language, c.expected) << c.stored;
        EXPECT_EQ(model, c.expected) << c.stored;
        EXPECT_EQ(tvMode, c.expected) << c.stored;
    }
}

TEST(RegistryValues, AreWrittenZeroExtended)
{
    MemoryRegistryStore store = MemoryRegistryStore::withKey();
    EXPECT_EQ(WriteLanguageSetting(store, 0xFFFF), 1);
    EXPECT_EQ(WriteModelSetting(store, 1), 1);
    EXPECT_EQ(WriteTvModeSetting(store, 0x8000), 1);
    EXPECT_EQ(store.dword("language"), 0xFFFFU);
    EXPECT_EQ(store.dword("model"), 1U);
    EXPECT_EQ(store.dword("TvMode"), 0x8000U);
}

TEST(ReadModelAndTvMode, DistinguishAMissingKeyFromAMissingValue)
{
    MemoryRegistryStore noKey; // no key yet
    short model = 7, tvMode = 7;
    EXPECT_EQ(ReadModelSetting(noKey, model), 0);
    EXPECT_EQ(ReadTvModeSetting(noKey, tvMode), 0);
    EXPECT_EQ(model, 7);
    EXPECT_EQ(tvMode, 7);
    EXPECT_EQ(noKey.createCalls, 0);

    MemoryRegistryStore noValues = MemoryRegistryStore::withKey();
    EXPECT_EQ(ReadModelSetting(noValues, model), 0);
    EXPECT_EQ(ReadTvModeSetting(noValues, tvMode), 0);
    EXPECT_EQ(model, 1);
    EXPECT_EQ(tvMode, 0);
}

TEST(RegistryValues, AValueOfAnotherTypeCountsAsMissing)
{
    MemoryRegistryStore store = MemoryRegistryStore::withKey();
    store.values = {{"model", QByteArray("2")}};
    short model = 7;
    EXPECT_EQ(ReadModelSetting(store, model), 0);
    EXPECT_EQ(model, 1);
}

TEST(RegistryWrites, NeverCreateTheKeyAndReportFailure)
{
    MemoryRegistryStore noKey; // no key yet
    EXPECT_EQ(WriteLanguageSetting(noKey, 2), 0);
    EXPECT_EQ(WriteModelSetting(noKey, 1), 0);
    EXPECT_EQ(WriteTvModeSetting(noKey, 0), 0);
    EXPECT_EQ(WriteCompanySetting(noKey), 0);
    EXPECT_EQ(noKey.createCalls, 0);
    EXPECT_FALSE(noKey.keyExists);

    MemoryRegistryStore readOnly = MemoryRegistryStore::withKey();
    readOnly.denyWrites = true;
    EXPECT_EQ(WriteLanguageSetting(readOnly, 2), 0);
    EXPECT_EQ(WriteCompanySetting(readOnly), 0);
    EXPECT_TRUE(readOnly.values.empty());
}

TEST(CompanySetting, IsTheNameFollowedByZerosUpTo260Bytes)
{
    MemoryRegistryStore store = MemoryRegistryStore::withKey();
    EXPECT_EQ(ReadCompanySetting(store), 0);
    EXPECT_EQ(WriteCompanySetting(store), 1);
    const auto data = store.string("Company");
    ASSERT_TRUE(data);
    ASSERT_EQ(data->size(), 260);
    const QByteArray name(kCompanyName);
    EXPECT_TRUE(data->startsWith(name));
    EXPECT_EQ(data->mid(name.size()), QByteArray(260 - name.size(), '\0'));
    EXPECT_EQ(ReadCompanySetting(store), 1);
}

TEST(CompanySetting, ADwordOrAnOversizedValueIsNotACompanyName)
{
    MemoryRegistryStore store = MemoryRegistryStore::withKey();
    store.values = {{"Company", std::uint32_t{1}}};
    EXPECT_EQ(ReadCompanySetting(store), 0);
    store.values = {{"Company", QByteArray(261, 'x')}};
    EXPECT_EQ(ReadCompanySetting(store), 0);
    store.values = {{"Company", QByteArray("short")}};
    EXPECT_EQ(ReadCompanySetting(store), 1);
}

} // namespace
} // namespace kestra
