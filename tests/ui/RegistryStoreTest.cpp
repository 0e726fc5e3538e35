// SPDX-License-Identifier: Apache-2.0
// The per-user file that stands in for the registry key, and the in-memory
// store the other tests use: the key/value model and every failure mode.

#include "support/MemoryRegistryStore.h"
#include "ui/FileRegistryStore.h"
#include "ui/JsonFile.h"
#include "ui/WindowsRegistryStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace kestra::test {
namespace {

using namespace ui;

class FileStore : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(QStringLiteral("kestra-setup/registry.json")); }
    void writeFile(const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path()).absolutePath());
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray readFile() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    FileRegistryStore store{path()};
};

TEST_F(FileStore, AMissingFileIsAMissingKeyAndWritesDoNotCreateIt)
{
    EXPECT_FALSE(store.openKey());
    EXPECT_EQ(store.readDword(QStringLiteral("language")), std::nullopt);
    EXPECT_FALSE(store.writeDword(QStringLiteral("language"), 2));
    EXPECT_FALSE(store.writeString(QStringLiteral("Company"), "x"));
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(FileStore, CreatedKeyHoldsTypedValuesAcrossInstances)
{
    ASSERT_TRUE(store.createKey());
    EXPECT_TRUE(store.openKey());
    EXPECT_TRUE(store.createKey()); // an existing key is fine
    EXPECT_EQ(store.readDword(QStringLiteral("model")), std::nullopt);

    QByteArray company = QByteArray("Kestra Optics") + QByteArray(260 - 13, '\0');
    ASSERT_TRUE(store.writeDword(QStringLiteral("language"), 0xFFFFU));
    ASSERT_TRUE(store.writeDword(QStringLiteral("TvMode"), 0));
    ASSERT_TRUE(store.writeString(QStringLiteral("Company"), company));

    FileRegistryStore again(path());
    EXPECT_EQ(again.readDword(QStringLiteral("language")), 0xFFFFU);
    EXPECT_EQ(again.readDword(QStringLiteral("TvMode")), 0U);
    EXPECT_EQ(again.readString(QStringLiteral("Company")), company); // padding zeros kept
    EXPECT_EQ(LowWord(0x00012345U), 0x2345);
}

#ifndef Q_OS_WIN
// Opening a FIFO for reading waits for a writer: every start-up would hang.
TEST_F(FileStore, AFifoUnderTheNameIsUnreadableAndNeverBlocks)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path()).absolutePath()));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path()).constData(), 0600), 0);
    EXPECT_FALSE(store.openKey());
    EXPECT_EQ(store.readDword(QStringLiteral("language")), std::nullopt);
    EXPECT_FALSE(store.writeDword(QStringLiteral("language"), 2));
}
#endif

TEST_F(FileStore, AValueOfAnotherTypeOrShapeReadsAsMissing)
{
    const char* key = R"("Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Kestra.exe")";
    writeFile(QByteArray(R"({"keys": {)") + key + R"(: {
        "language": {"type": "REG_SZ", "data": "32"},
        "model": {"type": "REG_DWORD", "data": -1},
        "TvMode": {"type": "REG_DWORD", "data": 1.5},
        "Company": {"type": "REG_SZ", "data": "zz"},
        "Extra": {"type": "REG_DWORD", "data": 4294967295}
    }}, "other": 1})");
    EXPECT_TRUE(store.openKey());
    EXPECT_EQ(store.readDword(QStringLiteral("language")), std::nullopt);
    EXPECT_EQ(store.readString(QStringLiteral("language")), QByteArray("2"));
    EXPECT_EQ(store.readDword(QStringLiteral("model")), std::nullopt);
    EXPECT_EQ(store.readDword(QStringLiteral("TvMode")), std::nullopt);
    EXPECT_EQ(store.readString(QStringLiteral("Company")), std::nullopt);
    EXPECT_EQ(store.readDword(QStringLiteral("Extra")), 0xFFFFFFFFU);

    // Writing a value replaces it whole, whatever was there; the rest stays.
    ASSERT_TRUE(store.writeDword(QStringLiteral("language"), 2));
    EXPECT_EQ(store.readDword(QStringLiteral("language")), 2U);
    EXPECT_EQ(QJsonDocument::fromJson(readFile()).object().value(QStringLiteral("other")).toInt(), 1);
}

TEST_F(FileStore, ADamagedFileFallsBackToNoKeyAndIsSetAsideWhenTheKeyIsCreated)
{
    for (const QByteArray& damage : {QByteArray("{\"keys\": {"), QByteArray("[1, 2]"), QByteArray("{\"keys\": 7}"),
                                     QByteArray("\xFF\xFE\x00garbage", 10)}) {
        writeFile(damage);
        EXPECT_FALSE(store.openKey()) << damage.constData();
        EXPECT_EQ(store.readDword(QStringLiteral("language")), std::nullopt);
        EXPECT_FALSE(store.writeDword(QStringLiteral("language"), 1));

        ASSERT_TRUE(store.createKey()) << damage.constData();
        EXPECT_TRUE(store.openKey());
        EXPECT_TRUE(store.writeDword(QStringLiteral("language"), 1));
        EXPECT_EQ(store.readDword(QStringLiteral("language")), 1U);

        QFile aside(path() + QStringLiteral(".corrupt"));
        ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
        EXPECT_EQ(aside.readAll(), damage);
    }
}

