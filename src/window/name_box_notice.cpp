#include "window/name_box_notice.h"

#include <QEvent>
#include <QFontMetricsF>
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

    // The caption's width that the name box, placed over its right end, leaves readable.
    double readableWidth() const {
        QRect area = caption_->contentsRect();
        area.moveTopLeft(caption_->mapTo(caption_->window(), area.topLeft()));
        const QRect box(box_->mapTo(box_->window(), QPoint()), box_->size());
        if (box.intersects(area) && box.left() > area.left())
            area.setRight(box.left() - 1);
        return area.width() - 2 * caption_->margin();
    }

    // What was left out, shortened in its middle until the caption fits its label whole: the
    // start and the end of a name say most. When fewer than three of its characters would
    // fit beside the limit, the limit gives way to them.
    QString captionFor(const QString& dropped) const {
        const QFontMetricsF metrics(caption_->font(), caption_);
        const double width = readableWidth();
        const QString withLimit =
            QStringLiteral("%1文字まで：\n「%2」が入りません").arg(box_->maxLength());
        const QString withoutLimit = QStringLiteral("「%1」が\n入りません");
        auto fits = [&](const QString& text) {
            for (const QString& line : text.split(QLatin1Char('\n')))
                if (metrics.horizontalAdvance(line) > width)
                    return false;
            return true;
        };
        for (const QString& form : {withLimit, withoutLimit}) {
            if (fits(form.arg(dropped)))
                return form.arg(dropped);
            const qsizetype fewest = form == withLimit ? 3 : 1;
            for (qsizetype kept = dropped.size() - 1; kept >= fewest; --kept) {
                const QString shortened =
                    dropped.left((kept + 1) / 2) + QStringLiteral("…") + dropped.right(kept / 2);
                if (fits(form.arg(shortened)))
                    return form.arg(shortened);
            }
        }
        return withoutLimit.arg(QStringLiteral("…"));
    }

    void show(const QString& dropped) {
        box_->setStyleSheet(QStringLiteral("QLineEdit { border: 2px solid #FF0000; }"));
        caption_->setText(captionFor(dropped));
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
