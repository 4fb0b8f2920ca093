#include "window/window_scale.h"

#include <QEvent>
#include <QFont>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace kavro {

namespace {

// Until the window manager has framed the window its title bar is unknown; this is as
// tall as the usual desktops' title bars, with their borders.
constexpr QMargins kAssumedFrame(1, 38, 1, 1);

const char* const kDesignGeometry = "kavroDesignGeometry";
const char* const kDesignFont = "kavroDesignFont";
const char* const kScale = "kavroWindowScale";

// Edges are scaled, not sizes: neighbouring controls that touched still touch.
QRect scaled(const QRect& r, double f) {
    const int left = qRound(r.left() * f);
    const int top = qRound(r.top() * f);
    return QRect(left, top, qRound((r.left() + r.width()) * f) - left,
                 qRound((r.top() + r.height()) * f) - top);
}

QFont scaled(QFont font, double f) {
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * f);
    else
        font.setPixelSize(std::max(1, qRound(font.pixelSize() * f)));
    return font;
}

// The widget's design geometry and own font, kept the first time it is scaled.
void remember(QWidget* w) {
    if (w->property(kDesignGeometry).isValid())
        return;
    w->setProperty(kDesignGeometry, w->geometry());
    if (w->isWindow() || w->testAttribute(Qt::WA_SetFont))
        w->setProperty(kDesignFont, w->font());
}

void apply(QWidget* w, double f) {
    remember(w);
    const QVariant font = w->property(kDesignFont);
    if (font.isValid())
        w->setFont(scaled(font.value<QFont>(), f));
    const QRect design = w->property(kDesignGeometry).toRect();
    if (w->isWindow()) {
        const QSize size = scaled(QRect(QPoint(), design.size()), f).size();
        if (w->minimumSize() == w->maximumSize())
            w->setFixedSize(size);
        else
            w->resize(size);
    } else {
        w->setGeometry(scaled(design, f));
    }
}

QMargins frameOf(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    if (!window->isVisible() || frame == inner)
        return kAssumedFrame;
    return QMargins(inner.left() - frame.left(), inner.top() - frame.top(),
                    frame.right() - inner.right(), frame.bottom() - inner.bottom());
}

void fit(QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    const QVariant design = window->property(kDesignGeometry);
    const QSize size = design.isValid() ? design.toRect().size() : window->size();
    scaleWindow(window, fittingScale(size, frameOf(window), screen->availableGeometry()));
}

class ScreenFit : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Shown, and moved once the window manager has framed it (or onto another screen).
        if (event->type() == QEvent::Show || event->type() == QEvent::Move)
            fit(static_cast<QWidget*>(watched));
        return false;
    }
};

} // namespace

double fittingScale(QSize design, QMargins frame, QRect available) {
    const double width = available.width() - frame.left() - frame.right();
    const double height = available.height() - frame.top() - frame.bottom();
    const double f = std::min({1.0, width / design.width(), height / design.height()});
    // Rounded down to a thousandth, so that rounding the edges never overshoots.
    return std::max(kMinimumWindowScale, std::floor(f * 1000.0) / 1000.0);
}

void scaleWindow(QWidget* window, double factor) {
    const double current =
        window->property(kScale).isValid() ? window->property(kScale).toDouble() : 1.0;
    if (factor == current)
        return;
    window->setProperty(kScale, factor);
    // Parents before children: a child's own font is set after its parent's.
    apply(window, factor);
    for (QWidget* child : window->findChildren<QWidget*>())
        if (!child->isWindow())
            apply(child, factor);
}

void fitWindowToScreen(QWidget* window) {
    fit(window);
    window->installEventFilter(new ScreenFit(window));
}

} // namespace kavro