TEST_F(FileStore, AWriteOfTheValueAlreadyStoredLeavesTheFileAlone)
{
    ASSERT_TRUE(store.createKey());
    ASSERT_TRUE(store.writeDword(QStringLiteral("language"), 2));
    ASSERT_TRUE(store.writeString(QStringLiteral("Company"), "Kestra"));
    const QFileInfo before(path());
    const QDateTime modified = before.lastModified();
    const QByteArray bytes = readFile();
    // Replacing the file would give it a new inode; an untouched file keeps it.
    const auto inode = [this] { return QFileInfo(path()).fileTime(QFileDevice::FileMetadataChangeTime); };
    const QDateTime changed = inode();

    FileRegistryStore again{path()};
    EXPECT_TRUE(again.writeDword(QStringLiteral("language"), 2));
    EXPECT_TRUE(again.writeString(QStringLiteral("Company"), "Kestra"));
    EXPECT_TRUE(again.createKey());
    EXPECT_EQ(readFile(), bytes);
    EXPECT_EQ(QFileInfo(path()).lastModified(), modified);
    EXPECT_EQ(inode(), changed);

    // A hand edit behind the store's back is still seen.
    writeFile(QByteArray(R"({"keys": {"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Kestra.exe": )"
                         R"({"language": {"type": "REG_DWORD", "data": 5}}}})"));
    EXPECT_EQ(again.readDword(QStringLiteral("language")), 5U);
}

TEST_F(FileStore, AStoreThatCannotBeWrittenFailsQuietly)
{
    // A file where the store's folder should be: nothing can be created, as
    // with a read-only home or a full disk, whoever runs the test.
    QFile blocker(dir.filePath(QStringLiteral("kestra-setup")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(store.createKey());
    EXPECT_FALSE(store.openKey());
    EXPECT_FALSE(store.writeDword(QStringLiteral("language"), 1));
}

TEST_F(FileStore, AFailedWriteLeavesTheStoredValuesAsTheyWere)
{
    ASSERT_TRUE(store.createKey());
    ASSERT_TRUE(store.writeDword(QStringLiteral("model"), 1));
    const QByteArray before = readFile();

    // The folder turns read-only: the atomic save cannot place its new file.
    QFile::setPermissions(QFileInfo(path()).absolutePath(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool written = store.writeDword(QStringLiteral("model"), 2);
    QFile::setPermissions(QFileInfo(path()).absolutePath(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (written)
        GTEST_SKIP() << "the file system ignores folder permissions for this user (root)";
    EXPECT_EQ(readFile(), before);
    EXPECT_EQ(store.readDword(QStringLiteral("model")), 1U);
    EXPECT_EQ(QDir(QFileInfo(path()).absolutePath()).entryList(QDir::Files), QStringList{"registry.json"});
}

TEST(FileStoreLocation, FollowsXdgConfigHome)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows keeps the choices in the registry, not in a file under XDG_CONFIG_HOME";
#endif
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/tmp/kestra-xdg-test");
    EXPECT_EQ(FileRegistryStore::DefaultFilePath(), QStringLiteral("/tmp/kestra-xdg-test/kestra-setup/registry.json"));
    qputenv("XDG_CONFIG_HOME", "relative/is/ignored");
    EXPECT_TRUE(FileRegistryStore::DefaultFilePath().endsWith(QStringLiteral("/kestra-setup/registry.json")));
    EXPECT_FALSE(FileRegistryStore::DefaultFilePath().startsWith(QStringLiteral("relative")));
    if (saved.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", saved);
}

// The limit holds to the byte whatever the file's size against the pieces it
// is read in: a file of exactly the limit is read whole, one byte more is
// refused, and neither is cut short into a smaller file that parses.
TEST(JsonFileLimit, AFileUpToTheLimitIsReadWholeAndOneByteMoreIsRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("file.json"));
    struct Case {
        qint64 fileSize;
        qint64 limit;
        JsonFileState state;
    };
    const Case cases[] = {
        {2, 2, JsonFileState::Valid},           {3, 2, JsonFileState::Corrupt},
        {16384, 16384, JsonFileState::Valid},   {16385, 16384, JsonFileState::Corrupt},
        {40000, 40000, JsonFileState::Valid},   {40001, 40000, JsonFileState::Corrupt},
        {40000, 1 << 20, JsonFileState::Valid},
    };
    for (const Case& test : cases) {
        // An object padded with spaces to the size: any prefix of it is
        // not JSON, so a short read shows as Corrupt.
        QByteArray bytes = QByteArrayLiteral("{\"a\":1}");
        if (test.fileSize < bytes.size())
            bytes = QByteArrayLiteral("{}");
        bytes.insert(1, QByteArray(test.fileSize - bytes.size(), ' '));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), test.fileSize);
        file.close();
        const JsonFileContents contents = ReadJsonFile(path, test.limit);
        EXPECT_EQ(contents.state, test.state) << test.fileSize << " bytes, limit " << test.limit;
        if (test.state == JsonFileState::Valid && test.fileSize > 2) {
            EXPECT_EQ(contents.root.value(QStringLiteral("a")).toInt(), 1) << test.fileSize;
        }
    }
}

TEST(MemoryStore, BehavesLikeTheKeyWithItsFailureSwitches)
{
    MemoryRegistryStore store;
    EXPECT_FALSE(store.openKey());
    EXPECT_FALSE(store.writeDword(QStringLiteral("model"), 1));
    store.denyCreate = true;
    EXPECT_FALSE(store.createKey());
    store.denyCreate = false;
    EXPECT_TRUE(store.createKey());

    EXPECT_TRUE(store.writeString(QStringLiteral("Company"), "c"));
    EXPECT_EQ(store.readDword(QStringLiteral("Company")), std::nullopt);
    store.denyWrites = true;
    EXPECT_FALSE(store.writeDword(QStringLiteral("model"), 1));
    EXPECT_FALSE(store.has(QStringLiteral("model")));
    store.denyOpen = true;
    EXPECT_EQ(store.readString(QStringLiteral("Company")), std::nullopt);
}

#ifdef Q_OS_WIN

// The registry of the machine (or Wine prefix) the tests run on.
class RegistryKeys : public ::testing::Test {
protected:
    void SetUp() override { DeleteKeys(); }
    void TearDown() override { DeleteKeys(); }

    static void DeleteKeys()
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, kRegistryKeyPath);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kRegistryKeyPath);
    }

    // What another program sees: the system's own `reg query`.
    static QString Query(const QString& root, const QString& name)
    {
        QProcess reg;
        reg.start(QStringLiteral("reg"), {QStringLiteral("query"), root + u'\\' + QString::fromLatin1(kRegistryKeyPath),
                                          QStringLiteral("/v"), name});
        if (!reg.waitForFinished(30000))
            return QStringLiteral("reg query did not finish");
        return QString::fromLocal8Bit(reg.readAllStandardOutput()).simplified();
    }

    static QByteArray Company(const char* text)
    {
        QByteArray data(text);
        data.resize(kCompanyDataSize, '\0');
        return data;
    }
};

