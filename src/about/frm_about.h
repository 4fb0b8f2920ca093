#pragma once
// The version window: title, version, description and disclaimer.
#include "app/platform.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace kavro {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout(const Platform& platform, QWidget* parent = nullptr);

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void StartSysInfo();

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;

private:
    const Platform& platform_;
};

// The installed system-information program, searched on PATH; empty when there is none.
QString findSystemInfoProgram();

} // namespace kavro
