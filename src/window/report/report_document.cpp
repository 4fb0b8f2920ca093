#include "window/report/report_document.h"

#include "window/report/heat_map.h"
#include "window/report/report_chart.h"
#include "window/report/report_text.h"
#include "window/report/sales_chart.h"
#include "window/report/sales_text.h"

#include <QFile>
#include <QGraphicsScene>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <memory>

namespace kavro {

namespace {

// The page is laid out at screen resolution, so that the chart, whose fonts are sized for
// the screen, keeps its proportions; text and lines stay vectors in the PDF.
constexpr int kResolution = 96;

QFont reportFont(double points, bool bold = false) {
    QFont f;
    f.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                   QStringLiteral("Noto Sans CJK JP")});
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

class PagePainter {
public:
    PagePainter(QPagedPaintDevice& device, QPainter& painter)
        : device_(device), painter_(painter) {}

    double mm(double v) const { return v * painter_.device()->logicalDpiX() / 25.4; }
    double width() const { return painter_.device()->width(); }
    double height() const { return painter_.device()->height(); }

    bool newPage() { return device_.newPage(); }

    double text(double y, const QString& line, double points, bool bold = false) {
        painter_.setFont(reportFont(points, bold));
        const double h = QFontMetricsF(painter_.font()).height();
        painter_.drawText(QRectF(0, y, width(), h), Qt::AlignLeft | Qt::AlignVCenter, line);
        return y + h * 1.25;
    }

    // Columns share the width in proportion to their weights; the header row is bold.
    // The footer rows (合計, 平均) follow in bold.
    double table(double y, const QStringList& headers, const std::vector<QStringList>& rows,
                 std::size_t first, std::size_t count, const std::vector<double>& weights,
                 const std::vector<QStringList>& footer = {}) {
        painter_.setFont(reportFont(8.5));
        const double rowH = QFontMetricsF(painter_.font()).height() * 1.35;
        double total = 0;
        for (double w : weights)
            total += w;
        auto drawRow = [&](const QStringList& cells, double top, bool header, bool bold = false) {
            double x = 0;
            painter_.setFont(reportFont(8.5, header || bold));
            for (int c = 0; c < headers.size(); ++c) {
                const double w = width() * weights[c] / total;
                const QRectF cell(x, top, w, rowH);
                if (header)
                    painter_.fillRect(cell, QColor(0xE8, 0xE8, 0xE8));
                painter_.setPen(QColor(0xA0, 0xA0, 0xA0));
                painter_.drawRect(cell);
                painter_.setPen(Qt::black);
                painter_.drawText(cell.adjusted(mm(1), 0, -mm(1), 0),
                                  (c == 0 || header ? Qt::AlignLeft : Qt::AlignRight) |
                                      Qt::AlignVCenter,
                                  cells.value(c));
                x += w;
            }
        };
        drawRow(headers, y, true);
        y += rowH;
        for (std::size_t i = first; i < std::min(rows.size(), first + count); ++i) {
            drawRow(rows[i], y, false);
            y += rowH;
        }
        for (const QStringList& cells : footer) {
            drawRow(cells, y, false, true);
            y += rowH;
        }
        return y;
    }

    void chart(const QRectF& area, QChart* chart) {
        QGraphicsScene scene;
        scene.addItem(chart); // the scene owns it now
        chart->setFont(reportFont(8));
        chart->legend()->setFont(reportFont(8));
        for (auto* axis : chart->axes()) {
            axis->setLabelsFont(reportFont(7));
            axis->setTitleFont(reportFont(8));
        }
        chart->resize(area.size());
        scene.setSceneRect(QRectF(QPointF(0, 0), area.size()));
        scene.render(&painter_, area, scene.sceneRect());
    }

