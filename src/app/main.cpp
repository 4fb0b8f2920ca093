#include "app/desktop_platform.h"
#include "app/front_request.h"
#include "app/instance_lock.h"
#include "app/restart_request.h"
#include "window/desk_window.h"
#include "window/fonts.h"
#include "window/input_method_check.h"
#include "window/qt_japanese.h"
#include "window/window_scale.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KAVRO"));
    // Built in: an install into any directory has no icon in the desktop's theme.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/kavro/kavro.png")));
    kavro::installFontSubstitutions();
    const auto qtJapanese = kavro::loadQtJapanese();
    if (qtJapanese)
        QApplication::installTranslator(qtJapanese.get());

    kavro::Platform platform = kavro::desktopPlatform();
    platform.requestRestart = kavro::requestMachineRestart;
    kavro::InstanceLock lock(platform.programDir);
    const QString frontRequest = kavro::frontRequestName(platform.programDir);
    if (lock.state() == kavro::InstanceLock::State::HeldByAnotherCopy) {
        kavro::requestFront(frontRequest); // its window comes to the front; this one ends
        return 0;
    }
    if (!lock.acquired()) {
        // Without the lock a second copy could start beside this one, and each would write
        // the day file over the other's bookings.
        platform.message(QStringLiteral("ファイルエラー"),
                         QString::fromStdString(kavro::startRefusedText(lock)));
        return 1;
    }

    const QString inputMethodNotice =
        kavro::missingInputMethodNotice([](const char* name) { return qEnvironmentVariable(name); },
                                        kavro::loadableInputContextPlugins());
    auto message = platform.message;

    kavro::DeskWindow window(std::move(platform));
    window.startUp();
    kavro::fitWindowToScreen(&window);
    window.show();
    kavro::listenForFrontRequests(frontRequest, &window);
    if (!inputMethodNotice.isEmpty())
        QTimer::singleShot(0, &window,
                           [&] { message(QStringLiteral("日本語入力"), inputMethodNotice); });
    return QApplication::exec();
}
