// Drawing one board half: grid, time lines, current-time line and the bars of its rooms.
// The painter arrives in board units, clipped to the half's drawable area.
#include "window/board_painter.h"

#include "core/screen/board_geometry.h"
#include "desk/desk_model.h"
#include "window/board_bars.h"
#include "window/board_half.h"

#include <QPainter>

namespace kavro {

namespace {

const QColor kBackground(0xFF, 0xFF, 0xDD);
const QColor kGridBlue(0x00, 0x00, 0xFF);
const QColor kHalfHourGreen(0x00, 0xDD, 0x00);
const QColor kNowMagenta(0xFF, 0x00, 0xFF);
// A record the day file does not hold is hatched over its status colour, so that nobody
// takes it for stored; red hatching would vanish on a red bar.
const QColor kUnsavedHatch(0xFF, 0x00, 0x00);
const QColor kUnsavedHatchOnRed(0x00, 0x00, 0x00);

// Board units are not square, and the half may be sized away from its design, so text
// is sized by the vertical scale against the design's 23.8364 twips per unit.
constexpr double kDesignPixelsPerUnitY = 23.8364 / 15.0;

// A cosmetic outline one unit outside the window falls wholly outside the clip.
constexpr double kOutlineMargin = 1.0;

QPen cosmeticPen(const QColor& colour, int width, Qt::PenStyle style) {
    QPen pen(colour, width, style);
    pen.setCosmetic(true);
    return pen;
}

// Texts are written with the unit transform lifted, so their glyphs are not distorted.
// The font is set once per kind of text (select()), not per text: setting a font on a
// widget's painter resolves it against the screen every time. A text that cannot reach
// the window is not drawn; most bars of a full day lie outside it. A laid-out text
// (QStaticText) puts its glyphs where drawText would, from its top-left corner.
class BoardText {
public:
    BoardText(QPainter& painter, QFont font, double points)
        : painter_(painter), units_(painter.transform()) {
        const double scale = units_.m22() / kDesignPixelsPerUnitY;
        font.setBold(false);
        font.setPixelSize(std::max(1, qRound(points * 96.0 / 72.0 * scale)));
        font_ = font;
        const QFontMetricsF metrics(font_, painter.device());
        ascent_ = metrics.ascent();
        // Generous bounds of the ink of a text: no glyph is wider than maxWidth, and none
        // reaches farther left of its pen position than that either.
        maxGlyphWidth_ = metrics.maxWidth() + 1.0;
        visibleLeft_ = units_.map(QPointF(0, 0)).x() - maxGlyphWidth_;
        visibleRight_ = units_.map(QPointF(kBoardUnitsX, 0)).x() + maxGlyphWidth_;
    }

    // Makes this kind of text the one the painter writes.
    void select() { painter_.setFont(font_); }

    // Whether a text of at most `maxLength` UTF-16 units written from x could show.
    bool mayShow(double xUnits, std::size_t maxLength) const {
        const double x = units_.map(QPointF(xUnits, 0)).x();
        return x <= visibleRight_ &&
               x + maxGlyphWidth_ * static_cast<double>(maxLength) >= visibleLeft_;
    }

    // Text written from a top-left position in board units; select() must have been called.
    void print(QPointF units, const QString& text, const QColor& colour) {
        if (!mayShow(units.x(), static_cast<std::size_t>(text.size())))
            return;
        const QPointF pixel = units_.map(units);
        painter_.resetTransform();
        painter_.setPen(colour);
        painter_.drawText(QPointF(pixel.x(), pixel.y() + ascent_), text);
        painter_.setTransform(units_);
    }

