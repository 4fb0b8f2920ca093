// A whole business day driven through the desk model alone, without a widget: what the desk
// does, what the day file and its journal hold afterwards, and what the clerk is told.
#include "desk/desk_fixture.h"

namespace kavro::test {
namespace {

namespace fs = std::filesystem;

using DeskDay = DeskTest;

TEST_F(DeskDay, ADayAtTheDeskIsStoredAsTheClerkDidIt) {
    ASSERT_TRUE(model.startUp().notices.empty());
    model.runDayCycle(); // the first tick

    // 利用, and a second party refused in the same room.
    Outcome in = model.checkIn(panel("005", "20:00", "21:00", "山田"));
    ASSERT_TRUE(in.stored) << texts(in.reply);
    Outcome again = model.checkIn(panel("005", "20:30", "21:30", "佐藤"));
    EXPECT_FALSE(again.done);
    EXPECT_EQ(again.reply.notices.at(0).title, "利用中");
    EXPECT_TRUE(model.reserve(panel("007", "22:00", "23:00", "鈴木")).stored);

    // 延長 prepared and stored by 入力: the base record continues into the extension.
    const SelectedBooking base{"005100100", "2026/12/05 20:00", "2026/12/05 21:00"};
    Outcome ext = model.inputExtension(panel("005", "21:00", "21:30", "山田", "0.5"),
                                       {"005100101", base.start, base.end});
    ASSERT_TRUE(ext.stored) << texts(ext.reply);
    EXPECT_EQ(ext.selection->end, "2026/12/05 21:30");

    // 通知 and 清算 of the extension; a 修正 of the reservation's people.
    const SelectedBooking last{"005100101", "2026/12/05 21:00", "2026/12/05 21:30"};
    EXPECT_TRUE(model.notify(panel("005", "21:00", "21:30", "山田", "0.5"), last).stored);
    EXPECT_TRUE(model.settle(panel("005", "21:00", "21:30", "山田", "0.5"), last).stored);
    // The refused check-in took number 1002 for good.
    const SelectedBooking reserved{"007100300", "2026/12/05 22:00", "2026/12/05 23:00"};
    EntryFields three = panel("007", "22:00", "23:00", "鈴木");
    three.people = "3";
    EXPECT_TRUE(model.modify(three, reserved, "予約", true).stored);
    EXPECT_EQ(lines(), (std::vector<std::string>{
                           "005100100,2026/12/05 20:00,1,2026/12/05 21:00,2,005,山田,精算",
                           "005100101,2026/12/05 21:00,0.5,2026/12/05 21:30,2,005,山田,精算",
                           "007100300,2026/12/05 22:00,1,2026/12/05 23:00,3,007,鈴木,予約"}));
    EXPECT_EQ(model.totals().peopleTotal, 5);

    // 削除 of the reservation, taken back and done again.
    EXPECT_TRUE(model.remove(three, reserved).stored);
    Reply undo = model.undo();
    ASSERT_TRUE(undo.question) << texts(undo);
    EXPECT_TRUE(model.asking());
    model.answer(true);
    EXPECT_EQ(lines().size(), 3u);
    ASSERT_TRUE(model.redo().question);
    model.answer(true);
    EXPECT_EQ(lines().size(), 2u);
    EXPECT_EQ(journalOps(),
              (std::vector<JournalOp>{JournalOp::Use, JournalOp::Reserve, JournalOp::Input,
                                      JournalOp::Notify, JournalOp::Settle, JournalOp::Modify,
                                      JournalOp::Delete, JournalOp::Undo, JournalOp::Redo}));
}

TEST_F(DeskDay, AChangeMadeOutsideIsKeptJournaledAndTheOperationDoneAgain) {
    model.startUp();
    ASSERT_TRUE(model.checkIn(panel("001", "20:00", "21:00", "山田")).stored);
    // Another program rewrites the file: the next save must not write over it.
    writeBytes(dayFilePath(dir.path(), kDay),
               *encodeCp932("002100200,2026/12/05 19:00,1,2026/12/05 20:00,2,002,外,精算") +
                   "\r\n");
    int shown = 0;
    QObject::connect(&model, &DeskModel::dayShown, [&] { ++shown; });
    Outcome out = model.checkIn(panel("003", "20:00", "21:00", "佐藤"));
    EXPECT_TRUE(out.done);
    EXPECT_FALSE(out.stored);
    EXPECT_EQ(shown, 1) << "the day is read again as it stands";
    EXPECT_EQ(lines().size(), 1u);
    EXPECT_EQ(model.records().at(1, 0).substr(0, 9), "002100200");
    EXPECT_EQ(journalOps().back(), JournalOp::Outside);
}

TEST_F(DeskDay, At0600TheRunningStayIsCarriedAndTheNewDayShown) {
    now = at(kNextDay, 5, 59, 30);
    model.startUp();
    model.runDayCycle();
    ASSERT_TRUE(model.checkIn(panel("012", "05:00", "07:00", "山田", "2")).stored);
    int leaving = 0;
    QObject::connect(&model, &DeskModel::dayChanging, [&] { ++leaving; });
    tickAt(at(kNextDay, 6, 0, 0));
    EXPECT_EQ(leaving, 1);
    EXPECT_EQ(restarts, 1);
    EXPECT_EQ(model.shownDay().date, kNextDay);
    ASSERT_EQ(lines(kNextDay).size(), 1u);
    EXPECT_EQ(lines(kNextDay)[0].substr(9), lines(kDay)[0].substr(9));
    EXPECT_EQ(journalOps(kNextDay), (std::vector<JournalOp>{JournalOp::Carry}));
    tickAt(at(kNextDay, 6, 0, 30));
    EXPECT_EQ(restarts, 1) << "once per 06:00";
}

TEST_F(DeskDay, ALostDayFileIsRebuiltFromItsJournalOnlyAfterAYes) {
    model.startUp();
    ASSERT_TRUE(model.checkIn(panel("001", "20:00", "21:00", "山田")).stored);
    fs::remove(dayFilePath(dir.path(), kDay));
    // The next start finds the journal without its day file.
    DeskModel next{{[this] { return now; }, dir.path(), [] { return false; }}};
    ASSERT_TRUE(next.startUp().question);
    EXPECT_FALSE(fs::exists(dayFilePath(dir.path(), kDay))) << "nothing written before the answer";
    // The clock passes 06:00 while the question is open: the day waits for the answer.
    next.runDayCycle();
    now = at(kNextDay, 6, 0, 10);
    next.runDayCycle();
    EXPECT_EQ(next.shownDay().date, kDay);
    next.answer(true);
    EXPECT_EQ(lines().size(), 1u);
    EXPECT_EQ(journalOps().back(), JournalOp::Rebuild);
    next.runDayCycle();
    EXPECT_EQ(next.shownDay().date, kNextDay) << "the day change came once the answer was given";
}

} // namespace
} // namespace kavro::test
