#include "support/form_fixture.h"

#include "core/records/record.h"

#include <QDateEdit>
#include <QLineEdit>

namespace kavro::test {
namespace {

std::string rec(const std::string& id, const std::string& start, const std::string& end,
                const std::string& room, const std::string& status,
                const std::string& name = "山田") {
    return id + "," + start + ",2," + end + ",3," + room + "," + name + "," + status;
}

// Business day 2026/12/05 ends at 2026/12/06 06:00; 2026/12/06 begins.
const std::string kStay = rec("012100300", "2026/12/06 05:00", "2026/12/06 07:00", "012", "利用");
const std::string kCarried =
    rec("012100200", "2026/12/06 05:00", "2026/12/06 07:00", "012", "利用");
const std::string kEvening =
    rec("001100100", "2026/12/05 20:00", "2026/12/05 22:00", "001", "精算");
const std::string kReserved =
    rec("012100100", "2026/12/06 09:00", "2026/12/06 11:00", "012", "予約");

class Rollover : public FormTest {
protected:
    const Date ending = ymd(2026, 12, 5);
    const Date fresh = ymd(2026, 12, 6);

    void startAt(DateTime t) {
        setNow(t);
        start();
    }
    void tick(DateTime t) { tickAt(t); }
    void pick(Date d) { pickDate(d); }
};

TEST_F(Rollover, AppendsTheStayAfterTheNewDaysLinesAndAsksToRestart) {
    writeDay(ending, {kEvening, kStay});
    writeDay(fresh, {kReserved});
    startAt(at(2026, 12, 6, 5, 59, 30));
    tick(at(2026, 12, 6, 6, 0, 0));

    EXPECT_EQ(readDay(fresh), (std::vector<std::string>{kReserved, kCarried}));
    EXPECT_EQ(readDay(ending), (std::vector<std::string>{kEvening, kStay}));
    EXPECT_EQ(world().restartRequests, 1);
    EXPECT_TRUE(world().messages.empty());
}

TEST_F(Rollover, AMissingNewDayFileIsCreatedWithTheCarriedLinesOnly) {
    writeDay(ending,
             {kStay, rec("020100400", "2026/12/06 04:00", "2026/12/06 06:00", "020", "利用")});
    startAt(at(2026, 12, 6, 5, 59, 30));
    tick(at(2026, 12, 6, 6, 0, 0));

    EXPECT_EQ(readDay(fresh), (std::vector<std::string>{rec("012100100", "2026/12/06 05:00",
                                                            "2026/12/06 07:00", "012", "利用")}));
}

// ---- once per 06:00 ----

struct OnceCase {
    const char* name;
    DateTime startAt;
    std::vector<DateTime> ticks;
    int restarts;
    std::size_t newDayLines;
};

class RolloverOnce : public Rollover, public ::testing::WithParamInterface<OnceCase> {};

TEST_P(RolloverOnce, RunsOncePerSixOClockAndNeverOnTheFirstTick) {
    writeDay(ending, {kStay});
    startAt(GetParam().startAt);
    for (DateTime t : GetParam().ticks)
        tick(t);
    EXPECT_EQ(world().restartRequests, GetParam().restarts);
    EXPECT_EQ(readDay(fresh).size(), GetParam().newDayLines);
}

INSTANTIATE_TEST_SUITE_P(
    Ticks, RolloverOnce,
    ::testing::Values(
        OnceCase{"TwoTicksInTheMinute",
                 at(2026, 12, 6, 5, 59, 30),
                 {at(2026, 12, 6, 6, 0, 0), at(2026, 12, 6, 6, 0, 30)},
                 1,
                 1},
        OnceCase{
            "StartedDuringTheMinute", at(2026, 12, 6, 6, 0, 20), {at(2026, 12, 6, 6, 0, 50)}, 0, 0},
        OnceCase{"TickDelayedPastTheMinute",
                 at(2026, 12, 6, 5, 59, 50),
                 {at(2026, 12, 6, 6, 1, 5)},
                 1,
                 1},
        OnceCase{"ClockSetBackAndForward",
                 at(2026, 12, 6, 5, 59, 30),
                 {at(2026, 12, 6, 6, 0, 10), at(2026, 12, 6, 5, 59, 50), at(2026, 12, 6, 6, 0, 20)},
                 1,
                 1},
        OnceCase{"EveryMorning",
                 at(2026, 12, 6, 5, 59, 30),
                 {at(2026, 12, 6, 6, 0, 0), at(2026, 12, 7, 5, 59, 30), at(2026, 12, 7, 6, 0, 0)},
                 2,
                 1}),
    [](const auto& p) { return std::string(p.param.name); });

// ---- after the restart request ----

class RolloverAnswer : public Rollover, public ::testing::WithParamInterface<bool> {};

TEST_P(RolloverAnswer, TheWindowGoesOnWithTheNewDayAndNothingIsLostOrRepeated) {
    world().restartAccepted = GetParam();
    writeDay(ending, {kStay});
    writeDay(fresh, {kReserved});
    startAt(at(2026, 12, 6, 5, 59, 30));
    tick(at(2026, 12, 6, 6, 0, 0));

    const ShownDay& shown = model().shownDay();
    EXPECT_EQ(shown.date, fresh);
    EXPECT_EQ(datePicker()->date(), QDate(2026, 12, 6));
    EXPECT_EQ(shown.today, fresh);
    EXPECT_EQ(shown.offset, 0);
    EXPECT_EQ(shown.start, at(2026, 12, 6, 6, 0));
    EXPECT_EQ(shown.end, at(2026, 12, 7, 6, 0));
    EXPECT_EQ(model().dayFile(), dayFile(fresh));
    EXPECT_EQ(model().records().at(11, 0), kReserved);
    EXPECT_EQ(model().records().at(11, 1), kCarried);

    // The next change saves the day: the carried stay must still be there afterwards.
    pressRoom(1, at(2026, 12, 6, 6, 5));
    unitBox()->setEditText(QStringLiteral("2"));
    peopleBox()->setEditText(QStringLiteral("3"));
    typeName(QStringLiteral("山田"));
    click(checkInButton());
    const std::string walkIn =
        rec("002100300", "2026/12/06 06:05", "2026/12/06 08:05", "002", "利用");
    EXPECT_EQ(readDay(fresh), (std::vector<std::string>{walkIn, kReserved, kCarried}));

    // A second run against the same morning adds nothing: the program started again on a
    // clock set back before 06:00, and its first 06:00.
    setNow(at(2026, 12, 6, 5, 59, 50));
    restart();
    tick(at(2026, 12, 6, 6, 0, 40));
    EXPECT_EQ(readDay(fresh), (std::vector<std::string>{walkIn, kReserved, kCarried}));
    EXPECT_TRUE(world().messages.empty()) << lastMessageText().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Restart, RolloverAnswer, ::testing::Values(false, true),
                         [](const auto& p) {
                             return std::string(p.param ? "Accepted" : "Refused");
                         });

// ---- another day on screen at 06:00 ----

class RolloverOtherDayShown : public Rollover, public ::testing::WithParamInterface<Date> {};

TEST_P(RolloverOtherDayShown, TheEndingDayIsCarriedNotTheShownOne) {
    const Date shown = GetParam();
    const auto shownEnd = formatDate(addDays(shown, 1));
    const std::string shownStay =
        rec("003100100", shownEnd + " 05:00", shownEnd + " 08:00", "003", "予約", "別日");
    writeDay(shown, {shownStay});
    writeDay(ending, {kStay});
    startAt(at(2026, 12, 6, 5, 58, 0));
    pick(shown);
    ASSERT_EQ(model().shownDay().date, shown);
    tick(at(2026, 12, 6, 6, 0, 10));

    EXPECT_EQ(readDay(fresh), (std::vector<std::string>{rec("012100100", "2026/12/06 05:00",
                                                            "2026/12/06 07:00", "012", "利用")}));
    EXPECT_EQ(readDay(shown), (std::vector<std::string>{shownStay}));
    EXPECT_EQ(model().shownDay().date, fresh);
}

INSTANTIATE_TEST_SUITE_P(Days, RolloverOtherDayShown,
                         ::testing::Values(ymd(2026, 12, 1), ymd(2026, 12, 8)));

// ---- the new day's file ----

TEST_F(Rollover, LinesOfTheNewDayThatCannotBeReadAreKeptByteForByte) {
    writeDay(ending, {kStay});
    const std::string odd = "\x80\xA0 odd\r\nno,record\r\n";
    writeBytes(dayFile(fresh), odd);
    startAt(at(2026, 12, 6, 5, 59, 30));
    tick(at(2026, 12, 6, 6, 0, 0));

    const std::string bytes = readBytes(dayFile(fresh));
    EXPECT_EQ(bytes.substr(0, odd.size()), odd);
    EXPECT_EQ(readDay(fresh).back(),
              rec("012100100", "2026/12/06 05:00", "2026/12/06 07:00", "012", "利用"));
}

TEST_F(Rollover, ANewDayFileThatCannotBeWrittenStopsTheRestartWithAMessage) {
    writeDay(ending, {kStay});
    startAt(at(2026, 12, 6, 5, 59, 30));
    std::filesystem::create_directory(dayFile(fresh));
    tick(at(2026, 12, 6, 6, 0, 0));

    EXPECT_EQ(world().restartRequests, 0);
    ASSERT_FALSE(world().messages.empty());
    EXPECT_EQ(lastMessageTitle(), QStringLiteral("ファイルエラー"));
    EXPECT_TRUE(lastMessageText().contains(QStringLiteral("引き継げませんでした")));
    EXPECT_EQ(readDay(ending), (std::vector<std::string>{kStay}));
    EXPECT_EQ(model().shownDay().date, fresh);
}

// ---- when the carry goes wrong ----

TEST_F(Rollover, AFailedCarryIsRetriedOnLaterTicksAndMadeOnce) {
    // The new day holds no reservation: the carried stay takes its first number.
    const std::string carried =
        rec("012100100", "2026/12/06 05:00", "2026/12/06 07:00", "012", "利用");
    writeDay(ending, {kStay});
    startAt(at(2026, 12, 6, 5, 59, 30));
    std::filesystem::create_directory(dayFile(fresh));
    tick(at(2026, 12, 6, 6, 0, 0));
    ASSERT_FALSE(world().messages.empty());
    EXPECT_TRUE(lastMessageText().contains(QStringLiteral("引き継げませんでした")));
    EXPECT_TRUE(lastMessageText().contains(QStringLiteral("30秒ごと")));
    const std::size_t reported = world().messages.size();
    tick(at(2026, 12, 6, 6, 0, 30));
    EXPECT_EQ(world().messages.size(), reported) << "a lasting fault is reported once";
    EXPECT_EQ(world().restartRequests, 0);

    std::filesystem::remove(dayFile(fresh));
    tick(at(2026, 12, 6, 6, 1, 0));
    EXPECT_EQ(readDay(fresh), std::vector<std::string>{carried});
    EXPECT_EQ(lastMessageTitle(), QStringLiteral("日替わり"));
    EXPECT_EQ(model().records().at(11, 0), carried) << "the new day is shown with the stay";
    EXPECT_EQ(world().restartRequests, 1);
    tick(at(2026, 12, 6, 6, 1, 30));
    tick(at(2026, 12, 6, 6, 2, 0));
    EXPECT_EQ(readDay(fresh), std::vector<std::string>{carried});
    EXPECT_EQ(world().restartRequests, 1);
}

TEST_F(Rollover, EverySixOClockPassedIsCarriedInOrder) {
    // The machine slept from the evening of the 5th to the morning of the 7th.
    const Date third = ymd(2026, 12, 7);
    const std::string nightOf6 =
        rec("012100200", "2026/12/07 05:00", "2026/12/07 08:00", "012", "予約");
    writeDay(ending, {kStay});
    writeDay(fresh, {nightOf6});
    startAt(at(2026, 12, 5, 23, 0, 0));
    tick(at(2026, 12, 7, 6, 10, 0));

    EXPECT_EQ(readDay(fresh),
              (std::vector<std::string>{nightOf6, rec("012100300", "2026/12/06 05:00",
                                                      "2026/12/06 07:00", "012", "利用")}));
    EXPECT_EQ(readDay(third), std::vector<std::string>{rec("012100100", "2026/12/07 05:00",
                                                           "2026/12/07 08:00", "012", "予約")});
    EXPECT_EQ(model().shownDay().date, third);
    EXPECT_EQ(world().restartRequests, 1);
}

TEST_F(Rollover, ANameTypedBeforeSixIsDiscardedWithAMessageSayingWhy) {
    writeDay(ending, {});
    startAt(at(2026, 12, 6, 5, 59, 30));
    nameEdit()->setText(QStringLiteral("佐藤"));
    tick(at(2026, 12, 6, 6, 0, 0));
    EXPECT_TRUE(nameEdit()->text().isEmpty());
    ASSERT_FALSE(world().messages.empty());
    EXPECT_TRUE(lastMessageText().contains(QStringLiteral("佐藤")));
    EXPECT_TRUE(lastMessageText().contains(QStringLiteral("06:00")));
}

} // namespace
} // namespace kavro::test
