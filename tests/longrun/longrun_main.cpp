// The program as the desk runs it, for the long run across 06:00: the real desktop (window,
// clock, sound), but a restart request that is always refused and only reported on
// standard output. It can never restart the machine it runs on.
#include "app/desktop_platform.h"
#include "app/instance_lock.h"
#include "window/desk_window.h"
#include "window/fonts.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    kavro::installFontSubstitutions();
    kavro::Platform platform = kavro::desktopPlatform();
    platform.requestRestart = [] {
        std::printf("restart requested: refused\n");
        std::fflush(stdout);
        return false;
    };
    kavro::InstanceLock lock(platform.programDir);
    if (!lock.acquired())
        return 0;
    kavro::DeskWindow window(std::move(platform));
    window.startUp();
    window.show();
    return QApplication::exec();
}
