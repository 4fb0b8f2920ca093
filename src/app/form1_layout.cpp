// The controls of the main window, as designed: names, captions, positions, fonts, colours.
#include "app/form1.h"
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
    Frame1 = make<QFrame>(this, "Frame1", 120, 0, 11535, 1935);
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Frame1->setMouseTracking(true);
    QWidget* f = Frame1;
    DTPicker1 = make<QDateEdit>(f, "DTPicker1", 120, 240, 2295, 375);
    DTPicker1->setCalendarPopup(true);
    // Typing a date digit by digit passes through other dates; only the finished one counts.
    DTPicker1->setKeyboardTracking(false);
    DTPicker1->setDisplayFormat(QStringLiteral("yyyy'年'M'月'd'日'"));
    DTPicker1->setFont(designFont(kPanelFont, 11.25));
    Label21 = label(f, "Label21", "ID", 2520, 240, 255, 255);
    Label11 = label(f, "Label11", "", 2520, 480, 975, 255);
    Command1 = button(f, "Command1", "利用", 3600, 240, 735, 375);
    Command2 = button(f, "Command2", "延長", 4440, 240, 735, 375);
    Command3 = button(f, "Command3", "通知", 5280, 240, 735, 375);
    Command3->setToolTip(QStringLiteral("10分前コールのした後"));
    Command4 = button(f, "Command4", "清算", 6120, 240, 735, 375);
    Command6 = button(f, "Command6", "予約", 6960, 240, 735, 375);
    Command14 = button(f, "Command14", "入力", 7800, 240, 735, 375);
    Command5 = button(f, "Command5", "修正", 8640, 240, 735, 375);
    Command10 = button(f, "Command10", "キャンセル", 9480, 240, 1215, 375);
    Command8 = button(f, "Command8", "削除", 10800, 240, 615, 375);
    Label12 = label(f, "Label12", "人数", 240, 720, 495, 255);
    Label13 = label(f, "Label13", "開始時間", 1200, 720, 975, 255);
    Label16 = label(f, "Label16", "単位", 2280, 720, 735, 255);
    Label17 = label(f, "Label17", "終了時間", 3240, 720, 975, 255);
    Label18 = label(f, "Label18", "区分", 4440, 720, 615, 255);
    Combo1 = combo(f, "Combo1", 120, 960, 855);
    Text1 = make<QLineEdit>(f, "Text1", 1080, 960, 1095, 375);
    Combo2 = combo(f, "Combo2", 2280, 960, 735);
    Text2 = make<QLineEdit>(f, "Text2", 3120, 960, 1095, 375);
    Combo3 = combo(f, "Combo3", 4320, 960, 1215);
    Label19 = label(f, "Label19", "名前　　　　　　　　（5文字まで)", 120, 1320, 1575, 495);
    Label19->setWordWrap(true);
    Label19->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Text3 = make<QLineEdit>(f, "Text3", 1560, 1440, 1815, 375);
    Text3->setMaxLength(5);
    Label20 = label(f, "Label20", "状態", 3720, 1440, 495, 255);
    Combo4 = combo(f, "Combo4", 4320, 1440, 1215);
    Label5 =
        label(f, "Label5", "ID                  開始　 単位 　終了　人数 Ｎｏ． 名前　　     状態",
              5670, 735, 5685, 225);
    List1 = make<QListWidget>(f, "List1", 5640, 945, 5775, 960);

    // Summary, legend and clock
    Label7 = label(this, "Label7", "組数", 11760, 0, 600, 255);
    Label9 = label(this, "Label9", "", 12360, 0, 1095, 255);
    Label8 = label(this, "Label8", "人数", 11760, 240, 600, 255);
    Label10 = label(this, "Label10", "", 12360, 240, 1095, 255);
    Label14 = label(this, "Label14", "時間", 13560, 0, 600, 255);
    Label15 = label(this, "Label15", "", 14160, 0, 1000, 255);
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
        Shape1[i] = make<QLabel>(this, "Shape1", 11760, legend[i].top, 375, 255);
        Shape1[i]->setObjectName(QStringLiteral("Shape1_%1").arg(i));
        Shape1[i]->setFrameStyle(QFrame::Box | QFrame::Plain);
        fill(Shape1[i], legend[i].colour);
        Label6[i] = label(this, "Label6", legend[i].caption, 12240, legend[i].top, 615, 255);
        Label6[i]->setObjectName(QStringLiteral("Label6_%1").arg(i));
    }
    Label3 = label(this, "Label3", "", 12840, 600, 2295, 735);
    Label3->setFont(designFont(kPanelFont, 36, true));
    Label3->setAlignment(Qt::AlignCenter);
    {
        QPalette pal = Label3->palette();
        pal.setColor(QPalette::WindowText, QColor(0x00, 0xFF, 0x00));
        Label3->setPalette(pal);
        fill(Label3, Qt::black);
    }
    Label2 = label(this, "Label2", "部屋　残り　 　　名前", 12840, 1440, 2295, 255);
    List2 = make<QListWidget>(this, "List2", 12840, 1680, 2295, 7710);
    List2->setFont(designFont(kFixedFont, 11.25));
    List2->setFocusPolicy(Qt::NoFocus);
    Command11 = button(this, "Command11", "<", 12960, 9480, 495, 495);
    Command12 = button(this, "Command12", "NOW", 13560, 9480, 855, 495);
    Command13 = button(this, "Command13", ">", 14520, 9480, 495, 495);
    Command9 = button(this, "Command9", "終了", 12960, 10200, 1335, 375);
    Command7 = button(this, "Command7", "注意", 14520, 10200, 615, 375);

    // Board halves with their pop-ups and hover read-outs, and the room labels
    for (int i = 0; i < 2; ++i) {
        Picture1[i] = new BoardHalf(this, i, this);
        Picture1[i]->setObjectName(QStringLiteral("Picture1_%1").arg(i));
        place(Picture1[i], i == 0 ? 1080 : 7440, 2040, 5295, 8535);
        cmdNext[i] = button(Picture1[i], "cmdNext", "延長", 0, 0, 975, 375);
        cmdCall[i] = button(Picture1[i], "cmdCall", "通知", 0, 0, 975, 375);
        cmdCrdt[i] = button(Picture1[i], "cmdCrdt", "精算", 0, 0, 975, 375);
        cmdNext[i]->setObjectName(QStringLiteral("cmdNext_%1").arg(i));
        cmdCall[i]->setObjectName(QStringLiteral("cmdCall_%1").arg(i));
        cmdCrdt[i]->setObjectName(QStringLiteral("cmdCrdt_%1").arg(i));
        Label4[i] = label(Picture1[i], "Label4", "Label4", 0, 0, 855, 255);
        Label4[i]->setObjectName(QStringLiteral("Label4_%1").arg(i));
        Label4[i]->setFont(designFont(kPanelFont, 12, true));
        Label4[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
        for (QWidget* w : {static_cast<QWidget*>(cmdNext[i]), static_cast<QWidget*>(cmdCall[i]),
                           static_cast<QWidget*>(cmdCrdt[i]), static_cast<QWidget*>(Label4[i])})
            w->hide();
    }
    for (int i = 0; i < 34; ++i) {
        Label1[i] = label(this, "Label1", "", i < 17 ? 120 : 6480, 2400 + 480 * (i % 17), 855, 375);
        Label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        Label1[i]->setText(QString::fromStdString(roomCode(i)));
        Label1[i]->setFont(designFont(kPanelFont, 14.25, true));
        Label1[i]->setAlignment(Qt::AlignCenter);
        Label1[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        fill(Label1[i], palette().color(QPalette::Base));
    }

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(30000);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(5000);

    // Tab order of the entry fields
    setTabOrder(Combo1, Text1);
    setTabOrder(Text1, Combo2);
    setTabOrder(Combo2, Text2);
    setTabOrder(Text2, Combo3);
    setTabOrder(Combo3, Text3);
}

} // namespace kavro
