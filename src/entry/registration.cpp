#include "app/form1.h"

namespace kavro {

void Form1::Command1_Click() {}
void Form1::Command14_Click() {}
void Form1::Command5_Click() {}
void Form1::Command6_Click() {}
void Form1::Command10_Click() {}

} // namespace kavro
