// The desk menu: what the shop needs beyond the board, behind one button in a free corner of
// the window (no control of the window's layout moves for it), and on the keyboard.
#include "app/form1.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>

namespace kavro {

QAction* Form1::addDeskAction(const QString& text, const QKeySequence& key,
                              void (Form1::*handler)()) {
    auto* action = new QAction(text, this);
    action->setShortcut(key);
    // The shortcut works wherever the focus is in the window, with the menu closed too.
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    deskMenu->addAction(action);
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return action;
}

void Form1::createDeskMenu() {
    menuButton = new QPushButton(QStringLiteral("メニュー"), this);
    menuButton->setObjectName(QStringLiteral("menuButton"));
    // Right of the 人数 total, above the clock: the one free corner of the window.
    menuButton->setGeometry(tw(13560), tw(270), tw(1575), tw(315));
    menuButton->setAutoDefault(false);
    menuButton->setToolTip(QStringLiteral("メニュー (F10)"));
    deskMenu = new QMenu(menuButton);
    deskMenu->setObjectName(QStringLiteral("deskMenu"));
    menuButton->setMenu(deskMenu);
    auto* open = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(open, &QShortcut::activated, menuButton, &QPushButton::showMenu);

    addDeskAction(QStringLiteral("元に戻す"), QKeySequence(Qt::CTRL | Qt::Key_Z),
                  &Form1::undoChange);
    addDeskAction(QStringLiteral("やり直す"), QKeySequence(Qt::CTRL | Qt::Key_Y),
                  &Form1::redoChange);
    addDeskAction(QStringLiteral("履歴"), QKeySequence(Qt::CTRL | Qt::Key_H), &Form1::showHistory);
    addDeskAction(QStringLiteral("集計"), QKeySequence(Qt::CTRL | Qt::Key_R), &Form1::showReport);
    keepDeskKeysInTextBoxes();
}

} // namespace kavro
