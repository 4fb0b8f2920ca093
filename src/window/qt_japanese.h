#pragma once
// Qt's own windows (the file and print dialogs, the buttons of its boxes) speak Japanese like
// the rest of the program, whatever the desktop's language: the desk reads only Japanese.
#include <QTranslator>
#include <memory>

namespace kavro {

// Qt's Japanese translations (Debian's qt6-translations-l10n), loaded for installing into the
// application; none when they are not installed, and Qt's windows then stay in English.
std::unique_ptr<QTranslator> loadQtJapanese();

} // namespace kavro
