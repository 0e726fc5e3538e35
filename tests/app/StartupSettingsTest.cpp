// SPDX-License-Identifier: Apache-2.0
#include "app/StartupSettings.h"
#include "app/AppState.h"
#include "app/RegistrySettings.h"
#include "support/MemoryRegistryStore.h"

#include <gtest/gtest.h>

namespace kestra {
namespace {

using test::MemoryRegistryStore;

class StartupSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Values a previous run of the process might have left behind.
        g_languageIndex = 9;
        g_chineseChosen = 1;
        g_systemIsChinese = 1;
        g_modelIndex = 9;
        g_tvMode = 9;
    }
};

struct FirstRun {
    std::uint16_t systemId;
    int languageIndex;
    int systemIsChinese;
};

TEST_F(StartupSettings, FirstRunCreatesTheKeyAndStoresEveryValue)
{
    for (const FirstRun run : {FirstRun{0x0804, 1, 1}, FirstRun{0x0409, 2, 0}, FirstRun{0x1407, 3, 0}}) {
        SCOPED_TRACE(run.systemId);
        MemoryRegistryStore store; // no key yet
        RestoreSettings(store, run.systemId);

        EXPECT_TRUE(store.keyExists);
        EXPECT_EQ(store.dword("language"), std::uint32_t(run.languageIndex));
        EXPECT_EQ(store.dword("model"), 1U);
        EXPECT_EQ(store.dword("TvMode"), 0U);
        EXPECT_EQ(store.string("Company"), CompanySettingData());

        EXPECT_EQ(g_languageIndex, run.languageIndex);
        EXPECT_EQ(g_systemIsChinese, run.systemIsChinese);
        EXPECT_EQ(g_chineseChosen, 0);
        EXPECT_EQ(g_modelIndex, 1);
        EXPECT_EQ(g_tvMode, 0);
        EXPECT_EQ(CameraLanguageCode(), run.languageIndex);
    }
}

TEST_F(StartupSettings, MissingLanguageValueUsesTheSystemDefaultWithoutStoringIt)
{
    MemoryRegistryStore store = MemoryRegistryStore::withKey();
    store.values = {{"model", 1U}, {"TvMode", 0U}, {"Company", CompanySettingData()}};
    RestoreSettings(store, 0x1407);
    EXPECT_EQ(g_languageIndex, 3);
    EXPECT_FALSE(store.dword("language"));
    EXPECT_EQ(store.writeCalls, 0);
}

struct StoredLanguage {
    std::uint32_t stored;
    std::uint16_t systemId;
    int languageIndex;
    int chineseChosen;
    int cameraCode;
};

TEST_F(StartupSettings, StoredLanguageIsKeptAsStored)
{
    const StoredLanguage cases[] = {
        // Chinese chosen on a system that cannot show it: English texts, code 1.
        {1, 0x0409, 2, 1, 1},
        {1, 0x1407, 2, 1, 1},
        {1, 0x0804, 1, 0, 1},
        {2, 0x0804, 2, 0, 2},
        {5, 0x0409, 5, 0, 5},
        {11, 0x0804, 11, 0, 11},
        // A value only the low 16 bits of which count.
        {0x00010005, 0x0409, 5, 0, 5},
    };
    for (const StoredLanguage& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stored << " on " << c.systemId);
        MemoryRegistryStore store = MemoryRegistryStore::withKey();
        store.values = {{"language", c.stored}};
        RestoreSettings(store, c.systemId);
        EXPECT_EQ(g_languageIndex, c.languageIndex);
        EXPECT_EQ(g_chineseChosen, c.chineseChosen);
        EXPECT_EQ(CameraLanguageCode(), c.cameraCode);
        EXPECT_EQ(store.dword("language"), c.stored);
    }
}

TEST_F(StartupSettings, StoredLanguageOutsideTheTablesRunsInTheSystemLanguage)
{
    for (const std::uint32_t stored : {0U, 12U, 0xFFFFU, 0x00010000U}) {
        SCOPED_TRACE(stored);
        MemoryRegistryStore store = MemoryRegistryStore::withKey();
        store.values = {{"language", stored}};
        RestoreSettings(store, 0x1407);
        EXPECT_EQ(g_languageIndex, 3);
        EXPECT_EQ(g_chineseChosen, 0);
        EXPECT_EQ(CameraLanguageCode(), 3);
        EXPECT_EQ(store.dword("language"), stored);
    }
}

TEST_F(StartupSettings, StoredModelAndTvModeAreTakenAndNotRewritten)
{
    MemoryRegistryStore store = MemoryRegistryStore::withKey();
    store.values = {{"language", 2U}, {"model", 2U}, {"TvMode", 0x0107U}, {"Company", QByteArray("Other")}};
    RestoreSettings(store, 0x0409);
    EXPECT_EQ(g_modelIndex, 2);
    EXPECT_EQ(g_tvMode, 0x0107);
    EXPECT_EQ(store.writeCalls, 0);
    EXPECT_EQ(store.string("Company"), QByteArray("Other"));
}

TEST_F(StartupSettings, MissingTvModeAndCompanyAreWritten)
{
    MemoryRegistryStore store = MemoryRegistryStore::withKey();
    store.values = {{"language", 2U}, {"model", 1U}};
    RestoreSettings(store, 0x0409);
    EXPECT_EQ(g_tvMode, 0);
    EXPECT_EQ(store.dword("TvMode"), 0U);
    EXPECT_EQ(store.string("Company"), CompanySettingData());
}

TEST_F(StartupSettings, UnusableRegistryRunsOnTheDefaults)
{
    MemoryRegistryStore noKey; // no key yet
    noKey.denyCreate = true;
    RestoreSettings(noKey, 0x1407);
    EXPECT_EQ(g_languageIndex, 3);
    EXPECT_EQ(g_chineseChosen, 0);
    EXPECT_EQ(g_modelIndex, 1);
    EXPECT_EQ(g_tvMode, 0);
    EXPECT_TRUE(noKey.values.empty());

    // A key that opens but refuses every write still gives its stored values.
    MemoryRegistryStore readOnly = MemoryRegistryStore::withKey();
    readOnly.denyWrites = true;
    readOnly.values = {{"language", 1U}, {"model", 2U}};
    RestoreSettings(readOnly, 0x0804);
    EXPECT_EQ(g_languageIndex, 1);
    EXPECT_EQ(g_modelIndex, 2);
    EXPECT_EQ(g_tvMode, 0);
    EXPECT_FALSE(readOnly.dword("TvMode"));
}

} // namespace
} // namespace kestra
