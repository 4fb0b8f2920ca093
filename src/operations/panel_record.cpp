#include "operations/panel_record.h"

#include "app/form1.h"
#include "ledger/cp932.h"
#include "ledger/record.h"

#include <QComboBox>
#include <QLineEdit>

namespace kavro {

std::string panelRecordLine(const Form1& f, std::string_view status) {
    RecordFields r;
    r.id = f.curId;
    r.start = f.curStart;
    r.unit = f.Combo2->currentText().toStdString();
    r.end = f.curEnd;
    r.people = f.Combo1->currentText().toStdString();
    r.room = f.Combo3->currentText().toStdString();
    r.name = f.Text3->text().toStdString();
    r.status = std::string(status);
    return joinRecord(r);
}

bool refuseEmptyName(Form1& f) {
    if (!f.Text3->text().isEmpty())
        return false;
    f.msgBox(QStringLiteral("ナマエが入力されていません"), QStringLiteral("入力エラー"));
    f.Text1->setFocus();
    return true;
}

bool refuseUnstorable(Form1& f, const std::string& line) {
    if (isWellFormedRecord(line) && !firstUnencodableCharacter(line))
        return false;
    f.msgBox(QStringLiteral("記録できない文字か値が入力されています。\r\n"
                            "人数・単位・区分・名前を確かめてください"),
             QStringLiteral("入力エラー"));
    return true;
}

} // namespace kavro
