#include "entry/entry_fixture.h"

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
    form().unitBox->setEditText(QString::fromUtf8(c.unit));
    form().endEdit->setText(QStringLiteral("19:00"));
    form().startEdit->setText(QString::fromUtf8(c.typed)); // one committed input
    EXPECT_EQ(form().startEdit->text().toStdString(), c.start);
    EXPECT_EQ(form().endEdit->text().toStdString(), c.end);
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
    form().unitBox->setEditText(QStringLiteral("1.5"));
    QTest::keyClicks(form().startEdit, QStringLiteral("0930"));
    EXPECT_EQ(form().startEdit->text(), QStringLiteral("09:30"));
    EXPECT_EQ(form().endEdit->text(), QStringLiteral("11:00"));
}

TEST_F(EntryFieldsTest, TypingOnAfterTheMarkerKeepsTheMarker) {
    start();
    form().startEdit->setText(QStringLiteral("12:7x"));
    QTest::keyClicks(form().startEdit, QStringLiteral("1"));
    EXPECT_EQ(form().startEdit->text(), QStringLiteral("**:**"));
}

TEST_F(EntryFieldsTest, UnitChangesRecomputeTheEndOnlyFromAStartTime) {
    start();
    form().startEdit->setText(QStringLiteral("20:00"));
    form().unitBox->setEditText(QStringLiteral("2"));
    EXPECT_EQ(form().endEdit->text(), QStringLiteral("22:00"));
    form().unitBox->setCurrentIndex(0); // "0.5" picked from the list
    form().unitPicked();
    EXPECT_EQ(form().endEdit->text(), QStringLiteral("20:30"));

    for (const char* startText : {"", "**:**", "930"}) {
        form().startEdit->setText(QString::fromUtf8(startText));
        form().endEdit->setText(QStringLiteral("19:00"));
        form().unitBox->setEditText(QStringLiteral("3"));
        form().unitPicked();
        EXPECT_EQ(form().endEdit->text(), QStringLiteral("19:00")) << startText;
    }
}

TEST_F(EntryFieldsTest, TheEndBoxRewritesWhatItHoldsWhenItGetsTheFocus) {
    start();
    showActive();
    form().endEdit->setText(QStringLiteral("0100"));
    EXPECT_EQ(form().endEdit->text(), QStringLiteral("01:00"));
    {
        QSignalBlocker quiet(form().endEdit);
        form().endEdit->setText(QStringLiteral("2530"));
    }
    form().endEdit->setFocus();
    EXPECT_EQ(form().endEdit->text(), QStringLiteral("01:30"));
    form().endEdit->setText(QStringLiteral("12ab"));
    EXPECT_EQ(form().endEdit->text(), QStringLiteral("**:**"));
}

TEST_F(EntryFieldsTest, EnterMovesThroughThePanel) {
    start();
    showActive();
    struct Step {
        QWidget* from;
        QWidget* to;
    };
    Form1& f = form();
    for (Step s :
         {Step{f.peopleBox, f.startEdit}, Step{f.startEdit, f.unitBox}, Step{f.unitBox, f.endEdit},
          Step{f.endEdit, f.roomBox}, Step{f.roomBox, f.nameEdit}}) {
        s.from->setFocus();
        ASSERT_EQ(focused(), s.from) << s.from->objectName().toStdString();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(focused(), s.to) << s.from->objectName().toStdString();
    }
}

TEST_F(EntryFieldsTest, TypingThePeopleMovesOnToTheStart) {
    start();
    showActive();
    form().peopleBox->setFocus();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3"));
    EXPECT_EQ(focused(), form().startEdit);
}

TEST_F(EntryFieldsTest, TheNameTakesFiveCharacters) {
    start();
    QTest::keyClicks(form().nameEdit, QStringLiteral("abcdef"));
    EXPECT_EQ(form().nameEdit->text(), QStringLiteral("abcde"));
}

} // namespace
} // namespace kavro::test
