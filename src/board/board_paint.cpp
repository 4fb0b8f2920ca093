#include "app/form1.h"

namespace kavro {

void Form1::Picture1_Paint(int, QPainter&) {}

} // namespace kavro
