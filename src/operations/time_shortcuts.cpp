#include "app/form1.h"

namespace kavro {

void Form1::Command11_Click() {}
void Form1::Command12_Click() {}
void Form1::Command13_Click() {}

} // namespace kavro
