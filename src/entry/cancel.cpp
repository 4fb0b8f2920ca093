// "キャンセル": the panel back to its defaults and every operation withdrawn. Also the reset
// step of almost every other operation.
#include "app/form1.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace kavro {

void Form1::Command10_Click() {
    // Room, status, ID and the cur* values stay: only the typed entry is abandoned.
    Combo1->setEditText(QStringLiteral("2"));
    Text1->setText(QString());
    Combo2->setEditText(QStringLiteral("1"));
    Text2->setText(QString());
    Text3->setText(QString());
    List1->clear();
    for (int i = 0; i < 2; ++i) {
        cmdNext[i]->hide();
        cmdCall[i]->hide();
        cmdCrdt[i]->hide();
    }
    for (auto* b :
         {Command1, Command2, Command3, Command4, Command5, Command6, Command8, Command14})
        b->hide();
}

} // namespace kavro
