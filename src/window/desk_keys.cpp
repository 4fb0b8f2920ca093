#include "window/desk_keys.h"

#include <QEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace kavro {

namespace {

// Enter in the name box. The input method takes the keys of a conversion it has open
// (Enter commits it), but a key it lets through must not act on a name not yet written.
class NameBoxEnter : public QObject {
public:
    NameBoxEnter(QLineEdit* box, std::vector<QPushButton*> primaries)
        : QObject(box), primaries_(std::move(primaries)) {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::InputMethod) {
            preeditOpen_ = !static_cast<QInputMethodEvent*>(event)->preeditString().isEmpty();
        } else if (event->type() == QEvent::FocusOut) {
            preeditOpen_ = false; // Qt commits an open conversion when focus leaves
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key != Qt::Key_Return && key != Qt::Key_Enter)
                return false;
            if (!preeditOpen_)
                for (QPushButton* b : primaries_)
                    if (b->isVisible() && b->isEnabled()) {
                        b->click();
                        break;
                    }
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::vector<QPushButton*> primaries_;
    bool preeditOpen_ = false;
};

} // namespace

void installDeskKeys(const DeskKeys& keys) {
    std::vector<QWidget*> chain = keys.fields;
    for (const OperationKey& op : keys.operations)
        chain.push_back(op.button);
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);

    for (const OperationKey& op : keys.operations) {
        op.button->setShortcut(op.key);
        const QString name = op.key.toString(QKeySequence::NativeText);
        const QString tip = op.button->toolTip();
        op.button->setToolTip(
            QStringLiteral("%1 (%2)").arg(tip.isEmpty() ? op.button->text() : tip, name));
    }
    if (keys.nameBox)
        new NameBoxEnter(keys.nameBox, keys.primaries);
}

} // namespace kavro
