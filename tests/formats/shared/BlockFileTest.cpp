// SPDX-License-Identifier: Apache-2.0
// What mms.dat, gprs.dat and sms.dat share: a header block, text blocks each
// with its length byte, a checksum block, CR LF after every block, and a
// reader that never hands back a list index the window cannot select.

#include "formats/shared/BlockFileKinds.h"

#include "support/CheckedRecords.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace kestra {
namespace {

using testdata::Golden;
using testdata::Unscrambled;

template <typename Kind> class BlockFile : public ::testing::Test {
};

using Kinds = ::testing::Types<test::MmsFileKind, test::GprsFileKind, test::SmsFileKind>;

class KindNames {
public:
    template <typename Kind> static std::string GetName(int) { return Kind::kName; }
};

TYPED_TEST_SUITE(BlockFile, Kinds, KindNames);

// An empty text block, as the unused and the closing blocks are too.
const QByteArray kEmptyBlock = QByteArray(58, '\0') + "\r\n";

template <typename Kind> QByteArray Built(const typename Kind::Record& record)
{
    return Kind::Build(test::MustPass(record));
}

TYPED_TEST(BlockFile, HeaderExamplesBeforeAndAfterScrambling)
{
    using Kind = TypeParam;
    const QByteArray stored = Built<Kind>(Kind::kStart).left(60);
    EXPECT_EQ(stored.left(Kind::kStartStored.size()), Kind::kStartStored);
    EXPECT_EQ(Unscrambled(stored).left(Kind::kStartPlain.size()), Kind::kStartPlain);
    // Byte 50 (1 here) and what follows it are stored as they are.
    EXPECT_EQ(stored.mid(50), testdata::Bytes({0x01, 0, 0, 0, 0, 0, 0, 0, 0x0D, 0x0A}));

    const QByteArray other = Unscrambled(Built<Kind>(Kind::kOther).left(60));
    for (const test::HeaderCell& cell : Kind::kOtherCells)
        EXPECT_EQ(static_cast<std::uint8_t>(other[cell.offset]), cell.value) << "byte " << cell.offset;
}

TYPED_TEST(BlockFile, PicturesPerDayAsTwoDigits)
{
    using Kind = TypeParam;
    struct Case {
        int pictures;
        char tens;
        char units;
    };
    for (const Case& c : {Case{0, 0, 0}, Case{7, 0, 7}, Case{42, 4, 2}, Case{99, 9, 9}}) {
        typename Kind::Record s = Kind::kStart;
        s.picturesPerDay = c.pictures;
        const QByteArray header = Unscrambled(Built<Kind>(s).left(60));
        EXPECT_EQ(header[3], c.tens) << c.pictures;
        EXPECT_EQ(header[4], c.units) << c.pictures;
    }
}

TYPED_TEST(BlockFile, FrameTextBlocksAndGoldenFiles)
{
    using Kind = TypeParam;
    for (const typename Kind::Record& record : {Kind::kStart, Kind::kOther}) {
        const QByteArray file = Built<Kind>(record);
        ASSERT_EQ(file.size(), Kind::kFileSize);
        for (int block = 0; block < file.size() / 60; ++block)
            EXPECT_EQ(file.mid(block * 60 + 58, 2), QByteArray("\r\n")) << block;
        // Each text in its table's block, its length byte readable; an empty
        // text leaves the block empty.
        for (const auto& field : Kind::kFields) {
            const QByteArray& text = record.*field.member;
            const QByteArray block = file.mid(static_cast<qsizetype>(field.block) * 60, 60);
            if (text.isEmpty()) {
                EXPECT_EQ(block, kEmptyBlock) << field.name;
            } else {
                EXPECT_EQ(block[57], text.size()) << field.name;
                EXPECT_EQ(Unscrambled(block).left(text.size()), text) << field.name;
            }
        }
        for (int block : Kind::kEmptyBlocks)
            EXPECT_EQ(file.mid(block * 60, 60), kEmptyBlock) << block;
        EXPECT_EQ(file.mid(Kind::kChecksumBlock * 60, 56), QByteArray(56, '\0')) << "checksum block";
    }
    EXPECT_EQ(Built<Kind>(Kind::kStart), Golden(Kind::kGolden[0], Kind::kGolden[1]));
    EXPECT_EQ(Built<Kind>(Kind::kOther), Golden(Kind::kGolden[0], Kind::kGolden[2]));
}

TYPED_TEST(BlockFile, WritesAndReadsBack)
{
    using Kind = TypeParam;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QString::fromLatin1(Kind::kFileName));
    for (const typename Kind::Record& record : {Kind::kStart, Kind::kOther}) {
        const typename Kind::Loaded parsed = Kind::Parse(Built<Kind>(record));
        EXPECT_TRUE(parsed.findings.empty());
        Kind::ExpectLoaded(parsed, record);

        // The second record replaces the first.
        const SaveResult result = Kind::Write(dir.path(), test::MustPass(record));
        ASSERT_TRUE(result.ok()) << result.error->message().toStdString();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QString::fromLatin1(Kind::kFileName)});
        const auto read = Kind::Read(path);
        ASSERT_TRUE(read.ok());
        EXPECT_TRUE(read.values.findings.empty());
        Kind::ExpectLoaded(read.values, record);
    }

    const auto folder = Kind::Read(dir.path());
    ASSERT_FALSE(folder.ok());
    EXPECT_EQ(folder.error->kind, FileErrorKind::NotRegularFile);
    EXPECT_FALSE(Kind::Read(dir.filePath(QStringLiteral("none.dat"))).ok());
}

