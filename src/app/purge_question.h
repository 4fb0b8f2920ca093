#pragma once
// The question asked at start-up before old day files are deleted, when no recent day shows
// that the clock is right.
#include "app/platform.h"
#include "ledger/day_purge.h"

namespace kavro {

// Asks the desk to confirm today's date, naming the last day it worked. いいえ is answered
// with what to do; nothing is deleted then.
PurgeConsent askBeforePurge(const Platform& platform, const PurgePlan& plan, DateTime now);

} // namespace kavro
