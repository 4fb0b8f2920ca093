// A change the day file did not take: it stays on the board, drawn so that nobody takes it
// for stored, and nothing drops it (終了, the 06:00 switch, another day) without a question
// that offers to save it again. The file is made read-only to refuse the save.
#include "support/desk_by_name.h"
#include "support/form_fixture.h"

#include <QDateEdit>
#include <sys/stat.h>

namespace kavro::test {
namespace {

namespace fs = std::filesystem;

const Date kDay = ymd(2026, 12, 5);
const std::string kStored = "001100100,2026/12/05 20:00,1,2026/12/05 21:00,2,001,佐藤,利用";
constexpr int kStoredRoom = 0;
constexpr int kNewRoom = 4; // room 005, where checkInByName books 20:10-21:10

class UnsavedChange : public FormTest {
protected:
    void startWithReadOnlyDay() {
        writeDay(kDay, {kStored});
        setReadOnly(true);
        start();
    }
    void setReadOnly(bool readOnly) {
        ASSERT_EQ(::chmod(dayFile(kDay).c_str(), readOnly ? 0444 : 0644), 0);
    }
    void checkInYamada() { checkInByName(form(), kNewRoom, QStringLiteral("山田")); }
    void clickExit() {
        QTest::mouseClick(control<QPushButton>(form(), "Command9"), Qt::LeftButton);
    }

    int hatchPixels(int roomIndex) { return unsavedHatchPixels(form(), roomIndex); }
};

TEST_F(UnsavedChange, IsHatchedOnTheBoardUntilASaveStoresIt) {
    startWithReadOnlyDay();
    checkInYamada();
    ASSERT_EQ(lastMessageTitle(), "ファイルエラー");
    EXPECT_GT(hatchPixels(kNewRoom), 20) << "the booking only on screen";
    EXPECT_EQ(hatchPixels(kStoredRoom), 0) << "a stored booking looks as it always did";

    setReadOnly(false);
    checkInByName(form(), kNewRoom + 1, QStringLiteral("鈴木")); // the next save writes both
    EXPECT_EQ(readDay(kDay).size(), 3u);
    EXPECT_EQ(hatchPixels(kNewRoom), 0);
}

struct ExitCase {
    const char* name;
    bool failedSave; // a check-in the file refused before 終了
    bool answer;     // to the question, if asked
    bool fixedFirst; // the file writable again before 終了
    bool asked;
    int quits;
    std::size_t storedLines;
};
void PrintTo(const ExitCase& c, std::ostream* os) { *os << c.name; }

class ExitWithUnsaved : public UnsavedChange, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(ExitWithUnsaved, AsksAndSavesAgainOrEndsWithoutIt) {
    const ExitCase& c = GetParam();
    startWithReadOnlyDay();
    if (!c.failedSave)
        setReadOnly(false);
    checkInYamada();
    if (c.fixedFirst)
        setReadOnly(false);
    world().answer = c.answer;
    const std::size_t messagesBefore = world().messages.size();
    clickExit();

    ASSERT_EQ(world().questions.size(), c.asked ? 1u : 0u);
    if (c.asked) {
        EXPECT_EQ(world().questions[0].title, "保存されていない変更");
        EXPECT_EQ(world().questions[0].text.toStdString(),
                  "次の変更は保存されていません: 利用（005 山田）\r\nもう一度保存しますか？\r\n"
                  "「いいえ」のときは、保存せずに終了します。");
    }
    EXPECT_EQ(world().quits, c.quits);
    EXPECT_EQ(readDay(kDay).size(), c.storedLines);
    // A save tried again and refused again says why, and the window stays.
    EXPECT_EQ(world().messages.size() > messagesBefore, c.asked && c.answer && !c.fixedFirst);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ExitWithUnsaved,
    ::testing::Values(ExitCase{"NothingUnsaved", false, true, false, false, 1, 2},
                      ExitCase{"NoEndsWithoutIt", true, false, true, true, 1, 1},
                      ExitCase{"YesSavesThenEnds", true, true, true, true, 1, 2},
                      ExitCase{"YesRefusedAgainStays", true, true, false, true, 0, 1}),
    [](const auto& row) { return std::string(row.param.name); });

// At 05:50 a stay until 06:50 is checked in and refused; at 06:00 the switch must not drop it.
class DayChangeWithUnsaved : public UnsavedChange {
protected:
    const Date fresh = ymd(2026, 12, 6);
    void checkInBeforeSix() {
        writeDay(kDay, {kStored});
        setReadOnly(true);
        setNow(at(2026, 12, 6, 5, 50));
        start();
        checkInByName(form(), kNewRoom, QStringLiteral("山田"), 0);
    }
    void tickAt(DateTime t) {
        setNow(t);
        form().tick();
    }
    Date shown() {
        const QDate d = control<QDateEdit>(form(), "DTPicker1")->date();
        return ymd(d.year(), static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
    }
};

TEST_F(DayChangeWithUnsaved, WaitsWhileTheClerkWantsItSavedAndCarriesItOnceStored) {
    checkInBeforeSix();
    world().answer = true;
    tickAt(at(2026, 12, 6, 6, 0, 10));
    ASSERT_EQ(world().questions.size(), 1u);
    EXPECT_NE(world().questions[0].text.indexOf(QStringLiteral("利用（005 山田）")), -1);
    EXPECT_EQ(shown(), kDay) << "the old day stays while its change is unsaved";
    EXPECT_EQ(world().restartRequests, 0);

    setReadOnly(false);
    tickAt(at(2026, 12, 6, 6, 0, 40)); // saved at the first try: no second question
    EXPECT_EQ(world().questions.size(), 1u);
    EXPECT_EQ(readDay(kDay).size(), 2u);
    EXPECT_EQ(shown(), fresh);
    ASSERT_EQ(readDay(fresh).size(), 1u) << "the stay past 06:00 carried from the saved file";
    EXPECT_NE(readDay(fresh)[0].find("山田"), std::string::npos);
    EXPECT_EQ(world().restartRequests, 1);
}

TEST_F(DayChangeWithUnsaved, NoSwitchesWithoutIt) {
    checkInBeforeSix();
    world().answer = false;
    tickAt(at(2026, 12, 6, 6, 0, 10));
    EXPECT_EQ(world().questions.size(), 1u);
    EXPECT_EQ(shown(), fresh);
    EXPECT_EQ(readDay(kDay).size(), 1u);
    EXPECT_EQ(world().restartRequests, 1);
}

TEST_F(UnsavedChange, AnotherDayIsShownOnlyOnceTheClerkAgrees) {
    startWithReadOnlyDay();
    checkInYamada();
    world().answer = true; // save again: refused again, so the day stays
    auto* picker = control<QDateEdit>(form(), "DTPicker1");
    picker->setDate(QDate(2026, 12, 4));
    EXPECT_EQ(world().questions.size(), 1u);
    EXPECT_EQ(picker->date(), QDate(2026, 12, 5));
    EXPECT_GT(hatchPixels(kNewRoom), 20);
}

} // namespace
} // namespace kavro::test
