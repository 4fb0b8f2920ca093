#pragma once
// The report window "集計": how the rooms were used over a day, a week, a month or any
// range of business days, as tables, a chart and a heat map, with the sales beside the
// period before; exported as CSV, saved as PDF and printed. It only reads files: the figures are
// gathered on a worker thread, so the main window's clock tick and alarm never wait for it.
#include "core/figures/report_period.h"
#include "sales/report_sales.h"

#include <QFutureWatcher>
#include <QWidget>
#include <filesystem>
#include <functional>

class QChartView;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTableWidget;
class QTabWidget;

namespace kavro {

class HeatMapWidget;

// What the worker thread gathers for a period.
struct ReportLoad {
    PeriodReport figures;
    ReportSales sales;
};

class ReportWindow : public QWidget {
    Q_OBJECT

public:
    using MessageFunction = std::function<void(const QString& title, const QString& text)>;
    // Asks for a file name to save to; an empty result cancels. Tests answer it.
    using SavePathFunction = std::function<QString(const QString& caption, const QString& suggested,
                                                   const QString& filter)>;

    // Today's business date, from the program's clock: later days have no figures yet.
    using TodayFunction = std::function<Date()>;

    // Opens on the shown business day.
    ReportWindow(std::filesystem::path programDir, Date shownDate, MessageFunction message,
                 TodayFunction today, QWidget* parent = nullptr);
    ReportWindow(std::filesystem::path programDir, const Period& period, MessageFunction message,
                 TodayFunction today, QWidget* parent = nullptr);
    ~ReportWindow() override;

    void setSavePathFunction(SavePathFunction choose) { savePath_ = std::move(choose); }

    // Shows the period and gathers its figures in the background.
    void showPeriod(const Period& period);
    void showPreviousPeriod();
    void showNextPeriod();
    const Period& period() const { return period_; }
    // The figures on screen (those of period() once loaded() has been emitted).
    const PeriodReport& report() const { return report_; }
    const ReportSales& sales() const { return sales_; }
    bool isLoading() const;

    // False, after a message, when the file could not be written.
    bool exportDaysCsv(const QString& path);
    bool exportRoomsCsv(const QString& path);
    bool exportSalesCsv(const QString& path);
    bool savePdf(const QString& path);
    void print(); // through the desktop's print dialog

    QTableWidget* daysTable() const { return daysTable_; }
    QTableWidget* roomsTable() const { return roomsTable_; }
    QChartView* chartView() const { return chartView_; }
    HeatMapWidget* heatMap() const { return heatMap_; }
    QTableWidget* salesTable() const { return salesTable_; }
    QChartView* salesChartView() const { return salesChartView_; }
    QLabel* notesLabel() const { return notesLabel_; }

signals:
    void loaded();

private:
    void createControls();
    void periodControlsChanged();
    void syncPeriodControls();
    void showReport(ReportLoad load);
    bool writeFile(const QString& path, const std::string& bytes);
    QString suggestedName(const QString& suffix) const;
    void chooseAndExport(int which);
    void loadInBackground();

    std::filesystem::path programDir_;
    MessageFunction message_;
    TodayFunction today_;
    SavePathFunction savePath_;
    Period period_;
    PeriodReport report_;
    ReportSales sales_;
    QFutureWatcher<ReportLoad> watcher_;
    bool pendingReload_ = false; // a period chosen while another was still being read
    bool syncing_ = false;       // the period controls are being set from code

    QComboBox* kindBox_ = nullptr;
    QDateEdit* fromEdit_ = nullptr;
    QDateEdit* toEdit_ = nullptr;
    QPushButton* previousButton_ = nullptr;
    QPushButton* nextButton_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    QLabel* totalsLabel_ = nullptr;
    QLabel* notesLabel_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QTableWidget* daysTable_ = nullptr;
    QTableWidget* roomsTable_ = nullptr;
    QChartView* chartView_ = nullptr;
    HeatMapWidget* heatMap_ = nullptr;
    QTableWidget* salesTable_ = nullptr;
    QChartView* salesChartView_ = nullptr;
};

} // namespace kavro
