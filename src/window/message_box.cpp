#include "window/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace kavro {

void showMessageBox(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    if (auto* ok = box.button(QMessageBox::Ok))
        ok->setIcon(QIcon()); // some styles decorate OK with an icon; the messages have none
    box.exec();
}

bool askYesNo(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    auto* yes = box.addButton(QStringLiteral("はい"), QMessageBox::YesRole);
    auto* no = box.addButton(QStringLiteral("いいえ"), QMessageBox::NoRole);
    for (auto* b : {yes, no})
        b->setIcon(QIcon());
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

} // namespace kavro
