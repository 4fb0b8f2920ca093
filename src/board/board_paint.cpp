// Drawing one board half: grid, time lines, current-time line and the bars of its rooms.
// The painter arrives in board units, clipped to the half's drawable area.
#include "app/form1.h"
#include "board/board_half.h"
#include "board/board_render.h"
#include "ledger/board_geometry.h"
#include "ledger/record.h"

#include <QPainter>

namespace kavro {

namespace {

const QColor kBackground(0xFF, 0xFF, 0xDD);
const QColor kGridBlue(0x00, 0x00, 0xFF);
const QColor kHalfHourGreen(0x00, 0xDD, 0x00);
const QColor kNowMagenta(0xFF, 0x00, 0xFF);
// Bars of a status word the program does not know stay readable but draw no attention.
const QColor kUnknownBar(0xC0, 0xC0, 0xC0);
const QColor kUnknownText(0x00, 0x00, 0x00);

// Board units are not square, and the half may be sized away from its design, so text
// is sized by the vertical scale against the design's 23.8364 twips per unit.
constexpr double kDesignPixelsPerUnitY = 23.8364 / 15.0;

// A bar whose texts could still reach into the window is drawn; farther ones are skipped.
constexpr double kTextReach = 180.0;

QPen cosmeticPen(const QColor& colour, int width, Qt::PenStyle style) {
    QPen pen(colour, width, style);
    pen.setCosmetic(true);
    return pen;
}

QColor rgb(std::uint32_t value) {
    return QColor((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

class BoardText {
  public:
    BoardText(QPainter& painter, QFont font, double points) : painter_(painter) {
        const double scale = painter.transform().m22() / kDesignPixelsPerUnitY;
        font.setBold(false);
        font.setPixelSize(std::max(1, qRound(points * 96.0 / 72.0 * scale)));
        font_ = font;
        ascent_ = QFontMetricsF(font_, painter.device()).ascent();
    }

    // Text written from a top-left position in board units, with undistorted glyphs.
    void print(QPointF units, const QString& text, const QColor& colour) {
        const QPointF pixel = painter_.transform().map(units);
        painter_.save();
        painter_.resetTransform();
        painter_.setFont(font_);
        painter_.setPen(colour);
        painter_.drawText(QPointF(pixel.x(), pixel.y() + ascent_), text);
        painter_.restore();
    }

  private:
    QPainter& painter_;
    QFont font_;
    double ascent_ = 0;
};

void drawGrid(QPainter& p) {
    p.setPen(cosmeticPen(kGridBlue, 1, Qt::SolidLine));
    for (int k = 0; k < kGridLineCount; ++k)
        p.drawLine(QPointF(0, gridLineY(k)), QPointF(kBoardUnitsX, gridLineY(k)));
}

void drawTimeLines(QPainter& p, DateTime boardStart, BoardText& hourText) {
    for (const TimeLine& line : timeLines(boardStart)) {
        const double x = static_cast<double>(line.x);
        if (line.hour)
            hourText.print({x, kHourNumberY}, QStringLiteral(" %1").arg(line.hourNumber),
                           kGridBlue);
        p.setPen(cosmeticPen(line.hour ? kGridBlue : kHalfHourGreen, 1, Qt::DotLine));
        p.drawLine(QPointF(x, kTimeLineTop), QPointF(x, kTimeLineBottom));
    }
}

void drawBar(QPainter& p, const RecordFields& f, DateTime boardStart, int row, BoardText& text) {
    const auto start = parseDateTime(f.start);
    const auto end = parseDateTime(f.end);
    if (!start || !end)
        return;
    const double xs = static_cast<double>(minuteX(boardStart, *start));
    const double xe = static_cast<double>(minuteX(boardStart, *end));
    if (std::max(xs, xe) < -kTextReach || std::min(xs, xe) > kBoardUnitsX + kTextReach)
        return;

    const auto colours = statusColours(f.status);
    const QColor barColour = colours ? rgb(colours->bar) : kUnknownBar;
    const QColor textColour = colours ? rgb(colours->text) : kUnknownText;
    const double top = barTop(row), bottom = barBottom(row);

    p.setPen(cosmeticPen(Qt::black, 1, Qt::SolidLine));
    if (xs == xe) {
        p.drawLine(QPointF(xs, top), QPointF(xs, bottom));
    } else {
        const QRectF bar = QRectF(QPointF(xs, top), QPointF(xe, bottom)).normalized();
        p.fillRect(bar, barColour);
        p.setBrush(Qt::NoBrush);
        p.drawRect(bar);
    }

    const BarTextAnchor anchor = barTextAnchor(xs, xe, row);
    text.print({anchor.x, anchor.nameY}, QString::fromStdString(f.name), textColour);
    text.print({anchor.x, anchor.detailY}, QString::fromStdString(barDetailText(f.people, *end)),
               textColour);
}

} // namespace

void Form1::Picture1_Paint(int index, QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRectF(0, 0, kBoardUnitsX, kBoardUnitsY), kBackground);
    BoardText hourText(painter, font(), 12);
    BoardText barText(painter, font(), 8);

    drawGrid(painter);
    drawTimeLines(painter, boardStart, hourText);

    if (nowLineShown(dayStart, dayEnd, platform_.now())) {
        const double x = static_cast<double>(minuteX(boardStart, clockNow));
        painter.setPen(cosmeticPen(kNowMagenta, 2, Qt::SolidLine));
        painter.drawLine(QPointF(x, kTimeLineTop), QPointF(x, kTimeLineBottom));
    }

    for (int row = 0; row < kRowsPerHalf; ++row) {
        const int room = roomIndexAt(index, row);
        for (int pos = 0; pos < kRecordsPerRoom; ++pos) {
            const std::string& line = roomGrid.at(room, pos);
            if (!line.empty())
                drawBar(painter, parseFields(line), boardStart, row, barText);
        }
    }
    painter.restore();
}

QImage renderBoardHalf(Form1& form, int index) {
    BoardHalf* half = form.Picture1[index];
    QImage image(half->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    half->render(&image);
    return image;
}

} // namespace kavro
