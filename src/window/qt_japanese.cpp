#include "window/qt_japanese.h"

#include <QLibraryInfo>
#include <QLocale>

namespace kavro {

std::unique_ptr<QTranslator> loadQtJapanese() {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    return translator;
}

} // namespace kavro
