#include "operations/panel_record.h"

#include "app/form1.h"
#include "desk/message_titles.h"
#include "entry/entry_panel.h"
#include "ledger/cp932.h"
#include "ledger/record.h"

#include <QComboBox>
#include <QLineEdit>

namespace kavro {

std::string panelRecordLine(const Form1& f, std::string_view status) {
    RecordFields r;
    r.id = f.selected.id;
    r.start = f.selected.start;
    r.unit = f.unitBox->currentText().toStdString();
    r.end = f.selected.end;
    r.people = f.peopleBox->currentText().toStdString();
    r.room = f.roomBox->currentText().toStdString();
    r.name = f.nameEdit->text().toStdString();
    r.status = std::string(status);
    return joinRecord(r);
}

bool refuseEmptyName(Form1& f) {
    if (!f.nameEdit->text().isEmpty())
        return false;
    f.msgBox(QStringLiteral("ナマエが入力されていません"), title::kInputError);
    f.startEdit->setFocus();
    return true;
}

bool refuseStatusPanel(Form1& f) {
    const EntryFields panel = entry::readPanel(f);
    if (!entry::acceptPanel(f, checkEntry(panel)))
        return true;
    const auto cell = findCell(f.roomGrid, f.selected.id);
    if (!cell || parseFields(f.roomGrid.at(cell->room, cell->position)).room == panel.room)
        return false;
    f.msgBox(QStringLiteral("通知と清算では区画を変えられません。\r\n"
                            "部屋を移すときは修正を使ってください"),
             title::kInputError);
    f.roomBox->setFocus();
    return true;
}

bool refuseUnstorable(Form1& f, const std::string& line) {
    if (isWellFormedRecord(line) && !firstUnencodableCharacter(line))
        return false;
    f.msgBox(QStringLiteral("記録できない文字か値が入力されています。\r\n"
                            "人数・単位・区分・名前を確かめてください"),
             title::kInputError);
    return true;
}

} // namespace kavro
