// 清算: the party has paid and left; the whole booking is settled.
#include "app/form1.h"
#include "ledger/booking_chain.h"
#include "ledger/record.h"
#include "operations/panel_record.h"

#include <QLabel>

namespace kavro {

void Form1::settle() {
    if (refuseEmptyName(*this) || refuseStatusPanel(*this))
        return;
    const std::string line = panelRecordLine(*this, kStatusSettled);
    if (refuseUnstorable(*this, line))
        return;
    settleBooking(roomGrid, selected.id, line);
    const QString what = describeEntry(QStringLiteral("精算"));
    resetEntry();
    saveAndReload(JournalOp::Settle, what);
}

} // namespace kavro
