#include "window/room_status.h"

#include "core/records/record.h"
#include "window/design_layout.h"

#include <QLabel>
#include <QListWidget>

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

RoomStatus::RoomStatus(QWidget* window) : WindowPanel("roomStatus", window) {
    label(this, "Label7", "組数", 11760, 0, 600, 255);
    groupsLabel = label(this, "Label9", "", 12360, 0, 1095, 255);
    label(this, "Label8", "人数", 11760, 240, 600, 255);
    peopleLabel = label(this, "Label10", "", 12360, 240, 1095, 255);
    label(this, "Label14", "時間", 13560, 0, 600, 255);
    minutesLabel = label(this, "Label15", "", 14160, 0, 1000, 255);
    clockLabel = label(this, "Label3", "", 12840, 600, 2295, 735);
    clockLabel->setFont(designFont(kPanelFont, 36, true));
    clockLabel->setAlignment(Qt::AlignCenter);
    {
        QPalette pal = clockLabel->palette();
        pal.setColor(QPalette::WindowText, QColor(0x00, 0xFF, 0x00));
        clockLabel->setPalette(pal);
        fill(clockLabel, Qt::black);
    }
    label(this, "Label2", "部屋　残り　 　　名前", 12840, 1440, 2295, 255);
    remainingList = make<QListWidget>(this, "List2", 12840, 1680, 2295, 7710);
    remainingList->setFont(designFont(kFixedFont, 11.25));
    remainingList->setFocusPolicy(Qt::NoFocus);
    for (int i = 0; i < kRoomCount; ++i) {
        roomLabels[i] =
            label(this, "Label1", "", i < 17 ? 120 : 6480, 2400 + 480 * (i % 17), 855, 375);
        roomLabels[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        roomLabels[i]->setText(QString::fromStdString(roomCode(i)));
        roomLabels[i]->setFont(designFont(kPanelFont, 14.25, true));
        roomLabels[i]->setAlignment(Qt::AlignCenter);
        roomLabels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        fill(roomLabels[i], palette().color(QPalette::Base));
    }
}

void RoomStatus::showClock(DateTime clock) {
    clockLabel->setText(QString::fromStdString(formatHhNn(clock)));
}

void RoomStatus::showAlerts(const RoomAlerts& alerts) {
    for (int i = 0; i < kRoomCount; ++i)
        setBackground(roomLabels[i], labelColour(alerts.rooms[i]));
    if (alerts.listItems == listedItems_)
        return;
    listedItems_ = alerts.listItems;
    remainingList->clear();
    for (const auto& item : alerts.listItems)
        remainingList->addItem(QString::fromStdString(item));
}

void RoomStatus::showTotals(const DayTotals& totals) {
    minutesLabel->setText(QString::fromStdString(minutesCaption(totals.minutesTotal)));
    peopleLabel->setText(QString::fromStdString(peopleCaption(totals.peopleTotal)));
    groupsLabel->setText(QString::fromStdString(groupsCaption(totals.maxGroupNo)));
}

} // namespace kavro
