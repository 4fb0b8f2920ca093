#pragma once
// The selected booking's ID has nine digits, and its label, placed by the design, holds only
// eight at the panel's font. The label keeps its place and size; its font is made as large
// as lets nine of the widest digits fit inside it, at whatever scale the window is drawn.
class QLabel;

namespace kavro {

void fitDigitsToLabel(QLabel* label, int digits);

} // namespace kavro
