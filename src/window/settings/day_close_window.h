#pragma once
// 日計: the takings of one business day from the sales file, on screen, printed, or saved
// as PDF. It only reads the sales file.
#include "sales/sales_queries.h"
#include "sales/shop_settings.h"

#include <QDialog>
#include <functional>

class QDateEdit;
class QLabel;
class QPushButton;
class QTableWidget;

namespace kavro {

class DayCloseWindow : public QDialog {
    Q_OBJECT
public:
    using MessageFunction = std::function<void(const QString& title, const QString& text)>;
    // Asks for a file name to save to; an empty result cancels. Tests answer it.
    using SavePathFunction = std::function<QString(const QString& caption, const QString& suggested,
                                                   const QString& filter)>;

    // Opens on `day` (the shown business day).
    DayCloseWindow(SalesLedger& ledger, ShopSettings shop, Date day, MessageFunction message,
                   QWidget* parent = nullptr);
    void setSavePathFunction(SavePathFunction choose) { savePath_ = std::move(choose); }

    void showDay(Date day);
    const DayClose& dayClose() const { return close_; }
    // The sheet as HTML: what is printed and saved.
    QString sheetHtml() const;
    // False, after a message, when the file could not be written.
    bool savePdf(const QString& path);
    void print(); // through the desktop's print dialog

    QDateEdit* dateEdit;
    QTableWidget* figuresTable;
    QPushButton *printButton, *pdfButton, *closeButton;

private:
    void chooseAndSavePdf();

    SalesLedger& ledger_;
    ShopSettings shop_;
    MessageFunction message_;
    SavePathFunction savePath_;
    DayClose close_;
};

} // namespace kavro
