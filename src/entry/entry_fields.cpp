// The entry panel while the user types: times rewritten, the end following start and
// unit, Enter moving through the fields.
#include "app/form1.h"
#include "ledger/time_entry.h"

#include <QComboBox>
#include <QLineEdit>

namespace kavro {

namespace {

constexpr int kEnter = 13;
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

// The end-time recompute: Text2 = Text1 + unit. Texts of up to three characters are still
// being typed (so 0930 can be typed digit by digit) and are not read yet.
Recompute recomputeEnd(Form1& f) {
    const QString start = f.Text1->text();
    if (start.isEmpty() || start == kMarker || start.size() <= 3)
        return Recompute::Skipped;
    const auto end = endTimeFor(start.toStdString(), f.Combo2->currentText().toStdString());
    if (!end)
        return Recompute::Unreadable;
    f.Text2->setText(QString::fromStdString(*end));
    return Recompute::Done;
}

} // namespace

void Form1::Combo1_Change() { Text1->setFocus(); }

void Form1::Combo1_Click() {}

void Form1::Combo1_KeyDown(int key) {
    if (key == kEnter)
        Text1->setFocus();
}

void Form1::Text1_Change() {
    DepthGuard guard(text1ChangeDepth_);
    if (guard.tooDeep())
        return;
    if (!rewriteBox(Text1) || recomputeEnd(*this) == Recompute::Unreadable)
        Text1->setText(kMarker);
}

void Form1::Text1_KeyDown(int key) {
    if (key == kEnter)
        Combo2->setFocus();
}

void Form1::Combo2_Change() { recomputeEnd(*this); }

void Form1::Combo2_Click() { recomputeEnd(*this); }

void Form1::Combo2_KeyDown(int key) {
    // One Tab: the next field in tab order (Text2), wherever the tab order leads.
    if (key == kEnter)
        focusNextChild();
}

void Form1::Text2_GotFocus() { Text2_Change(); }

void Form1::Text2_Change() {
    DepthGuard guard(text2ChangeDepth_);
    if (guard.tooDeep())
        return;
    if (!rewriteBox(Text2))
        Text2->setText(kMarker);
}

void Form1::Text2_KeyDown(int key) {
    if (key == kEnter)
        Combo3->setFocus();
}

void Form1::Combo3_Click() {}

void Form1::Combo3_KeyDown(int key) {
    if (key == kEnter)
        Text3->setFocus();
}

} // namespace kavro
