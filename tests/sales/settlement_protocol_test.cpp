#include "core/journal/journal_file.h"
#include "core/records/record.h"
#include "sales/desk_day.h"
#include "sales/settlement_protocol.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

using test::kSalesDay;
using test::kSalesNow;
using test::saleFor;

struct Settlement : ::testing::Test {
    test::TempDir dir;
    test::DeskDay day{dir.path(), 3};
    std::unique_ptr<SalesLedger> ledger = SalesLedger::open(dir.path()).ledger;
    SettlementProtocol steps{*ledger};

    std::vector<ReconcileAction> restart() {
        auto ledgerAgain = SalesLedger::open(dir.path()).ledger;
        auto done = SettlementProtocol(*ledgerAgain)
                        .reconcile(dayFileReader(dir.path()), kSalesDay, kSalesNow);
        EXPECT_EQ(done.error, std::nullopt);
        return done.actions;
    }
    bool live(int receipt) { return !ledger->sale(receipt).value->voided; }
};

TEST_F(Settlement, SettleConfirmUndoAndSettleAgainKeepOneLiveSale) {
    const auto settled = steps.settle(day.booking(1), day.settleSave(1, kSalesNow), kSalesNow);
    ASSERT_EQ(settled.error, std::nullopt);
    EXPECT_TRUE(day.settled(1));
    EXPECT_EQ(steps.confirm(settled.intent, saleFor(1, kSalesNow), kSalesNow).value, 1);

    EXPECT_EQ(steps.unsettle(day.booking(1), "精算の取り消し", day.undoSave(kSalesNow), kSalesNow),
              std::nullopt);
    EXPECT_FALSE(day.settled(1));
    EXPECT_EQ(ledger->sale(1).value->voidReason, "精算の取り消し");

    const auto again = steps.settle(day.booking(1), day.settleSave(1, kSalesNow), kSalesNow);
    EXPECT_EQ(steps.confirm(again.intent, saleFor(1, kSalesNow, 5600), kSalesNow).value, 2);
    EXPECT_TRUE(live(2));
    EXPECT_TRUE(ledger->openIntents().value.empty());
    EXPECT_TRUE(restart().empty());
}

TEST_F(Settlement, AFailedSaveLeavesNothingOpenAndTheSaleAsItWas) {
    const DaySave refused = [] { return std::optional<std::string>("ディスクがいっぱいです"); };
    EXPECT_TRUE(steps.settle(day.booking(2), refused, kSalesNow).error);
    EXPECT_TRUE(ledger->openIntents().value.empty());

    const auto settled = steps.settle(day.booking(2), day.settleSave(2, kSalesNow), kSalesNow);
    steps.confirm(settled.intent, saleFor(2, kSalesNow), kSalesNow);
    EXPECT_TRUE(steps.unsettle(day.booking(2), "精算の取り消し", refused, kSalesNow));
    EXPECT_TRUE(live(1));
    EXPECT_TRUE(ledger->openIntents().value.empty());
    EXPECT_TRUE(restart().empty());
}

TEST_F(Settlement, AStartAfterACrashBeforeTheDayFileAbandonsAndAfterItReportsUnpaid) {
    ledger->openIntent(IntentKind::Settle, day.booking(1), {}, "", kSalesNow); // then the crash
    const auto settled = steps.settle(day.booking(2), day.settleSave(2, kSalesNow), kSalesNow);
    const auto actions = restart();
    ASSERT_EQ(actions.size(), 2u);
    EXPECT_EQ(actions[0].kind, ReconcileKind::AbandonIntent);
    EXPECT_EQ(actions[1].kind, ReconcileKind::ReportUnpaid);
    EXPECT_EQ(actions[1].intent, settled.intent);
    EXPECT_EQ(steps.confirm(settled.intent, saleFor(2, kSalesNow), kSalesNow).value, 1)
        << "the desk finishes the 未会計";
}

// The crash came after the settlement's journal entry was durable and before the day file
// was replaced: the day's next load finishes it, so it is settled already.
TEST_F(Settlement, AJournaledSettlementTheDayFileHasNotReceivedCountsAsSettled) {
    const auto intent = ledger->openIntent(IntentKind::Settle, day.booking(3), {}, "", kSalesNow);
    const auto file = dayFilePath(dir.path(), kSalesDay);
    const std::string before = test::readBytes(file);
    DayLines lines = splitDayLines(before);
    lines[2] = test::dayLine(3, kStatusSettled);
    DayJournal journal(journalPathFor(file));
    journal.load();
    const std::string after = joinDayLines(lines);
    journal.append({2, kSalesNow, JournalOp::Settle, 0, identityOf(before), identityOf(after),
                    diffLines(splitDayLines(before), lines)});

    const auto actions = restart();
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0].kind, ReconcileKind::ReportUnpaid) << "not abandoned: the money is due";
    EXPECT_EQ(actions[0].intent, intent.value);
    EXPECT_EQ(test::readBytes(file), before) << "the start-up's check writes no day file";
}

} // namespace
} // namespace kavro
