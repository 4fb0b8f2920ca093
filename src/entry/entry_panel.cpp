#include "entry/entry_panel.h"

#include "app/form1.h"
#include "desk/message_titles.h"

#include <QComboBox>
#include <QLineEdit>

namespace kavro::entry {

namespace {

std::string text(const QComboBox* c) { return c->currentText().toStdString(); }
std::string text(const QLineEdit* e) { return e->text().toStdString(); }

void refuse(Form1& form, const QString& message, QWidget* focus) {
    form.msgBox(message, title::kInputError);
    if (focus)
        focus->setFocus();
}

} // namespace

EntryFields readPanel(const Form1& f) {
    return {text(f.peopleBox), text(f.startEdit), text(f.unitBox),
            text(f.endEdit),   text(f.roomBox),   text(f.nameEdit)};
}

bool acceptPanel(Form1& f, const EntryCheck& check) {
    switch (check.problem) {
    case EntryProblem::None:
        return true;
    case EntryProblem::StartTime:
        refuse(f, QStringLiteral("時間が正しくありません"), f.startEdit);
        break;
    case EntryProblem::EndTime:
        refuse(f, QStringLiteral("時間が正しくありません"), f.endEdit);
        break;
    case EntryProblem::NameEmpty:
        refuse(f, QStringLiteral("ナマエが入力されていません"), f.nameEdit);
        break;
    case EntryProblem::Room:
        refuse(
            f,
            QStringLiteral("区画が正しくありません\r\n001から034までの3桁の番号を入力してください"),
            f.roomBox);
        break;
    case EntryProblem::Unit:
        refuse(
            f,
            QStringLiteral("単位が正しくありません\r\n0より大きく24以下の時間数を入力してください"),
            f.unitBox);
        break;
    case EntryProblem::People:
        refuse(f, QStringLiteral("人数が正しくありません\r\n1以上の整数を入力してください"),
               f.peopleBox);
        break;
    case EntryProblem::NameCharacter:
        refuse(f,
               QStringLiteral("名前に使えない文字「%1」(%2) が含まれています\r\n"
                              "別の文字に置き換えてください")
                   .arg(QString::fromStdString(check.character),
                        QString::fromStdString(codePointLabel(check.character))),
               f.nameEdit);
        break;
    }
    return false;
}

bool refuseFullRow(Form1& f) {
    refuse(f, QStringLiteral("この区画のデータは1日48件までです\r\nほかの区画を指定してください"),
           f.roomBox);
    return false;
}

bool refuseNoGroupNumber(Form1& f) {
    refuse(f, QStringLiteral("この日の組番号を使い切りました\r\nこれ以上登録できません"), nullptr);
    return false;
}

bool acceptScan(Form1& f, Conflict conflict) {
    switch (conflict) {
    case Conflict::None:
        return true;
    case Conflict::InUse:
        f.msgBox(QStringLiteral("その区画のデータの中に、利用中のものが含まれています。\r\n"
                                "データを清算にしてから操作してください"),
                 QStringLiteral("利用中"));
        break;
    case Conflict::Occupied:
        f.msgBox(QStringLiteral("利用しているデータがあります\r\n精算してから操作してください"),
                 QStringLiteral("利用データあり"));
        break;
    case Conflict::Reserved:
        f.msgBox(QStringLiteral("その区画のデータに予約があり、入力データと重なります\r\n"
                                "予約を削除するか、ほかの区画を指定してください"),
                 QStringLiteral("予約あり"));
        break;
    }
    return false;
}

void closeRegistration(Form1& f, JournalOp op, const QString& what) {
    f.resetEntry();
    f.saveAndReload(op, what);
}

} // namespace kavro::entry
