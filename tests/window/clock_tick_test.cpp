#include "support/selection_fixture.h"
#include "window/timetable_board.h"

#include "core/records/record.h"

#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <cstdio>

namespace kavro::test {
namespace {

const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kYellow(0xFF, 0xFF, 0x00);
const QColor kLightPink(0xFF, 0xDD, 0xDD);
const QColor kRed(0xFF, 0x00, 0x00);

const char* const kStay = "005100100,2026/12/05 22:00,1,2026/12/05 23:00,2,005,山田,利用";
const char* const kCalled = "005100100,2026/12/05 22:00,1,2026/12/05 23:00,2,005,山田,通知";

class ClockTick : public SelectionTest {
protected:
    QColor labelColour(int room) { return roomLabel(room)->palette().color(QPalette::Window); }
    bool alarmOn() { return alarmTimer()->isActive(); }
    QStringList remainingLines() {
        QStringList items;
        for (int i = 0; i < remainingList()->count(); ++i)
            items << remainingList()->item(i)->text();
        return items;
    }
};

TEST_F(ClockTick, StayTurnsYellowThenRedWithTheAlarm) {
    writeDay(ymd(2026, 12, 5), {kStay});
    setNow(at(2026, 12, 5, 22, 48, 59));
    start();
    EXPECT_EQ(labelColour(4), kWhite);
    EXPECT_FALSE(alarmOn());
    EXPECT_EQ(world().beeps, 0);
    EXPECT_EQ(remainingLines(), QStringList{QStringLiteral("005 012  山田")});

    tickAt(at(2026, 12, 5, 22, 49, 0));
    EXPECT_EQ(labelColour(4), kYellow);
    EXPECT_TRUE(alarmOn());
    EXPECT_EQ(world().beeps, 1); // at once, not 5 seconds later
    EXPECT_EQ(alarmTimer()->interval(), 5000);
    alarmTimer()->start(1); // the next beep now rather than in 5 seconds
    EXPECT_TRUE(QTest::qWaitFor([&] { return world().beeps >= 2; }, 1000));
    alarmTimer()->setInterval(5000);

    tickAt(at(2026, 12, 5, 23, 0, 0));
    EXPECT_EQ(labelColour(4), kRed);
    EXPECT_TRUE(alarmOn());
    EXPECT_EQ(remainingLines(), QStringList{QStringLiteral("005 000  山田")});
    for (int room = 0; room < 34; ++room) {
        if (room != 4) {
            EXPECT_EQ(labelColour(room), kWhite) << room;
        }
    }
}

TEST_F(ClockTick, CalledStayIsQuietLightPinkUntilItsEnd) {
    writeDay(ymd(2026, 12, 5), {kCalled});
    setNow(at(2026, 12, 5, 22, 52, 0));
    start();
    EXPECT_EQ(labelColour(4), kLightPink);
    EXPECT_FALSE(alarmOn());
    EXPECT_EQ(world().beeps, 0);

    tickAt(at(2026, 12, 5, 23, 0, 0));
    EXPECT_EQ(labelColour(4), kRed);
    EXPECT_TRUE(alarmOn());
    EXPECT_EQ(world().beeps, 1);
}

TEST_F(ClockTick, ColoursAndAlarmAreRecomputedEveryTick) {
    writeDay(ymd(2026, 12, 5), {kStay});
    setNow(at(2026, 12, 5, 23, 10, 0));
    start();
    ASSERT_EQ(labelColour(4), kRed);
    ASSERT_TRUE(alarmOn());

    // The stay is settled; the tick that ends the operation takes the alarm away.
    showBoardFrom(at(2026, 12, 5, 22, 0));
    clickAt(4, 30);
    click(settleButton());
    ASSERT_EQ(readDay(ymd(2026, 12, 5)),
              std::vector<std::string>{withStatus(kStay, kStatusSettled)});
    EXPECT_EQ(labelColour(4), kWhite);
    EXPECT_FALSE(alarmOn());
    EXPECT_TRUE(remainingLines().isEmpty());
}

TEST_F(ClockTick, OtherStatusesNeverColourNorList) {
    writeDay(ymd(2026, 12, 5), {"001100100,2026/12/05 22:00,1,2026/12/05 23:00,2,001,予約客,予約",
                                "002100200,2026/12/05 22:00,1,2026/12/05 23:00,2,002,延長客,延長",
                                "003100300,2026/12/05 22:00,1,2026/12/05 23:00,2,003,精算客,精算"});
    setNow(at(2026, 12, 5, 23, 5, 0));
    start();
    for (int room : {0, 1, 2})
        EXPECT_EQ(labelColour(room), kWhite);
    EXPECT_FALSE(alarmOn());
    EXPECT_EQ(world().beeps, 0);
    EXPECT_EQ(remainingList()->count(), 0);
}

TEST_F(ClockTick, ListOrdersByRemainingMinutesLaterRoomFirstOnTies) {
    writeDay(ymd(2026, 12, 5), {"002100100,2026/12/05 22:00,1,2026/12/05 23:30,2,002,B,利用",
                                "020100200,2026/12/05 22:00,1,2026/12/05 23:30,2,020,T,利用",
                                "010100300,2026/12/05 22:00,1,2026/12/05 22:57,2,010,J,通知",
                                "011100400,2026/12/05 22:00,1,2026/12/05 23:00,2,011,K,利用"});
    setNow(at(2026, 12, 5, 23, 0, 30));
    start();
    EXPECT_EQ(remainingLines(),
              (QStringList{QStringLiteral("010 -003  J"), QStringLiteral("011 000  K"),
                           QStringLiteral("020 030  T"), QStringLiteral("002 030  B")}));
}

TEST_F(ClockTick, AnOperationRestartsTheAlarmWithTheTickThatEndsIt) {
    writeDay(ymd(2026, 12, 5), {kStay});
    setNow(at(2026, 12, 5, 22, 55, 0));
    start();
    ASSERT_TRUE(alarmOn());
    const int beeps = world().beeps;

    // Another room's check-in: the overdue stay still sounds, at once and once.
    pressRoom(6, at(2026, 12, 5, 23, 0));
    typeName(QStringLiteral("佐藤"));
    click(checkInButton());
    ASSERT_EQ(readDay(ymd(2026, 12, 5)).size(), 2u);
    EXPECT_TRUE(alarmOn());
    EXPECT_EQ(world().beeps, beeps + 1);
}

TEST_F(ClockTick, ClockFollowsTheTimeAndMovesTheWindow) {
    setNow(at(2026, 12, 5, 21, 47, 40));
    start();
    EXPECT_EQ(clockLabel()->text(), QStringLiteral("21:47"));
    EXPECT_EQ(model().clock(), at(2026, 12, 5, 21, 47, 40));
    EXPECT_EQ(board().span().reference, model().clock());
    EXPECT_EQ(board().span().start, at(2026, 12, 5, 20, 17, 40));

    tickAt(at(2026, 12, 6, 0, 3, 10));
    EXPECT_EQ(clockLabel()->text(), QStringLiteral("00:03"));
    EXPECT_EQ(board().span().start, at(2026, 12, 5, 22, 33, 10));
}

TEST_F(ClockTick, AnotherShownDayGetsTheTimeOfDayProjectedOntoIt) {
    start();
    pickDate(ymd(2026, 12, 3));
    tickAt(at(2026, 12, 6, 2, 15, 0));
    EXPECT_EQ(model().clock(), at(2026, 12, 4, 2, 15, 0));
    EXPECT_EQ(clockLabel()->text(), QStringLiteral("02:15"));
}

TEST_F(ClockTick, WindowMouseMoveHidesBothReadouts) {
    start();
    hoverBoard(0, 100, 100);
    hoverBoard(1, 100, 100);
    ASSERT_FALSE(hoverReadout(0)->isHidden());
    ASSERT_FALSE(hoverReadout(1)->isHidden());
    const QPointF beside(5, 5); // the window's own background, off the board
    QMouseEvent move(QEvent::MouseMove, beside, form().mapToGlobal(beside), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form(), &move);
    EXPECT_TRUE(hoverReadout(0)->isHidden());
    EXPECT_TRUE(hoverReadout(1)->isHidden());
}

// The clerk's place in the list: a tick that changes nothing there leaves it where it is.
TEST_F(ClockTick, AnUnchangedListKeepsTheClerksPlace) {
    std::vector<std::string> stays;
    for (int room = 1; room <= 30; ++room) {
        char code[4];
        std::snprintf(code, sizeof code, "%03d", room);
        stays.push_back(std::string(code) + std::to_string(100100 + room) +
                        ",2026/12/05 22:00,1,2026/12/05 23:30,2," + code + ",客,利用");
    }
    writeDay(ymd(2026, 12, 5), stays);
    setNow(at(2026, 12, 5, 23, 0, 0));
    start();
    ASSERT_EQ(remainingList()->count(), 30);
    remainingList()->setCurrentRow(25);

    tickAt(at(2026, 12, 5, 23, 0, 30));
    EXPECT_EQ(remainingList()->currentRow(), 25);
    tickAt(at(2026, 12, 5, 23, 1, 0));
    EXPECT_EQ(remainingLines().front(), QStringLiteral("030 029  客")) << "a new minute is shown";
}

} // namespace
} // namespace kavro::test
