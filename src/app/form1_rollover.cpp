// The 06:00 rollover and the restart request.
#include "app/form1.h"

namespace kavro {

void Form1::RolloverDay() {}
void Form1::rolloverCheck() {}

} // namespace kavro
