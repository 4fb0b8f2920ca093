// The window's construction, event wiring and the small helpers every handler shares.
#include "app/form1.h"

#include "about/frm_about.h"
#include "board/board_half.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace kavro {

Form1::Form1(Platform platform, QWidget* parent) : QWidget(parent), platform_(std::move(platform)) {
    setObjectName(QStringLiteral("Form1"));
    createControls();
    connectHandlers();
}

Form1::~Form1() {
    // The children outlive this part of the window: a combo box losing the focus while it
    // is destroyed still emits, and must not reach handlers of a half-destroyed window.
    for (QObject* child : findChildren<QObject*>())
        disconnect(child, nullptr, this, nullptr);
}

void Form1::connectHandlers() {
    auto click = [this](QPushButton* b, void (Form1::*handler)()) {
        connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    click(Command1, &Form1::Command1_Click);
    click(Command2, &Form1::Command2_Click);
    click(Command3, &Form1::Command3_Click);
    click(Command4, &Form1::Command4_Click);
    click(Command5, &Form1::Command5_Click);
    click(Command6, &Form1::Command6_Click);
    click(Command7, &Form1::Command7_Click);
    click(Command8, &Form1::Command8_Click);
    click(Command9, &Form1::Command9_Click);
    click(Command10, &Form1::Command10_Click);
    click(Command11, &Form1::Command11_Click);
    click(Command12, &Form1::Command12_Click);
    click(Command13, &Form1::Command13_Click);
    click(Command14, &Form1::Command14_Click);
    for (int i = 0; i < 2; ++i) {
        connect(cmdNext[i], &QPushButton::clicked, this, [this, i] { cmdNext_Click(i); });
        connect(cmdCall[i], &QPushButton::clicked, this, [this, i] { cmdCall_Click(i); });
        connect(cmdCrdt[i], &QPushButton::clicked, this, [this, i] { cmdCrdt_Click(i); });
    }
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);
    connect(DTPicker1, &QDateEdit::dateChanged, this, [this] { DTPicker1_Change(); });

    // Change fires on every text change, typed or assigned, like the design's Change event.
    connect(Combo1, &QComboBox::editTextChanged, this, [this] { Combo1_Change(); });
    connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
    connect(Combo2, &QComboBox::editTextChanged, this, [this] { Combo2_Change(); });
    connect(Combo2, &QComboBox::activated, this, [this] { Combo2_Click(); });
    connect(Combo3, &QComboBox::activated, this, [this] { Combo3_Click(); });
    connect(Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
    connect(Text2, &QLineEdit::textChanged, this, [this] { Text2_Change(); });
    connect(List1, &QListWidget::itemClicked, this, [this] { List1_Click(); });

    for (QObject* o :
         std::initializer_list<QObject*>{Combo1, Combo1->lineEdit(), Text1, Combo2,
                                         Combo2->lineEdit(), Text2, Combo3, Combo3->lineEdit()})
        o->installEventFilter(this);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return QWidget::eventFilter(watched, event);
        // Enter is key code 13 of the design; it moves through the panel.
        if (watched == Combo1 || watched == Combo1->lineEdit())
            Combo1_KeyDown(13);
        else if (watched == Text1)
            Text1_KeyDown(13);
        else if (watched == Combo2 || watched == Combo2->lineEdit())
            Combo2_KeyDown(13);
        else if (watched == Text2)
            Text2_KeyDown(13);
        else if (watched == Combo3 || watched == Combo3->lineEdit())
            Combo3_KeyDown(13);
        return true;
    }
    if (event->type() == QEvent::FocusIn && watched == Text2)
        Text2_GotFocus();
    return QWidget::eventFilter(watched, event);
}

void Form1::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove();
    QWidget::mouseMoveEvent(event);
}

Date Form1::shownDate() const {
    QDate d = DTPicker1->date();
    return Date{std::chrono::year{d.year()}, std::chrono::month{static_cast<unsigned>(d.month())},
                std::chrono::day{static_cast<unsigned>(d.day())}};
}

void Form1::setShownDate(Date date) {
    QSignalBlocker block(DTPicker1);
    DTPicker1->setDate(QDate(static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                             static_cast<unsigned>(date.day())));
}

void Form1::msgBox(const QString& text, const QString& title) { platform_.message(title, text); }

void Form1::repaintBoard() {
    for (auto* half : Picture1)
        half->update();
}

} // namespace kavro
