// Start-up and exit.
#include "app/form1.h"

#include "about/frm_about.h"
#include "app/form2.h"
#include "ledger/day_purge.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace kavro {

bool Form1::Form_Load() {
    // A second copy is refused by main() before the window exists (the instance lock).
    {
        Form2 splash;
        splash.show();
        splash.repaint();
        QApplication::processEvents();
    }

    for (auto* l : Label4)
        l->hide();
    for (auto* b :
         {Command1, Command2, Command3, Command4, Command5, Command6, Command8, Command14})
        b->hide();
    Label11->setText(QString());

    const DateTime now = platform_.now();
    purgeOldDayFiles(platform_.programDir, dateOf(now));

    refNow = now;
    followClock = true;
    setShownDate(businessDateAt(now));
    baseDate = shownDate();
    dayOffset = 0;
    dayStart = businessDayStart(baseDate);
    dayEnd = businessDayEnd(baseDate);

    for (int n = 1; n <= 26; ++n)
        Combo1->addItem(QString::number(n));
    for (int n = 5; n <= 50; n += 5)
        Combo2->addItem(QString::number(n / 10.0));
    Combo4->addItem(QString());
    for (int n = 1; n <= 34; ++n)
        Combo3->addItem(QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')));
    Combo3->setEditText(QString());
    Combo4->setEditText(QString());
    Combo1->setEditText(QStringLiteral("2"));
    Combo2->setEditText(QStringLiteral("1"));

    Timer2->stop();
    LoadDay();
    Timer1->start();
    return true;
}

void Form1::Command9_Click() {
    // Every change is already in the day file; nothing to save on the way out.
    QApplication::exit(0);
}

void Form1::Command7_Click() {
    if (!about_)
        about_ = new frmAbout(platform_, this);
    about_->show();
    about_->raise();
}

} // namespace kavro
