// The board drawn off-screen at design size; a few pixels are read back (never a whole
// image comparison, which would break with the fonts).
#include "core/screen/board_geometry.h"
#include "support/form_fixture.h"
#include "window/board_half.h"
#include "window/timetable_board.h"

#include <QImage>
#include <set>

namespace kavro::test {
namespace {

const QColor kBackground(0xFF, 0xFF, 0xDD);
const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kGreen(0x00, 0xDD, 0x00);
const QColor kMagenta(0xFF, 0x00, 0xFF);

bool near(const QColor& a, const QColor& b, int tolerance = 40) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
               std::abs(a.blue() - b.blue()) <=
           tolerance;
}

class BoardPaint : public FormTest {
protected:
    // The clock at 21:47:40 puts the window's start at 20:17:40.
    void startAt2147(const std::vector<std::string>& lines = {}) {
        writeDay(ymd(2026, 12, 5), lines);
        setNow(at(2026, 12, 5, 21, 47, 40));
        start();
        ASSERT_EQ(board().span().start, at(2026, 12, 5, 20, 17, 40));
    }

    QImage render(int half) { return boardHalf(half)->render(); }

    QPoint pixel(int half, double x, double y) {
        return boardHalf(half)->toPixels({x, y}).toPoint();
    }
    QColor colourAt(const QImage& image, int half, double x, double y) {
        return image.pixelColor(pixel(half, x, y));
    }

    // Board x positions (whole units) of the pixel columns that hold many pixels of the
    // colour between y = 20 and y = 350: the vertical lines, whatever their dot pattern.
    std::set<int> linesOf(const QImage& image, int half, const QColor& colour) {
        const BoardHalf* h = boardHalf(half);
        const int top = pixel(half, 0, 20).y(), bottom = pixel(half, 0, 350).y();
        const QRect area = h->contentsRect();
        std::set<int> xs;
        for (int c = area.left(); c <= area.right(); ++c) {
            int hits = 0;
            for (int r = top; r <= bottom; ++r)
                hits += image.pixelColor(c, r) == colour;
            if (hits > 60)
                xs.insert(static_cast<int>(std::lround(h->toUnits(QPointF(c + 0.5, 0)).x())));
        }
        return xs;
    }

    // Pixels of antialiased text: much nearer the text colour than the colour behind it.
    int countText(const QImage& image, int half, QRectF units, const QColor& text,
                  const QColor& behind) {
        const QRect r(pixel(half, units.left(), units.top()),
                      pixel(half, units.right(), units.bottom()));
        auto distance = [](const QColor& a, const QColor& b) {
            return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                   std::abs(a.blue() - b.blue());
        };
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                n += 2 * distance(c, text) < distance(c, behind);
            }
        return n;
    }

    int countNear(const QImage& image, int half, QRectF units, const QColor& colour,
                  int tolerance = 40) {
        const QRect r(pixel(half, units.left(), units.top()),
                      pixel(half, units.right(), units.bottom()));
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += near(image.pixelColor(x, y), colour, tolerance);
        return n;
    }
};

// ---- bars by status ----
struct StatusCase {
    const char* status;
    QColor bar;
    QColor text;
};
void PrintTo(const StatusCase& c, std::ostream* os) { *os << c.status; }

class BarColours : public BoardPaint, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(BarColours, FillOutlineAndTexts) {
    // Room 005 (row 4), 20:30 to 22:30: x 13 to 133, y 96 to 110; texts from x = 59.
    startAt2147({std::string("005100100,2026/12/05 20:30,2,2026/12/05 22:30,12,005,山田太郎,") +
                 GetParam().status});
    const QImage image = render(0);
    EXPECT_EQ(colourAt(image, 0, 30, 103), GetParam().bar);
    EXPECT_EQ(colourAt(image, 0, 131, 98), GetParam().bar);
    EXPECT_GT(countNear(image, 0, QRectF(12, 98, 2, 10), Qt::black), 5) << "left outline";
    EXPECT_GT(countNear(image, 0, QRectF(20, 95, 10, 2), Qt::black), 5) << "top outline";
    const QColor text = GetParam().text, bar = GetParam().bar;
    EXPECT_GT(countText(image, 0, QRectF(59, 97, 40, 6), text, bar), 15) << "name";
    EXPECT_GT(countText(image, 0, QRectF(59, 104, 40, 5), text, bar), 15) << "people, end";
    EXPECT_EQ(countText(image, 0, QRectF(16, 98, 38, 10), text, bar), 0)
        << "texts start 14 units left of the middle";
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, BarColours,
    ::testing::Values(StatusCase{"利用", QColor(0x00, 0xFF, 0xFF), QColor(0x00, 0x00, 0xFF)},
                      StatusCase{"延長", QColor(0x80, 0x80, 0xFF), QColor(0xFF, 0xFF, 0x00)},
                      StatusCase{"通知", QColor(0xFF, 0x00, 0x00), QColor(0xFF, 0xFF, 0xFF)},
                      StatusCase{"精算", QColor(0x00, 0x00, 0xFF), QColor(0xFF, 0xFF, 0xFF)},
                      StatusCase{"予約", QColor(0x00, 0xFF, 0x00), QColor(0x00, 0x00, 0xFF)},
                      StatusCase{"不明", QColor(0xC0, 0xC0, 0xC0), QColor(0x00, 0x00, 0x00)}));

