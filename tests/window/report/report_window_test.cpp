// The report window alone, over a temporary program folder.
#include "core/figures/report_csv.h"
#include "core/figures/summary_file.h"
#include "core/records/cp932.h"
#include "desk/summary_keeper.h"
#include "sales/sales_ledger.h"
#include "support/sold_party.h"
#include "support/temp_dir.h"
#include "window/report/heat_map.h"
#include "window/report/poppler_output.h"
#include "window/report/report_chart.h"
#include "window/report/report_document.h"
#include "window/report/report_text.h"
#include "window/report/report_window.h"

#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <gtest/gtest.h>

namespace kavro::test {
namespace {

namespace fs = std::filesystem;
using std::chrono::day;
using std::chrono::month;
using std::chrono::year;

Date date(unsigned d) { return Date{year{2026}, month{12}, day{d}}; }

std::string dayBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& l : lines)
        bytes += *encodeCp932(l) + "\r\n";
    return bytes;
}

std::vector<std::string> listing(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.push_back(e.path().filename().string() + ":" +
                        std::to_string(fs::file_size(e.path())));
    std::sort(names.begin(), names.end());
    return names;
}

class ReportWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeBytes(
            dir / "20261205.txt",
            dayBytes({"001100100,2026/12/05 10:00,1,2026/12/05 11:00,2,001,山田,利用",
                      "001100200,2026/12/05 10:30,1.5,2026/12/05 12:00,3,001,佐藤,精算",
                      "002100300,2026/12/05 11:00,1,2026/12/05 12:00,4,002,高橋,延長",
                      "002100301,2026/12/05 12:00,1.5,2026/12/05 13:30,4,002,高橋,精算",
                      "003100400,2026/12/05 12:00,1,2026/12/05 13:00,2,003,田中,予約", "garbage"}));
    }

    std::unique_ptr<ReportWindow> open(Date shown) {
        auto w = std::make_unique<ReportWindow>(
            dir.path(), shown,
            [this](const QString& title, const QString& text) { messages << title + ":" + text; },
            [] { return date(31); });
        w->setSavePathFunction(
            [this](const QString&, const QString&, const QString&) { return answer; });
        EXPECT_TRUE(waitLoaded(*w));
        return w;
    }

    static bool waitLoaded(ReportWindow& w) {
        return QTest::qWaitFor([&] { return !w.isLoading() && w.report().period == w.period(); },
                               10000);
    }

    TempDir dir;
    QStringList messages;
    QString answer; // what the save dialog answers
};

TEST_F(ReportWindowTest, OpensOnTheShownDayAndMovesByKeys) {
    auto w = open(date(5));
    EXPECT_EQ(w->period(), periodContaining(PeriodKind::Day, date(5)));
    ASSERT_EQ(w->daysTable()->rowCount(), 1);
    EXPECT_EQ(w->daysTable()->item(0, 2)->text(), "3"); // parties: 001 twice, 002 once
    EXPECT_EQ(w->daysTable()->item(0, 9)->text(), "1"); // the garbage line
    EXPECT_NE(w->findChild<QLabel*>("reportNotesLabel")->text().indexOf("読み取れない行が1行"), -1);
    ASSERT_NE(w->chartView()->chart(), nullptr);
    EXPECT_EQ(w->heatMap()->map().rows.size(), 34);
    // The desk's totals count otherwise (its 組数 here would be 4): the window says how.
    auto* counting = w->findChild<QLabel*>("countingNoteLabel");
    EXPECT_NE(counting->text().indexOf("メイン画面"), -1);
    EXPECT_NE(w->findChild<QLabel*>("reportTotalsLabel")->toolTip().indexOf("受付番号"), -1);
    emit counting->linkActivated("#"); // its 詳しく link, by mouse or Tab and Enter
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("集計の数え方:"));
    EXPECT_NE(messages[0].indexOf("受付番号"), -1);
    messages.clear();

    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    QTest::keyClick(w.get(), Qt::Key_PageDown);
    ASSERT_TRUE(waitLoaded(*w));
    EXPECT_EQ(w->period().first, date(6));
    QTest::mouseClick(w->findChild<QPushButton*>("previousPeriodButton"), Qt::LeftButton);
    QTest::mouseClick(w->findChild<QPushButton*>("previousPeriodButton"), Qt::LeftButton);
    ASSERT_TRUE(waitLoaded(*w));
    EXPECT_EQ(w->period().first, date(4)) << "a click while reading is not lost";

    w->findChild<QComboBox*>("periodKindBox")->setCurrentIndex(int(PeriodKind::Month));
    ASSERT_TRUE(waitLoaded(*w));
    EXPECT_EQ(w->daysTable()->rowCount(), 31 + 2) << "合計 and 平均";
    EXPECT_EQ(w->heatMap()->map().rows.size(), 7) << "weekdays";
    EXPECT_EQ(w->chartView()->chart()->series().size(), 2);
    EXPECT_TRUE(qobject_cast<QBarSeries*>(w->chartView()->chart()->series().front()));
}

