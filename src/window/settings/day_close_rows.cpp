#include "window/settings/day_close_rows.h"

#include "window/bill_words.h"

namespace kavro {

namespace {

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString partiesAndYen(const Takings& t, const char* unit = "組") {
    return QStringLiteral("%1 %2　%3")
        .arg(t.parties)
        .arg(QString::fromUtf8(unit), yenText(t.amount));
}

} // namespace

std::vector<CloseRow> dayCloseRows(const DayClose& c) {
    std::vector<CloseRow> rows{
        {QStringLiteral("売上合計（税込）"), yenText(c.net.amount)},
        {QStringLiteral("　内消費税"), yenText(c.taxIncluded)},
        {QStringLiteral("組数"), QStringLiteral("%1 組").arg(c.net.parties)},
        {QStringLiteral("客単価"), yenText(c.net.perParty())},
        {QStringLiteral("支払方法別（取消を差し引き）"), {}, true},
    };
    for (PaymentMethod m : kPaymentMethods) {
        const std::size_t i = methodIndex(m);
        const Takings net{c.salesByMethod[i].parties - c.voidsByMethod[i].parties,
                          c.salesByMethod[i].amount - c.voidsByMethod[i].amount};
        rows.push_back({QStringLiteral("　") + text(methodWord(m)), partiesAndYen(net)});
    }
    rows.push_back({QStringLiteral("値引き・取消"), {}, true});
    rows.push_back({QStringLiteral("　売上（取消前）"), partiesAndYen(c.sales)});
    rows.push_back({QStringLiteral("　値引き"),
                    QStringLiteral("%1 件　%2").arg(c.discounts).arg(yenText(c.discountAmount))});
    QString voids = partiesAndYen(c.voids, "件");
    if (c.voidsOfEarlierDays > 0)
        voids += QStringLiteral("（うち前日までの売上 %1 件）").arg(c.voidsOfEarlierDays);
    rows.push_back({QStringLiteral("　取消"), voids});
    rows.push_back({QStringLiteral("レジ"), {}, true});
    rows.push_back({QStringLiteral("　現金の在高（釣銭準備金を除く）"), yenText(c.cashExpected)});
    rows.push_back({QStringLiteral("　領収書番号"),
                    c.firstReceipt == 0
                        ? QStringLiteral("なし")
                        : QStringLiteral("%1 ～ %2").arg(c.firstReceipt).arg(c.lastReceipt)});
    rows.push_back({QStringLiteral("　再発行"), QStringLiteral("%1 件").arg(c.reprints)});
    return rows;
}

} // namespace kavro
