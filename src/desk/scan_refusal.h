#pragma once
// How the desk is told that a party or a reservation stands in the way of a stay: the same
// words whether a check-in, a modification or an undo met it.
#include "core/rules/booking_rules.h"
#include "desk/reply.h"

#include <optional>

namespace kavro {

// None when nothing is in the way.
std::optional<Notice> scanRefusal(Conflict conflict);

} // namespace kavro