TEST_F(ReportWindowTest, ADaysChartShowsTheRoomsInUseHourByHour) {
    auto w = open(date(5));
    const auto series = w->chartView()->chart()->series();
    ASSERT_EQ(series.size(), 1);
    auto* bars = qobject_cast<QBarSeries*>(series.front());
    ASSERT_TRUE(bars);
    ASSERT_EQ(bars->barSets().front()->count(), 24) << "06:00 to 05:00";
    EXPECT_DOUBLE_EQ(bars->barSets().front()->at(4), 1.0); // 10:00-11:00: room 001
    EXPECT_DOUBLE_EQ(bars->barSets().front()->at(5), 2.0); // 11:00-12:00: 001 and 002
    EXPECT_DOUBLE_EQ(bars->barSets().front()->at(8), 0.0);
}

TEST_F(ReportWindowTest, HeatMapCellsSayTheirValueAndTheLegendItsScale) {
    auto w = open(date(5));
    HeatMapWidget* heat = w->heatMap();
    heat->resize(800, 700);
    const auto cellCentre = [&](int row, int hour) {
        return HeatMapLayout(QRectF(heat->rect()).adjusted(8, 8, -8, -8),
                             QFontMetricsF(heat->font()), heat->map())
            .cell(row, hour)
            .center()
            .toPoint();
    };
    EXPECT_EQ(heat->toolTipAt(cellCentre(0, 4)), "部屋 001　10時〜11時\n利用 60分");
    EXPECT_EQ(heat->toolTipAt(cellCentre(1, 7)), "部屋 002　13時〜14時\n利用 30分");
    EXPECT_EQ(heat->toolTipAt(QPoint(1, 1)), "");
    EXPECT_NE(heat->map().legend().indexOf("0〜60分"), -1);

    w->showPeriod(periodContaining(PeriodKind::Week, date(5)));
    ASSERT_TRUE(waitLoaded(*w));
    EXPECT_EQ(heat->toolTipAt(cellCentre(5, 5)), "土曜日　11時〜12時\n平均 2.0室");
    EXPECT_NE(heat->map().legend().indexOf("0〜2室"), -1) << heat->map().legend().toStdString();
}

// A day without records between two with records breaks the lines: no segment may join
// points more than one day apart.
class ChartGaps : public ReportWindowTest, public ::testing::WithParamInterface<Period> {};

TEST_P(ChartGaps, ADayWithoutFiguresBreaksTheLine) {
    writeBytes(dir / "20261207.txt",
               dayBytes({"005100100,2026/12/07 10:00,1,2026/12/07 11:00,2,005,山田,精算"}));
    auto w = open(date(5));
    w->showPeriod(GetParam());
    ASSERT_TRUE(waitLoaded(*w));
    const bool bars = GetParam().dayCount() <= kMaxBarDays;
    const double oneDay = bars ? 1.0 : 86400000.0;
    int occupancyRuns = 0;
    for (auto* series : w->chartView()->chart()->series()) {
        auto* line = qobject_cast<QLineSeries*>(series);
        if (!line)
            continue;
        occupancyRuns += line->name() == "稼働率";
        for (int i = 1; i < line->count(); ++i)
            EXPECT_DOUBLE_EQ(line->at(i).x() - line->at(i - 1).x(), oneDay) << i;
        EXPECT_TRUE(line->count() > 1 || line->pointsVisible()) << "a lone day shows as a dot";
    }
    EXPECT_EQ(occupancyRuns, 2) << "the 5th and the 7th";
}

INSTANTIATE_TEST_SUITE_P(Periods, ChartGaps,
                         ::testing::Values(periodContaining(PeriodKind::Month, date(5)),
                                           rangeBetween(date(1), addDays(date(1), 99))),
                         [](const auto& p) { return p.index == 0 ? "Bars" : "Lines"; });

