// 延長: prepares the next record of the selected stay; 入力 stores it.
#include "app/form1.h"
#include "desk/message_titles.h"
#include "ledger/booking_chain.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kavro {

void Form1::prepareExtension() {
    const auto nextId = extensionId(selected.id);
    if (!nextId) {
        // Sub-number 99 is the last of a booking; one more would take another booking's ID.
        msgBox(QStringLiteral("この予約はこれ以上延長できません。\r\n"
                              "延長は1件につき99回までです"),
               title::kInputError);
        return;
    }
    // The selection becomes the record to be stored; its start and end stay the stay's.
    selectBooking({*nextId, selected.start, selected.end});
    startEdit->setText(endEdit->text());
    unitBox->setEditText(QStringLiteral("0.5"));
    unitEdited();
    inputExtensionButton->show();
    for (QPushButton* b :
         {extendButton, notifyButton, settleButton, modifyButton, reserveButton, deleteButton})
        b->hide();
}

} // namespace kavro
