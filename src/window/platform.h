#pragma once
// Everything the window needs from the outside world. main() fills it with the real
// machine; tests fill it with fakes. There is no other way to change these.
#include "core/records/civil_time.h"

#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>

namespace kavro {

struct Platform {
    std::function<DateTime()> now;    // local wall clock, naive civil time
    std::filesystem::path programDir; // where the executable and day files live
    std::function<void(const QString& title, const QString& text)> message; // modal, OK only
    // Modal, はい / いいえ; true for はい.
    std::function<bool(const QString& title, const QString& text)> ask;
    std::function<void()> beep;           // one short audible alert, never blocking
    std::function<bool()> requestRestart; // true when the machine accepted to restart
    std::function<bool(const QString& program, const QStringList& args)> startProgram;
    std::function<void()> quit; // ends the program once its event loop is reached
};

} // namespace kavro
