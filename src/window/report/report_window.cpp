#include "window/report/report_window.h"

#include "core/figures/report_csv.h"
#include "core/storage/atomic_file.h"
#include "window/qt_date.h"
#include "window/report/heat_map.h"
#include "window/report/report_chart.h"
#include "window/report/report_document.h"
#include "window/report/report_text.h"
#include "window/report/sales_chart.h"
#include "window/report/sales_text.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtCharts/QChartView>
#include <QtConcurrent/QtConcurrentRun>

namespace kavro {

namespace {

const QString kFileErrorTitle = QStringLiteral("ファイルエラー");

// The footer rows (合計, 平均) follow the rows in bold.
void fillTable(QTableWidget* table, const QStringList& headers, std::vector<QStringList> rows,
               const std::vector<QStringList>& footer = {}) {
    const int bodyRows = static_cast<int>(rows.size());
    rows.insert(rows.end(), footer.begin(), footer.end());
    table->setUpdatesEnabled(false);
    table->clear();
    table->setColumnCount(static_cast<int>(headers.size()));
    table->setHorizontalHeaderLabels(headers);
    // The dates and the 合計 / 平均 captions whole; the figures share the rest.
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(rows[r][c]);
            item->setTextAlignment((c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            if (r >= bodyRows) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            table->setItem(r, c, item);
        }
    table->setUpdatesEnabled(true);
}

QTableWidget* makeTable(const QString& name) {
    auto* table = new QTableWidget;
    table->setObjectName(name);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setDefaultSectionSize(22);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    return table;
}

} // namespace

ReportWindow::ReportWindow(std::filesystem::path programDir, Date shownDate,
                           MessageFunction message, TodayFunction today, QWidget* parent)
    : ReportWindow(std::move(programDir), periodContaining(PeriodKind::Day, shownDate),
                   std::move(message), std::move(today), parent) {}

ReportWindow::ReportWindow(std::filesystem::path programDir, const Period& period,
                           MessageFunction message, TodayFunction today, QWidget* parent)
    : QWidget(parent, Qt::Window), programDir_(std::move(programDir)), message_(std::move(message)),
      today_(std::move(today)) {
    setObjectName(QStringLiteral("reportWindow"));
    setWindowTitle(QStringLiteral("集計"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    savePath_ = [this](const QString& caption, const QString& suggested, const QString& filter) {
        return QFileDialog::getSaveFileName(this, caption, suggested, filter);
    };
    createControls();
    connect(&watcher_, &QFutureWatcher<ReportLoad>::finished, this, [this] {
        ReportLoad result = watcher_.result();
        if (!(result.figures.period == period_)) {
            // Another period was chosen meanwhile: read that one instead.
            loadInBackground();
            return;
        }
        showReport(std::move(result));
    });
    showPeriod(period);
}

ReportWindow::~ReportWindow() { watcher_.waitForFinished(); }

void ReportWindow::createControls() {
    kindBox_ = new QComboBox;
    kindBox_->setObjectName(QStringLiteral("periodKindBox"));
    kindBox_->addItems({QStringLiteral("日"), QStringLiteral("週（月〜日）"), QStringLiteral("月"),
                        QStringLiteral("期間指定")});
    fromEdit_ = new QDateEdit;
    fromEdit_->setObjectName(QStringLiteral("fromDateEdit"));
    toEdit_ = new QDateEdit;
    toEdit_->setObjectName(QStringLiteral("toDateEdit"));
    for (auto* edit : {fromEdit_, toEdit_}) {
        edit->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
        edit->setCalendarPopup(true);
    }
    previousButton_ = new QPushButton(QStringLiteral("◀ 前へ"));
    previousButton_->setObjectName(QStringLiteral("previousPeriodButton"));
    previousButton_->setToolTip(QStringLiteral("前の期間（PageUp）"));
    nextButton_ = new QPushButton(QStringLiteral("次へ ▶"));
    nextButton_->setObjectName(QStringLiteral("nextPeriodButton"));
    nextButton_->setToolTip(QStringLiteral("次の期間（PageDown）"));

    auto* kindLabel = new QLabel(QStringLiteral("区分(&K)"));
    kindLabel->setBuddy(kindBox_);
    auto* fromLabel = new QLabel(QStringLiteral("日付(&D)"));
    fromLabel->setBuddy(fromEdit_);
    auto* periodRow = new QHBoxLayout;
    periodRow->addWidget(kindLabel);
    periodRow->addWidget(kindBox_);
    periodRow->addSpacing(12);
    periodRow->addWidget(fromLabel);
    periodRow->addWidget(fromEdit_);
    periodRow->addWidget(new QLabel(QStringLiteral("〜")));
    periodRow->addWidget(toEdit_);
    periodRow->addSpacing(12);
    periodRow->addWidget(previousButton_);
    periodRow->addWidget(nextButton_);
    periodRow->addStretch();

    titleLabel_ = new QLabel;
    titleLabel_->setObjectName(QStringLiteral("reportTitleLabel"));
    QFont big = titleLabel_->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    titleLabel_->setFont(big);
    totalsLabel_ = new QLabel;
    totalsLabel_->setObjectName(QStringLiteral("reportTotalsLabel"));
    totalsLabel_->setToolTip(countingExplanation());
    // The whole account by mouse (tooltip, link) and by keyboard (Tab to the link, Enter).
    auto* countingLabel =
        new QLabel(countingNote().toHtmlEscaped() + QStringLiteral(" <a href=\"#\">詳しく</a>"));
    countingLabel->setObjectName(QStringLiteral("countingNoteLabel"));
    countingLabel->setWordWrap(true);
    countingLabel->setToolTip(countingExplanation());
    countingLabel->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                           Qt::LinksAccessibleByKeyboard);
    connect(countingLabel, &QLabel::linkActivated, this,
            [this] { message_(QStringLiteral("集計の数え方"), countingExplanation()); });
    notesLabel_ = new QLabel;
    notesLabel_->setObjectName(QStringLiteral("reportNotesLabel"));
    notesLabel_->setWordWrap(true);
    notesLabel_->setStyleSheet(QStringLiteral("color: #a03000;"));

    daysTable_ = makeTable(QStringLiteral("daysTable"));
    roomsTable_ = makeTable(QStringLiteral("roomsTable"));
    chartView_ = new QChartView;
    chartView_->setObjectName(QStringLiteral("usageChartView"));
    chartView_->setRenderHint(QPainter::Antialiasing);
    heatMap_ = new HeatMapWidget;
    heatMap_->setObjectName(QStringLiteral("heatMap"));
    salesTable_ = makeTable(QStringLiteral("salesTable"));
    salesChartView_ = new QChartView;
    salesChartView_->setObjectName(QStringLiteral("salesChartView"));
    salesChartView_->setRenderHint(QPainter::Antialiasing);
    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("reportTabs"));
    tabs_->addTab(daysTable_, QStringLiteral("日別"));
    tabs_->addTab(roomsTable_, QStringLiteral("部屋別"));
    tabs_->addTab(chartView_, QStringLiteral("グラフ"));
    tabs_->addTab(heatMap_, QStringLiteral("時間帯"));
    tabs_->addTab(salesTable_, QStringLiteral("売上"));
    tabs_->addTab(salesChartView_, QStringLiteral("売上グラフ"));

    auto* daysCsvButton = new QPushButton(QStringLiteral("日別CSV(&C)…"));
    daysCsvButton->setObjectName(QStringLiteral("daysCsvButton"));
    auto* roomsCsvButton = new QPushButton(QStringLiteral("部屋別CSV(&R)…"));
    roomsCsvButton->setObjectName(QStringLiteral("roomsCsvButton"));
    auto* salesCsvButton = new QPushButton(QStringLiteral("売上CSV(&U)…"));
    salesCsvButton->setObjectName(QStringLiteral("salesCsvButton"));
    auto* pdfButton = new QPushButton(QStringLiteral("PDF保存(&S)…"));
    pdfButton->setObjectName(QStringLiteral("pdfButton"));
    auto* printButton = new QPushButton(QStringLiteral("印刷(&P)…"));
    printButton->setObjectName(QStringLiteral("printButton"));
    auto* closeButton = new QPushButton(QStringLiteral("閉じる"));
    closeButton->setObjectName(QStringLiteral("closeReportButton"));
    auto* buttonRow = new QHBoxLayout;
    for (auto* b : {daysCsvButton, roomsCsvButton, salesCsvButton, pdfButton, printButton})
        buttonRow->addWidget(b);
    buttonRow->addStretch();
    buttonRow->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(periodRow);
    layout->addWidget(titleLabel_);
    layout->addWidget(totalsLabel_);
    layout->addWidget(countingLabel);
    layout->addWidget(notesLabel_);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttonRow);
    // Never larger than a small desk screen; the tabs shrink, the tables scroll.
    QSize size(920, 680);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size());
    resize(size);

