#include "window/settings/day_close_window.h"

#include "desk/message_titles.h"
#include "window/qt_date.h"
#include "window/settings/day_close_rows.h"
#include "window/settings/dialog_parts.h"

#include <QBuffer>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

namespace kavro {

namespace {

// The sheet on any paged device: the printer or a PDF file.
void printSheet(const QString& html, QPagedPaintDevice& device) {
    QTextDocument document;
    QFont font;
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                      QStringLiteral("Noto Sans CJK JP")});
    font.setPointSizeF(11);
    document.setDefaultFont(font);
    document.setHtml(html);
    document.print(&device);
}

} // namespace

DayCloseWindow::DayCloseWindow(SalesLedger& ledger, ShopSettings shop, Date day,
                               MessageFunction message, QWidget* parent)
    : QDialog(parent), ledger_(ledger), shop_(std::move(shop)), message_(std::move(message)) {
    setObjectName(QStringLiteral("dayCloseWindow"));
    setWindowTitle(QStringLiteral("日計"));
    savePath_ = [this](const QString& caption, const QString& suggested, const QString& filter) {
        return QFileDialog::getSaveFileName(this, caption, suggested, filter);
    };

    dateEdit = new QDateEdit;
    dateEdit->setObjectName(QStringLiteral("closeDateEdit"));
    dateEdit->setDisplayFormat(QStringLiteral("yyyy/MM/dd (ddd)"));
    dateEdit->setCalendarPopup(true);

    figuresTable = new QTableWidget(0, 2);
    figuresTable->setObjectName(QStringLiteral("closeTable"));
    figuresTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    figuresTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    figuresTable->horizontalHeader()->hide();
    figuresTable->verticalHeader()->hide();
    figuresTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    figuresTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    figuresTable->setTabKeyNavigation(false);

    printButton = plainButton(QStringLiteral("印刷(&P)"), "printCloseButton");
    pdfButton = plainButton(QStringLiteral("PDF保存(&F)"), "pdfCloseButton");
    closeButton = plainButton(QStringLiteral("閉じる"), "closeCloseButton");

    auto* top = new QHBoxLayout;
    top->addWidget(buddyLabel(QStringLiteral("営業日(&D):"), dateEdit));
    top->addWidget(dateEdit);
    top->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(printButton);
    bottom->addWidget(pdfButton);
    bottom->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(figuresTable);
    layout->addLayout(bottom);
    resize(460, 520);

    connect(dateEdit, &QDateEdit::dateChanged, this,
            [this](const QDate& d) { showDay(fromQDate(d)); });
    connect(printButton, &QPushButton::clicked, this, &DayCloseWindow::print);
    connect(pdfButton, &QPushButton::clicked, this, &DayCloseWindow::chooseAndSavePdf);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    dateEdit->setDate(toQDate(day));
    showDay(day); // also when the date edit already held the day
}

void DayCloseWindow::showDay(Date day) {
    const SalesResult<DayClose> read = kavro::dayClose(ledger_, day);
    close_ = read.error ? DayClose{} : read.value;
    close_.date = day;
    if (read.error)
        message_(title::kFileError, QString::fromStdString(*read.error));
    const std::vector<CloseRow> rows = dayCloseRows(close_);
    figuresTable->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const CloseRow& row = rows[static_cast<std::size_t>(r)];
        auto* caption = new QTableWidgetItem(row.caption);
        auto* figure = new QTableWidgetItem(row.figure);
        figure->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (row.heading) {
            QFont bold = caption->font();
            bold.setBold(true);
            caption->setFont(bold);
        }
        figuresTable->setItem(r, 0, caption);
        figuresTable->setItem(r, 1, figure);
    }
}

QString DayCloseWindow::sheetHtml() const {
    QString html =
        QStringLiteral("<h2>日計表　%1</h2>").arg(QString::fromStdString(formatDate(close_.date)));
    if (!shop_.name.empty())
        html += QStringLiteral("<p>%1</p>").arg(QString::fromStdString(shop_.name).toHtmlEscaped());
    html += QStringLiteral("<table cellpadding='4' cellspacing='0' border='1' width='100%'>");
    for (const CloseRow& row : dayCloseRows(close_)) {
        if (row.heading)
            html += QStringLiteral("<tr><th colspan='2' align='left'>%1</th></tr>")
                        .arg(row.caption.trimmed().toHtmlEscaped());
        else
            html += QStringLiteral("<tr><td>%1</td><td align='right'>%2</td></tr>")
                        .arg(row.caption.toHtmlEscaped(), row.figure.toHtmlEscaped());
    }
    return html + QStringLiteral("</table>");
}

bool DayCloseWindow::savePdf(const QString& path) {
    // Made in memory and written whole: QPdfWriter does not say when its file failed.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setTitle(windowTitle() + QStringLiteral(" ") +
                        QString::fromStdString(formatDate(close_.date)));
        writer.setCreator(QStringLiteral("KAVRO"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        printSheet(sheetHtml(), writer);
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(pdf.data()) == pdf.size() && file.commit())
        return true;
    message_(title::kFileError, QStringLiteral("PDFファイルを書き込めません。\r\n%1").arg(path));
    return false;
}

void DayCloseWindow::chooseAndSavePdf() {
    const QString suggested = QDir::home().filePath(
        QStringLiteral("日計_%1.pdf").arg(QString::fromStdString(formatIsoDate(close_.date))));
    const QString path = savePath_(windowTitle(), suggested, QStringLiteral("PDF (*.pdf)"));
    if (!path.isEmpty())
        savePdf(path);
}

void DayCloseWindow::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(windowTitle() + QStringLiteral(" ") +
                       QString::fromStdString(formatDate(close_.date)));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    printSheet(sheetHtml(), printer);
}

} // namespace kavro
