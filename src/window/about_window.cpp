#include "window/about_window.h"

#include "window/version.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>

namespace kavro {

namespace {

QFrame* separator(QWidget* parent, int top) {
    auto* line = new QFrame(parent);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    line->setGeometry(6, top, 370, 2);
    return line;
}

} // namespace

AboutWindow::AboutWindow(const Platform& platform, QWidget* parent)
    : QDialog(parent), platform_(platform) {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose); // the next opening loads the window anew
    setModal(false);
    setFixedSize(382, 290);
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));

    iconLabel = new QLabel(this);
    iconLabel->setObjectName(QStringLiteral("picIcon"));
    iconLabel->setGeometry(16, 16, 32, 32);
    iconLabel->setPixmap(QApplication::windowIcon().isNull()
                             ? style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32)
                             : QApplication::windowIcon().pixmap(32, 32));
    titleLabel = new QLabel(QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝ ﾀｲﾄﾙ"), this);
    titleLabel->setObjectName(QStringLiteral("lblTitle"));
    titleLabel->setGeometry(70, 16, 300, 24);
    QFont titleFont = titleLabel->font();
    titleFont.setPointSizeF(13.5);
    titleFont.setBold(true);
    titleLabel->setFont(titleFont);
    versionLabel = new QLabel(QStringLiteral("ﾊﾞｰｼﾞｮﾝ"), this);
    versionLabel->setObjectName(QStringLiteral("lblVersion"));
    versionLabel->setGeometry(70, 44, 300, 18);
    descriptionLabel = new QLabel(QStringLiteral("タイムテーブル管理ソフト"), this);
    descriptionLabel->setObjectName(QStringLiteral("lblDescription"));
    descriptionLabel->setGeometry(70, 68, 300, 36);
    separator(this, 110);
    disclaimerLabel = new QLabel(this);
    disclaimerLabel->setObjectName(QStringLiteral("lblDisclaimer"));
    disclaimerLabel->setGeometry(10, 118, 366, 112);
    disclaimerLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont small = disclaimerLabel->font();
    small.setPointSizeF(8.25);
    disclaimerLabel->setFont(small);
    separator(this, 234);
    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("cmdOK"));
    okButton->setGeometry(270, 242, 100, 22);
    okButton->setDefault(true);
    systemInfoButton = new QPushButton(QStringLiteral("ｼｽﾃﾑ情報(&S)..."), this);
    systemInfoButton->setObjectName(QStringLiteral("cmdSysInfo"));
    systemInfoButton->setGeometry(270, 266, 100, 22);
    connect(okButton, &QPushButton::clicked, this, &QDialog::close);
    connect(systemInfoButton, &QPushButton::clicked, this, &AboutWindow::startSystemInfo);
    startUp();
}

void AboutWindow::startUp() {
    const QString title = QString::fromUtf8(kAppTitle);
    setWindowTitle(title + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報"));
    versionLabel->setText(QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2.%3")
                              .arg(kVersionMajor)
                              .arg(kVersionMinor)
                              .arg(kVersionRevision));
    titleLabel->setText(title);
    disclaimerLabel->setText(
        QStringLiteral("このプログラムのセットアップ時やこのプログラムの使用時において、\r\n"
                       "いかなる状態で使用することがあっても、使用した機器および\r\n"
                       "周辺機器などの装置類や周辺物品類、ならびに使用した方の人体\r\n"
                       "および精神、財産など一切に対しての異常、障害、故障、破損、\r\n"
                       "消失、滅失、データ消失、等一切の影響および状態に対して、著作者と\r\n"
                       "著作者に関係ある者は一切の責任をもちません。"));
}

QString findSystemInfoProgram() {
    for (const char* name : {"hardinfo2", "hardinfo", "kinfocenter", "lshw-gtk", "xfce4-about"}) {
        QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    return {};
}

void AboutWindow::startSystemInfo() {
    const QString program = findSystemInfoProgram();
    if (!program.isEmpty() && platform_.startProgram(program, {}))
        return;
    platform_.message(QString::fromUtf8(kAppTitle),
                      QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません"));
}

} // namespace kavro
