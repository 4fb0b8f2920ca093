#include "app/desktop_platform.h"
#include "app/fonts.h"
#include "app/form1.h"
#include "app/front_request.h"
#include "app/input_method_check.h"
#include "app/instance_lock.h"
#include "app/qt_japanese.h"
#include "app/restart_request.h"
#include "app/window_scale.h"

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

    kavro::Form1 form(std::move(platform));
    if (!form.startUp())
        return 0;
    kavro::fitWindowToScreen(&form);
    form.show();
    kavro::listenForFrontRequests(frontRequest, &form);
    if (!inputMethodNotice.isEmpty())
        QTimer::singleShot(0, &form,
                           [&] { message(QStringLiteral("日本語入力"), inputMethodNotice); });
    return QApplication::exec();
}