TEST_F(ReportWindowTest, TablesEndInTotalsAndAveragesOverTheDaysWithFigures) {
    writeBytes(dir / "20261206.txt",
               dayBytes({"005100100,2026/12/06 10:00,1,2026/12/06 11:30,2,005,山田,精算"}));
    auto w = open(date(5));
    EXPECT_EQ(w->daysTable()->rowCount(), 1) << "one day needs no totals";
    w->showPeriod(periodContaining(PeriodKind::Week, date(5)));
    ASSERT_TRUE(waitLoaded(*w));
    const auto row = [](QTableWidget* t, int r) {
        QStringList cells;
        for (int c = 0; c < t->columnCount(); ++c)
            cells << (t->item(r, c) ? t->item(r, c)->text() : QString());
        return cells.join('|').toStdString();
    };
    ASSERT_EQ(w->daysTable()->rowCount(), 7 + 2);
    // 5th: 3 parties, 9 people, 5:00; 6th: 1 party, 2 people, 1:30.
    EXPECT_EQ(row(w->daysTable(), 7), "合計||4|11|6：30||||2|1|2日");
    EXPECT_EQ(row(w->daysTable(), 8), "平均（1日）||2.0|5.5|3：15|0.4%|0.06|98分|||");
    ASSERT_EQ(w->roomsTable()->rowCount(), 34 + 2);
    EXPECT_EQ(row(w->roomsTable(), 34), "合計|4|6：30||2.00");
    EXPECT_EQ(row(w->roomsTable(), 35), "平均（1室）|0.1|0：11|0.4%|0.06");
    EXPECT_TRUE(w->daysTable()->item(7, 0)->font().bold());
}

TEST_F(ReportWindowTest, TotalsNameTheBusiestHourThePartySizeAndTheReservationsLeft) {
    auto w = open(date(5));
    const QString totals = w->findChild<QLabel*>("reportTotalsLabel")->text();
    EXPECT_NE(totals.indexOf("最も混む時間帯 11時台（平均2.0室）"), -1) << totals.toStdString();
    EXPECT_NE(totals.indexOf("平均人数 3.0人/組"), -1) << totals.toStdString();
    EXPECT_NE(totals.indexOf("来店のない予約 1組"), -1) << totals.toStdString();
}

TEST_F(ReportWindowTest, WeekendsAndHolidaysAreMarkedInTheTableAndOnTheAxis) {
    auto w = open(date(5));
    w->showPeriod(rangeBetween(Date{year{2026}, month{11}, day{20}}, date(1)));
    ASSERT_TRUE(waitLoaded(*w));
    const Date holiday{year{2026}, month{11}, day{23}}; // 勤労感謝の日, a Monday
    const auto tinted = [&](int r) { return w->daysTable()->item(r, 3)->background() != QBrush(); };
    EXPECT_EQ(w->daysTable()->item(3, 0)->text(), "2026/11/23");
    EXPECT_EQ(w->daysTable()->item(3, 1)->text(), "月・祝");
    EXPECT_TRUE(tinted(3));
    EXPECT_TRUE(tinted(1)) << "Saturday the 21st";
    EXPECT_TRUE(tinted(2)) << "Sunday the 22nd";
    EXPECT_FALSE(tinted(4)) << "Tuesday the 24th";
    auto* axis =
        qobject_cast<QBarCategoryAxis*>(w->chartView()->chart()->axes(Qt::Horizontal).front());
    ASSERT_TRUE(axis);
    EXPECT_EQ(axis->categories().value(3), dayLabel(holiday));
    EXPECT_EQ(dayLabel(holiday), "11/23(月・祝)");
}

TEST_F(ReportWindowTest, ReadsWithoutWritingAnything) {
    const auto before = listing(dir.path());
    auto w = open(date(5));
    w->showPeriod(periodContaining(PeriodKind::Month, date(5)));
    ASSERT_TRUE(waitLoaded(*w));
    EXPECT_EQ(listing(dir.path()), before);
}

