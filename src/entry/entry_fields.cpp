// The entry panel while the user types: times rewritten, the end following start and
// unit, Enter moving through the fields.
#include "app/form1.h"
#include "ledger/time_entry.h"

#include <QComboBox>
#include <QLineEdit>

namespace kavro {

namespace {

// A box's own assignment re-raises its Change (once, or twice when the marker is set);
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

// The end-time recompute: endEdit = startEdit + unit. Texts of up to three characters are still
// being typed (so 0930 can be typed digit by digit) and are not read yet.
Recompute recomputeEnd(Form1& f) {
    const QString start = f.startEdit->text();
    if (start.isEmpty() || start == kMarker || start.size() <= 3)
        return Recompute::Skipped;
    const auto end = endTimeFor(start.toStdString(), f.unitBox->currentText().toStdString());
    if (!end)
        return Recompute::Unreadable;
    f.endEdit->setText(QString::fromStdString(*end));
    return Recompute::Done;
}

} // namespace

void Form1::peopleEdited() { startEdit->setFocus(); }

void Form1::peopleEntered() { startEdit->setFocus(); }

void Form1::startEdited() {
    DepthGuard guard(startEditDepth_);
    if (guard.tooDeep())
        return;
    if (!rewriteBox(startEdit) || recomputeEnd(*this) == Recompute::Unreadable)
        startEdit->setText(kMarker);
}

void Form1::startEntered() { unitBox->setFocus(); }

void Form1::unitEdited() { recomputeEnd(*this); }

void Form1::unitPicked() { recomputeEnd(*this); }

void Form1::unitEntered() {
    // The next field in tab order (endEdit), wherever the tab order leads.
    focusNextChild();
}

void Form1::endFocused() { endEdited(); }

void Form1::endEdited() {
    DepthGuard guard(endEditDepth_);
    if (guard.tooDeep())
        return;
    if (!rewriteBox(endEdit))
        endEdit->setText(kMarker);
}

void Form1::endEntered() { roomBox->setFocus(); }

void Form1::roomEntered() { nameEdit->setFocus(); }

} // namespace kavro
