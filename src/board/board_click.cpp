#include "app/form1.h"

namespace kavro {

void Form1::Picture1_MouseDown(int, int, int, double, double) {}

} // namespace kavro
