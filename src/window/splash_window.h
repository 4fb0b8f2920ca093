#pragma once
// The splash window shown while the main window starts.
#include <QWidget>

namespace kavro {

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);
};

} // namespace kavro
