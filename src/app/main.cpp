#include "app/desktop_platform.h"
#include "app/fonts.h"
#include "app/form1.h"
#include "app/instance_lock.h"
#include "app/restart_request.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KAVRO"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kavro")));
    kavro::installFontSubstitutions();

    kavro::Platform platform = kavro::desktopPlatform();
    platform.requestRestart = kavro::requestMachineRestart;
    kavro::InstanceLock lock(platform.programDir);
    if (lock.state() == kavro::InstanceLock::State::HeldByAnotherCopy)
        return 0; // another copy runs: end silently
    if (!lock.acquired()) {
        // Without the lock a second copy could start beside this one, and each would write
        // the day file over the other's bookings.
        platform.message(QStringLiteral("ファイルエラー"),
                         QString::fromStdString(kavro::startRefusedText(lock)));
        return 1;
    }

    kavro::Form1 form(std::move(platform));
    if (!form.startUp())
        return 0;
    form.show();
    return QApplication::exec();
}
