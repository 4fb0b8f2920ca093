#include "window/input_method_off.h"

#include <QComboBox>
#include <QEvent>
#include <QInputMethodQueryEvent>
#include <QLineEdit>

namespace kavro {

namespace {

class InputMethodOff : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::InputMethodQuery)
            return false;
        auto* query = static_cast<QInputMethodQueryEvent*>(event);
        if (!(query->queries() & Qt::ImEnabled))
            return false;
        const auto* box = static_cast<QWidget*>(watched);
        for (int bit = 0; bit < 32; ++bit) {
            const auto q = static_cast<Qt::InputMethodQuery>(
                static_cast<unsigned>(query->queries().toInt()) & (1u << bit));
            if (q)
                query->setValue(q, q == Qt::ImEnabled ? QVariant(false) : box->inputMethodQuery(q));
        }
        query->accept();
        return true;
    }
};

} // namespace

void keepInputMethodOff(QWidget* box) {
    QList<QWidget*> parts{box};
    if (auto* combo = qobject_cast<QComboBox*>(box); combo && combo->lineEdit())
        parts << combo->lineEdit();
    auto* filter = new InputMethodOff(box);
    for (QWidget* w : parts) {
        w->setAttribute(Qt::WA_InputMethodEnabled, false);
        w->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhNoPredictiveText);
        w->installEventFilter(filter);
    }
}

} // namespace kavro