TEST_F(ReportWindowTest, ADayWhoseFileIsGoneComesFromTheSummaryAndSaysWhatIsMissing) {
    ASSERT_FALSE(refreshSummary(dir.path()).error);
    fs::remove(dir / "20261205.txt");
    auto w = open(date(5));
    EXPECT_EQ(w->report().figures.daysFromSummary, 1);
    EXPECT_EQ(w->daysTable()->item(0, 2)->text(), "3");
    EXPECT_EQ(w->daysTable()->item(0, 10)->text(), "集計ファイル");
    EXPECT_EQ(w->heatMap()->map().rows.size(), 1);
    EXPECT_NE(w->heatMap()->map().note.indexOf("削除済み"), -1);
    EXPECT_NE(w->notesLabel()->text().indexOf("集計ファイルの値"), -1);
    EXPECT_NE(w->notesLabel()->text().indexOf("部屋ごとの時間帯別"), -1);

    // Over a month the summary's rooms and hours fill the room table and the heat map:
    // nothing is missing, and no note may say otherwise.
    w->showPeriod(periodContaining(PeriodKind::Month, date(5)));
    ASSERT_TRUE(waitLoaded(*w));
    EXPECT_EQ(w->roomsTable()->item(0, 1)->text(), "2");
    EXPECT_EQ(w->heatMap()->map().rows.size(), 7);
    EXPECT_NE(w->notesLabel()->text().indexOf("集計ファイルの値"), -1);
    EXPECT_EQ(w->notesLabel()->text().indexOf("詳細"), -1) << w->notesLabel()->text().toStdString();
}

TEST_F(ReportWindowTest, CsvButtonsWriteTheTablesAndAFailureIsSaid) {
    auto w = open(date(5));
    answer = QString::fromStdString((dir / "days.csv").string());
    QTest::mouseClick(w->findChild<QPushButton*>("daysCsvButton"), Qt::LeftButton);
    EXPECT_EQ(readBytes(dir / "days.csv"), daysCsv(w->report().figures));
    answer = QString::fromStdString((dir / "rooms.csv").string());
    QTest::mouseClick(w->findChild<QPushButton*>("roomsCsvButton"), Qt::LeftButton);
    EXPECT_EQ(readBytes(dir / "rooms.csv"), roomsCsv(w->report().figures));
    EXPECT_TRUE(messages.isEmpty());

    answer = QString::fromStdString((dir / "no such folder" / "x.csv").string());
    QTest::mouseClick(w->findChild<QPushButton*>("daysCsvButton"), Qt::LeftButton);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("ファイルエラー:"));
}

TEST_F(ReportWindowTest, KeeperWritesTheDaysLineInTheBackgroundAndSaysOnceWhenItCannot) {
    QStringList errors;
    {
        SummaryKeeper keeper(dir.path(), [&](const QString& text) { errors << text; });
        keeper.dayChanged(date(5));
        keeper.dayChanged(date(5));
        keeper.waitForIdle();
        EXPECT_EQ(readSummaryFile(dir.path()).file.days.at(date(5)).figures.parties, 3);

        fs::remove(summaryFilePath(dir.path()));
        fs::create_directory(summaryFilePath(dir.path())); // cannot be written now
        keeper.dayChanged(date(5));
        keeper.waitForIdle();
        keeper.dayChanged(date(5));
        keeper.waitForIdle();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !errors.isEmpty(); }, 5000));
        QTest::qWait(50);
    }
    EXPECT_EQ(errors.size(), 1);
}

