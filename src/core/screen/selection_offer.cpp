#include "core/screen/selection_offer.h"

#include "core/records/record.h"

namespace kavro {

namespace {

SelectionOffer choicesOnly(std::vector<std::string> choices) {
    SelectionOffer o;
    o.statusChoices = std::move(choices);
    return o;
}

std::string word(std::string_view w) { return std::string(w); }

} // namespace

std::optional<SelectionOffer> boardSelectionOffer(std::string_view status, int dayOffset) {
    if (dayOffset > 0) {
        if (status != kStatusReserved)
            return std::nullopt;
        SelectionOffer o = choicesOnly({word(kStatusReserved)});
        o.modify = o.remove = true;
        return o;
    }
    if (dayOffset < 0)
        return std::nullopt;
    if (status == kStatusUse) {
        SelectionOffer o = choicesOnly({word(kStatusUse)});
        o.extend = o.notify = o.modify = o.remove = true;
        o.popupExtend = o.popupNotify = true;
        return o;
    }
    if (status == kStatusNotified) {
        // A notified stay can still be extended from the board.
        SelectionOffer o = choicesOnly({word(kStatusUse), word(kStatusNotified)});
        o.extend = o.settle = o.modify = true;
        o.popupExtend = o.popupSettle = true;
        return o;
    }
    if (status == kStatusReserved) {
        SelectionOffer o = choicesOnly({word(kStatusUse), word(kStatusReserved)});
        o.modify = o.remove = true;
        return o;
    }
    if (status == kStatusExtended || status == kStatusSettled)
        return choicesOnly({word(status)});
    return std::nullopt;
}

std::optional<SelectionOffer> listSelectionOffer(std::string_view status) {
    if (status == kStatusNotified) {
        // The list offers no extension of a notified stay, unlike the board.
        SelectionOffer o = choicesOnly({word(kStatusUse), word(kStatusNotified)});
        o.settle = o.modify = true;
        return o;
    }
    auto o = boardSelectionOffer(status, 0);
    if (o)
        o->popupExtend = o->popupNotify = o->popupSettle = false;
    return o;
}

std::optional<SelectionOffer> newBookingOffer(int dayOffset) {
    if (dayOffset < 0)
        return std::nullopt;
    SelectionOffer o;
    o.use = dayOffset == 0;
    o.reserve = true;
    return o;
}

} // namespace kavro
