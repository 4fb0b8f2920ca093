#include "support/clerk.h"

#include "window/board_half.h"

#include <QCoreApplication>
#include <QMouseEvent>

namespace kavro::test {

void pressBoardHalf(BoardHalf& half, QPointF units) {
    const QPointF pixel = half.toPixels(units);
    const QPointF global = half.mapToGlobal(pixel);
    QMouseEvent press(QEvent::MouseButtonPress, pixel, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&half, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, pixel, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(&half, &release);
}

} // namespace kavro::test
