#pragma once

namespace kavro::bench {

// Closes the windows the benchmarks started; called before the application object goes.
void releaseDesks();

} // namespace kavro::bench
