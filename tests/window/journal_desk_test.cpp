// The journal at the desk: every change journaled under its operation, undo and redo after a
// question, refusals that change nothing, the history window, a day file rebuilt or found
// changed by another program.
#include "support/entry_fixture.h"
#include "window/history_window.h"

#include <QAction>
#include <QDateEdit>
#include <QMenu>
#include <QTableView>

namespace kavro::test {
namespace {

const std::string kYamada = "005100100,2026/12/05 20:00,1,2026/12/05 21:00,2,005,山田,利用";

class JournalDesk : public EntryTest {
protected:
    void checkInYamada() {
        fill("005", "20:00", "1", "21:00", "山田");
        click(checkInButton());
    }
    std::vector<JournalOp> ops() {
        std::vector<JournalOp> out;
        for (const auto& e : model().journal().entries())
            out.push_back(e.op);
        return out;
    }
    // Another day and back: the window reads the day, and its journal, again.
    void showAgain() { readDayAgain(); }
    void pick(Date d) { pickDate(d); }
    void undo() { runMenuEntry(QStringLiteral("元に戻す")); }
    void redo() { runMenuEntry(QStringLiteral("やり直す")); }
};

TEST_F(JournalDesk, UndoAndRedoAskFirstAndGiveTheDayFileBackByteForByte) {
    startWith({"001100100,2026/12/05 10:00,1,2026/12/05 11:00,2,001,A,精算"});
    const std::string before = dayBytes();
    checkInYamada();
    const std::string after = dayBytes();
    ASSERT_NE(before, after);

    undo();
    ASSERT_EQ(world().questions.size(), 1u);
    EXPECT_EQ(world().questions[0].title, "元に戻す");
    EXPECT_EQ(world().questions[0].text, "次の変更を元に戻しますか？\r\n利用 005 山田（20:00）");
    EXPECT_EQ(dayBytes(), before);
    redo();
    EXPECT_EQ(dayBytes(), after);
    EXPECT_EQ(world().questions.back().title, "やり直す");
    EXPECT_EQ(ops(), (std::vector<JournalOp>{JournalOp::Outside, JournalOp::Use, JournalOp::Undo,
                                             JournalOp::Redo}));
    EXPECT_TRUE(world().messages.empty()) << lastMessageText().toStdString();
}

TEST_F(JournalDesk, EachOperationJournalsItsOwnName) {
    start();
    checkInYamada();
    select(kYamada, {"利用", "精算"});
    click(settleButton());
    select(day()[0], {"精算"});
    click(deleteButton());
    EXPECT_TRUE(day().empty());
    EXPECT_EQ(ops(),
              (std::vector<JournalOp>{JournalOp::Use, JournalOp::Settle, JournalOp::Delete}));
    for (int i = 0; i < 3; ++i)
        undo();
    EXPECT_TRUE(day().empty()); // back to the start of the day, the empty file
    undo();
    EXPECT_EQ(lastMessageText(), "元に戻せる変更はありません");
}

TEST_F(JournalDesk, ANoOrAConflictChangesNothing) {
    start();
    checkInYamada();
    const std::string checkedIn = dayBytes();
    world().answer = false;
    undo();
    EXPECT_EQ(dayBytes(), checkedIn);
    world().answer = true;

    // Another program settled the stay: the check-in cannot be taken back.
    writeDay(kDay, {"005100100,2026/12/05 20:00,1,2026/12/05 21:00,2,005,山田,精算"});
    const std::string outside = dayBytes();
    undo();
    EXPECT_EQ(dayBytes(), outside);
    EXPECT_EQ(lastMessageTitle(), "元に戻す");
    EXPECT_EQ(lastMessageText(), "この変更は元に戻せません\r\nあとから次のデータが変更されています"
                                 "\r\n005 山田 20:00-21:00 利用");
}

TEST_F(JournalDesk, ASaveOverAnOutsideChangeIsRefusedAndTheChangeKept) {
    start();
    checkInYamada();
    writeDay(kDay, {kYamada, "009100200,2026/12/05 20:00,1,2026/12/05 21:00,2,009,外部,利用"});
    fill("012", "20:30", "1", "21:30", "佐藤");
    click(checkInButton());
    EXPECT_EQ(lastMessageTitle(), "ファイルエラー");
    EXPECT_NE(lastMessageText().indexOf("外で変更されていた"), -1);
    EXPECT_EQ(day().size(), 2u); // the outside line is kept, 佐藤 not stored
    EXPECT_EQ(model().records().recordCount(8), 1);
    EXPECT_EQ(ops(), (std::vector<JournalOp>{JournalOp::Use, JournalOp::Outside}));
    fill("012", "20:30", "1", "21:30", "佐藤"); // done again on the data as it stands
    click(checkInButton());
    EXPECT_EQ(day().size(), 3u);
}

TEST_F(JournalDesk, AnOutsideChangeFoundAtLoadIsReportedOnceAndJournaled) {
    start();
    checkInYamada();
    writeDay(kDay, {kYamada, "009100200,2026/12/05 20:00,1,2026/12/05 21:00,2,009,外部,利用"});
    showAgain();
    ASSERT_EQ(world().messages.size(), 1u);
    EXPECT_EQ(lastMessageTitle(), "履歴");
    EXPECT_NE(lastMessageText().indexOf("外部変更として記録しました"), -1);
    showAgain();
    EXPECT_EQ(world().messages.size(), 1u);
    EXPECT_EQ(ops().back(), JournalOp::Outside);
}

TEST_F(JournalDesk, AMissingDayFileIsRebuiltFromItsJournalOnlyAfterAYes) {
    start();
    checkInYamada();
    const std::string last = dayBytes();
    pick(ymd(2026, 12, 4));
    std::filesystem::remove(dayFile(kDay));
    world().answer = false;
    pick(kDay);
    ASSERT_EQ(world().questions.size(), 1u);
    EXPECT_NE(world().questions[0].text.indexOf("005100100,2026/12/05 20:00"), -1);
    EXPECT_TRUE(day().empty()); // opened as it stands: created empty

    pick(ymd(2026, 12, 4));
    world().answer = true;
    pick(kDay);
    EXPECT_EQ(dayBytes(), last);
    EXPECT_EQ(model().records().recordCount(4), 1);
}

TEST_F(JournalDesk, TheHistoryListsTheDaysChangesNewestFirst) {
    start();
    checkInYamada();
    select(kYamada, {"利用", "精算"});
    click(settleButton());
    undo();
    runMenuEntry(QStringLiteral("履歴"));
    auto* history = form().findChild<HistoryWindow*>();
    ASSERT_NE(history, nullptr);
    EXPECT_TRUE(history->isVisible());
    const QAbstractItemModel* m = history->historyTable->model();
    ASSERT_EQ(m->rowCount(), 3);
    auto cell = [&](int r, int c) { return m->index(r, c).data().toString(); };
    EXPECT_EQ(cell(0, HistoryModel::Operation), "元に戻す（2）");
    EXPECT_EQ(cell(1, HistoryModel::Operation), "精算");
    EXPECT_EQ(cell(1, HistoryModel::Room), "005");
    EXPECT_EQ(cell(1, HistoryModel::Name), "山田");
    EXPECT_EQ(cell(1, HistoryModel::Before), "20:00-21:00 利用");
    EXPECT_EQ(cell(1, HistoryModel::After), "20:00-21:00 精算");
    EXPECT_EQ(cell(1, HistoryModel::State), "取り消し済み");
    EXPECT_EQ(cell(2, HistoryModel::Time), "20:00:00");
    EXPECT_EQ(history->historyTable->editTriggers(), QAbstractItemView::NoEditTriggers);
    history->close();
}

TEST_F(JournalDesk, TheDeskMenuAndItsKeysReachUndoRedoAndHistoryFromATextBox) {
    start();
    checkInYamada();
    QStringList entries;
    for (QAction* a : deskMenu()->actions())
        entries << a->text() + " " + a->shortcut().toString();
    EXPECT_TRUE(entries.contains("元に戻す Ctrl+Z")) << entries.join(", ").toStdString();
    EXPECT_TRUE(entries.contains("やり直す Ctrl+Y"));
    EXPECT_TRUE(entries.contains("履歴 Ctrl+H"));

    showActive();
    nameEdit()->setFocus();
    QTest::keyClicks(nameEdit(), "ab");
    world().answer = false;
    QTest::keyClick(nameEdit(), Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(world().questions.size(), 1u);
    EXPECT_EQ(world().questions[0].title, "元に戻す");
    EXPECT_EQ(nameEdit()->text(), "ab"); // the box's own undo did not run
    QTest::keyClick(nameEdit(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_NE(form().findChild<HistoryWindow*>(), nullptr);
    form().findChild<HistoryWindow*>()->close();
}

} // namespace
} // namespace kavro::test
