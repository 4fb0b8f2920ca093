// The window on screens of several sizes: untouched where it fits, shrunk as a whole where
// it does not, never below a legible size.
#include "support/form_fixture.h"
#include "window/board_half.h"
#include "window/window_scale.h"

#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace kavro::test {
namespace {

struct FitCase {
    const char* name;
    QSize design;
    QMargins frame;
    QRect available;
    double scale;
};
void PrintTo(const FitCase& c, std::ostream* os) { *os << c.name; }

class FittingScale : public ::testing::TestWithParam<FitCase> {};

TEST_P(FittingScale, ShrinksOnlyWhatDoesNotFit) {
    const FitCase& c = GetParam();
    EXPECT_DOUBLE_EQ(fittingScale(c.design, c.frame, c.available), c.scale);
}

const QSize kDesign(1016, 711);
const QMargins kMutter(0, 37, 0, 0);

INSTANTIATE_TEST_SUITE_P(
    Screens, FittingScale,
    ::testing::Values(
        FitCase{"RoomEnough", kDesign, kMutter, QRect(0, 27, 1920, 1053), 1.0},
        FitCase{"JustEnough", kDesign, kMutter, QRect(0, 0, 1016, 748), 1.0},
        // 1366 x 768 with a top bar of 27 rows: 741 - 37 = 704 rows for 711.
        FitCase{"LaptopWithTopBar", kDesign, kMutter, QRect(0, 27, 1366, 741), 0.990},
        FitCase{"NarrowScreen", kDesign, QMargins(4, 30, 4, 4), QRect(0, 0, 924, 900), 0.901},
        FitCase{"NeverBelowLegible", kDesign, kMutter, QRect(0, 0, 640, 480), kMinimumWindowScale}),
    [](const auto& row) { return std::string(row.param.name); });

class WindowOnScreen : public FormTest {
protected:
    void startOn(const char* screenName) {
        for (QScreen* s : QGuiApplication::screens())
            if (s->name() == QLatin1String(screenName))
                screen_ = s;
        ASSERT_NE(screen_, nullptr) << "no offscreen screen " << screenName;
        start();
        form().setScreen(screen_);
        form().move(screen_->availableGeometry().topLeft() + QPoint(10, 30));
    }
    void showFitted() {
        fitWindowToScreen(&form());
        form().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
    }
    // The focused box's caret blinks: a picture without it.
    QImage grabWithoutCaret() {
        if (QWidget* focused = QApplication::focusWidget())
            focused->clearFocus();
        return form().grab().toImage();
    }
    QScreen* screen_ = nullptr;
};

TEST_F(WindowOnScreen, AtDesignSizeWhereItFitsPixelForPixel) {
    startOn("desktop");
    form().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
    const QImage before = grabWithoutCaret();
    form().hide();
    showFitted();
    EXPECT_EQ(form().size(), QSize(1016, 711));
    const QImage after = grabWithoutCaret();
    ASSERT_EQ(after.size(), before.size());
    QRect changed;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (after.pixel(x, y) != before.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
    EXPECT_TRUE(changed.isNull()) << "changed at its design size: " << changed.x() << ","
                                  << changed.y() << " " << changed.width() << "x"
                                  << changed.height();
}

TEST_F(WindowOnScreen, ShrinksAsAWholeToFitALaptop) {
    startOn("laptop");
    const QRect button = checkInButton()->geometry();
    const double points = nameEdit()->font().pointSizeF();
    const QSize half = boardHalf(0)->size();
    showFitted();

    const QSize frame = form().frameGeometry().size();
    EXPECT_LE(frame.height(), screen_->availableGeometry().height());
    EXPECT_LE(frame.width(), screen_->availableGeometry().width());
    const double f = form().width() / 1016.0;
    EXPECT_LT(f, 1.0);
    EXPECT_NEAR(form().height(), 711 * f, 1.0) << "not the same factor both ways";
    const QRect scaled = checkInButton()->geometry();
    EXPECT_NEAR(scaled.left(), button.left() * f, 1.0);
    EXPECT_NEAR(scaled.width(), button.width() * f, 1.0);
    EXPECT_NEAR(nameEdit()->font().pointSizeF(), points * f, 0.01);
    EXPECT_NEAR(boardHalf(0)->width(), half.width() * f, 1.0);
}

TEST_F(WindowOnScreen, TheShrunkBoardIsHitWhereItIsDrawn) {
    startOn("laptop");
    showFitted();
    const double f = form().width() / 1016.0;
    ASSERT_LT(f, 1.0);
    // Room 005 (row 4) at 20:10 on the design board: 2 pixels of border, 349 x 565
    // pixels for 180 minutes x 355.5 units; the clock at 20:00 puts 18:30 at its left.
    BoardHalf* left = boardHalf(0);
    const QPoint design(qRound(2 + 100.2 * 349 / 180), qRound(2 + 104 * 565 / 355.5));
    QTest::mouseClick(left, Qt::LeftButton, {},
                      QPoint(qRound(design.x() * f), qRound(design.y() * f)));
    EXPECT_EQ(roomBox()->currentText(), "005");
    EXPECT_EQ(startEdit()->text(), "20:10");
}

TEST_F(WindowOnScreen, NeverBelowALegibleSize) {
    startOn("tiny");
    showFitted();
    EXPECT_EQ(form().size(),
              QSize(qRound(1016 * kMinimumWindowScale), qRound(711 * kMinimumWindowScale)));
}

} // namespace
} // namespace kavro::test
