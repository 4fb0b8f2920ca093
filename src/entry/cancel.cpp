// "キャンセル": the panel back to its defaults and every operation withdrawn. Also the reset
// step of almost every other operation.
#include "app/form1.h"
#include "entry/entry_panel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace kavro {

void Form1::clearEntryFields() {
    peopleBox->setEditText(entry::kDefaultPeople);
    startEdit->setText(QString());
    unitBox->setEditText(entry::kDefaultUnit);
    endEdit->setText(QString());
    nameEdit->setText(QString());
    bookingList->clear();
}

void Form1::resetEntry() {
    // Room, status, ID and the cur* values stay: only the typed entry is abandoned.
    clearEntryFields();
    for (int i = 0; i < 2; ++i)
        hidePopupButtons(i);
    hideOperationButtons();
}

} // namespace kavro
