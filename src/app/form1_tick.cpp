// The 30-second clock tick and the alarm.
#include "app/form1.h"

namespace kavro {

void Form1::Timer1_Timer() { rolloverCheck(); }
void Form1::Timer2_Timer() {}
void Form1::Form_MouseMove() {}

} // namespace kavro
