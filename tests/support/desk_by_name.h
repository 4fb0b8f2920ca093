#pragma once
// The window driven as a clerk would, through controls found by their design names, so that
// a test does not depend on how the window keeps them.
#include "core/screen/board_geometry.h"
#include "window/board_half.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace kavro::test {

template <class W> W* control(QWidget& window, const char* objectName) {
    auto* w = window.findChild<W*>(QString::fromLatin1(objectName));
    EXPECT_NE(w, nullptr) << objectName;
    return w;
}

// The board half of a room, and the pixel of its row `minutesAfterClock` minutes after the
// clock (the board's window follows the clock, which it shows kBoardLeadMinutes in).
inline BoardHalf* boardHalfOf(QWidget& window, int roomIndex) {
    return control<BoardHalf>(window, roomIndex < kRowsPerHalf ? "Picture1_0" : "Picture1_1");
}
inline QPointF boardUnitsAt(int roomIndex, double minutesAfterClock) {
    return {kBoardLeadMinutes + minutesAfterClock + 0.2, 20.0 * (roomIndex % kRowsPerHalf) + 24};
}

// A free place of the room clicked, the name committed by the input method, 利用 clicked.
inline void checkInByName(QWidget& window, int roomIndex, const QString& name,
                          double minutesAfterClock = 10) {
    BoardHalf* half = boardHalfOf(window, roomIndex);
    QTest::mouseClick(half, Qt::LeftButton, {},
                      half->toPixels(boardUnitsAt(roomIndex, minutesAfterClock)).toPoint());
    QInputMethodEvent commit;
    commit.setCommitString(name);
    QCoreApplication::sendEvent(control<QLineEdit>(window, "Text3"), &commit);
    QTest::mouseClick(control<QPushButton>(window, "Command1"), Qt::LeftButton);
}

// Pixels of the red that hatches a record the day file does not hold, inside the room's bar
// row from 12 to 50 minutes after the clock (where checkInByName's booking lies).
inline int unsavedHatchPixels(QWidget& window, int roomIndex) {
    BoardHalf* half = boardHalfOf(window, roomIndex);
    const QImage image = half->render();
    const int row = roomIndex % kRowsPerHalf;
    const QPoint from = half->toPixels({kBoardLeadMinutes + 12.0, barTop(row) + 1}).toPoint();
    const QPoint to = half->toPixels({kBoardLeadMinutes + 50.0, barBottom(row) - 1}).toPoint();
    int n = 0;
    for (int y = from.y(); y <= to.y(); ++y)
        for (int x = from.x(); x <= to.x(); ++x)
            n += image.pixelColor(x, y) == QColor(0xFF, 0x00, 0x00);
    return n;
}

} // namespace kavro::test
