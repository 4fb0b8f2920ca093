#pragma once
#include <QString>

namespace kavro {

// A modal message with an OK button only and no icon, as every message of the program.
void showMessageBox(const QString& title, const QString& text);
// The same box with はい and いいえ (いいえ the default, Esc too); true for はい.
bool askYesNo(const QString& title, const QString& text);

} // namespace kavro
