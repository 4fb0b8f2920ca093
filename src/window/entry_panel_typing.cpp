// The entry panel while the clerk types: times rewritten, the end following start and unit,
// Enter moving on through the fields, the name shown as the day file will hold it.
#include "window/entry_panel.h"

#include "core/records/cp932.h"
#include "core/rules/time_entry.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace kavro {

namespace {

// A box's own assignment re-raises its change (once, or twice when the marker is set);
// anything deeper would be a loop.
constexpr int kMaxChangeDepth = 3;

const QString kMarker = QString::fromUtf8(kInvalidTimeMarker.data(), kInvalidTimeMarker.size());

class DepthGuard {
public:
    explicit DepthGuard(int& depth) : depth_(++depth) {}
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
    bool tooDeep() const { return depth_ > kMaxChangeDepth; }

private:
    int& depth_;
};

// The typed-time rewrite of a box; false when its text cannot be a time.
bool rewriteBox(QLineEdit* box) {
    const QString text = box->text();
    const auto rewritten = rewriteTypedTime(text.toStdString());
    if (!rewritten)
        return false;
    const QString shown = QString::fromStdString(*rewritten);
    if (shown != text)
        box->setText(shown);
    return true;
}

enum class Recompute { Done, Skipped, Unreadable };

// The end time that follows the start and the unit. Texts of up to three characters are
// still being typed (so 0930 can be typed digit by digit) and are not read yet.
Recompute recomputeEnd(const QLineEdit* start, const QComboBox* unit, QLineEdit* end) {
    const QString text = start->text();
    if (text.isEmpty() || text == kMarker || text.size() <= 3)
        return Recompute::Skipped;
    const auto computed = endTimeFor(text.toStdString(), unit->currentText().toStdString());
    if (!computed)
        return Recompute::Unreadable;
    end->setText(QString::fromStdString(*computed));
    return Recompute::Done;
}

bool isEnterKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

void EntryPanel::startEdited() {
    DepthGuard guard(startEditDepth_);
    if (guard.tooDeep())
        return;
    if (!rewriteBox(startEdit) ||
        recomputeEnd(startEdit, unitBox, endEdit) == Recompute::Unreadable)
        startEdit->setText(kMarker);
}

void EntryPanel::unitEdited() { recomputeEnd(startEdit, unitBox, endEdit); }

void EntryPanel::endEdited() {
    DepthGuard guard(endEditDepth_);
    if (guard.tooDeep())
        return;
    if (!rewriteBox(endEdit))
        endEdit->setText(kMarker);
}

void EntryPanel::nameEdited() {
    // The name box shows at once the character the day file will hold (〜 as ～).
    const QString typed = nameEdit->text();
    const QString stored = QString::fromStdString(cp932StoredForm(typed.toStdString()));
    if (stored == typed)
        return;
    // Each look-alike is one UTF-16 unit like the character it replaces: the cursor stays.
    const int cursor = nameEdit->cursorPosition();
    nameEdit->setText(stored);
    nameEdit->setCursorPosition(cursor);
}

bool EntryPanel::eventFilter(QObject* watched, QEvent* event) {
    if (isEnterKey(event)) {
        // Enter moves through the panel as Tab does; it never reaches a default button.
        if (watched == peopleBox || watched == peopleBox->lineEdit())
            startEdit->setFocus();
        else if (watched == startEdit)
            unitBox->setFocus();
        else if (watched == unitBox || watched == unitBox->lineEdit())
            focusNextChild(); // the next field in the Tab order, as Tab goes there
        else if (watched == endEdit)
            roomBox->setFocus();
        else if (watched == roomBox || watched == roomBox->lineEdit())
            nameEdit->setFocus();
        return true;
    }
    if (event->type() == QEvent::FocusIn && watched == endEdit)
        endEdited();
    return QFrame::eventFilter(watched, event);
}

} // namespace kavro
