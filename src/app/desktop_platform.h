#pragma once
// The real desktop behind the window's seams: wall clock, program directory, message
// boxes, the alert sound and starting other programs. The restart request is not here:
// it lives apart (restart_request.h) so that nothing but the program itself links it.
#include "window/platform.h"

namespace kavro {

// Every seam filled with the real desktop, except requestRestart, which is left empty.
Platform desktopPlatform();

} // namespace kavro
