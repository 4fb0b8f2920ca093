// The time read-out that follows the pointer over a board half.
#include "app/form1.h"
#include "board/board_half.h"
#include "ledger/board_geometry.h"

#include <QLabel>
#include <QPushButton>

namespace kavro {

void Form1::Picture1_MouseMove(int index, int, int, double x, double y) {
    const int other = 1 - index;
    cmdNext[other]->hide();
    cmdCall[other]->hide();
    cmdCrdt[other]->hide();

    QLabel* readout = Label4[index];
    if (!inReadoutArea(x, y)) {
        readout->hide();
        return;
    }
    readout->show();
    Picture1[index]->placeChild(readout, readoutLeft(x), readoutTop(y));
    readout->setText(QString::fromStdString(formatHhNn(timeAt(boardStart, x))));
}

} // namespace kavro
