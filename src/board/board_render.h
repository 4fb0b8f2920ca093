#pragma once
// A board half drawn off-screen at its present size, through its own paint event.
#include <QImage>

namespace kavro {

class Form1;

QImage renderBoardHalf(Form1& form, int index);

} // namespace kavro
