#include "window/timetable_board.h"

#include "core/screen/board_geometry.h"
#include "desk/desk_model.h"
#include "window/bill_words.h"
#include "window/board_half.h"
#include "window/design_layout.h"
#include "window/record_at.h"

#include <QLabel>
#include <QPushButton>

namespace kavro {

namespace {
// How far < and > move the window.
constexpr long kStepMinutes = 60;
} // namespace

TimetableBoard::TimetableBoard(const DeskModel& model, QWidget* window)
    : WindowPanel("timetableBoard", window), model_(model) {
    createControls();
}

void TimetableBoard::createControls() {
    struct Legend {
        int top;
        QColor colour;
        const char* caption;
    };
    const std::array<Legend, 5> legend{{{720, QColor(0x00, 0xFF, 0xFF), "入室"},
                                        {960, QColor(0x80, 0x80, 0xFF), "延長"},
                                        {1200, QColor(0xFF, 0x00, 0x00), "通知"},
                                        {1680, QColor(0x00, 0x00, 0xFF), "清算"},
                                        {1440, QColor(0x00, 0xFF, 0x00), "予約"}}};
    for (int i = 0; i < 5; ++i) {
        auto* swatch = make<QLabel>(this, "Shape1", 11760, legend[i].top, 375, 255);
        swatch->setObjectName(QStringLiteral("Shape1_%1").arg(i));
        swatch->setFrameStyle(QFrame::Box | QFrame::Plain);
        fill(swatch, legend[i].colour);
        label(this, "Label6", legend[i].caption, 12240, legend[i].top, 615, 255)
            ->setObjectName(QStringLiteral("Label6_%1").arg(i));
    }
    backButton = button(this, "Command11", "<", 12960, 9480, 495, 495);
    nowButton = button(this, "Command12", "NOW", 13560, 9480, 855, 495);
    forwardButton = button(this, "Command13", ">", 14520, 9480, 495, 495);
    connect(backButton, &QPushButton::clicked, this, &TimetableBoard::moveBack);
    connect(nowButton, &QPushButton::clicked, this, &TimetableBoard::moveToNow);
    connect(forwardButton, &QPushButton::clicked, this, &TimetableBoard::moveForward);

    for (int i = 0; i < 2; ++i) {
        halves[i] = new BoardHalf(model_, span_, i, this);
        halves[i]->setObjectName(QStringLiteral("Picture1_%1").arg(i));
        place(halves[i], i == 0 ? 1080 : 7440, 2040, 5295, 8535);
        popupExtendButtons[i] = button(halves[i], "cmdNext", "延長", 0, 0, 975, 375);
        popupNotifyButtons[i] = button(halves[i], "cmdCall", "通知", 0, 0, 975, 375);
        popupSettleButtons[i] = button(halves[i], "cmdCrdt", "精算", 0, 0, 975, 375);
        popupExtendButtons[i]->setObjectName(QStringLiteral("cmdNext_%1").arg(i));
        popupNotifyButtons[i]->setObjectName(QStringLiteral("cmdCall_%1").arg(i));
        popupSettleButtons[i]->setObjectName(QStringLiteral("cmdCrdt_%1").arg(i));
        settleAmounts[i] = new QLabel(halves[i]);
        settleAmounts[i]->setObjectName(QStringLiteral("lblCrdtAmount_%1").arg(i));
        settleAmounts[i]->setFrameStyle(QFrame::Box | QFrame::Plain);
        settleAmounts[i]->setStyleSheet(QStringLiteral("background: #ffffe1; padding: 0 3px;"));
        settleAmounts[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
        hoverReadouts[i] = label(halves[i], "Label4", "Label4", 0, 0, 855, 255);
        hoverReadouts[i]->setObjectName(QStringLiteral("Label4_%1").arg(i));
        hoverReadouts[i]->setFont(designFont(kPanelFont, 12, true));
        hoverReadouts[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
        hidePopup(i);
        hoverReadouts[i]->hide();
        connect(halves[i], &BoardHalf::pressed, this,
                [this, i](double x, double y) { halfPressed(i, x, y); });
        connect(halves[i], &BoardHalf::hovered, this,
                [this, i](double x, double y) { halfHovered(i, x, y); });
        // A pop-up button does what the panel's button does, beside the bar.
        connect(popupExtendButtons[i], &QPushButton::clicked, this, [this, i] {
            hidePopup(i);
            emit popupExtendClicked();
        });
        connect(popupNotifyButtons[i], &QPushButton::clicked, this, [this, i] {
            hidePopup(i);
            emit popupNotifyClicked();
        });
        connect(popupSettleButtons[i], &QPushButton::clicked, this, [this, i] {
            hidePopup(i);
            emit popupSettleClicked();
        });
    }
}

void TimetableBoard::placeAround(DateTime reference) {
    span_.reference = reference;
    span_.start = addMinutes(reference, -kBoardLeadMinutes);
}

void TimetableBoard::follow(DateTime clock) {
    placeAround(span_.followsClock ? clock : span_.reference);
    if (painted_ == picture())
        repaintChangedRows();
    else
        repaintHalves();
}

void TimetableBoard::resumeFollowing(DateTime clock) {
    span_.reference = clock;
    span_.followsClock = true;
}

void TimetableBoard::showAt(DateTime reference) {
    span_.followsClock = false;
    placeAround(reference);
    repaintHalves();
}

TimetableBoard::Picture TimetableBoard::picture() const {
    using std::chrono::floor;
    using std::chrono::minutes;
    const ShownDay& shown = model_.shownDay();
    return {floor<minutes>(span_.start), floor<minutes>(model_.clock()),
            nowLineShown(shown.start, shown.end, model_.now()), shown.date};
}

bool TimetableBoard::takeRoomAsPainted(int room) {
    bool changed = false;
    const RoomGrid& grid = model_.records();
    const UnsavedRecords& unsaved = model_.unsaved();
    for (int pos = 0; pos < kRecordsPerRoom; ++pos) {
        const std::string& line = grid.at(room, pos);
        if (paintedRows_[room][pos] != line) {
            paintedRows_[room][pos] = line;
            changed = true;
        }
        if (paintedUnsaved_[room][pos] != unsaved.at(room, pos)) {
            paintedUnsaved_[room][pos] = unsaved.at(room, pos);
            changed = true;
        }
    }
    return changed;
}

void TimetableBoard::repaintHalves() {
    painted_ = picture();
    for (int room = 0; room < kRoomCount; ++room)
        takeRoomAsPainted(room);
    for (auto* half : halves)
        half->update();
}

void TimetableBoard::repaintChangedRows() {
    for (int room = 0; room < kRoomCount; ++room) {
        if (!takeRoomAsPainted(room))
            continue;
        const BoardRow place = boardRowOfRoom(room);
        BoardHalf* half = halves[place.half];
        const QPointF top = half->toPixels({0, rowInkTop(place.row)});
        const QPointF bottom = half->toPixels({kBoardUnitsX, rowInkBottom(place.row)});
        half->update(QRectF(top, bottom).toAlignedRect().adjusted(-2, -2, 2, 2));
    }
}

void TimetableBoard::showPopup(int half, const SelectionOffer& o) {
    popupExtendButtons[half]->setVisible(o.popupExtend);
    popupNotifyButtons[half]->setVisible(o.popupNotify);
    popupSettleButtons[half]->setVisible(o.popupSettle);
}

void TimetableBoard::showSettleAmount(int half, const QString& amount) {
    QPushButton* settle = popupSettleButtons[half];
    QLabel* label = settleAmounts[half];
    label->setText(amount);
    label->adjustSize();
    label->resize(label->width(), settle->height());
    // Beside the button, on the side where the half has room for it.
    const QRect b = settle->geometry();
    const int left = b.right() + 1 + label->width() <= halves[half]->width()
                         ? b.right() + 1
                         : b.left() - label->width();
    label->move(left, b.top());
    label->show();
    label->raise();
}

void TimetableBoard::hidePopup(int half) {
    settleAmounts[half]->hide();
    popupExtendButtons[half]->hide();
    popupNotifyButtons[half]->hide();
    popupSettleButtons[half]->hide();
}

void TimetableBoard::hidePopups() {
    for (int i = 0; i < 2; ++i)
        hidePopup(i);
}

void TimetableBoard::hideReadouts() {
    for (auto* readout : hoverReadouts)
        readout->hide();
}

void TimetableBoard::halfPressed(int index, double x, double y) {
    // The pop-up goes beside the pointer, hidden until the press offers something.
    const PopupPosition p = popupPosition(x, y);
    BoardHalf* half = halves[index];
    hidePopup(index);
    half->placeChild(popupExtendButtons[index], p.left, p.y - 20);
    half->placeChild(popupNotifyButtons[index], p.left, p.y);
    half->placeChild(popupSettleButtons[index], p.left, p.y + 20);
    // The window's start keeps its seconds, so a press can fall just after a record's end.
    emit pressed(index, rowAt(y), timeAt(span_.start, x));
}

void TimetableBoard::halfHovered(int index, double x, double y) {
    hidePopup(1 - index);
    showBillTip(index, x, y);
    QLabel* readout = hoverReadouts[index];
    if (!inReadoutArea(x, y)) {
        readout->hide();
        return;
    }
    readout->show();
    halves[index]->placeChild(readout, readoutLeft(x), readoutTop(y));
    readout->setText(QString::fromStdString(formatHhNn(timeAt(span_.start, x))));
}

void TimetableBoard::showBillTip(int index, double x, double y) {
    QString tip;
    if (const auto row = rowAt(y); row && model_.showsPrices())
        if (const auto record =
                lastRecordAt(model_.records(), roomIndexAt(index, *row), timeAt(span_.start, x)))
            tip = billTooltip(model_.billOf(record->id));
    halves[index]->setToolTip(tip);
}

void TimetableBoard::moveBack() {
    span_.followsClock = false;
    // The limit is tested before the step, so the last step may go up to an hour past it.
    if (model_.shownDay().start < span_.reference)
        placeAround(addMinutes(span_.reference, -kStepMinutes));
    repaintHalves();
}

void TimetableBoard::moveToNow() {
    if (model_.shownDay().offset != 0)
        return;
    placeAround(model_.now());
    span_.followsClock = true;
    repaintHalves();
}

void TimetableBoard::moveForward() {
    span_.followsClock = false;
    if (model_.shownDay().end > span_.reference)
        placeAround(addMinutes(span_.reference, kStepMinutes));
    repaintHalves();
}

} // namespace kavro
