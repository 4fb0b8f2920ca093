#include "ledger/civil_time.h"
#include <gtest/gtest.h>
TEST(CivilTime, Placeholder) {}
