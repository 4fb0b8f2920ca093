#include "support/entry_fixture.h"

namespace kavro::test {
namespace {

class EntryFieldsTest : public EntryTest {};

struct TypedCase {
    const char* unit;
    const char* typed;
    const char* start; // startEdit afterwards
    const char* end;   // endEdit afterwards (it held 19:00 before)
};

class TypedStart : public EntryTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(TypedStart, RewritesTheStartAndFollowsWithTheEnd) {
    start();
    const auto& c = GetParam();
    unitBox()->setEditText(QString::fromUtf8(c.unit));
    endEdit()->setText(QStringLiteral("19:00"));
    startEdit()->setText(QString::fromUtf8(c.typed)); // one committed input
    EXPECT_EQ(startEdit()->text().toStdString(), c.start);
    EXPECT_EQ(endEdit()->text().toStdString(), c.end);
}

INSTANTIATE_TEST_SUITE_P(Rows, TypedStart,
                         ::testing::Values(TypedCase{"1.5", "0930", "09:30", "11:00"},
                                           TypedCase{"1", "2530", "01:30", "02:30"},
                                           TypedCase{"1", "12345", "12:45", "13:45"},
                                           TypedCase{"1", "23:30", "23:30", "00:30"},
                                           TypedCase{"1", "930", "930", "19:00"}, // not yet a time
                                           TypedCase{"1", "12:7x", "**:**",
                                                     "19:00"})); // not a time at all

TEST_F(EntryFieldsTest, AFourDigitTimeCanBeTypedDigitByDigit) {
    start();
    unitBox()->setEditText(QStringLiteral("1.5"));
    QTest::keyClicks(startEdit(), QStringLiteral("0930"));
    EXPECT_EQ(startEdit()->text(), QStringLiteral("09:30"));
    EXPECT_EQ(endEdit()->text(), QStringLiteral("11:00"));
}

TEST_F(EntryFieldsTest, TypingOnAfterTheMarkerKeepsTheMarker) {
    start();
    startEdit()->setText(QStringLiteral("12:7x"));
    QTest::keyClicks(startEdit(), QStringLiteral("1"));
    EXPECT_EQ(startEdit()->text(), QStringLiteral("**:**"));
}

TEST_F(EntryFieldsTest, UnitChangesRecomputeTheEndOnlyFromAStartTime) {
    start();
    startEdit()->setText(QStringLiteral("20:00"));
    unitBox()->setEditText(QStringLiteral("2"));
    EXPECT_EQ(endEdit()->text(), QStringLiteral("22:00"));
    unitBox()->setCurrentIndex(0); // "0.5" picked from the list
    EXPECT_EQ(endEdit()->text(), QStringLiteral("20:30"));

    for (const char* startText : {"", "**:**", "930"}) {
        startEdit()->setText(QString::fromUtf8(startText));
        endEdit()->setText(QStringLiteral("19:00"));
        unitBox()->setEditText(QStringLiteral("3"));
        EXPECT_EQ(endEdit()->text(), QStringLiteral("19:00")) << startText;
    }
}

TEST_F(EntryFieldsTest, TheEndBoxRewritesWhatItHoldsWhenItGetsTheFocus) {
    start();
    showActive();
    endEdit()->setText(QStringLiteral("0100"));
    EXPECT_EQ(endEdit()->text(), QStringLiteral("01:00"));
    {
        QSignalBlocker quiet(endEdit());
        endEdit()->setText(QStringLiteral("2530"));
    }
    endEdit()->setFocus();
    EXPECT_EQ(endEdit()->text(), QStringLiteral("01:30"));
    endEdit()->setText(QStringLiteral("12ab"));
    EXPECT_EQ(endEdit()->text(), QStringLiteral("**:**"));
}

TEST_F(EntryFieldsTest, EnterMovesThroughThePanel) {
    start();
    showActive();
    struct Step {
        QWidget* from;
        QWidget* to;
    };
    for (Step s :
         {Step{peopleBox(), startEdit()}, Step{startEdit(), unitBox()}, Step{unitBox(), endEdit()},
          Step{endEdit(), roomBox()}, Step{roomBox(), nameEdit()}}) {
        s.from->setFocus();
        ASSERT_EQ(focused(), s.from) << s.from->objectName().toStdString();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(focused(), s.to) << s.from->objectName().toStdString();
    }
}

TEST_F(EntryFieldsTest, TypingThePeopleMovesOnToTheStart) {
    start();
    showActive();
    peopleBox()->setFocus();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3"));
    EXPECT_EQ(focused(), startEdit());
}

TEST_F(EntryFieldsTest, TheNameTakesFiveCharacters) {
    start();
    QTest::keyClicks(nameEdit(), QStringLiteral("abcdef"));
    EXPECT_EQ(nameEdit()->text(), QStringLiteral("abcde"));
}

} // namespace
} // namespace kavro::test
