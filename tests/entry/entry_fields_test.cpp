#include "entry/entry_fixture.h"

namespace kavro::test {
namespace {

struct TypedCase {
    const char* unit;
    const char* typed;
    const char* start; // Text1 afterwards
    const char* end;   // Text2 afterwards (it held 19:00 before)
};

class TypedStart : public EntryTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(TypedStart, RewritesTheStartAndFollowsWithTheEnd) {
    start();
    const auto& c = GetParam();
    form().Combo2->setEditText(QString::fromUtf8(c.unit));
    form().Text2->setText(QStringLiteral("19:00"));
    form().Text1->setText(QString::fromUtf8(c.typed)); // one committed input
    EXPECT_EQ(form().Text1->text().toStdString(), c.start);
    EXPECT_EQ(form().Text2->text().toStdString(), c.end);
}

INSTANTIATE_TEST_SUITE_P(Rows, TypedStart,
                         ::testing::Values(TypedCase{"1.5", "0930", "09:30", "11:00"},
                                           TypedCase{"1", "2530", "01:30", "02:30"},
                                           TypedCase{"1", "12345", "12:45", "13:45"},
                                           TypedCase{"1", "23:30", "23:30", "00:30"},
                                           TypedCase{"1", "930", "930", "19:00"}, // not yet a time
                                           TypedCase{"1", "12:7x", "**:**",
                                                     "19:00"})); // not a time at all

TEST_F(EntryTest, AFourDigitTimeCanBeTypedDigitByDigit) {
    start();
    form().Combo2->setEditText(QStringLiteral("1.5"));
    QTest::keyClicks(form().Text1, QStringLiteral("0930"));
    EXPECT_EQ(form().Text1->text(), QStringLiteral("09:30"));
    EXPECT_EQ(form().Text2->text(), QStringLiteral("11:00"));
}

TEST_F(EntryTest, TypingOnAfterTheMarkerKeepsTheMarker) {
    start();
    form().Text1->setText(QStringLiteral("12:7x"));
    QTest::keyClicks(form().Text1, QStringLiteral("1"));
    EXPECT_EQ(form().Text1->text(), QStringLiteral("**:**"));
}

TEST_F(EntryTest, UnitChangesRecomputeTheEndOnlyFromAStartTime) {
    start();
    form().Text1->setText(QStringLiteral("20:00"));
    form().Combo2->setEditText(QStringLiteral("2"));
    EXPECT_EQ(form().Text2->text(), QStringLiteral("22:00"));
    form().Combo2->setCurrentIndex(0); // "0.5" picked from the list
    form().Combo2_Click();
    EXPECT_EQ(form().Text2->text(), QStringLiteral("20:30"));

    for (const char* startText : {"", "**:**", "930"}) {
        form().Text1->setText(QString::fromUtf8(startText));
        form().Text2->setText(QStringLiteral("19:00"));
        form().Combo2->setEditText(QStringLiteral("3"));
        form().Combo2_Click();
        EXPECT_EQ(form().Text2->text(), QStringLiteral("19:00")) << startText;
    }
}

TEST_F(EntryTest, TheEndBoxRewritesWhatItHoldsWhenItGetsTheFocus) {
    start();
    showActive();
    form().Text2->setText(QStringLiteral("0100"));
    EXPECT_EQ(form().Text2->text(), QStringLiteral("01:00"));
    {
        QSignalBlocker quiet(form().Text2);
        form().Text2->setText(QStringLiteral("2530"));
    }
    form().Text2->setFocus();
    EXPECT_EQ(form().Text2->text(), QStringLiteral("01:30"));
    form().Text2->setText(QStringLiteral("12ab"));
    EXPECT_EQ(form().Text2->text(), QStringLiteral("**:**"));
}

TEST_F(EntryTest, EnterMovesThroughThePanel) {
    start();
    showActive();
    struct Step {
        QWidget* from;
        QWidget* to;
    };
    Form1& f = form();
    for (Step s : {Step{f.Combo1, f.Text1}, Step{f.Text1, f.Combo2}, Step{f.Combo2, f.Text2},
                   Step{f.Text2, f.Combo3}, Step{f.Combo3, f.Text3}}) {
        s.from->setFocus();
        ASSERT_EQ(focused(), s.from) << s.from->objectName().toStdString();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(focused(), s.to) << s.from->objectName().toStdString();
    }
}

TEST_F(EntryTest, TypingThePeopleMovesOnToTheStart) {
    start();
    showActive();
    form().Combo1->setFocus();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3"));
    EXPECT_EQ(focused(), form().Text1);
}

TEST_F(EntryTest, TheNameTakesFiveCharacters) {
    start();
    QTest::keyClicks(form().Text3, QStringLiteral("abcdef"));
    EXPECT_EQ(form().Text3->text(), QStringLiteral("abcde"));
}

} // namespace
} // namespace kavro::test
