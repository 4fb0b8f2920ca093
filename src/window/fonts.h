#pragma once

namespace kavro {

// The design's Japanese font names do not exist on Linux; map them to installed Japanese
// fonts so that no caption falls back to a Latin font or renders as boxes.
void installFontSubstitutions();

} // namespace kavro
