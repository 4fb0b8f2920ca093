#include "board/click_geometry.h"

#include <gtest/gtest.h>
#include <ostream>

namespace kavro {
namespace {

struct RowCase {
    double y;
    std::optional<int> row;
};
void PrintTo(const RowCase& c, std::ostream* os) {
    *os << "Y " << c.y;
}
class RowBands : public ::testing::TestWithParam<RowCase> {};
TEST_P(RowBands, HitTheRowOrNothing) {
    EXPECT_EQ(rowAt(GetParam().y), GetParam().row);
}
INSTANTIATE_TEST_SUITE_P(Bands, RowBands,
                         ::testing::Values(RowCase{15.9, std::nullopt}, RowCase{16, 0},
                                           RowCase{32, 0}, RowCase{33, std::nullopt},
                                           RowCase{35.9, std::nullopt}, RowCase{36, 1},
                                           RowCase{352, 16}, RowCase{352.5, std::nullopt},
                                           RowCase{-5, std::nullopt}));

TEST(RowBands, TheRightHalfsLastRowIsRoom034) {
    EXPECT_EQ(roomIndexAt(1, *rowAt(352)), 33);
}

struct PopupCase {
    double x, y;
    long left, top;
};
void PrintTo(const PopupCase& c, std::ostream* os) {
    *os << "X " << c.x << " Y " << c.y;
}
class Popup : public ::testing::TestWithParam<PopupCase> {};
TEST_P(Popup, StaysBesideThePointerInsideTheHalf) {
    auto p = popupPosition(GetParam().x, GetParam().y);
    EXPECT_EQ(p.left, GetParam().left);
    EXPECT_EQ(p.top, GetParam().top);
}
INSTANTIATE_TEST_SUITE_P(Positions, Popup,
                         ::testing::Values(PopupCase{140, 100, 150, 100},
                                           PopupCase{140.5, 100, 100, 100}, // 100.5 to even
                                           PopupCase{0.5, 100, 10, 100},    // 10.5 to even
                                           PopupCase{50, 29, 60, 49}, PopupCase{50, 30, 60, 30},
                                           PopupCase{50, 335, 60, 335},
                                           PopupCase{50, 336, 60, 311}));

} // namespace
} // namespace kavro
