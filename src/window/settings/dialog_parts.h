#pragma once
// Small parts the manager's windows build their controls from.
#include <QLabel>
#include <QPushButton>

namespace kavro {

// A button that Enter in a field does not press: these windows save or print only when asked.
inline QPushButton* plainButton(const QString& caption, const char* objectName) {
    auto* b = new QPushButton(caption);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setAutoDefault(false);
    return b;
}

// A caption whose mnemonic moves the focus to its field.
inline QLabel* buddyLabel(const QString& caption, QWidget* buddy) {
    auto* label = new QLabel(caption);
    label->setBuddy(buddy);
    return label;
}

} // namespace kavro