TYPED_TEST(BlockFile, NeverHandsBackAnIndexPastItsList)
{
    using Kind = TypeParam;
    for (const test::IndexCase& c : Kind::kIndexCases) {
        QByteArray file = Built<Kind>(Kind::kStart);
        file[c.offset] = static_cast<char>(c.stored);
        const typename Kind::Loaded loaded = Kind::Parse(file);
        ASSERT_EQ(c.present.size(), Kind::kIndexes.size()) << c.name;
        for (std::size_t i = 0; i < Kind::kIndexes.size(); ++i)
            EXPECT_EQ((loaded.*Kind::kIndexes[i]).has_value(), c.present[i]) << c.name << ", index " << i;
        EXPECT_FALSE(loaded.findings.empty()) << c.name;
    }
}

TYPED_TEST(BlockFile, CheckRefusesWhatTheCameraWouldMisreadNamingTheField)
{
    using Kind = TypeParam;
    using Record = typename Kind::Record;
    std::vector<test::RefusalCase<Record>> cases{
        {"pictures 100", [](Record& s) { s.picturesPerDay = 100; }, FindingKind::OutOfRange, "picturesPerDay"},
        {"language 0", [](Record& s) { s.languageCode = 0; }, FindingKind::OutOfRange, "languageCode"},
        {"sms control 6", [](Record& s) { s.smsControl = 6; }, FindingKind::ListPosition, "smsControl"},
        // Typed text in the list that selects no entry.
        {"sms control 0xFF", [](Record& s) { s.smsControl = 0xFF; }, FindingKind::ListPosition, "smsControl"},
    };
    cases.insert(cases.end(), Kind::kRefusals.begin(), Kind::kRefusals.end());
    for (const test::RefusalCase<Record>& c : cases) {
        Record s = Kind::kStart;
        c.change(s);
        const SaveDecision<Record> decision = Kind::CheckRecord(s, false);
        ASSERT_FALSE(decision.ok()) << c.name;
        ASSERT_TRUE(decision.refusal.has_value()) << c.name;
        EXPECT_FALSE(decision.refusal->isEmpty()) << c.name;
        const SettingsFindings findings = Kind::CheckSettings(s);
        ASSERT_FALSE(findings.empty()) << c.name;
        EXPECT_EQ(findings.front().kind, c.kind) << c.name;
        EXPECT_EQ(findings.front().field, QLatin1String(c.field)) << c.name;
        EXPECT_EQ(decision.field, QLatin1String(c.field)) << c.name;
    }

    // Every text one byte over its limit, in the words a user reads.
    for (const auto& field : Kind::kFields) {
        Record s = Kind::kStart;
        s.*field.member = QByteArray(field.limit + 1, '1');
        const SaveDecision<Record> decision = Kind::CheckRecord(s, false);
        EXPECT_EQ(decision.refusal, QStringLiteral("%1 is %2 bytes long; at most %3 bytes fit.")
                                        .arg(QLatin1String(field.name))
                                        .arg(field.limit + 1)
                                        .arg(field.limit));
        EXPECT_EQ(decision.field, QLatin1String(field.name));
    }
}

} // namespace
} // namespace kestra
