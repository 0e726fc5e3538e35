// SPDX-License-Identifier: Apache-2.0
// What gprs.dat alone has; what it shares with mms.dat and sms.dat is tested
// in tests/formats/shared.
#include "formats/gprs/GprsFile.h"

#include <gtest/gtest.h>

#include "formats/shared/BlockFileKinds.h"
#include "support/CheckedRecords.h"
#include "support/TestBytes.h"

namespace kestra {
namespace {

using test::GprsFileKind;
using testdata::Unscrambled;

TEST(GprsFile, UserNameBlockIsTheSenderBeforeItsFirstAt)
{
    struct Case {
        QByteArray sender;
        QByteArray user;
    };
    for (const Case& c :
         {Case{"ab@example.com", "ab"}, Case{"trailcam", "trailcam"}, Case{"a@b@c", "a"}, Case{"", ""}}) {
        GprsSettings s = GprsFileKind::kStart;
        s.senderEmail = c.sender;
        const QByteArray block = BuildGprsFile(test::MustPass(s)).mid(540, 60);
        EXPECT_EQ(block[57], c.user.size()) << c.sender.constData();
        EXPECT_EQ(Unscrambled(block).left(static_cast<int>(c.user.size())), c.user) << c.sender.constData();
    }
    // Nothing before the "@" is no name to log in with: no record carries it
    // to the writer.
    EXPECT_EQ(GprsUserName("@example.com"), QByteArray());
    GprsSettings nameless = GprsFileKind::kStart;
    nameless.senderEmail = "@example.com";
    EXPECT_FALSE(CheckGprsRecord(nameless).ok());
}

TEST(GprsFileReader, ModeComesFromByte50Alone)
{
    // A Customer file whose byte 2 holds a valid country still reads as Customer.
    QByteArray file = BuildGprsFile(test::MustPass(GprsFileKind::kOther));
    file[2] = 0x40;
    const GprsLoaded loaded = ParseGprsFile(file);
    EXPECT_EQ(loaded.mode, kGprsModeCustomer);
    EXPECT_FALSE(loaded.countryIndex.has_value());

    file = BuildGprsFile(test::MustPass(GprsFileKind::kStart));
    file[50] = 0x07; // any non-zero value is Auto
    EXPECT_EQ(ParseGprsFile(file).mode, kGprsModeAuto);
}

} // namespace
} // namespace kestra
