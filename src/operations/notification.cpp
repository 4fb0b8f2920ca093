// 通知: the ten-minute call to the room has been made.
#include "app/form1.h"
#include "ledger/booking_chain.h"
#include "ledger/record.h"
#include "operations/panel_record.h"

#include <QComboBox>

namespace kavro {

void Form1::notify() {
    if (refuseEmptyName(*this) || refuseStatusPanel(*this))
        return;
    const std::string line = panelRecordLine(*this, kStatusNotified);
    if (refuseUnstorable(*this, line))
        return;
    // Only the room in the room box is searched.
    if (auto room = roomIndexFromText(roomBox->currentText().toStdString()))
        replaceRecordInRoom(roomGrid, *room, selected.id, line);
    const QString what = describeEntry(QStringLiteral("通知"));
    resetEntry();
    saveAndReload(JournalOp::Notify, what);
}

} // namespace kavro
