#include "support/form_fixture.h"

#include "ledger/record.h"

#include <QLabel>
#include <QListWidget>
#include <QTimer>

namespace kavro::test {
namespace {

const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kYellow(0xFF, 0xFF, 0x00);
const QColor kLightPink(0xFF, 0xDD, 0xDD);
const QColor kRed(0xFF, 0x00, 0x00);

const char* const kStay = "005100100,2026/12/05 22:00,1,2026/12/05 23:00,2,005,山田,利用";
const char* const kCalled = "005100100,2026/12/05 22:00,1,2026/12/05 23:00,2,005,山田,通知";

class ClockTick : public FormTest {
protected:
    QColor labelColour(int room) {
        return form().roomLabels[room]->palette().color(QPalette::Window);
    }
    bool alarmOn() { return form().alarmTimer->isActive(); }
    QStringList remainingList() {
        QStringList items;
        for (int i = 0; i < form().remainingList->count(); ++i)
            items << form().remainingList->item(i)->text();
        return items;
    }
    void tickAt(DateTime now) {
        setNow(now);
        form().tick();
    }
};

TEST_F(ClockTick, StayTurnsYellowThenRedWithTheAlarm) {
    writeDay(ymd(2026, 12, 5), {kStay});
    setNow(at(2026, 12, 5, 22, 48, 59));
    start();
    EXPECT_EQ(labelColour(4), kWhite);
    EXPECT_FALSE(alarmOn());
    EXPECT_EQ(world().beeps, 0);
    EXPECT_EQ(remainingList(), QStringList{QStringLiteral("005 012  山田")});

    tickAt(at(2026, 12, 5, 22, 49, 0));
    EXPECT_EQ(labelColour(4), kYellow);
    EXPECT_TRUE(alarmOn());
    EXPECT_EQ(world().beeps, 1); // at once, not 5 seconds later
    EXPECT_EQ(form().alarmTimer->interval(), 5000);
    form().beepAlarm();
    EXPECT_EQ(world().beeps, 2);

    tickAt(at(2026, 12, 5, 23, 0, 0));
    EXPECT_EQ(labelColour(4), kRed);
    EXPECT_TRUE(alarmOn());
    EXPECT_EQ(remainingList(), QStringList{QStringLiteral("005 000  山田")});
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

    // The stay is settled in the file; the next load's tick takes the alarm away.
    form().roomGrid.at(4, 0) = withStatus(kStay, kStatusSettled);
    ASSERT_TRUE(form().saveAndReload(JournalOp::Modify));
    EXPECT_EQ(labelColour(4), kWhite);
    EXPECT_FALSE(alarmOn());
    EXPECT_TRUE(remainingList().isEmpty());
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
    EXPECT_EQ(form().remainingList->count(), 0);
}

TEST_F(ClockTick, ListOrdersByRemainingMinutesLaterRoomFirstOnTies) {
    writeDay(ymd(2026, 12, 5), {"002100100,2026/12/05 22:00,1,2026/12/05 23:30,2,002,B,利用",
                                "020100200,2026/12/05 22:00,1,2026/12/05 23:30,2,020,T,利用",
                                "010100300,2026/12/05 22:00,1,2026/12/05 22:57,2,010,J,通知",
                                "011100400,2026/12/05 22:00,1,2026/12/05 23:00,2,011,K,利用"});
    setNow(at(2026, 12, 5, 23, 0, 30));
    start();
    EXPECT_EQ(remainingList(),
              (QStringList{QStringLiteral("010 -003  J"), QStringLiteral("011 000  K"),
                           QStringLiteral("020 030  T"), QStringLiteral("002 030  B")}));
}

TEST_F(ClockTick, SaveDayStopsTheAlarmUntilTheNextTick) {
    writeDay(ymd(2026, 12, 5), {kStay});
    setNow(at(2026, 12, 5, 22, 55, 0));
    start();
    ASSERT_TRUE(alarmOn());
    const int beeps = world().beeps;

    ASSERT_TRUE(form().saveDay(JournalOp::Modify));
    EXPECT_FALSE(alarmOn());
    EXPECT_EQ(world().beeps, beeps);

    form().loadDay();
    EXPECT_TRUE(alarmOn());
    EXPECT_EQ(world().beeps, beeps + 1);
}

TEST_F(ClockTick, ClockFollowsTheTimeAndMovesTheWindow) {
    setNow(at(2026, 12, 5, 21, 47, 40));
    start();
    EXPECT_EQ(form().clockLabel->text(), QStringLiteral("21:47"));
    EXPECT_EQ(form().clockNow, at(2026, 12, 5, 21, 47, 40));
    EXPECT_EQ(form().board.reference, form().clockNow);
    EXPECT_EQ(form().board.start, at(2026, 12, 5, 20, 17, 40));

    tickAt(at(2026, 12, 6, 0, 3, 10));
    EXPECT_EQ(form().clockLabel->text(), QStringLiteral("00:03"));
    EXPECT_EQ(form().board.start, at(2026, 12, 5, 22, 33, 10));
}

TEST_F(ClockTick, AnotherShownDayGetsTheTimeOfDayProjectedOntoIt) {
    start();
    form().setShownDay(ymd(2026, 12, 3), ymd(2026, 12, 5));
    tickAt(at(2026, 12, 6, 2, 15, 0));
    EXPECT_EQ(form().clockNow, at(2026, 12, 4, 2, 15, 0));
    EXPECT_EQ(form().clockLabel->text(), QStringLiteral("02:15"));
}

TEST_F(ClockTick, WindowMouseMoveHidesBothReadouts) {
    start();
    form().hoverReadouts[0]->show();
    form().hoverReadouts[1]->show();
    form().hideHoverReadouts();
    EXPECT_TRUE(form().hoverReadouts[0]->isHidden());
    EXPECT_TRUE(form().hoverReadouts[1]->isHidden());
}

} // namespace
} // namespace kavro::test
