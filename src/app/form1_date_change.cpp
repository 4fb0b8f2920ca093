// Showing another business day.
#include "app/form1.h"

namespace kavro {

void Form1::DTPicker1_Change() {}

} // namespace kavro
