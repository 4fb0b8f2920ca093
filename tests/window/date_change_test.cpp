#include "support/form_fixture.h"
#include "window/timetable_board.h"

#include <QDateEdit>
#include <QLabel>
#include <QTest>

namespace kavro::test {
namespace {

const QString kTooOld = QStringLiteral("30日以上前の記録は参照できません");
const QString kTooOldTitle = QStringLiteral("期日オーバー");

std::string rec(const std::string& id, const std::string& start, const std::string& end,
                const std::string& room, const std::string& status) {
    return id + "," + start + ",2," + end + ",2," + room + ",客," + status;
}

class DateChange : public FormTest {
protected:
    void pick(Date d) { pickDate(d); }
    void expectShowing(Date d) {
        const ShownDay& shown = model().shownDay();
        EXPECT_EQ(shown.date, d);
        EXPECT_EQ(datePicker()->date(),
                  QDate(static_cast<int>(d.year()), static_cast<unsigned>(d.month()),
                        static_cast<unsigned>(d.day())));
        EXPECT_EQ(shown.start, makeDateTime(d, 6, 0));
        EXPECT_EQ(shown.end, makeDateTime(addDays(d, 1), 6, 0));
        EXPECT_EQ(shown.offset, daysBetween(shown.today, d));
        EXPECT_EQ(model().dayFile(), dayFile(d));
    }
};

// ---- the 30-day limit ----

struct LimitCase {
    const char* name;
    DateTime now;
    std::optional<Date> shownBefore;
    Date picked;
    Date expected;
    bool refused;
};

class DateLimit : public DateChange, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(DateLimit, ThirtyDaysBackIsRefusedAndTheCurrentBusinessDayShown) {
    setNow(GetParam().now);
    start();
    if (GetParam().shownBefore)
        pick(*GetParam().shownBefore);
    world().messages.clear();
    pick(GetParam().picked);

