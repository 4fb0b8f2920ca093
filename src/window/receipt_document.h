#pragma once
// The receipt (領収書) of a sale as a simplified qualified invoice: the shop's name and
// registration number, the date, what was sold, the total for the 10 % rate and the tax in
// it, the receipt number; a reprint says 再発行. On the shop's receipt paper (A5, A4, or a
// 58 / 80 mm roll).
#include "sales/sales_ledger.h"
#include "sales/shop_settings.h"

#include <QString>
#include <QStringList>

namespace kavro {

// The receipt's lines, top to bottom: a label and an amount each (the amount may be empty).
struct ReceiptLine {
    QString label;
    QString amount;
};
std::vector<ReceiptLine> receiptLines(const StoredSale& sale, const ShopSettings& shop,
                                      bool reprint);

// Writes the receipt as a PDF; the reason (Japanese) when it could not, empty otherwise.
QString saveReceiptPdf(const QString& path, const StoredSale& sale, const ShopSettings& shop,
                       bool reprint);

} // namespace kavro
