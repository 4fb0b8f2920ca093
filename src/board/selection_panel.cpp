#include "board/selection_panel.h"

#include "app/form1.h"
#include "ledger/booking_list_line.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace kavro {

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }
} // namespace

void showRecordInPanel(Form1& form, const RecordFields& r) {
    form.selectBooking({r.id, r.start, r.end});
    // Start before unit before end: each assignment reruns the end-time recompute, and
    // the record's own end must be what stays.
    form.startEdit->setText(q(timeTextOfField(r.start)));
    form.unitBox->setEditText(q(r.unit));
    form.endEdit->setText(q(timeTextOfField(r.end)));
    form.peopleBox->setEditText(q(r.people));
    form.roomBox->setEditText(q(r.room));
    // Typing is limited to five characters, but a record written elsewhere may hold a
    // longer name: it must reach the box whole, or writing the record back would cut it.
    const QString name = q(r.name);
    form.nameEdit->setMaxLength(std::max<qsizetype>(kNameMaxLength, name.size()));
    form.nameEdit->setText(name);
}

void applyButtons(Form1& form, const SelectionOffer& o) {
    form.checkInButton->setVisible(o.use);
    form.extendButton->setVisible(o.extend);
    form.notifyButton->setVisible(o.notify);
    form.settleButton->setVisible(o.settle);
    form.modifyButton->setVisible(o.modify);
    form.reserveButton->setVisible(o.reserve);
    form.deleteButton->setVisible(o.remove);
    form.inputExtensionButton->setVisible(o.input);
}

void applyPopup(Form1& form, int half, const SelectionOffer& o) {
    form.popupExtendButtons[half]->setVisible(o.popupExtend);
    form.popupNotifyButtons[half]->setVisible(o.popupNotify);
    form.popupSettleButtons[half]->setVisible(o.popupSettle);
}

void setStatusChoices(Form1& form, const std::vector<std::string>& choices) {
    form.statusBox->clear();
    for (const auto& c : choices)
        form.statusBox->addItem(q(c));
}

} // namespace kavro
