// The journal at the desk: every change journaled under its operation, undo and redo after a
// question, refusals that change nothing, the history window, a day file rebuilt or found
// changed by another program.
#include "support/entry_fixture.h"
#include "window/history_window.h"

#include <QAction>
#include <QDateEdit>
#include <QMenu>
#include <QPlainTextEdit>
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
    EXPECT_EQ(world().questions[0].text, "次の変更を元に戻しますか？\r\n12/05 20:00 利用 005 山田");
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
    nameEdit()->setText(QStringLiteral("山本"));
    click(modifyButton());
    select(day()[0], {"利用", "精算"});
    click(settleButton());
    undo();
    runMenuEntry(QStringLiteral("履歴"));
    auto* history = form().findChild<HistoryWindow*>();
    ASSERT_NE(history, nullptr);
    EXPECT_TRUE(history->isVisible());
    const QAbstractItemModel* m = history->historyTable->model();
    ASSERT_EQ(m->rowCount(), 4);
    auto cell = [&](int r, int c, int role = Qt::DisplayRole) {
        return m->index(r, c).data(role).toString();
    };
    EXPECT_EQ(m->headerData(HistoryModel::Room, Qt::Horizontal).toString(), "区分");
    EXPECT_EQ(cell(0, HistoryModel::Number), "4");
    EXPECT_EQ(cell(0, HistoryModel::Operation), "元に戻す（番号3 精算）");
    EXPECT_EQ(cell(1, HistoryModel::Number), "3");
    EXPECT_EQ(cell(1, HistoryModel::Operation), "精算");
    EXPECT_EQ(cell(1, HistoryModel::Room), "005");
    EXPECT_EQ(cell(1, HistoryModel::Name), "山本");
    EXPECT_EQ(cell(1, HistoryModel::Before), "20:00-21:00 利用");
    EXPECT_EQ(cell(1, HistoryModel::After), "20:00-21:00 精算");
    EXPECT_EQ(cell(1, HistoryModel::State), "取り消し済み");
    EXPECT_EQ(cell(2, HistoryModel::Operation), "修正");
    EXPECT_EQ(cell(2, HistoryModel::Name), "山田, 山本");
    EXPECT_EQ(cell(2, HistoryModel::Before), "20:00-21:00 利用 名前：山田");
    EXPECT_EQ(cell(2, HistoryModel::After), "20:00-21:00 利用 名前：山本");
    EXPECT_EQ(cell(2, HistoryModel::After, Qt::ToolTipRole), cell(2, HistoryModel::After));
    history->historyTable->setCurrentIndex(m->index(2, 0)); // as the arrow keys move it
    const auto* detail = history->findChild<QPlainTextEdit*>(QStringLiteral("historyDetail"));
    ASSERT_NE(detail, nullptr);
    EXPECT_NE(detail->toPlainText().indexOf("変更後：20:00-21:00 利用 名前：山本"), -1)
        << detail->toPlainText().toStdString();
    EXPECT_EQ(cell(3, HistoryModel::Time), "20:00:00");
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

// ---- at the 06:00 day change ----

// Room 007 from 05:00 to 07:00 of the night of 12/05: the 06:00 change carries it into 12/06.
const std::string kNana = "007100100,2026/12/06 05:00,1,2026/12/06 07:00,2,007,ナナ,利用";
const Date kNextDay = ymd(2026, 12, 6);

TEST_F(JournalDesk, AnUndoReachingAStayOfTheNextDayIsRefusedAndNamesThatDay) {
    setNow(at(2026, 12, 6, 5, 58));
    startWith({kNana});
    select(kNana, {"利用", "精算"});
    click(deleteButton()); // by mistake, two minutes before the day change
    ASSERT_TRUE(day().empty());
    world().answer = false;
    undo();
    ASSERT_EQ(world().questions.size(), 1u);
    EXPECT_EQ(world().questions[0].text, "次の変更を元に戻しますか？\r\n12/05 05:58 削除 007 ナナ");

    setNow(at(2026, 12, 6, 6, 0, 30));
    form().tick(); // 12/06 begins without room 007
    ASSERT_EQ(world().restartRequests, 1);
    pick(kDay);
    world().answer = true;
    undo();
    EXPECT_EQ(world().questions.size(), 1u); // refused before asking
    EXPECT_EQ(lastMessageTitle(), "元に戻す");
    EXPECT_EQ(lastMessageText(), "この変更は 12/06 に引き継がれた利用に関わるため、元に戻せません。"
                                 "\r\n12/06 の表示で修正してください");
    EXPECT_TRUE(day().empty());
    EXPECT_TRUE(readDay(kNextDay).empty());
}

// The 06:00 tick comes while the undo's question is open. It waits until the question
// closes: the undo goes to the day it asked about, and the day change carries what the
// answer left.
class QuestionAtSix : public JournalDesk, public ::testing::WithParamInterface<bool> {};

TEST_P(QuestionAtSix, HoldsTheDayChangeUntilTheQuestionCloses) {
    const bool yes = GetParam();
    setNow(at(2026, 12, 6, 5, 58));
    startWith({kNana});
    fill("012", "05:58", "1", "06:58", "サトウ");
    click(checkInButton());
    ASSERT_EQ(day().size(), 2u);

    setNow(at(2026, 12, 6, 5, 59, 50));
    world().answer = yes;
    world().whileNextDialogIsOpen = [this] {
        setNow(at(2026, 12, 6, 6, 0, 10));
        form().tick();
        EXPECT_EQ(world().restartRequests, 0) << "the day changed under the question";
    };
    undo();
    QCoreApplication::processEvents(); // the tick held by the question
    ASSERT_EQ(world().questions.size(), 1u);
    EXPECT_EQ(world().restartRequests, 1);
    EXPECT_EQ(datePicker()->date(), QDate(2026, 12, 6));
    EXPECT_EQ(day().size(), yes ? 1u : 2u);
    EXPECT_EQ(readDay(kNextDay).size(), yes ? 1u : 2u); // 007, and 012 unless taken back
    DayJournal ended(journalPathFor(dayFile(kDay)));
    ASSERT_FALSE(ended.load().error);
    EXPECT_EQ(ended.entries().back().op, yes ? JournalOp::Undo : JournalOp::Use);
}

INSTANTIATE_TEST_SUITE_P(Answers, QuestionAtSix, ::testing::Values(true, false),
                         [](const auto& p) { return p.param ? "Yes" : "No"; });

} // namespace
} // namespace kavro::test
