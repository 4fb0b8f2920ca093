#pragma once
// The entry panel worked from the keyboard at a busy desk: Tab through the fields in the
// order they are filled and on to the operations on offer, a function key for each
// operation on screen, Enter in the name box for the operation the panel offers first.
#include <QKeySequence>
#include <vector>

class QLineEdit;
class QPushButton;
class QWidget;

namespace kavro {

struct OperationKey {
    QPushButton* button;
    QKeySequence key;
};

struct DeskKeys {
    std::vector<QWidget*> fields;         // in the order they are filled
    std::vector<OperationKey> operations; // in the order they stand
    QLineEdit* nameBox = nullptr;         // Enter there runs the first offered primary
    std::vector<QPushButton*> primaries;  // by preference
};

// Sets the Tab order (fields, then the operations), each operation's key (a button's key
// works exactly when the button is on screen and enabled, like a click) and names it in
// the button's tooltip, and makes Enter in the name box run the first visible primary
// operation, never while an input method's conversion is still open there.
void installDeskKeys(const DeskKeys& keys);

} // namespace kavro
