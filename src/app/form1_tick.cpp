// The 30-second clock tick and the alarm.
#include "app/form1.h"

#include "ledger/room_alerts.h"

#include <QLabel>
#include <QListWidget>
#include <QTimer>

namespace kavro {

namespace {

QColor labelColour(RoomAlert alert) {
    switch (alert) {
    case RoomAlert::Near:
        return QColor(0xFF, 0xFF, 0x00);
    case RoomAlert::Called:
        return QColor(0xFF, 0xDD, 0xDD);
    case RoomAlert::Overdue:
        return QColor(0xFF, 0x00, 0x00);
    case RoomAlert::None:
        break;
    }
    return QColor(0xFF, 0xFF, 0xFF);
}

void setBackground(QLabel* label, const QColor& colour) {
    QPalette pal = label->palette();
    if (pal.color(QPalette::Window) == colour)
        return;
    pal.setColor(QPalette::Window, colour);
    label->setPalette(pal);
}

} // namespace

void Form1::tick() {
    if (tickHeldByQuestion())
        return;
    clockNow = tickClock(platform_.now(), shownDay.offset, shownDate());
    remainingList->clear();
    clockLabel->setText(QString::fromStdString(formatHhNn(clockNow)));
    placeBoard(board.followsClock ? clockNow : board.reference);
    repaintBoard();

    alarmTimer->stop();
    const RoomAlerts alerts = computeRoomAlerts(roomGrid, clockNow);
    for (int i = 0; i < kRoomCount; ++i)
        setBackground(roomLabels[i], labelColour(alerts.rooms[i]));
    for (const auto& item : alerts.listItems)
        remainingList->addItem(QString::fromStdString(item));
    if (alerts.alarmRecords > 0) {
        alarmTimer->start();
        for (int n = 0; n < alerts.alarmRecords; ++n)
            beepAlarm();
    }

    rollOverWhenDayChanged();
}

void Form1::beepAlarm() { platform_.beep(); }

void Form1::hideHoverReadouts() {
    for (auto* readout : hoverReadouts)
        readout->hide();
}

} // namespace kavro
