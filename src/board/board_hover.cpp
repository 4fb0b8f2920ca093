// The time read-out that follows the pointer over a board half.
#include "app/form1.h"
#include "board/board_half.h"
#include "ledger/board_geometry.h"

#include <QLabel>
#include <QPushButton>

namespace kavro {

void Form1::boardHovered(int index, int, int, double x, double y) {
    const int other = 1 - index;
    hidePopupButtons(other);

    QLabel* readout = hoverReadouts[index];
    if (!inReadoutArea(x, y)) {
        readout->hide();
        return;
    }
    readout->show();
    boardHalves[index]->placeChild(readout, readoutLeft(x), readoutTop(y));
    readout->setText(QString::fromStdString(formatHhNn(timeAt(board.start, x))));
}

} // namespace kavro
