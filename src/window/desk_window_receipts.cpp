// The receipts of the desk: issued after a 会計, and issued again (再発行) from the menu.
#include "desk/message_titles.h"
#include "window/desk_window.h"
#include "window/receipt_document.h"

#include <QInputDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace kavro {

void DeskWindow::issueReceipt(int receiptNo) {
    SalesLedger* sales = model_->sales();
    const auto sale = sales ? sales->sale(receiptNo).value : std::nullopt;
    if (sale)
        printReceipt(*sale, false);
}

void DeskWindow::reprintReceipt() {
    const int offered = model_->lastReceiptOfShownDay();
    const std::optional<int> number =
        receiptNumber_ ? receiptNumber_(offered) : [&]() -> std::optional<int> {
        bool ok = false;
        const int n = QInputDialog::getInt(this, QStringLiteral("領収書の再発行"),
                                           QStringLiteral("再発行する領収書の番号(&N)"), offered, 1,
                                           999999999, 1, &ok);
        return ok ? std::optional(n) : std::nullopt;
    }();
    if (!number)
        return;
    const SalesResult<StoredSale> sale = model_->reprintReceipt(*number);
    if (sale.error) {
        tell(title::kSales, QString::fromStdString(*sale.error));
        return;
    }
    printReceipt(sale.value, true);
}

void DeskWindow::printReceipt(const StoredSale& sale, bool reprint) {
    QPrinter printer(QPrinter::HighResolution);
    setReceiptPage(printer, model_->shop().paper);
    printer.setDocName(QStringLiteral("領収書 No. %1").arg(sale.receiptNo));
    printer.setCreator(QStringLiteral("KAVRO"));
    const bool chosen = receiptPrinter_ ? receiptPrinter_(printer) : [&] {
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle(reprint ? QStringLiteral("領収書の再発行")
                                      : QStringLiteral("領収書"));
        return dialog.exec() == QDialog::Accepted;
    }();
    if (!chosen)
        return;
    if (!paintReceipt(printer, sale, model_->shop(), reprint))
        tell(title::kFileError,
             QStringLiteral("領収書を印刷できませんでした。プリンターを確認してください。"));
}

} // namespace kavro
