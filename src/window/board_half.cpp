#include "window/board_half.h"

#include "window/board_painter.h"
#include "window/timetable_board.h"

#include <QMouseEvent>
#include <QPainter>

namespace kavro {

BoardHalf::BoardHalf(const DeskModel& model, const BoardWindow& span, int index, QWidget* parent)
    : QFrame(parent), model_(model), span_(span), index_(index) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xDD));
    setPalette(pal);
}

QTransform BoardHalf::unitTransform() const {
    QRectF area = contentsRect();
    QTransform t;
    t.translate(area.left(), area.top());
    t.scale(area.width() / kBoardUnitsX, area.height() / kBoardUnitsY);
    return t;
}

QPointF BoardHalf::toUnits(QPointF pixel) const { return unitTransform().inverted().map(pixel); }
QPointF BoardHalf::toPixels(QPointF units) const { return unitTransform().map(units); }

void BoardHalf::placeChild(QWidget* child, double xUnits, double yUnits) {
    QPointF p = toPixels({xUnits, yUnits});
    child->move(qRound(p.x()), qRound(p.y()));
}

QImage BoardHalf::render() {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QWidget::render(&image);
    return image;
}

void BoardHalf::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.setTransform(unitTransform());
    // A repaint of one row's band draws that band's rows only.
    const QRectF area = unitTransform().inverted().mapRect(QRectF(event->rect()));
    paintBoardHalf(painter, {model_, span_.start, index_, font(), bars_, area});
}

void BoardHalf::mousePressEvent(QMouseEvent* event) {
    const QPointF u = toUnits(event->position());
    emit pressed(u.x(), u.y());
}

void BoardHalf::mouseMoveEvent(QMouseEvent* event) {
    const QPointF u = toUnits(event->position());
    emit hovered(u.x(), u.y());
}

} // namespace kavro