// A standard user cannot write under HKEY_LOCAL_MACHINE; a root that refuses
// every call (an invalid handle) stands in for it.
void* const kRefusingMachineRoot = reinterpret_cast<void*>(static_cast<quintptr>(0x1));

TEST_F(RegistryKeys, WithoutRightsToTheMachineKeyTheChoicesAreKeptForTheUser)
{
    WindowsRegistryStore store(kRefusingMachineRoot);
    EXPECT_FALSE(store.openKey());
    ASSERT_TRUE(store.createKey());
    EXPECT_TRUE(store.openKey());
    ASSERT_TRUE(store.writeDword(QStringLiteral("language"), 0x0003));
    ASSERT_TRUE(store.writeString(QStringLiteral("Company"), Company("Kestra Optics")));

    EXPECT_EQ(store.readDword(QStringLiteral("language")), 3U);
    EXPECT_EQ(store.readString(QStringLiteral("Company")), Company("Kestra Optics"));
    EXPECT_EQ(WindowsRegistryStore().readDword(QStringLiteral("language")), 3U) << "the user key is read first";
    EXPECT_EQ(Query(QStringLiteral("HKCU"), QStringLiteral("language")).section(u' ', -2),
              QStringLiteral("REG_DWORD 0x3"));
    EXPECT_TRUE(
        Query(QStringLiteral("HKCU"), QStringLiteral("Company")).endsWith(QStringLiteral("REG_SZ Kestra Optics")));
}

TEST_F(RegistryKeys, TheMachineKeyIsUsedAsDescribedAndFillsWhatTheUserKeyLacks)
{
    WindowsRegistryStore store;
    ASSERT_TRUE(store.createKey());
    ASSERT_TRUE(store.writeDword(QStringLiteral("model"), 1));
    ASSERT_TRUE(store.writeDword(QStringLiteral("TvMode"), 0x0107));
    EXPECT_EQ(Query(QStringLiteral("HKLM"), QStringLiteral("model")).section(u' ', -2),
              QStringLiteral("REG_DWORD 0x1"));

    // A later run without rights keeps its own choice under the user key; from
    // then on that key is read first and the machine key fills in the rest.
    WindowsRegistryStore user(kRefusingMachineRoot);
    ASSERT_TRUE(user.writeDword(QStringLiteral("model"), 2));
    EXPECT_EQ(user.readDword(QStringLiteral("model")), 2U);
    EXPECT_EQ(store.readDword(QStringLiteral("model")), 2U);
    EXPECT_EQ(store.readDword(QStringLiteral("TvMode")), 0x0107U);
    EXPECT_EQ(Query(QStringLiteral("HKLM"), QStringLiteral("model")).section(u' ', -2),
              QStringLiteral("REG_DWORD 0x1"));
}

#endif

} // namespace
} // namespace kestra::test
