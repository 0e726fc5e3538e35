// SPDX-License-Identifier: Apache-2.0
// A checked record stays what its check passed: it cannot be moved from, so
// no moved-from (emptied) record passes for a checked one, while keeping it in
// an optional or a decision, copying it and returning it still compile. That
// its check cannot be defined twice is the linker's to show:
// common_RecordCheckDefinedTwice builds a second definition (RecordCheckTwice.cpp)
// and expects the duplicate symbol.
#include "common/SaveDecision.h"
#include "formats/camera/CameraSettings.h"
#include "formats/gprs/GprsSettings.h"
#include "formats/mms/MmsSettings.h"
#include "formats/sms/SmsSettings.h"

#include <gtest/gtest.h>

#include <optional>
#include <type_traits>
#include <utility>

namespace kestra {
namespace {

template <typename Record> constexpr bool CopiedNeverMoved()
{
    using C = Checked<Record>;
    using Kept = std::optional<C>;
    return std::is_copy_constructible_v<C> && std::is_copy_assignable_v<C> && !std::is_move_constructible_v<C>
           && !std::is_move_assignable_v<C>
           // std::move(checked) into an optional does not compile either...
           && !std::is_constructible_v<Kept, C&&> && !std::is_assignable_v<Kept&, C&&>
           // ...while an optional or a decision is copied and moved as before
           // (moving one copies the checked record inside).
           && std::is_constructible_v<Kept, const C&> && std::is_copy_constructible_v<Kept>
           && std::is_move_constructible_v<Kept> && std::is_move_constructible_v<SaveDecision<Record>>
           && std::is_move_assignable_v<SaveDecision<Record>>;
}
static_assert(CopiedNeverMoved<CameraSettings>());
static_assert(CopiedNeverMoved<MmsSettings>());
static_assert(CopiedNeverMoved<GprsSettings>());
static_assert(CopiedNeverMoved<SmsSettings>());

// The one maker has the one shape SaveDecision.h declares, for every kind.
template <typename Record> constexpr bool MadeByTheDeclaredCheck()
{
    return std::is_same_v<decltype(&RecordCheck<Record>),
                          SaveDecision<Record> (*)(Record, bool)> && !std::is_constructible_v<Checked<Record>, Record>;
}
static_assert(MadeByTheDeclaredCheck<CameraSettings>());
static_assert(MadeByTheDeclaredCheck<MmsSettings>());
static_assert(MadeByTheDeclaredCheck<GprsSettings>());
static_assert(MadeByTheDeclaredCheck<SmsSettings>());

TEST(CheckedRecord, ADecisionMovedAwayLeavesItsCheckedRecordWhole)
{
    SmsSettings record;
    record.languageCode = 1;
    record.phone1 = "13800138000";
    SaveDecision<SmsSettings> decision = CheckSmsRecord(record);
    ASSERT_TRUE(decision.ok()) << decision.refusal->toStdString();

    const SaveDecision<SmsSettings> taken = std::move(decision);
    EXPECT_EQ(taken.record().phone1, "13800138000");
    // What is left behind still says ok(), so it must still hold the values
    // the check passed, not the empty texts a move would leave.
    ASSERT_TRUE(decision.ok()); // NOLINT(bugprone-use-after-move): the point of the test
    EXPECT_EQ(decision.record().phone1, "13800138000");
}

} // namespace
} // namespace kestra
