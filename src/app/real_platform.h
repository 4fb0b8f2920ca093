#pragma once
// The real machine behind the window's seams. Linked only into the program itself,
// never into a test: this is the one place that can ask the machine to restart.
#include "app/platform.h"

namespace kavro {

Platform realPlatform();

} // namespace kavro
