// The report window 集計 and the summary file that keeps the days' figures beyond the purge.
#include "app/form1.h"
#include "app/message_titles.h"
#include "app/purge_question.h"

#include "ledger/summary_file.h"
#include "report/report_window.h"
#include "report/summary_keeper.h"

namespace kavro {

void Form1::showReport() {
    if (!report_) {
        report_ = new ReportWindow(
            platform_.programDir, shownDate(),
            [this](const QString& title, const QString& text) { msgBox(text, title); },
            [this] { return businessDateAt(platform_.now()); }, this);
        report_->setAttribute(Qt::WA_DeleteOnClose);
    }
    report_->show();
    report_->raise();
    report_->activateWindow();
}

ReportWindow* Form1::reportWindow() const { return report_; }

void Form1::waitForSummary() { summaryKeeper_->waitForIdle(); }

void Form1::keepFiguresAtStartUp(DateTime now) {
    const auto& dir = platform_.programDir;
    const Date today = businessDateAt(now);
    PurgeConsent consent = PurgeConsent::IfClockTrusted;
    if (const PurgePlan plan = planPurge(dir, today); plan.verdict == PurgeVerdict::AskFirst)
        consent = askBeforePurge(platform_, plan, now);
    // The figures of the files about to be purged first: after the purge they exist nowhere
    // else. Then every retained day whose line is missing or was taken from other bytes.
    const PurgeWithSummary purge = purgeOldDayFilesKeepingFigures(dir, today, consent);
    const SummaryUpdate refresh = purge.summary.error ? purge.summary : refreshSummary(dir);
    if (refresh.error) {
        msgBox(QStringLiteral("集計ファイルを更新できませんでした。%1\r\n%2")
                   .arg(purge.summary.error
                            ? QStringLiteral("古い日付ファイルは削除せずに残してあります。")
                            : QString(),
                        QString::fromStdString(*refresh.error)),
               title::kFileError);
        return;
    }
    if (!refresh.keptLineNumbers.empty()) {
        QStringList numbers;
        for (int n : refresh.keptLineNumbers)
            numbers << QString::number(n);
        msgBox(QStringLiteral("%1 の次の行は読み取れません。\r\n"
                              "行の内容はそのまま保存され、削除されません。\r\n行番号: %2")
                   .arg(QString::fromStdString(std::string(kSummaryFileName)),
                        numbers.join(QStringLiteral(", "))),
               title::kOddSummaryLines);
    }
}

} // namespace kavro
