// The report window reached from the main window, and the summary file kept by start-up,
// loads and saves.
#include "support/form_fixture.h"

#include "core/figures/summary_file.h"
#include "window/report/report_window.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace kavro::test {
namespace {

namespace fs = std::filesystem;

const std::string kStay = "001100100,2026/12/05 10:00,1,2026/12/05 11:00,2,001,山田,精算";

class ReportEntryTest : public FormTest {
protected:
    SummaryFile summary() const { return readSummaryFile(dir().path()).file; }
    ReportWindow* reportWindow() { return form().findChild<ReportWindow*>(); }
};

TEST_F(ReportEntryTest, CtrlROpensTheReportOnTheShownDayFromTheDeskMenu) {
    start();
    form().show();
    form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    const auto actions = deskMenu()->actions();
    const auto entry = std::find_if(actions.begin(), actions.end(),
                                    [](QAction* a) { return a->text() == "集計"; });
    ASSERT_NE(entry, actions.end());
    EXPECT_EQ((*entry)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));

    QTest::keyClick(&form(), Qt::Key_R, Qt::ControlModifier);
    ReportWindow* report = reportWindow();
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->isVisible());
    EXPECT_EQ(report->period(), periodContaining(PeriodKind::Day, ymd(2026, 12, 5)));
    EXPECT_TRUE(report->isWindow()) << "its own window, over no control of the board";

    (*entry)->trigger(); // a second time: the same window, raised
    EXPECT_EQ(reportWindow(), report);
    report->close();
    QTest::qWait(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return reportWindow() == nullptr; }, 2000));
}

TEST_F(ReportEntryTest, ShowingAndSavingADayWritesItsLine) {
    writeDay(ymd(2026, 12, 5), {kStay});
    start();
    form().waitForSummary();
    ASSERT_EQ(summary().days.count(ymd(2026, 12, 5)), 1u);
    EXPECT_EQ(summary().days.at(ymd(2026, 12, 5)).figures.parties, 1);

    pressRoom(4, at(2026, 12, 5, 20, 10));
    peopleBox()->setEditText(QStringLiteral("3"));
    typeName(QStringLiteral("佐藤"));
    click(checkInButton());
    ASSERT_EQ(readDay(ymd(2026, 12, 5)).size(), 2u);
    form().waitForSummary();
    EXPECT_EQ(summary().days.at(ymd(2026, 12, 5)).figures.parties, 2);
    EXPECT_EQ(summary().days.at(ymd(2026, 12, 5)).figures.people, 5);
    EXPECT_TRUE(world().messages.empty());
}

TEST_F(ReportEntryTest, StartUpStoresThePurgedDaysAndRefreshesChangedOnes) {
    const Date purged = ymd(2026, 11, 5); // 30 days before the clock's 2026/12/05
    writeDay(purged, {"001100100,2026/11/05 10:00,1,2026/11/05 11:00,4,001,山田,精算"});
    writeDay(ymd(2026, 11, 20), {kStay}); // kept; its line is stale
    writeDay(ymd(2026, 12, 4), {kStay});  // the desk worked yesterday: the clock is trusted
    writeBytes(dir() / std::string(kSummaryFileName),
               std::string(kSummaryHeader) + "\n" + "1 2026-11-20 src=- parties=9\n");
    start();
    EXPECT_FALSE(fs::exists(dayFile(purged)));
    EXPECT_EQ(summary().days.at(purged).figures.people, 4);
    EXPECT_EQ(summary().days.at(ymd(2026, 11, 20)).figures.parties, 1);
    EXPECT_EQ(lastMessageTitle(), "集計ファイルの確認") << "the damaged line, kept";
    EXPECT_NE(readBytes(dir() / std::string(kSummaryFileName)).find("parties=9\n"),
              std::string::npos);
}

TEST_F(ReportEntryTest, WhenTheSummaryCannotBeWrittenNothingIsPurged) {
    const Date purged = ymd(2026, 11, 5);
    writeDay(purged, {kStay});
    fs::create_directory(dir() / std::string(kSummaryFileName));
    start();
    EXPECT_TRUE(fs::exists(dayFile(purged)));
    EXPECT_EQ(lastMessageTitle(), "ファイルエラー");
    EXPECT_NE(lastMessageText().indexOf("削除せずに残して"), -1);
}

} // namespace
} // namespace kavro::test
