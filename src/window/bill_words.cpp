#include "window/bill_words.h"

#include <QLocale>
#include <QStringList>

namespace kavro {

namespace {

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

const QString kUnpriced = QStringLiteral("料金未設定");

bool priced(const std::optional<PartyBill>& party) { return party && party->bill.priced(); }

} // namespace

QString yenText(long long yen) {
    return QLocale(QLocale::Japanese, QLocale::Japan).toString(yen) + QStringLiteral("円");
}

QString billTooltip(const std::optional<PartyBill>& party) {
    if (!priced(party))
        return kUnpriced;
    const Bill& bill = party->bill;
    QStringList lines;
    lines << QStringLiteral("%1　%2分　%3名")
                 .arg(q(planName(bill.chosen)), QString::number(party->minutes),
                      QString::number(party->people));
    for (const BillPart& part : partsOf(bill.charge())) {
        const QString count = part.count > 0 ? QStringLiteral("（%1）").arg(part.count) : QString();
        lines << QStringLiteral("%1%2　%3").arg(q(part.name), count, yenText(part.amount));
    }
    lines << QStringLiteral("合計　%1（内消費税 %2）").arg(yenText(bill.total), yenText(bill.tax));
    return lines.join(QLatin1Char('\n'));
}

QString billAmount(const std::optional<PartyBill>& party) {
    return priced(party) ? yenText(party->bill.total) : kUnpriced;
}

} // namespace kavro
