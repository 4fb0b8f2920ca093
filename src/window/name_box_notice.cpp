#include "window/name_box_notice.h"

#include <QEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace kavro {

namespace {

class NameLengthNotice : public QObject {
public:
    NameLengthNotice(QLineEdit* box, QLabel* caption)
        : QObject(box), box_(box), caption_(caption), captionText_(caption->text()),
          captionPalette_(caption->palette()) {
        box->installEventFilter(this);
        connect(box, &QLineEdit::textChanged, this, [this] {
            if (box_->text().size() < box_->maxLength())
                clear();
        });
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        QString incoming;
        if (event->type() == QEvent::InputMethod)
            incoming = static_cast<QInputMethodEvent*>(event)->commitString();
        else if (event->type() == QEvent::KeyPress)
            incoming = printable(static_cast<QKeyEvent*>(event));
        if (incoming.isEmpty())
            return false;
        const qsizetype room =
            box_->maxLength() - (box_->text().size() - box_->selectedText().size());
        if (incoming.size() > room)
            show(incoming.mid(std::max<qsizetype>(room, 0)));
        return false; // the box itself keeps what fits
    }

private:
    static QString printable(const QKeyEvent* key) {
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return {};
        const QString text = key->text();
        return !text.isEmpty() && text.at(0).isPrint() ? text : QString();
    }

    void show(QString dropped) {
        if (dropped.size() > 3)
            dropped = dropped.left(2) + QStringLiteral("…");
        box_->setStyleSheet(QStringLiteral("QLineEdit { border: 2px solid #FF0000; }"));
        caption_->setText(
            QStringLiteral("%1文字まで：\n「%2」が入りません").arg(box_->maxLength()).arg(dropped));
        QPalette red = captionPalette_;
        red.setColor(QPalette::WindowText, QColor(0xFF, 0x00, 0x00));
        caption_->setPalette(red);
        shown_ = true;
    }

    void clear() {
        if (!shown_)
            return;
        shown_ = false;
        box_->setStyleSheet(QString());
        caption_->setText(captionText_);
        caption_->setPalette(captionPalette_);
    }

    QLineEdit* box_;
    QLabel* caption_;
    const QString captionText_;
    const QPalette captionPalette_;
    bool shown_ = false;
};

} // namespace

void watchNameLength(QLineEdit* box, QLabel* caption) { new NameLengthNotice(box, caption); }

} // namespace kavro
