#include "app/form1.h"

namespace kavro {

void Form1::Picture1_MouseMove(int, int, int, double, double) {}

} // namespace kavro
