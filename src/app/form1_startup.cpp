// Start-up and exit.
#include "app/form1.h"

#include "about/about_window.h"
#include "app/form2.h"
#include "app/message_titles.h"
#include "entry/entry_panel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace kavro {

bool Form1::startUp() {
    // A second copy is refused by main() before the window exists (the instance lock).
    {
        Form2 splash;
        splash.show();
        splash.repaint();
        QApplication::processEvents();
    }

    for (auto* l : hoverReadouts)
        l->hide();
    hideOperationButtons();
    clearSelection();

    const DateTime now = platform_.now();
    keepFiguresAtStartUp(now);

    board.reference = now;
    board.followsClock = true;
    const Date today = businessDateAt(now);
    setShownDay(today, today);

    for (int n = 1; n <= 26; ++n)
        peopleBox->addItem(QString::number(n));
    for (int n = 5; n <= 50; n += 5)
        unitBox->addItem(QString::number(n / 10.0));
    statusBox->addItem(QString());
    for (int n = 1; n <= 34; ++n)
        roomBox->addItem(QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')));
    roomBox->setEditText(QString());
    statusBox->setEditText(QString());
    peopleBox->setEditText(entry::kDefaultPeople);
    unitBox->setEditText(entry::kDefaultUnit);

    alarmTimer->stop();
    loadDay();
    clockTimer->start();
    return true;
}

void Form1::exitProgram() {
    if (settleUnsaved(QStringLiteral("「いいえ」のときは、保存せずに終了します。"), false))
        platform_.quit();
}

void Form1::closeEvent(QCloseEvent* event) {
    if (settleUnsaved(QStringLiteral("「いいえ」のときは、保存せずに終了します。"), false))
        event->accept();
    else
        event->ignore();
}

void Form1::showAbout() {
    if (!about_)
        about_ = new AboutWindow(platform_, this);
    about_->show();
    about_->raise();
}

} // namespace kavro
