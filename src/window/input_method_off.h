#pragma once
// Boxes for digits, times and room numbers: an input method left on turns what is typed
// into a conversion (すずき in 開始時間), so it is kept off there.
class QWidget;

namespace kavro {

// The box (and a combo box's line edit) tells the input method it takes no input method,
// and hints at digits. A line edit's own answer says yes whatever its attribute, and the
// input method asks the box, so the answer itself is given here.
void keepInputMethodOff(QWidget* box);

} // namespace kavro
