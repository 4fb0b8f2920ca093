#include "window/design_layout.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace kavro {

QFont designFont(const char* family, double points, bool bold) {
    QFont f(QString::fromUtf8(family));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

void place(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(tw(left), tw(top), tw(width), tw(height));
}

void fill(QWidget* w, const QColor& colour) {
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
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

} // namespace kavro
