// The board pop-up: the same operations as the panel's buttons, beside the clicked bar.
#include "app/form1.h"

#include <QPushButton>

namespace kavro {

void Form1::popupExtend(int index) {
    hidePopupButtons(index);
    prepareExtension();
}

void Form1::popupNotify(int index) {
    hidePopupButtons(index);
    notify();
}

void Form1::popupSettle(int index) {
    hidePopupButtons(index);
    settle();
}

} // namespace kavro
