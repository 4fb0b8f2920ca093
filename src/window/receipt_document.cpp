#include "window/receipt_document.h"

#include "window/bill_words.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace kavro {

namespace {

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QPageSize pageOf(ReceiptPaper paper) {
    switch (paper) {
    case ReceiptPaper::A4:
        return QPageSize(QPageSize::A4);
    case ReceiptPaper::Roll58:
        return QPageSize(QSizeF(58, 150), QPageSize::Millimeter, QStringLiteral("58mm"));
    case ReceiptPaper::Roll80:
        return QPageSize(QSizeF(80, 150), QPageSize::Millimeter, QStringLiteral("80mm"));
    case ReceiptPaper::A5:
        break;
    }
    return QPageSize(QPageSize::A5);
}

bool isRoll(ReceiptPaper paper) {
    return paper == ReceiptPaper::Roll58 || paper == ReceiptPaper::Roll80;
}

} // namespace

std::vector<ReceiptLine> receiptLines(const StoredSale& sale, const ShopSettings& shop,
                                      bool reprint) {
    const SaleInput& in = sale.input;
    const SaleAmounts& a = sale.amounts;
    std::vector<ReceiptLine> out;
    out.push_back({reprint ? QStringLiteral("領収書（再発行）") : QStringLiteral("領収書"), {}});
    out.push_back({q(shop.name), {}});
    if (!shop.registration.empty())
        out.push_back({QStringLiteral("登録番号 %1").arg(q(shop.registration)), {}});
    out.push_back({q(formatDate(dateOf(in.soldAt)) + " " + formatHhNn(in.soldAt)),
                   QStringLiteral("No. %1").arg(sale.receiptNo, 6, 10, QLatin1Char('0'))});
    out.push_back({QStringLiteral("%1号室 %2 %3分 %4名")
                       .arg(QString::number(in.room).rightJustified(3, QLatin1Char('0')),
                            q(in.plan), QString::number(in.minutes), QString::number(in.people)),
                   {}});
    for (const BillLine& line : in.lines)
        out.push_back({q(line.name), yenText(line.amount)});
    if (a.discount > 0)
        out.push_back(
            {QStringLiteral("値引き（%1）").arg(q(in.discount.reason)), yenText(-a.discount)});
    out.push_back({QStringLiteral("合計"), yenText(a.total)});
    out.push_back({QStringLiteral("%1%対象").arg(in.taxRatePercent), yenText(a.total)});
    out.push_back(
        {QStringLiteral("内消費税（%1%）").arg(in.taxRatePercent), yenText(a.taxIncluded)});
    out.push_back({q(methodWord(in.method)), yenText(a.received)});
    if (in.method == PaymentMethod::Cash)
        out.push_back({QStringLiteral("お釣り"), yenText(a.change)});
    out.push_back({QStringLiteral("上記正に領収いたしました"), {}});
    return out;
}

void setReceiptPage(QPagedPaintDevice& device, ReceiptPaper paper) {
    const double margin = isRoll(paper) ? 3 : 12;
    device.setPageLayout(QPageLayout(pageOf(paper), QPageLayout::Portrait,
                                     QMarginsF(margin, margin, margin, margin),
                                     QPageLayout::Millimeter));
}

bool paintReceipt(QPagedPaintDevice& device, const StoredSale& sale, const ShopSettings& shop,
                  bool reprint) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    QFont font = painter.font();
    font.setPointSizeF(shop.paper == ReceiptPaper::Roll58 ? 7 : isRoll(shop.paper) ? 9 : 11);
    painter.setFont(font);
    const int width = painter.viewport().width();
    const int lineHeight = painter.fontMetrics().height() * 3 / 2;
    const std::vector<ReceiptLine> lines = receiptLines(sale, shop, reprint);
    int y = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ReceiptLine& line = lines[i];
        // The heading stands out, centred; the total is what the guest looks for.
        const bool heading = i == 0, total = line.label == QStringLiteral("合計");
        QFont f = font;
        f.setBold(heading || total);
        if (heading)
            f.setPointSizeF(font.pointSizeF() * 1.6);
        painter.setFont(f);
        const int height = heading ? lineHeight * 2 : lineHeight;
        const QRect row(0, y, width, height);
        if (heading) {
            painter.drawText(row, Qt::AlignHCenter | Qt::AlignVCenter, line.label);
        } else {
            painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, line.label);
            painter.drawText(row, Qt::AlignRight | Qt::AlignVCenter, line.amount);
        }
        if (total)
            painter.drawLine(0, y, width, y);
        y += height;
    }
    return painter.end();
}

} // namespace kavro
