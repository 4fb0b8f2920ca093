#include "app/message_box.h"

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

} // namespace kavro
