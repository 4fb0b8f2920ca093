#include "window/window_panel.h"

#include <QChildEvent>
#include <QEvent>
#include <QRegion>

namespace kavro {

WindowPanel::WindowPanel(const char* name, QWidget* window) : QWidget(window) {
    setObjectName(QString::fromLatin1(name));
    setGeometry(window->rect());
    setMouseTracking(true);
    reshape();
}

bool WindowPanel::event(QEvent* event) {
    if (event->type() == QEvent::ChildAdded) {
        if (auto* w = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child())) {
            w->installEventFilter(this);
            reshape();
        }
    } else if (event->type() == QEvent::Resize) {
        reshape();
    }
    return QWidget::event(event);
}

bool WindowPanel::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        reshape();
    return false;
}

void WindowPanel::reshape() {
    QRegion shape;
    for (QObject* child : children())
        if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow())
            shape += w->geometry();
    // An empty mask would show the whole panel: a panel without controls is shaped to nothing
    // by a region outside it.
    setMask(shape.isEmpty() ? QRegion(-1, -1, 1, 1) : shape);
}

} // namespace kavro
