#pragma once
// What the registration buttons share: reading the panel and answering a refusal.
#include "ledger/booking_rules.h"
#include "ledger/entry_check.h"
#include "ledger/journal.h"

#include <QString>

namespace kavro {

class Form1;

namespace entry {

EntryFields readPanel(const Form1& form);

// Every refusal below shows its message with the title "入力エラー" (unless named
// otherwise), puts the focus where the user has to correct it, and returns false.
bool acceptPanel(Form1& form, const EntryCheck& check);
// The room's 48 positions are taken.
bool refuseFullRow(Form1& form);
// The day's group numbers are used up.
bool refuseNoGroupNumber(Form1& form);
// A party or a reservation is in the way; true when nothing is.
bool acceptScan(Form1& form, Conflict conflict);

// The closing sequence of every registration: reset the panel, save, reload. `what` names
// the change should it not be stored (Form1::describeEntry, taken before the reset).
void closeRegistration(Form1& form, JournalOp op, const QString& what);

// What the panel shows when nothing is being entered.
inline const QString kDefaultPeople = QStringLiteral("2");
inline const QString kDefaultUnit = QStringLiteral("1");

} // namespace entry
} // namespace kavro
