#include "window/splash_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace kavro {

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Form2"));
    resize(312, 151); // 4680 x 2265 twips
    auto* label = new QLabel(QStringLiteral("KAVRO"), this);
    label->setObjectName(QStringLiteral("Label1"));
    QFont font(QStringLiteral("HGP創英角ｺﾞｼｯｸUB"));
    font.setPointSize(72);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(rect());
    if (auto* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace kavro