    expectShowing(GetParam().expected);
    if (GetParam().refused) {
        ASSERT_EQ(world().messages.size(), 1u);
        EXPECT_EQ(lastMessageTitle(), kTooOldTitle);
        EXPECT_EQ(lastMessageText(), kTooOld);
    } else {
        EXPECT_TRUE(world().messages.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Days, DateLimit,
    ::testing::Values(
        LimitCase{"TwentyNineDaysBack",
                  at(2026, 12, 6, 10, 0),
                  {},
                  ymd(2026, 11, 7),
                  ymd(2026, 11, 7),
                  false},
        LimitCase{
            "ThirtyDaysBack", at(2026, 12, 6, 10, 0), {}, ymd(2026, 11, 6), ymd(2026, 12, 6), true},
        // Before 06:00 the days are counted from the business date, the 5th.
        LimitCase{"ThirtyDaysBackAtThree",
                  at(2026, 12, 6, 3, 0),
                  {},
                  ymd(2026, 11, 5),
                  ymd(2026, 12, 5),
                  true},
        LimitCase{"TwentyNineBusinessDaysBackAtThree",
                  at(2026, 12, 6, 3, 0),
                  {},
                  ymd(2026, 11, 6),
                  ymd(2026, 11, 6),
                  false},
        LimitCase{"TwentyNineDaysBackAtThree",
                  at(2026, 12, 6, 3, 0),
                  {},
                  ymd(2026, 11, 7),
                  ymd(2026, 11, 7),
                  false},
        LimitCase{"RefusedFromAnotherDay", at(2026, 12, 6, 10, 0), ymd(2026, 12, 1),
                  ymd(2026, 10, 1), ymd(2026, 12, 6), true},
        LimitCase{
            "NextYear", at(2026, 12, 6, 10, 0), {}, ymd(2027, 1, 15), ymd(2027, 1, 15), false}),
    [](const auto& p) { return std::string(p.param.name); });

// ---- other days ----

TEST_F(DateChange, TomorrowIsEmptyAndAReservationIsSavedIntoItsFile) {
    setNow(at(2026, 12, 6, 10, 0));
    const std::string today =
        rec("001100100", "2026/12/06 09:00", "2026/12/06 11:00", "001", "利用");
    writeDay(ymd(2026, 12, 6), {today});
    start();
    pick(ymd(2026, 12, 7));

    expectShowing(ymd(2026, 12, 7));
    EXPECT_EQ(model().shownDay().offset, 1);
    EXPECT_TRUE(model().records().empty());
    EXPECT_TRUE(std::filesystem::exists(dayFile(ymd(2026, 12, 7))));

    // The board shows the time of day on the 7th: a free place of room 004 at 10:00.
    pressRoom(3, at(2026, 12, 7, 10, 0));
    unitBox()->setEditText(QStringLiteral("2"));
    typeName(QStringLiteral("客"));
    click(reserveButton());
    const std::string reservation =
        rec("004100100", "2026/12/07 10:00", "2026/12/07 12:00", "004", "予約");
    EXPECT_EQ(readDay(ymd(2026, 12, 7)), (std::vector<std::string>{reservation}));
    EXPECT_EQ(readDay(ymd(2026, 12, 6)), (std::vector<std::string>{today}));
    EXPECT_EQ(model().records().at(3, 0), reservation);
    EXPECT_TRUE(world().messages.empty()) << lastMessageText().toStdString();
}

QColor labelColour(QLabel* label) { return label->grab().toImage().pixelColor(4, 4); }

TEST_F(DateChange, APastDayRunsOnTheTimeOfDayProjectedOntoIt) {
    setNow(at(2026, 12, 6, 14, 20, 0));
    writeDay(ymd(2026, 12, 1),
             {rec("005100100", "2026/12/01 13:00", "2026/12/01 14:25", "005", "利用"),
              rec("006100200", "2026/12/01 12:00", "2026/12/01 14:00", "006", "利用"),
              rec("007100300", "2026/12/01 13:00", "2026/12/01 16:00", "007", "利用")});
    start();
    pick(ymd(2026, 12, 1));

    expectShowing(ymd(2026, 12, 1));
    EXPECT_EQ(model().clock(), at(2026, 12, 1, 14, 20, 0));
    EXPECT_EQ(board().span().reference, at(2026, 12, 1, 14, 20, 0));

    EXPECT_EQ(clockLabel()->text(), QStringLiteral("14:20"));
    EXPECT_EQ(labelColour(roomLabel(4)), QColor(0xFF, 0xFF, 0x00)); // 5 minutes left
    EXPECT_EQ(labelColour(roomLabel(5)), QColor(0xFF, 0x00, 0x00)); // over
    EXPECT_EQ(labelColour(roomLabel(6)), QColor(0xFF, 0xFF, 0xFF)); // 100 minutes left
}

TEST_F(DateChange, BeforeSixThePastDaysClockLiesOnTheFollowingDate) {
    setNow(at(2026, 12, 6, 3, 0, 15));
    start();
    pick(ymd(2026, 12, 1));
    EXPECT_EQ(model().clock(), at(2026, 12, 2, 3, 0, 15));
    EXPECT_EQ(board().span().reference, at(2026, 12, 2, 3, 0, 15));
}

TEST_F(DateChange, BackToTheStartUpDayTheRealClockReturns) {
    setNow(at(2026, 12, 6, 3, 0, 15));
    start();
    pick(ymd(2026, 11, 20));
    setNow(at(2026, 12, 6, 3, 1, 40));
    pick(ymd(2026, 12, 5));

    expectShowing(ymd(2026, 12, 5));
    EXPECT_EQ(model().shownDay().offset, 0);
    EXPECT_EQ(model().clock(), at(2026, 12, 6, 3, 1, 40));
    EXPECT_EQ(board().span().reference, at(2026, 12, 6, 3, 1, 40));
}

TEST_F(DateChange, ADateTypedDigitByDigitIsShownOnlyWhenFinished) {
    setNow(at(2026, 12, 6, 10, 0));
    start();
    form().show();
    datePicker()->setFocus();
    datePicker()->setSelectedSection(QDateTimeEdit::DaySection);
    // On the way to the 15th the field holds the 1st for a moment.
    QTest::keyClick(datePicker(), Qt::Key_1);
    QTest::keyClick(datePicker(), Qt::Key_5);
    EXPECT_EQ(model().dayFile(), dayFile(ymd(2026, 12, 6)));
    QTest::keyClick(datePicker(), Qt::Key_Return);

    expectShowing(ymd(2026, 12, 15));
    EXPECT_FALSE(std::filesystem::exists(dayFile(ymd(2026, 12, 1))));
}

} // namespace
} // namespace kavro::test
