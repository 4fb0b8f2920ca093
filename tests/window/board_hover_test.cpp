#include "support/form_fixture.h"
#include "window/board_half.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <array>

namespace kavro::test {
namespace {

class BoardHover : public FormTest {
protected:
    void SetUp() override {
        setNow(at(2026, 12, 5, 21, 47, 40)); // window from 20:17:40
        start();
    }
    QLabel* readout(int half) { return hoverReadout(half); }
    void move(int half, double x, double y) { hoverBoard(half, x, y); }
    QPoint expectedPosition(int half, double x, double y) {
        return boardHalf(half)->toPixels({x, y}).toPoint();
    }
};

struct EdgeCase {
    double x, y;
    bool shown;
};
void PrintTo(const EdgeCase& c, std::ostream* os) { *os << "x=" << c.x << " y=" << c.y; }

class ReadoutEdges : public BoardHover, public ::testing::WithParamInterface<EdgeCase> {};

TEST_P(ReadoutEdges, ShownOnlyInsideTheArea) {
    for (int half : {0, 1}) {
        move(half, 100, 100);
        ASSERT_FALSE(readout(half)->isHidden());
        move(half, GetParam().x, GetParam().y);
        EXPECT_EQ(readout(half)->isHidden(), !GetParam().shown) << "half " << half;
    }
}

INSTANTIATE_TEST_SUITE_P(Bounds, ReadoutEdges,
                         ::testing::Values(EdgeCase{10, 14, true}, EdgeCase{9.9, 100, false},
                                           EdgeCase{170, 100, true}, EdgeCase{170.1, 100, false},
                                           EdgeCase{100, 13.9, false}, EdgeCase{100, 355, true},
                                           EdgeCase{100, 355.1, false}));

TEST_F(BoardHover, SitsAboveThePointerAndFlipsNearTheRightEdge) {
    move(0, 10, 14);
    EXPECT_EQ(readout(0)->pos(), expectedPosition(0, 10, -1));
    EXPECT_EQ(readout(0)->text(), QStringLiteral("20:27"));
    move(1, 140, 200);
    EXPECT_EQ(readout(1)->pos(), expectedPosition(1, 140, 185));
    move(1, 140.1, 200);
    EXPECT_EQ(readout(1)->pos(), expectedPosition(1, 110.1, 185));
    EXPECT_EQ(readout(1)->size(), QSize(57, 17)); // 855 x 255 twips
}

TEST_F(BoardHover, HiddenReadoutKeepsItsCaptionAndPlace) {
    move(0, 50, 100);
    const QPoint where = readout(0)->pos();
    move(0, 5, 100);
    EXPECT_TRUE(readout(0)->isHidden());
    EXPECT_EQ(readout(0)->text(), QStringLiteral("21:07"));
    EXPECT_EQ(readout(0)->pos(), where);
}

TEST_F(BoardHover, MovingOverOneHalfTakesAwayTheOtherHalfsPopup) {
    const auto popup = [this](int half) {
        return std::array<QPushButton*, 3>{popupExtendButton(half), popupNotifyButton(half),
                                           popupSettleButton(half)};
    };
    for (int half : {0, 1})
        for (QPushButton* b : popup(half))
            b->show();
    move(0, 5, 5); // outside the read-out area: the pop-ups go all the same
    for (QPushButton* b : popup(1))
        EXPECT_TRUE(b->isHidden());
    for (QPushButton* b : popup(0))
        EXPECT_FALSE(b->isHidden());
    move(1, 100, 100);
    for (QPushButton* b : popup(0))
        EXPECT_TRUE(b->isHidden());
}

TEST_F(BoardHover, RealPointerMovesReachTheHandlerInBoardUnits) {
    BoardHalf* half = boardHalf(0);
    const QPointF p = half->toPixels({12.6, 100});
    QMouseEvent event(QEvent::MouseMove, p, half->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(half, &event);
    EXPECT_FALSE(readout(0)->isHidden());
    EXPECT_EQ(readout(0)->text(), QStringLiteral("20:30"));
}

} // namespace
} // namespace kavro::test