    // A text laid out beforehand, written the same way; the caller has checked mayShow().
    void print(QPointF units, const QStaticText& text, const QColor& colour) {
        const QPointF pixel = units_.map(units);
        painter_.resetTransform();
        painter_.setPen(colour);
        painter_.drawStaticText(pixel, text);
        painter_.setTransform(units_);
    }

private:
    QPainter& painter_;
    QTransform units_;
    QFont font_;
    double ascent_ = 0;
    double maxGlyphWidth_ = 0;
    double visibleLeft_ = 0;
    double visibleRight_ = 0;
};

void drawGrid(QPainter& p) {
    p.setPen(cosmeticPen(kGridBlue, 1, Qt::SolidLine));
    for (int k = 0; k < kGridLineCount; ++k)
        p.drawLine(QPointF(0, gridLineY(k)), QPointF(kBoardUnitsX, gridLineY(k)));
}

void drawTimeLines(QPainter& p, DateTime windowStart, BoardText& hourText) {
    hourText.select();
    for (const TimeLine& line : timeLines(windowStart)) {
        const double x = static_cast<double>(line.x);
        if (line.hour)
            hourText.print({x, kHourNumberY}, QStringLiteral(" %1").arg(line.hourNumber),
                           kGridBlue);
        p.setPen(cosmeticPen(line.hour ? kGridBlue : kHalfHourGreen, 1, Qt::DotLine));
        p.drawLine(QPointF(x, kTimeLineTop), QPointF(x, kTimeLineBottom));
    }
}

// The outlines of stored and of unsaved bars, made once per paint rather than once per bar.
struct BarPens {
    QPen stored = cosmeticPen(Qt::black, 1, Qt::SolidLine);
    QPen unsaved = cosmeticPen(Qt::black, 1, Qt::DashLine);
};

// Diagonal lines in pixels, whatever the board's units: a pattern brush drawn in board units
// would be stretched with them.
void hatch(QPainter& p, const QRectF& bar, const QColor& barColour) {
    const QTransform units = p.transform();
    p.resetTransform();
    p.fillRect(
        units.mapRect(bar),
        QBrush(barColour == kUnsavedHatch ? kUnsavedHatchOnRed : kUnsavedHatch, Qt::BDiagPattern));
    p.setTransform(units);
}

// The bar of one record line and its two texts, each drawn only where it can show.
void drawBar(QPainter& p, const std::string& line, BoardBar& bar, const BarPens& pens,
             DateTime windowStart, int row, BoardText& text, bool unsaved) {
    if (!bar.drawable())
        return;
    const double xs = static_cast<double>(minuteX(windowStart, bar.start()));
    const double xe = static_cast<double>(minuteX(windowStart, bar.end()));
    const BarTextAnchor anchor = barTextAnchor(xs, xe, row);
    const bool nameShows = text.mayShow(anchor.x, bar.nameLength());
    const bool detailShows = text.mayShow(anchor.x, bar.detailLength());
    const bool barShows =
        std::max(xs, xe) >= -kOutlineMargin && std::min(xs, xe) <= kBoardUnitsX + kOutlineMargin;
    if (!nameShows && !detailShows && !barShows)
        return;

    const double top = barTop(row), bottom = barBottom(row);
    if (barShows) {
        p.setPen(unsaved ? pens.unsaved : pens.stored);
        if (xs == xe) {
            p.drawLine(QPointF(xs, top), QPointF(xs, bottom));
        } else {
            const QRectF rect = QRectF(QPointF(xs, top), QPointF(xe, bottom)).normalized();
            p.fillRect(rect, bar.barColour());
            if (unsaved)
                hatch(p, rect, bar.barColour());
            p.setBrush(Qt::NoBrush);
            p.drawRect(rect);
        }
    }
    if (nameShows)
        text.print({anchor.x, anchor.nameY}, bar.name(line), bar.textColour());
    if (detailShows)
        text.print({anchor.x, anchor.detailY}, bar.detail(line), bar.textColour());
}

} // namespace

void paintBoardHalf(QPainter& painter, const BoardScene& scene) {
    const DeskModel& model = scene.model;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRectF(0, 0, kBoardUnitsX, kBoardUnitsY), kBackground);
    BoardText hourText(painter, scene.font, 12);
    BoardText barText(painter, scene.font, 8);

    drawGrid(painter);
    drawTimeLines(painter, scene.windowStart, hourText);

    const ShownDay& shown = model.shownDay();
    if (nowLineShown(shown.start, shown.end, model.now())) {
        const double x = static_cast<double>(minuteX(scene.windowStart, model.clock()));
        painter.setPen(cosmeticPen(kNowMagenta, 2, Qt::SolidLine));
        painter.drawLine(QPointF(x, kTimeLineTop), QPointF(x, kTimeLineBottom));
    }

    barText.select();
    const RoomGrid& grid = model.records();
    const UnsavedRecords& unsaved = model.unsaved();
    const BarPens pens;
    for (int row = 0; row < kRowsPerHalf; ++row) {
        if (rowInkBottom(row) < scene.area.top() || rowInkTop(row) > scene.area.bottom())
            continue;
        const int room = roomIndexAt(scene.half, row);
        for (int pos = 0; pos < kRecordsPerRoom; ++pos) {
            const std::string& line = grid.at(room, pos);
            if (!line.empty())
                drawBar(painter, line, scene.bars.of(row, pos, grid, room), pens, scene.windowStart,
                        row, barText, unsaved.at(room, pos));
        }
    }
    painter.restore();
}

} // namespace kavro