    void heatMap(const QRectF& area, const HeatMap& map) {
        painter_.setFont(reportFont(8));
        paintHeatMap(painter_, area, map);
    }

private:
    QPagedPaintDevice& device_;
    QPainter& painter_;
};

int dayPages(const PeriodReport& r) {
    const int days = static_cast<int>(r.figures.days.size());
    return std::max(1, (days + kDayRowsPerPage - 1) / kDayRowsPerPage);
}

// The first sales page holds the totals and the chart above its rows.
constexpr std::size_t kSalesRowsOnFirstPage = 24;

int salesPagesFor(const ReportSales& sales, std::size_t rows) {
    if (sales.source == SalesSource::None)
        return 0;
    const std::size_t rest = rows > kSalesRowsOnFirstPage ? rows - kSalesRowsOnFirstPage : 0;
    return 1 + static_cast<int>((rest + kDayRowsPerPage - 1) / kDayRowsPerPage);
}

int salesPages(const ReportSales& sales) { return salesPagesFor(sales, salesRows(sales).size()); }

bool paintSalesPages(PagePainter& page, const QString& title, const ReportSales& sales) {
    const auto rows = salesTableRows(sales);
    const int pages = salesPagesFor(sales, rows.size());
    const std::vector<double> weights{7, 9, 5, 8, 7, 6, 8, 6};
    std::size_t first = 0;
    for (int i = 0; i < pages; ++i) {
        if (!page.newPage())
            return false;
        double y =
            page.text(0, title + QStringLiteral("　売上（%1/%2）").arg(i + 1).arg(pages), 11, true);
        std::size_t count = kDayRowsPerPage;
        if (i == 0) {
            y = page.text(y, salesTotalsLine(sales), 10);
            for (const auto& line : salesNoteLines(sales))
                y = page.text(y, line, 8);
            const double chartHeight = page.mm(70);
            page.chart(QRectF(0, y, page.width(), chartHeight), makeSalesChart(sales));
            y += chartHeight + page.mm(3);
            count = kSalesRowsOnFirstPage;
        }
        page.table(y, salesTableHeaders(), rows, first, count, weights);
        first += count;
    }
    return true;
}

} // namespace

int reportPageCount(const PeriodReport& report, const ReportSales& sales) {
    return 1 + dayPages(report) + 1 + salesPages(sales);
}

bool paintReportDocument(QPagedPaintDevice& device, const PeriodReport& report,
                         const ReportSales& sales) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    PagePainter page(device, painter);
    const PeriodFigures& p = report.figures;
    const QString title = QStringLiteral("集計　") + periodTitle(report.period);

    double y = page.text(0, title, 14, true);
    for (const auto& line : totalsLines(p))
        y = page.text(y, line, 10);
    for (const auto& line : noteLines(report))
        y = page.text(y, line, 8);
    y += page.mm(3);
    const double chartHeight = page.mm(95);
    page.chart(QRectF(0, y, page.width(), chartHeight), makeUsageChart(p));
    y += chartHeight + page.mm(5);
    page.heatMap(QRectF(0, y, page.width(), page.height() - y), heatMapOf(report));

    const auto days = dayRows(p);
    const std::vector<double> dayWeights{11, 4, 5, 5, 7, 6, 6, 7, 6, 7, 9};
    for (int i = 0; i < dayPages(report); ++i) {
        if (!page.newPage())
            return false;
        double top =
            page.text(0, title + QStringLiteral("　日別（%1/%2）").arg(i + 1).arg(dayPages(report)),
                      11, true);
        page.table(top, dayHeaders(), days, static_cast<std::size_t>(i) * kDayRowsPerPage,
                   kDayRowsPerPage, dayWeights,
                   i + 1 == dayPages(report) ? dayFooterRows(p) : std::vector<QStringList>{});
    }
    if (!page.newPage())
        return false;
    const double top = page.text(0, title + QStringLiteral("　部屋別"), 11, true);
    const auto rooms = roomRows(p);
    page.table(top, roomHeaders(), rooms, 0, rooms.size(), {6, 6, 8, 8, 10}, roomFooterRows(p));
    if (!paintSalesPages(page, title, sales))
        return false;
    return painter.end();
}

QString saveReportPdf(const QString& path, const PeriodReport& report, const ReportSales& sales) {
    QPdfWriter writer(path);
    writer.setResolution(kResolution);
    writer.setTitle(QStringLiteral("集計 ") + periodTitle(report.period));
    writer.setCreator(QStringLiteral("KAVRO"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
    if (!paintReportDocument(writer, report, sales))
        return QStringLiteral("PDFファイルを書き込めません。\r\n%1").arg(path);
    return {};
}

} // namespace kavro
