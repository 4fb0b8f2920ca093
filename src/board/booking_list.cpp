#include "app/form1.h"

namespace kavro {

void Form1::fillBookingList(const std::string&) {}

} // namespace kavro
