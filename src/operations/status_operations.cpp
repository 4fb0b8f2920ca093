#include "app/form1.h"

namespace kavro {

void Form1::Command2_Click() {}
void Form1::Command3_Click() {}
void Form1::Command4_Click() {}
void Form1::Command8_Click() {}
void Form1::cmdNext_Click(int) {}
void Form1::cmdCall_Click(int) {}
void Form1::cmdCrdt_Click(int) {}
void Form1::List1_Click() {}

} // namespace kavro
