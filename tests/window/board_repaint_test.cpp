// After an operation the board paints again only the rows it touched: what the desk then sees
// must be what a whole repaint draws. When a minute passes, the board moves, and both halves
// are painted whole.
#include "support/entry_fixture.h"
#include "window/board_half.h"

#include <QImage>
#include <QPaintEvent>
#include <QScreen>
#include <QWindow>

namespace kavro::test {
namespace {

class PaintRegions : public QObject {
public:
    explicit PaintRegions(const std::array<BoardHalf*, 2>& halves) : halves_(halves) {
        for (auto* h : halves)
            h->installEventFilter(this);
    }
    QRegion painted(int half) const { return painted_[half]; }
    void clear() { painted_ = {}; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted_[watched == halves_[1] ? 1 : 0] += static_cast<QPaintEvent*>(event)->region();
        return false;
    }

private:
    std::array<BoardHalf*, 2> halves_;
    std::array<QRegion, 2> painted_;
};

class BoardRepaint : public EntryTest {
protected:
    void SetUp() override {
        setNow(at(2026, 12, 5, 21, 47, 40));
        startWith({"005100100,2026/12/05 20:30,2,2026/12/05 22:30,2,005,山田,利用",
                   "020100200,2026/12/05 21:00,1,2026/12/05 22:00,2,020,鈴木,延長"});
        form().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
        paintPending();
        regions_ = std::make_unique<PaintRegions>(std::array{boardHalf(0), boardHalf(1)});
    }
    void TearDown() override {
        regions_.reset();
        EntryTest::TearDown();
    }
    static void paintPending() { QCoreApplication::sendPostedEvents(); }

    // The half as the screen shows it, and as a whole repaint draws it.
    QImage onScreen(int half) {
        const BoardHalf* h = boardHalf(half);
        const QPoint at = h->mapTo(&form(), QPoint(0, 0));
        return form()
            .windowHandle()
            ->screen()
            ->grabWindow(form().winId(), at.x(), at.y(), h->width(), h->height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    QImage whole(int half) { return boardHalf(half)->render(); }

    std::unique_ptr<PaintRegions> regions_;
};

TEST_F(BoardRepaint, ACheckInPaintsItsRowOnlyAndTheScreenIsWhatAWholeRepaintDraws) {
    fill("003", "22:00", "1", "23:00", "田中");
    click(checkInButton());
    paintPending();
    ASSERT_EQ(model().records().recordCount(2), 1);

    EXPECT_TRUE(regions_->painted(1).isEmpty());
    const QRect band = regions_->painted(0).boundingRect();
    EXPECT_FALSE(band.isEmpty());
    EXPECT_LT(band.height(), boardHalf(0)->height() / 5);
    for (int half = 0; half < 2; ++half)
        EXPECT_EQ(onScreen(half), whole(half)) << "half " << half;
}

TEST_F(BoardRepaint, AMinuteLaterTheTickPaintsBothHalvesWhole) {
    tickAt(at(2026, 12, 5, 21, 47, 55)); // the same minute: nothing moved
    paintPending();
    EXPECT_TRUE(regions_->painted(0).isEmpty() && regions_->painted(1).isEmpty());

    tickAt(at(2026, 12, 5, 21, 48, 5));
    paintPending();
    for (int half = 0; half < 2; ++half) {
        EXPECT_EQ(regions_->painted(half).boundingRect(), boardHalf(half)->rect());
        EXPECT_EQ(onScreen(half), whole(half)) << "half " << half;
    }
}

} // namespace
} // namespace kavro::test
