#pragma once
// The version window: title, version, description and disclaimer.
#include "window/platform.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace kavro {

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    AboutWindow(const Platform& platform, QWidget* parent = nullptr);

    void startUp();
    void startSystemInfo();

    QLabel* iconLabel = nullptr;
    QLabel* titleLabel = nullptr;
    QLabel* versionLabel = nullptr;
    QLabel* descriptionLabel = nullptr;
    QLabel* disclaimerLabel = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* systemInfoButton = nullptr;

private:
    const Platform& platform_;
};

// The installed system-information program, searched on PATH; empty when there is none.
QString findSystemInfoProgram();

} // namespace kavro
