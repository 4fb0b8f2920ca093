// Operations on records of the small hours keep the dates the records have: a stay carried
// into the new day's file, a stay that ends at 06:00 and is extended, on the start-up day and
// on another shown day.
#include "core/screen/booking_list_line.h"
#include "support/selection_fixture.h"

#include <functional>

namespace kavro::test {
namespace {

enum class Op { Rename, Move, Extend, Notify, Settle };

struct SmallHoursCase {
    const char* name;
    DateTime now;              // the clock at start-up
    std::optional<Date> shown; // another day shown through the date picker
    Date fileDay;              // the business day whose file holds the record
    std::string line;          // the record selected, of room 004
    DateTime clickTime;        // a time inside its bar
    Op op;
    std::vector<std::string> expected; // the file afterwards
};
void PrintTo(const SmallHoursCase& c, std::ostream* os) { *os << c.name; }

const std::string kCarried = "004100300,2026/12/06 04:00,3,2026/12/06 07:00,2,004,山田,利用";
const std::string kEndsAtSix = "004100300,2026/12/06 04:00,2,2026/12/06 06:00,2,004,山田,利用";
const std::string kPastMidnight = "004100300,2026/12/05 22:30,1.5,2026/12/06 00:00,2,004,山田,利用";

std::string with(std::string line, const std::string& from, const std::string& to) {
    return line.replace(line.find(from), from.size(), to);
}

class SmallHours : public SelectionTest, public ::testing::WithParamInterface<SmallHoursCase> {};

TEST_P(SmallHours, AnOperationKeepsTheDatesItDoesNotChange) {
    const SmallHoursCase& c = GetParam();
    writeDay(c.fileDay, {c.line});
    setNow(c.now);
    start();
    if (c.shown) {
        // Another day's records are reached through the booking list (the board refuses a
        // past day's bar and empties the list).
        showDay(*c.shown, c.now);
        entry().showBookingList(bookingListLines(model().records(), "004100300"));
        chooseListLine(0);
    } else {
        showBoardFrom(addMinutes(c.clickTime, -60));
        clickAt(3, 60);
    }
    ASSERT_EQ(selected().id, "004100300");

    switch (c.op) {
    case Op::Rename:
        nameEdit()->setText(QStringLiteral("佐藤"));
        click(modifyButton());
        break;
    case Op::Move:
        roomBox()->setEditText(QStringLiteral("005"));
        click(modifyButton());
        break;
    case Op::Extend:
        click(extendButton());
        click(inputExtensionButton());
        break;
    case Op::Notify:
        click(notifyButton());
        break;
    case Op::Settle:
        click(settleButton());
        break;
    }
    EXPECT_TRUE(world().messages.empty()) << lastMessageText().toStdString();
    EXPECT_EQ(readDay(c.fileDay), c.expected);
}

const DateTime kAfterSix = at(2026, 12, 6, 6, 30);
const DateTime kBeforeSix = at(2026, 12, 6, 5, 50);
const DateTime kDayAfter = at(2026, 12, 7, 20, 0);
const Date k5 = ymd(2026, 12, 5), k6 = ymd(2026, 12, 6);

INSTANTIATE_TEST_SUITE_P(
    Rows, SmallHours,
    ::testing::Values(
        SmallHoursCase{"CarriedStayRenamed",
                       kAfterSix,
                       {},
                       k6,
                       kCarried,
                       kAfterSix,
                       Op::Rename,
                       {with(kCarried, "山田", "佐藤")}},
        SmallHoursCase{"CarriedStayMoved",
                       kAfterSix,
                       {},
                       k6,
                       kCarried,
                       kAfterSix,
                       Op::Move,
                       {with(kCarried, ",004,山田", ",005,山田")}},
        SmallHoursCase{"CarriedStayNotified",
                       kAfterSix,
                       {},
                       k6,
                       kCarried,
                       kAfterSix,
                       Op::Notify,
                       {with(kCarried, "利用", "通知")}},
        SmallHoursCase{"CarriedStaySettled",
                       kAfterSix,
                       {},
                       k6,
                       kCarried,
                       kAfterSix,
                       Op::Settle,
                       {with(kCarried, "利用", "精算")}},
        SmallHoursCase{"CarriedStayRenamedOnAnotherShownDay",
                       kDayAfter,
                       k6,
                       k6,
                       kCarried,
                       kAfterSix,
                       Op::Rename,
                       {with(kCarried, "山田", "佐藤")}},
        SmallHoursCase{"StayEndingAtSixExtended",
                       kBeforeSix,
                       {},
                       k5,
                       kEndsAtSix,
                       at(2026, 12, 6, 5, 0),
                       Op::Extend,
                       {with(kEndsAtSix, "利用", "延長"),
                        "004100301,2026/12/06 06:00,0.5,2026/12/06 06:30,2,004,山田,利用"}},
        SmallHoursCase{"StayEndingAtSixExtendedOnAnotherShownDay",
                       kDayAfter,
                       k5,
                       k5,
                       kEndsAtSix,
                       at(2026, 12, 6, 5, 0),
                       Op::Extend,
                       {with(kEndsAtSix, "利用", "延長"),
                        "004100301,2026/12/06 06:00,0.5,2026/12/06 06:30,2,004,山田,利用"}},
        SmallHoursCase{"StayEndingAtMidnightExtended",
                       at(2026, 12, 5, 23, 50),
                       {},
                       k5,
                       kPastMidnight,
                       at(2026, 12, 5, 23, 0),
                       Op::Extend,
                       {with(kPastMidnight, "利用", "延長"),
                        "004100301,2026/12/06 00:00,0.5,2026/12/06 00:30,2,004,山田,利用"}},
        SmallHoursCase{"StayPastMidnightRenamed",
                       at(2026, 12, 5, 23, 50),
                       {},
                       k5,
                       kPastMidnight,
                       at(2026, 12, 5, 23, 0),
                       Op::Rename,
                       {with(kPastMidnight, "山田", "佐藤")}}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace kavro::test
