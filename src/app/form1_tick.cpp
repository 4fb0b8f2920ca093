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

void Form1::Timer1_Timer() {
    clockNow = tickClock(platform_.now(), dayOffset, shownDate());
    List2->clear();
    Label3->setText(QString::fromStdString(formatHhNn(clockNow)));
    if (followClock)
        refNow = clockNow;
    boardStart = addMinutes(refNow, -90);
    repaintBoard();

    Timer2->stop();
    const RoomAlerts alerts = computeRoomAlerts(roomGrid, clockNow);
    for (int i = 0; i < kRoomCount; ++i)
        setBackground(Label1[i], labelColour(alerts.rooms[i]));
    for (const auto& item : alerts.listItems)
        List2->addItem(QString::fromStdString(item));
    if (alerts.alarmRecords > 0) {
        Timer2->start();
        for (int n = 0; n < alerts.alarmRecords; ++n)
            Timer2_Timer();
    }

    rolloverCheck();
}

void Form1::Timer2_Timer() { platform_.beep(); }

void Form1::Form_MouseMove() {
    for (auto* readout : Label4)
        readout->hide();
}

} // namespace kavro