    connect(kindBox_, &QComboBox::currentIndexChanged, this, [this] { periodControlsChanged(); });
    connect(fromEdit_, &QDateEdit::dateChanged, this, [this] { periodControlsChanged(); });
    connect(toEdit_, &QDateEdit::dateChanged, this, [this] { periodControlsChanged(); });
    connect(previousButton_, &QPushButton::clicked, this, &ReportWindow::showPreviousPeriod);
    connect(nextButton_, &QPushButton::clicked, this, &ReportWindow::showNextPeriod);
    connect(daysCsvButton, &QPushButton::clicked, this, [this] { chooseAndExport(0); });
    connect(roomsCsvButton, &QPushButton::clicked, this, [this] { chooseAndExport(1); });
    connect(pdfButton, &QPushButton::clicked, this, [this] { chooseAndExport(2); });
    connect(salesCsvButton, &QPushButton::clicked, this, [this] { chooseAndExport(3); });
    connect(printButton, &QPushButton::clicked, this, &ReportWindow::print);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    for (auto key : {QKeySequence(Qt::Key_PageUp), QKeySequence(Qt::ALT | Qt::Key_Left)})
        connect(new QShortcut(key, this), &QShortcut::activated, this,
                &ReportWindow::showPreviousPeriod);
    for (auto key : {QKeySequence(Qt::Key_PageDown), QKeySequence(Qt::ALT | Qt::Key_Right)})
        connect(new QShortcut(key, this), &QShortcut::activated, this,
                &ReportWindow::showNextPeriod);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);
}

