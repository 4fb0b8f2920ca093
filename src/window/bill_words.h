#pragma once
// A party's bill in the words the desk reads: yen with separators, the plan and its parts.
#include "desk/party_bill.h"

#include <QString>

namespace kavro {

// 「4,000円」; a negative amount keeps its sign.
QString yenText(long long yen);
// What the bar's tooltip says of a party: the plan, the stay, each part and the total; or
// 料金未設定 when nothing prices it.
QString billTooltip(const std::optional<PartyBill>& party);
// The amount beside the pop-up's 精算: the total, or 料金未設定.
QString billAmount(const std::optional<PartyBill>& party);

} // namespace kavro
