#include "core/screen/selection_offer.h"

#include <gtest/gtest.h>
#include <ostream>

namespace kavro {
namespace {

// Visible controls as letters, so a table row reads like the button row on screen:
// U 利用, E 延長, N 通知, S 清算, M 修正, R 予約, D 削除, I 入力; pop-up e n s.
std::string shown(const SelectionOffer& o) {
    std::string s;
    for (auto [on, c] : {std::pair{o.use, 'U'},
                         {o.extend, 'E'},
                         {o.notify, 'N'},
                         {o.settle, 'S'},
                         {o.modify, 'M'},
                         {o.reserve, 'R'},
                         {o.remove, 'D'},
                         {o.input, 'I'},
                         {o.popupExtend, 'e'},
                         {o.popupNotify, 'n'},
                         {o.popupSettle, 's'}})
        if (on)
            s += c;
    return s;
}

struct OfferCase {
    const char* status;
    int dayOffset;
    const char* buttons; // nullptr: no change at all
    std::vector<std::string> choices;
};
void PrintTo(const OfferCase& c, std::ostream* os) { *os << c.status << " day " << c.dayOffset; }

class BoardOffer : public ::testing::TestWithParam<OfferCase> {};
// No offer at all where the table has no buttons; otherwise exactly its buttons and choices.
void expectOffer(const std::optional<SelectionOffer>& offer, const OfferCase& c) {
    if (!c.buttons) {
        EXPECT_FALSE(offer);
        return;
    }
    ASSERT_TRUE(offer);
    EXPECT_EQ(shown(*offer), c.buttons);
    EXPECT_EQ(offer->statusChoices, c.choices);
}

TEST_P(BoardOffer, FollowsTheStatusAndTheDay) {
    expectOffer(boardSelectionOffer(GetParam().status, GetParam().dayOffset), GetParam());
}
INSTANTIATE_TEST_SUITE_P(
    Table, BoardOffer,
    ::testing::Values(OfferCase{"利用", 0, "ENMDen", {"利用"}}, OfferCase{"延長", 0, "", {"延長"}},
                      OfferCase{"通知", 0, "ESMes", {"利用", "通知"}},
                      OfferCase{"精算", 0, "", {"精算"}},
                      OfferCase{"予約", 0, "MD", {"利用", "予約"}}, OfferCase{"??", 0, nullptr, {}},
                      OfferCase{"予約", 3, "MD", {"予約"}}, OfferCase{"利用", 1, nullptr, {}},
                      OfferCase{"予約", -1, nullptr, {}}, OfferCase{"利用", -2, nullptr, {}}));

class ListOffer : public ::testing::TestWithParam<OfferCase> {};
TEST_P(ListOffer, NeverShowsThePopup) {
    expectOffer(listSelectionOffer(GetParam().status), GetParam());
}
INSTANTIATE_TEST_SUITE_P(Table, ListOffer,
                         ::testing::Values(OfferCase{"利用", 0, "ENMD", {"利用"}},
                                           OfferCase{"延長", 0, "", {"延長"}},
                                           OfferCase{"通知", 0, "SM", {"利用", "通知"}},
                                           OfferCase{"精算", 0, "", {"精算"}},
                                           OfferCase{"予約", 0, "MD", {"利用", "予約"}},
                                           OfferCase{"", 0, nullptr, {}}));

TEST(NewBookingOffer, StayOrReservationTodayOnlyReservationLater) {
    EXPECT_EQ(shown(*newBookingOffer(0)), "UR");
    EXPECT_EQ(shown(*newBookingOffer(2)), "R");
    EXPECT_FALSE(newBookingOffer(-1));
}

} // namespace
} // namespace kavro