void ReportWindow::periodControlsChanged() {
    if (syncing_)
        return;
    const auto kind = static_cast<PeriodKind>(kindBox_->currentIndex());
    const Date from = fromQDate(fromEdit_->date());
    showPeriod(kind == PeriodKind::Range ? rangeBetween(from, fromQDate(toEdit_->date()))
                                         : periodContaining(kind, from));
}

void ReportWindow::syncPeriodControls() {
    syncing_ = true;
    kindBox_->setCurrentIndex(static_cast<int>(period_.kind));
    fromEdit_->setDate(toQDate(period_.first));
    toEdit_->setDate(toQDate(period_.last));
    toEdit_->setEnabled(period_.kind == PeriodKind::Range);
    syncing_ = false;
}

void ReportWindow::showPeriod(const Period& period) {
    period_ = period;
    syncPeriodControls();
    titleLabel_->setText(periodTitle(period_) + QStringLiteral("　集計中…"));
    if (watcher_.isRunning())
        return; // the finished handler reads the new period
    loadInBackground();
}

void ReportWindow::loadInBackground() {
    const auto dir = programDir_;
    const Period wanted = period_;
    const Date today = today_(); // the clock is read here, never on the worker thread
    watcher_.setFuture(QtConcurrent::run([dir, wanted, today] {
        return ReportLoad{loadPeriod(dir, wanted, today), loadReportSales(dir, wanted)};
    }));
}

void ReportWindow::showPreviousPeriod() { showPeriod(shiftPeriod(period_, -1)); }
void ReportWindow::showNextPeriod() { showPeriod(shiftPeriod(period_, 1)); }
bool ReportWindow::isLoading() const { return watcher_.isRunning(); }

