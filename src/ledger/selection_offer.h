#pragma once
// Which operations a selected record offers: the entry panel's buttons, the board's
// pop-up buttons and the status choices, by the record's status and the shown day.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavro {

struct SelectionOffer {
    // Entry panel buttons, by caption.
    bool use = false;     // checkInButton 利用
    bool extend = false;  // extendButton 延長
    bool notify = false;  // notifyButton 通知
    bool settle = false;  // settleButton 清算
    bool modify = false;  // modifyButton 修正
    bool reserve = false; // reserveButton 予約
    bool remove = false;  // deleteButton 削除
    bool input = false;   // inputExtensionButton 入力
    // The board pop-up of the clicked half.
    bool popupExtend = false;
    bool popupNotify = false;
    bool popupSettle = false;
    std::vector<std::string> statusChoices; // statusBox, in this order

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
