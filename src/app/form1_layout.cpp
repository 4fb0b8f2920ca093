// The controls of the main window, as designed: names, captions, positions, fonts, colours.
#include "app/form1.h"
#include "app/id_label_fit.h"
#include "app/input_method_off.h"
#include "board/board_half.h"
#include "ledger/record.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace kavro {

namespace {

const char* const kPanelFont = "ＭＳ Ｐゴシック";
const char* const kFixedFont = "ＭＳ ゴシック";

QFont designFont(const char* family, double points, bool bold = false) {
    QFont f(QString::fromUtf8(family));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

void place(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(tw(left), tw(top), tw(width), tw(height));
}

template <class W>
W* make(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    place(w, left, top, width, height);
    return w;
}

QLabel* label(QWidget* parent, const char* name, const char* caption, int left, int top, int width,
              int height) {
    auto* l = make<QLabel>(parent, name, left, top, width, height);
    l->setText(QString::fromUtf8(caption));
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, int left, int top,
                    int width, int height) {
    auto* b = make<QPushButton>(parent, name, left, top, width, height);
    b->setText(QString::fromUtf8(caption));
    b->setAutoDefault(false);
    return b;
}

QComboBox* combo(QWidget* parent, const char* name, int left, int top, int width) {
    auto* c = make<QComboBox>(parent, name, left, top, width, 375);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMaxVisibleItems(12);
    // A typed value is stored as typed or refused: inline completion would turn a typed
    // "0" into "0.5", or "00" into room "001", without the clerk noticing.
    c->setCompleter(nullptr);
    return c;
}

void fill(QWidget* w, QColor colour) {
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
}

} // namespace

void Form1::createControls() {
    setWindowTitle(QStringLiteral("KAVRO24"));
    setFixedSize(1016, 711);
    setFont(designFont(kPanelFont, 9.75));
    setMouseTracking(true);

    // Entry panel
    entryFrame = make<QFrame>(this, "Frame1", 120, 0, 11535, 1935);
    entryFrame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    entryFrame->setMouseTracking(true);
    QWidget* f = entryFrame;
    datePicker = make<QDateEdit>(f, "DTPicker1", 120, 240, 2295, 375);
    datePicker->setCalendarPopup(true);
    // Typing a date digit by digit passes through other dates; only the finished one counts.
    datePicker->setKeyboardTracking(false);
    datePicker->setDisplayFormat(QStringLiteral("yyyy'年'M'月'd'日'"));
    datePicker->setFont(designFont(kPanelFont, 11.25));
    label(f, "Label21", "ID", 2520, 240, 255, 255);
    selectedIdLabel = label(f, "Label11", "", 2520, 480, 975, 255);
    fitDigitsToLabel(selectedIdLabel, 9);
    checkInButton = button(f, "Command1", "利用", 3600, 240, 735, 375);
    extendButton = button(f, "Command2", "延長", 4440, 240, 735, 375);
    notifyButton = button(f, "Command3", "通知", 5280, 240, 735, 375);
    notifyButton->setToolTip(QStringLiteral("10分前コールのした後"));
    settleButton = button(f, "Command4", "清算", 6120, 240, 735, 375);
    reserveButton = button(f, "Command6", "予約", 6960, 240, 735, 375);
    inputExtensionButton = button(f, "Command14", "入力", 7800, 240, 735, 375);
    modifyButton = button(f, "Command5", "修正", 8640, 240, 735, 375);
    cancelButton = button(f, "Command10", "キャンセル", 9480, 240, 1215, 375);
    deleteButton = button(f, "Command8", "削除", 10800, 240, 615, 375);
    label(f, "Label12", "人数", 240, 720, 495, 255);
    label(f, "Label13", "開始時間", 1200, 720, 975, 255);
    label(f, "Label16", "単位", 2280, 720, 735, 255);
    label(f, "Label17", "終了時間", 3240, 720, 975, 255);
    label(f, "Label18", "区分", 4440, 720, 615, 255);
    peopleBox = combo(f, "Combo1", 120, 960, 855);
    startEdit = make<QLineEdit>(f, "Text1", 1080, 960, 1095, 375);
    unitBox = combo(f, "Combo2", 2280, 960, 735);
    endEdit = make<QLineEdit>(f, "Text2", 3120, 960, 1095, 375);
    roomBox = combo(f, "Combo3", 4320, 960, 1215);
    nameCaption = label(f, "Label19", "名前　　　　　　　　（5文字まで)", 120, 1320, 1575, 495);
    nameCaption->setWordWrap(true);
    nameCaption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    nameEdit = make<QLineEdit>(f, "Text3", 1560, 1440, 1815, 375);
    nameEdit->setMaxLength(5);
    for (QWidget* box : {static_cast<QWidget*>(peopleBox), static_cast<QWidget*>(startEdit),
                         static_cast<QWidget*>(unitBox), static_cast<QWidget*>(endEdit),
                         static_cast<QWidget*>(roomBox)})
        keepInputMethodOff(box);
    nameEdit->setAttribute(Qt::WA_InputMethodEnabled, true); // names are Japanese
    label(f, "Label20", "状態", 3720, 1440, 495, 255);
    statusBox = combo(f, "Combo4", 4320, 1440, 1215);
    label(f, "Label5", "ID                  開始　 単位 　終了　人数 Ｎｏ． 名前　　     状態",
          5670, 735, 5685, 225);
    bookingList = make<QListWidget>(f, "List1", 5640, 945, 5775, 960);

    // Summary, legend and clock
    label(this, "Label7", "組数", 11760, 0, 600, 255);
    groupsLabel = label(this, "Label9", "", 12360, 0, 1095, 255);
    label(this, "Label8", "人数", 11760, 240, 600, 255);
    peopleLabel = label(this, "Label10", "", 12360, 240, 1095, 255);
    label(this, "Label14", "時間", 13560, 0, 600, 255);
    minutesLabel = label(this, "Label15", "", 14160, 0, 1000, 255);
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
    boardBackButton = button(this, "Command11", "<", 12960, 9480, 495, 495);
    boardNowButton = button(this, "Command12", "NOW", 13560, 9480, 855, 495);
    boardForwardButton = button(this, "Command13", ">", 14520, 9480, 495, 495);
    exitButton = button(this, "Command9", "終了", 12960, 10200, 1335, 375);
    aboutButton = button(this, "Command7", "注意", 14520, 10200, 615, 375);

    // Board halves with their pop-ups and hover read-outs, and the room labels
    for (int i = 0; i < 2; ++i) {
        boardHalves[i] = new BoardHalf(this, i, this);
        boardHalves[i]->setObjectName(QStringLiteral("Picture1_%1").arg(i));
        place(boardHalves[i], i == 0 ? 1080 : 7440, 2040, 5295, 8535);
        popupExtendButtons[i] = button(boardHalves[i], "cmdNext", "延長", 0, 0, 975, 375);
        popupNotifyButtons[i] = button(boardHalves[i], "cmdCall", "通知", 0, 0, 975, 375);
        popupSettleButtons[i] = button(boardHalves[i], "cmdCrdt", "精算", 0, 0, 975, 375);
        popupExtendButtons[i]->setObjectName(QStringLiteral("cmdNext_%1").arg(i));
        popupNotifyButtons[i]->setObjectName(QStringLiteral("cmdCall_%1").arg(i));
        popupSettleButtons[i]->setObjectName(QStringLiteral("cmdCrdt_%1").arg(i));
        hoverReadouts[i] = label(boardHalves[i], "Label4", "Label4", 0, 0, 855, 255);
        hoverReadouts[i]->setObjectName(QStringLiteral("Label4_%1").arg(i));
        hoverReadouts[i]->setFont(designFont(kPanelFont, 12, true));
        hoverReadouts[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
        hidePopupButtons(i);
        hoverReadouts[i]->hide();
    }
    for (int i = 0; i < 34; ++i) {
        roomLabels[i] =
            label(this, "Label1", "", i < 17 ? 120 : 6480, 2400 + 480 * (i % 17), 855, 375);
        roomLabels[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        roomLabels[i]->setText(QString::fromStdString(roomCode(i)));
        roomLabels[i]->setFont(designFont(kPanelFont, 14.25, true));
        roomLabels[i]->setAlignment(Qt::AlignCenter);
        roomLabels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        fill(roomLabels[i], palette().color(QPalette::Base));
    }

    clockTimer = new QTimer(this);
    clockTimer->setObjectName(QStringLiteral("Timer1"));
    clockTimer->setInterval(30000);
    alarmTimer = new QTimer(this);
    alarmTimer->setObjectName(QStringLiteral("Timer2"));
    alarmTimer->setInterval(5000);

    // Tab order of the entry fields
    setTabOrder(peopleBox, startEdit);
    setTabOrder(startEdit, unitBox);
    setTabOrder(unitBox, endEdit);
    setTabOrder(endEdit, roomBox);
    setTabOrder(roomBox, nameEdit);
}

} // namespace kavro
