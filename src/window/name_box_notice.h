#pragma once
// The name box holds a few characters only. An input method commits a whole conversion at
// once, and Qt keeps what fits without a word (東京特許許可局 becomes 東京特許許): the desk
// must see at once that the name was cut, and what was left out.
class QLabel;
class QLineEdit;

namespace kavro {

// While the last input did not fit, the box has a red frame and its caption says what was
// left out; both go as soon as the box has room again (a character deleted, the panel
// cleared). The box never holds more than its maximum length.
void watchNameLength(QLineEdit* box, QLabel* caption);

} // namespace kavro
