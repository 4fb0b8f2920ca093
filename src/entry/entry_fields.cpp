#include "app/form1.h"

namespace kavro {

void Form1::Combo1_Change() {}
void Form1::Combo1_Click() {}
void Form1::Combo1_KeyDown(int) {}
void Form1::Text1_Change() {}
void Form1::Text1_KeyDown(int) {}
void Form1::Combo2_Change() {}
void Form1::Combo2_Click() {}
void Form1::Combo2_KeyDown(int) {}
void Form1::Text2_GotFocus() {}
void Form1::Text2_Change() {}
void Form1::Text2_KeyDown(int) {}
void Form1::Combo3_Click() {}
void Form1::Combo3_KeyDown(int) {}

} // namespace kavro
