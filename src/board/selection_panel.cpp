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
    form.Label11->setText(q(r.id));
    // Start before unit before end: each assignment reruns the end-time recompute, and
    // the record's own end must be what stays.
    form.Text1->setText(q(timeTextOfField(r.start)));
    form.Combo2->setEditText(q(r.unit));
    form.Text2->setText(q(timeTextOfField(r.end)));
    form.Combo1->setEditText(q(r.people));
    form.Combo3->setEditText(q(r.room));
    // Typing is limited to five characters, but a record written elsewhere may hold a
    // longer name: it must reach the box whole, or writing the record back would cut it.
    const QString name = q(r.name);
    form.Text3->setMaxLength(std::max<qsizetype>(kNameMaxLength, name.size()));
    form.Text3->setText(name);
}

void applyButtons(Form1& form, const SelectionOffer& o) {
    form.Command1->setVisible(o.use);
    form.Command2->setVisible(o.extend);
    form.Command3->setVisible(o.notify);
    form.Command4->setVisible(o.settle);
    form.Command5->setVisible(o.modify);
    form.Command6->setVisible(o.reserve);
    form.Command8->setVisible(o.remove);
    form.Command14->setVisible(o.input);
}

void applyPopup(Form1& form, int half, const SelectionOffer& o) {
    form.cmdNext[half]->setVisible(o.popupExtend);
    form.cmdCall[half]->setVisible(o.popupNotify);
    form.cmdCrdt[half]->setVisible(o.popupSettle);
}

void setStatusChoices(Form1& form, const std::vector<std::string>& choices) {
    form.Combo4->clear();
    for (const auto& c : choices)
        form.Combo4->addItem(q(c));
}

} // namespace kavro
