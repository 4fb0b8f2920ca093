#include "window/desk_menu.h"

#include "window/design_layout.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>

namespace kavro {

namespace {

class DeskKeysOverText : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() == Qt::ControlModifier &&
                (key->key() == Qt::Key_Z || key->key() == Qt::Key_Y))
                return true; // not claimed by the box: the window's shortcut runs
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

DeskMenu::DeskMenu(QWidget* window)
    : QPushButton(QStringLiteral("メニュー"), window), window_(window) {
    setObjectName(QStringLiteral("menuButton"));
    // Right of the 人数 total, above the clock: the one free corner of the window.
    setGeometry(tw(13560), tw(270), tw(1575), tw(315));
    setAutoDefault(false);
    setToolTip(QStringLiteral("メニュー (F10)"));
    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("deskMenu"));
    setMenu(menu_);
    auto* open = new QShortcut(QKeySequence(Qt::Key_F10), window);
    connect(open, &QShortcut::activated, this, &QPushButton::showMenu);
}

QAction* DeskMenu::addEntry(const QString& text, const QKeySequence& key,
                            std::function<void()> run) {
    auto* action = new QAction(text, window_);
    action->setShortcut(key);
    // The shortcut works wherever the focus is in the window, with the menu closed too.
    action->setShortcutContext(Qt::WindowShortcut);
    window_->addAction(action);
    menu_->addAction(action);
    connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
    return action;
}

void DeskMenu::keepDeskKeysInTextBoxes() {
    auto* filter = new DeskKeysOverText(this);
    for (QLineEdit* box : window_->findChildren<QLineEdit*>())
        box->installEventFilter(filter);
}

} // namespace kavro
