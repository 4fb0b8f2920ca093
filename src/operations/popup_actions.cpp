// The board pop-up: the same operations as the panel's buttons, beside the clicked bar.
#include "app/form1.h"

#include <QPushButton>

namespace kavro {

namespace {
void hidePopup(Form1& f, int index) {
    f.cmdNext[index]->hide();
    f.cmdCall[index]->hide();
    f.cmdCrdt[index]->hide();
}
} // namespace

void Form1::cmdNext_Click(int index) {
    hidePopup(*this, index);
    Command2_Click();
}

void Form1::cmdCall_Click(int index) {
    hidePopup(*this, index);
    Command3_Click();
}

void Form1::cmdCrdt_Click(int index) {
    hidePopup(*this, index);
    Command4_Click();
}

} // namespace kavro
