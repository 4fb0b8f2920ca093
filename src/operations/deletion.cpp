// 削除: removes the selected record; removing an extension gives the booking back its
// previous end.
#include "app/form1.h"
#include "board/selection_panel.h"
#include "ledger/booking_chain.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace kavro {

void Form1::deleteBooking() {
    const QString what = describeEntry(QStringLiteral("削除"));
    const DeletionResult result = deleteRecord(roomGrid, selected.id);
    if (result.firstRecordRemoved)
        clearEntryFields();
    if (result.restored) {
        // The extended record is what the panel shows afterwards.
        const RecordFields r = parseFields(*result.restored);
        showRecordInPanel(*this, r);
        statusBox->setEditText(QString::fromStdString(r.status));
    }
    saveAndReload(JournalOp::Delete, what);
    resetEntry();
}

} // namespace kavro
