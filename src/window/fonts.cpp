#include "window/fonts.h"

#include <QFont>
#include <QStringList>

namespace kavro {

void installFontSubstitutions() {
    const QStringList proportional{QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"),
                                   QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic")};
    const QStringList fixed{QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP"),
                            QStringLiteral("IPAexGothic")};
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), proportional);
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), fixed);
    QFont::insertSubstitutions(QStringLiteral("HGP創英角ｺﾞｼｯｸUB"), proportional);
}

} // namespace kavro
