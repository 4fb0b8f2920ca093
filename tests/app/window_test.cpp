#include "support/form_fixture.h"

namespace kavro::test {
namespace {

TEST_F(FormTest, Starts) { start(); }

} // namespace
} // namespace kavro::test
