// 延長: prepares the next record of the selected stay; 入力 stores it.
#include "app/form1.h"
#include "ledger/booking_chain.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kavro {

void Form1::Command2_Click() {
    const auto nextId = extensionId(curId);
    if (!nextId) {
        // Sub-number 99 is the last of a booking; one more would take another booking's ID.
        msgBox(QStringLiteral("この予約はこれ以上延長できません。\r\n"
                              "延長は1件につき99回までです"),
               QStringLiteral("入力エラー"));
        return;
    }
    curId = *nextId;
    Label11->setText(QString::fromStdString(curId));
    Text1->setText(Text2->text());
    Combo2->setEditText(QStringLiteral("0.5"));
    Combo2_Change();
    Command14->show();
    for (QPushButton* b : {Command2, Command3, Command4, Command5, Command6, Command8})
        b->hide();
}

} // namespace kavro