// ---- grid, time lines, hour numbers, current time ----
TEST_F(BoardPaint, EighteenGridLinesBoundTheRows) {
    startAt2147();
    for (int half : {0, 1}) {
        const QImage image = render(half);
        for (int k = 0; k < 18; ++k)
            EXPECT_GT(countNear(image, half, QRectF(3, gridLineY(k) - 0.6, 5, 1.2), kBlue, 0), 4)
                << "half " << half << " line " << k;
        EXPECT_EQ(colourAt(image, half, 5, 23), kBackground);
    }
}

TEST_F(BoardPaint, HourAndHalfHourLinesSitOnTheClock) {
    startAt2147();
    for (int half : {0, 1}) {
        const QImage image = render(half);
        EXPECT_EQ(linesOf(image, half, kGreen), (std::set<int>{13, 73, 133}));
        EXPECT_EQ(linesOf(image, half, kBlue), (std::set<int>{43, 103, 163}));
        for (double x : {43.0, 103.0, 163.0})
            EXPECT_GT(countText(image, half, QRectF(x, 2, 14, 9), kBlue, kBackground), 15)
                << "hour number at " << x;
        EXPECT_EQ(countNear(image, half, QRectF(10, 2, 28, 9), kBlue, 0), 0);
    }
}

TEST_F(BoardPaint, WindowStartingOnTheHour) {
    startAt2147();
    showBoardFrom(at(2026, 12, 5, 20, 0, 0));
    const QImage image = render(0);
    EXPECT_EQ(linesOf(image, 0, kGreen), (std::set<int>{30, 90, 150}));
    const auto hours = linesOf(image, 0, kBlue);
    EXPECT_TRUE(hours.count(0) && hours.count(60) && hours.count(120)) << hours.size();
    EXPECT_GT(countText(image, 0, QRectF(0, 2, 12, 9), kBlue, kBackground), 15) << "hour number 20";
}

TEST_F(BoardPaint, CurrentTimeLineOnlyOnTheRunningDay) {
    startAt2147();
    for (int half : {0, 1}) {
        const auto xs = linesOf(render(half), half, kMagenta);
        ASSERT_FALSE(xs.empty());
        EXPECT_GE(*xs.begin(), 89);
        EXPECT_LE(*xs.rbegin(), 91);
    }
    pickDate(ymd(2026, 12, 6));
    for (int half : {0, 1})
        EXPECT_EQ(countNear(render(half), half, QRectF(0, 0, 179.9, 355), kMagenta, 0), 0);
}

// ---- which half draws which room ----
TEST_F(BoardPaint, EachRoomIsDrawnInItsOwnRowOfItsOwnHalf) {
    startAt2147({"018100100,2026/12/05 20:00,3,2026/12/05 23:00,2,018,A,利用",
                 "017100200,2026/12/05 20:00,3,2026/12/05 23:00,2,017,B,予約"});
    const QColor cyan(0x00, 0xFF, 0xFF), green(0x00, 0xFF, 0x00);
    const QImage left = render(0), right = render(1);
    EXPECT_EQ(colourAt(right, 1, 5, 23), cyan); // "018": right half, row 0
    EXPECT_EQ(colourAt(left, 0, 5, 23), kBackground);
    EXPECT_EQ(colourAt(left, 0, 5, 343), green); // "017": left half, row 16
    EXPECT_EQ(colourAt(right, 1, 5, 343), kBackground);
}

TEST_F(BoardPaint, BarsReachingOutOfTheWindowAreCutAtTheEdges) {
    startAt2147({"001100100,2026/12/05 19:30,1,2026/12/05 20:30,2,001,A,利用",
                 "002100200,2026/12/05 23:00,2,2026/12/06 01:00,2,002,B,予約",
                 "003100300,2026/12/05 12:00,1,2026/12/05 13:00,2,003,C,利用"});
    const QImage image = render(0);
    EXPECT_EQ(colourAt(image, 0, 1, 23), QColor(0x00, 0xFF, 0xFF));
    EXPECT_EQ(colourAt(image, 0, 179, 43), QColor(0x00, 0xFF, 0x00));
    EXPECT_EQ(colourAt(image, 0, 10, 63), kBackground);
}

TEST_F(BoardPaint, TextsOfABarLeftOfTheWindowStillReachIntoIt) {
    // A stay ended three minutes before the window: its outline is out of sight, but its
    // texts start 14 units left of its middle and run into the window. A stay hours before
    // leaves nothing in its row.
    startAt2147({"001100100,2026/12/05 20:14,0,2026/12/05 20:14,2,001,佐藤太郎,利用",
                 "002100200,2026/12/05 12:00,0,2026/12/05 12:00,2,002,佐藤太郎,利用"});
    const QImage image = render(0);
    EXPECT_GT(countText(image, 0, QRectF(0.5, 17, 8, 14), kBlue, kBackground), 10);
    EXPECT_EQ(countText(image, 0, QRectF(0.5, 37, 8, 14), kBlue, kBackground), 0);
}

TEST_F(BoardPaint, ZeroLengthStayIsAVerticalOutline) {
    startAt2147({"001100100,2026/12/05 21:00,0,2026/12/05 21:00,2,001,A,利用"});
    const QImage image = render(0);
    EXPECT_GT(countNear(image, 0, QRectF(42, 17, 2, 12), Qt::black, 0), 8);
    EXPECT_EQ(countNear(image, 0, QRectF(44.5, 17, 3, 12), QColor(0x00, 0xFF, 0xFF), 0), 0);
}

} // namespace
} // namespace kavro::test