void ReportWindow::showReport(ReportLoad load) {
    report_ = std::move(load.figures);
    sales_ = std::move(load.sales);
    const PeriodFigures& p = report_.figures;
    titleLabel_->setText(periodTitle(report_.period));
    QStringList totals = totalsLines(p);
    if (const QString line = salesTotalsLine(sales_); !line.isEmpty())
        totals << line;
    totalsLabel_->setText(totals.join(QLatin1Char('\n')));
    const QStringList notes = noteLines(report_) + salesNoteLines(sales_);
    notesLabel_->setText(notes.join(QLatin1Char('\n')));
    notesLabel_->setVisible(!notes.isEmpty());
    fillTable(daysTable_, dayHeaders(), dayRows(p), dayFooterRows(p));
    fillTable(roomsTable_, roomHeaders(), roomRows(p), roomFooterRows(p));
    for (std::size_t i = 0; i < p.days.size(); ++i)
        if (isDayOffMark(p.days[i].date))
            for (int c = 0; c < daysTable_->columnCount(); ++c)
                daysTable_->item(static_cast<int>(i), c)->setBackground(QColor(0xFD, 0xEC, 0xEC));
    QChart* old = chartView_->chart();
    chartView_->setChart(makeUsageChart(p));
    delete old;
    heatMap_->setMap(heatMapOf(report_));
    fillTable(salesTable_, salesTableHeaders(), salesTableRows(sales_));
    QChart* oldSales = salesChartView_->chart();
    salesChartView_->setChart(makeSalesChart(sales_));
    delete oldSales;
    emit loaded();
}

bool ReportWindow::writeFile(const QString& path, const std::string& bytes) {
    if (auto error = replaceFileAtomically(std::filesystem::path(path.toStdString()), bytes)) {
        message_(kFileErrorTitle,
                 QStringLiteral("%1\r\n%2").arg(QString::fromStdString(*error), path));
        return false;
    }
    return true;
}

bool ReportWindow::exportDaysCsv(const QString& path) {
    return writeFile(path, daysCsv(report_.figures));
}

bool ReportWindow::exportRoomsCsv(const QString& path) {
    return writeFile(path, roomsCsv(report_.figures));
}

bool ReportWindow::exportSalesCsv(const QString& path) { return writeFile(path, salesCsv(sales_)); }

bool ReportWindow::savePdf(const QString& path) {
    const QString error = saveReportPdf(path, report_, sales_);
    if (!error.isEmpty())
        message_(kFileErrorTitle, error);
    return error.isEmpty();
}

QString ReportWindow::suggestedName(const QString& suffix) const {
    const QString name =
        QStringLiteral("集計_%1_%2%3")
            .arg(QString::fromStdString(formatIsoDate(report_.period.first)),
                 QString::fromStdString(formatIsoDate(report_.period.last)), suffix);
    return QDir::home().filePath(name);
}

void ReportWindow::chooseAndExport(int which) {
    if (isLoading())
        return; // the title says so; the figures on screen are not the period's yet
    static const QString suffixes[] = {QStringLiteral("_日別.csv"), QStringLiteral("_部屋別.csv"),
                                       QStringLiteral(".pdf"), QStringLiteral("_売上.csv")};
    const QString filter =
        which == 2 ? QStringLiteral("PDF (*.pdf)") : QStringLiteral("CSV (*.csv)");
    const QString path = savePath_(windowTitle(), suggestedName(suffixes[which]), filter);
    if (path.isEmpty())
        return;
    if (which == 0)
        exportDaysCsv(path);
    else if (which == 1)
        exportRoomsCsv(path);
    else if (which == 3)
        exportSalesCsv(path);
    else
        savePdf(path);
}

void ReportWindow::print() {
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(QStringLiteral("集計 ") + periodTitle(report_.period));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!paintReportDocument(printer, report_, sales_))
        message_(kFileErrorTitle,
                 QStringLiteral("印刷できませんでした。プリンターを確認してください。"));
}

} // namespace kavro
