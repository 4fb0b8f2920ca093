#pragma once
// Putting a selected record on the entry panel and offering its operations; shared by the
// board click, the booking list and the deletion.
#include "ledger/record.h"
#include "ledger/selection_offer.h"

namespace kavro {

class Form1;

// The longest name that can be typed into the name box.
inline constexpr int kNameMaxLength = 5;

// Selects the record (Form1::selected) and shows it in the fields of the panel.
void showRecordInPanel(Form1& form, const RecordFields& record);

// Shows or hides the eight operation buttons.
void applyButtons(Form1& form, const SelectionOffer& offer);
// Shows or hides the three pop-up buttons of one board half.
void applyPopup(Form1& form, int half, const SelectionOffer& offer);
// statusBox's choices, replaced.
void setStatusChoices(Form1& form, const std::vector<std::string>& choices);

} // namespace kavro
