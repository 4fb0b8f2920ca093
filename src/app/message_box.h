#pragma once
#include <QString>

namespace kavro {

// A modal message with an OK button only and no icon, as every message of the program.
void showMessageBox(const QString& title, const QString& text);

} // namespace kavro