// Sales beside the rooms' figures: the 売上 line and tab with the day before, the chart,
// the CSV and pages of their own in the PDF.
TEST_F(ReportWindowTest, SalesWithThePeriodBeforeInTheTabsCsvAndPdf) {
    {
        auto ledger = SalesLedger::open(dir.path()).ledger;
        ASSERT_TRUE(ledger);
        int id = 100;
        for (auto [room, day, hour, yen, method] :
             {std::tuple{1, 4u, 20, 4000, PaymentMethod::Cash},
              std::tuple{2, 5u, 21, 5000, PaymentMethod::Cash},
              std::tuple{3, 5u, 22, 6000, PaymentMethod::QrCode}}) {
            sellParty(*ledger,
                      {date(day), "00" + std::to_string(room) + std::to_string(id++) + "000", room},
                      makeDateTime(date(day), hour, 0), yen, method, 60);
        }
    }
    auto w = open(date(5));
    EXPECT_EQ(w->sales().current.total, (Takings{2, 11000}));
    const QString totals = w->findChild<QLabel*>("reportTotalsLabel")->text();
    EXPECT_NE(totals.indexOf("売上 11,000円（2組・客単価 5,500円）"), -1) << totals.toStdString();
    EXPECT_NE(totals.indexOf("前期 4,000円　前期比 275.0%"), -1) << totals.toStdString();
    ASSERT_EQ(w->salesTable()->rowCount(), 1 + 4 + 1 + 34 + 24);
    EXPECT_EQ(w->salesTable()->item(0, 3)->text(), "11,000");
    EXPECT_EQ(w->salesTable()->item(0, 7)->text(), "275.0%");
    ASSERT_EQ(w->salesChartView()->chart()->series().size(), 2);
    const auto* hours = qobject_cast<QBarSeries*>(w->salesChartView()->chart()->series().front());
    ASSERT_TRUE(hours) << "one day's sales by hour";
    EXPECT_EQ(hours->barSets().front()->at(15), 5.0); // 21:00, thousands of yen

    const QString csv = QString::fromStdString((dir / "sales.csv").string());
    ASSERT_TRUE(w->exportSalesCsv(csv));
    EXPECT_NE(readBytes(dir / "sales.csv").find("\r\n合計,売上,2,11000,5500,1,4000,275.0\r\n"),
              std::string::npos);
    EXPECT_EQ(reportPageCount(w->report(), w->sales()), 3 + 2);
    const QString pdf = QString::fromStdString((dir / "sales.pdf").string());
    ASSERT_TRUE(w->savePdf(pdf));
    const QString text = popplerOutput("pdftotext", {"-enc", "UTF-8", pdf, "-"});
    for (const char* expected : {"売上（1/2）", "11,000", "275.0%", "QRコード決済", "時間帯別"})
        EXPECT_NE(text.indexOf(QString::fromUtf8(expected)), -1) << expected;
}

struct PdfCase {
    const char* name;
    PeriodKind kind;
    int days; // for a range
    int pages;
    const char* dateLabel; // one the chart's axis must print whole
};

class ReportPdf : public ReportWindowTest, public ::testing::WithParamInterface<PdfCase> {};

TEST_P(ReportPdf, A4PagesWithTextAndEmbeddedJapaneseFonts) {
    auto w = open(date(5));
    const PdfCase& c = GetParam();
    w->showPeriod(c.kind == PeriodKind::Range ? rangeBetween(date(1), addDays(date(1), c.days - 1))
                                              : periodContaining(c.kind, date(5)));
    ASSERT_TRUE(waitLoaded(*w));
    EXPECT_EQ(reportPageCount(w->report()), c.pages);
    const QString pdf = QString::fromStdString((dir / "report.pdf").string());
    ASSERT_TRUE(w->savePdf(pdf));

    const QString info = popplerOutput("pdfinfo", {pdf});
    EXPECT_NE(info.indexOf(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(c.pages))), -1)
        << info.toStdString();
    EXPECT_NE(
        info.indexOf(QRegularExpression("Page size:\\s+595[.0-9]* x 84[12][.0-9]* pts \\(A4\\)")),
        -1)
        << info.toStdString();
    const QString text = popplerOutput("pdftotext", {"-enc", "UTF-8", pdf, "-"});
    for (const char* expected :
         {"集計", "2026/12/05", "日別", "部屋別", "034", "稼働率", "組数", "合計", c.dateLabel})
        EXPECT_NE(text.indexOf(QString::fromUtf8(expected)), -1) << expected;
    EXPECT_EQ(text.indexOf(QStringLiteral("…")), -1) << "no label cut short";
    const QString fonts = popplerOutput("pdffonts", {pdf});
    EXPECT_NE(fonts.indexOf("IPA"), -1) << fonts.toStdString();
    EXPECT_EQ(fonts.indexOf(QRegularExpression(" no +(yes|no) +(yes|no) +\\d+ +\\d+\\n")), -1)
        << "every font embedded:\n"
        << fonts.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Periods, ReportPdf,
                         ::testing::Values(PdfCase{"Day", PeriodKind::Day, 1, 3, "利用室数"},
                                           PdfCase{"Week", PeriodKind::Week, 7, 3, "12/06(日)"},
                                           PdfCase{"Month", PeriodKind::Month, 31, 3, "12/31(木)"},
                                           PdfCase{"Year", PeriodKind::Range, 365, 1 + 10 + 1,
                                                   "2026/12/01(火)"}),
                         [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace kavro::test
