#include "board/board_half.h"

#include "app/form1.h"

#include <QMouseEvent>
#include <QPainter>

namespace kavro {

BoardHalf::BoardHalf(Form1* form, int index, QWidget* parent)
    : QFrame(parent), form_(form), index_(index) {
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

void BoardHalf::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.setTransform(unitTransform());
    form_->paintBoardHalf(index_, painter);
}

void BoardHalf::mousePressEvent(QMouseEvent* event) {
    QPointF u = toUnits(event->position());
    form_->boardPressed(index_, static_cast<int>(event->button()),
                        static_cast<int>(event->modifiers()), u.x(), u.y());
}

void BoardHalf::mouseMoveEvent(QMouseEvent* event) {
    QPointF u = toUnits(event->position());
    form_->boardHovered(index_, static_cast<int>(event->buttons()),
                        static_cast<int>(event->modifiers()), u.x(), u.y());
}

} // namespace kavro
