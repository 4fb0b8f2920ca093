// loadDay and saveDay: the day file to the room grid and back.
#include "app/form1.h"
#include "app/message_titles.h"

#include "ledger/day_totals.h"
#include "report/summary_keeper.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace kavro {

void Form1::loadDay() {
    loadDayContent();
    tick();
}

void Form1::loadDayContent() {
    maxGroupNo = kEmptyDayGroupNo;
    dayFilePath = kavro::dayFilePath(platform_.programDir, shownDate());
    syncJournal(); // before the read, which creates a missing file empty

    auto read = readDayFile(dayFilePath);
    loadedIdentity_ = read.identity;
    roomGrid.clearRecords();
    keptLines.clear();
    rememberStoredDay();
    dayLoadedOk_ = !read.error;
    if (read.error) {
        msgBox(QString::fromStdString(*read.error + "\r\n" + dayFilePath.string()),
               title::kFileError);
    } else {
        placeRecords(roomGrid, read.content);
        keptLines = std::move(read.content.kept);
        rememberStoredDay();
        reportKeptLines();
        // Every save ends in this load, and so does showing a day.
        summaryKeeper_->dayChanged(shownDate());
    }

    const DayTotals totals = computeTotals(roomGrid, keptLines);
    maxGroupNo = totals.maxGroupNo;
    minutesLabel->setText(QString::fromStdString(minutesCaption(totals.minutesTotal)));
    peopleLabel->setText(QString::fromStdString(peopleCaption(totals.peopleTotal)));
    groupsLabel->setText(QString::fromStdString(groupsCaption(maxGroupNo)));
}

bool Form1::saveDay(JournalOp op, const QString& what) {
    alarmTimer->stop();
    const QString change = what.isEmpty() ? QStringLiteral("変更") : what;
    const QString file = QString::fromStdString(dayFilePath.string());
    if (!dayLoadedOk_) {
        // The file could not be read, so its content is unknown: writing the grid over it
        // could destroy bookings.
        msgBox(QStringLiteral("日付ファイルを読み込めなかったため、%1を保存できません。\r\n%2")
                   .arg(change, file),
               title::kFileError);
        keepUnsaved(op, change);
        return false;
    }
    const RenderResult rendered = renderDayFile(roomGrid, keptLines);
    JournaledSave saved;
    if (rendered.error)
        saved.error = rendered.error;
    else
        saved = saveDayJournaled(journal_, dayFilePath, rendered.bytes, {op, 0, platform_.now()},
                                 loadedIdentity_);
    if (saved.changedOutside) {
        // Another program wrote the file since it was read: writing the grid over it would
        // drop that change. It is journaled and shown; the desk does the operation again.
        reconcileDay(journal_, dayFilePath, platform_.now());
        msgBox(QStringLiteral(
                   "日付ファイルがこのプログラムの外で変更されていたため、"
                   "%1は保存されませんでした。\r\n変更後の日付ファイルを読み込み直しました。"
                   "内容を確かめて、もう一度操作してください。\r\n%2")
                   .arg(change, file),
               title::kFileError);
        roomGrid.clearRecords();
        loadDayContent();
        return false;
    }
    if (saved.error) {
        const QString failedFile =
            saved.failedFile.empty() ? file : QString::fromStdString(saved.failedFile.string());
        msgBox(
            QStringLiteral("%1を保存できませんでした。入力内容は画面に残っています。\r\n%2\r\n%3")
                .arg(change, QString::fromStdString(*saved.error), failedFile),
            title::kFileError);
        keepUnsaved(op, change);
        return false;
    }
    loadedIdentity_ = identityOf(rendered.bytes);
    roomGrid.clearRecords();
    return true;
}

bool Form1::saveAndReload(JournalOp op, const QString& what) {
    if (saveDay(op, what)) {
        loadDay();
        return true;
    }
    tick();
    return false;
}

QString Form1::describeEntry(const QString& operation) const {
    return QStringLiteral("%1（%2 %3）").arg(operation, roomBox->currentText(), nameEdit->text());
}

void Form1::reportKeptLines() {
    if (keptLines.empty() || keptLinesReportedFor_ == dayFilePath)
        return;
    keptLinesReportedFor_ = dayFilePath;
    // A file of junk must not turn into a message taller than the screen.
    constexpr std::size_t kListed = 20;
    QStringList numbers;
    for (std::size_t i = 0; i < keptLines.size() && i < kListed; ++i)
        numbers << QString::number(keptLines[i].lineNumber);
    if (keptLines.size() > kListed)
        numbers << QStringLiteral("ほか%1行").arg(keptLines.size() - kListed);
    msgBox(QStringLiteral("%1 の次の行は読み取れないか、部屋の記録が48件を超えています。\r\n"
                          "行の内容はそのまま保存され、削除されません。\r\n行番号: %2")
               .arg(QString::fromStdString(dayFilePath.filename().string()),
                    numbers.join(QStringLiteral(", "))),
           title::kOddLines);
}

} // namespace kavro
