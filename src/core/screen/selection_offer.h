#pragma once
// Which operations a selected record offers: the entry panel's buttons, the board's
// pop-up buttons and the status choices, by the record's status and the shown day.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavro {

struct SelectionOffer {
    // The operations of the entry panel, with their captions.
    bool use = false;     // 利用: check the party in
    bool extend = false;  // 延長: prepare an extension
    bool notify = false;  // 通知: the ten-minute call was made
    bool settle = false;  // 清算: the party paid and left
    bool modify = false;  // 修正: write the panel back over the record
    bool reserve = false; // 予約: reserve
    bool remove = false;  // 削除: delete the record
    bool input = false;   // 入力: store the prepared extension
    // The board pop-up of the clicked half.
    bool popupExtend = false;
    bool popupNotify = false;
    bool popupSettle = false;
    std::vector<std::string> statusChoices; // the 状態 box's words, in this order

    bool operator==(const SelectionOffer&) const = default;
};

// A record selected on the board. `dayOffset` is 0 for the running business day, above
// 0 for a later day. None: the buttons and choices stay as they are (a status word the
// table does not know, any but a reservation on a later day, and every earlier day,
// which the caller refuses).
std::optional<SelectionOffer> boardSelectionOffer(std::string_view status, int dayOffset);

// A record selected in the booking list (never offers the board pop-up).
std::optional<SelectionOffer> listSelectionOffer(std::string_view status);

// A free place clicked on the board: a stay or a reservation on the running day, only a
// reservation on a later day. None on an earlier day.
std::optional<SelectionOffer> newBookingOffer(int dayOffset);

} // namespace kavro
