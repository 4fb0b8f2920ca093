#pragma once
// The receipt (領収書) of a sale as a simplified qualified invoice: the shop's name and
// registration number, the date, what was sold, the total for the 10 % rate and the tax in
// it, the receipt number; a reprint says 再発行. On the shop's receipt paper (A5, A4, or a
// 58 / 80 mm roll).
#include "sales/sales_ledger.h"
#include "sales/shop_settings.h"

#include <QString>
#include <QStringList>

class QPagedPaintDevice;

namespace kavro {

// The receipt's lines, top to bottom: a label and an amount each (the amount may be empty).
struct ReceiptLine {
    QString label;
    QString amount;
};
std::vector<ReceiptLine> receiptLines(const StoredSale& sale, const ShopSettings& shop,
                                      bool reprint);

// Sets the device (a printer or a PDF) to the shop's receipt paper and its margins.
void setReceiptPage(QPagedPaintDevice& device, ReceiptPaper paper);
// Paints the receipt on a device set by setReceiptPage; false when it cannot be painted on
// (a printer that went away, a file that cannot be written).
bool paintReceipt(QPagedPaintDevice& device, const StoredSale& sale, const ShopSettings& shop,
                  bool reprint);

} // namespace kavro
