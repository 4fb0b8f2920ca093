#pragma once
// What the desk model needs from the outside world. main() fills it from the real machine
// (the same seams the window gets); tests fill it with fakes.
#include "core/records/civil_time.h"

#include <filesystem>
#include <functional>

namespace kavro {

struct DeskSeams {
    std::function<DateTime()> now;        // local wall clock, naive civil time
    std::filesystem::path dir;            // where the day files live
    std::function<bool()> requestRestart; // true when the machine accepted to restart
};

} // namespace kavro
