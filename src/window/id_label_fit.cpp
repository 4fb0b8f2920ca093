#include "window/id_label_fit.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <algorithm>

namespace kavro {

namespace {

double widestDigitsAdvance(const QFont& font, const QWidget* device, int digits) {
    const QFontMetricsF metrics(font, device);
    double widest = 0;
    for (char d = '0'; d <= '9'; ++d)
        widest = std::max(widest, metrics.horizontalAdvance(QString(QLatin1Char(d))));
    return widest * digits;
}

// The window's font (scaled with the window) shrunk in quarter points until the digits fit.
void fit(QLabel* label, int digits) {
    QFont font = label->parentWidget() ? label->parentWidget()->font() : label->font();
    const double width = label->contentsRect().width() - 2 * label->margin();
    double points = font.pointSizeF();
    while (points > 1) {
        font.setPointSizeF(points);
        if (widestDigitsAdvance(font, label, digits) <= width)
            break;
        points -= 0.25;
    }
    label->setFont(font);
}

class DigitsFit : public QObject {
public:
    DigitsFit(QLabel* label, int digits) : QObject(label), label_(label), digits_(digits) {
        label->installEventFilter(this);
        fit(label_, digits_);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        // The window's scaling resizes the label after it has set the window's fonts.
        if (event->type() == QEvent::Resize)
            fit(label_, digits_);
        return false;
    }

private:
    QLabel* label_;
    int digits_;
};

} // namespace

void fitDigitsToLabel(QLabel* label, int digits) { new DigitsFit(label, digits); }

} // namespace kavro
