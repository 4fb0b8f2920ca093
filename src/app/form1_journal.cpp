// The shown day's journal at the desk: undo, redo, the history window, and the check at load
// that keeps the day file and its journal in step.
#include "app/form1.h"
#include "app/history_window.h"
#include "app/message_titles.h"
#include "entry/entry_panel.h"

#include "ledger/cp932.h"
#include "ledger/journal_words.h"
#include "ledger/step_plan.h"

#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>

namespace kavro {

namespace {

// What a rebuild would write, as the desk reads it: the first lines and a count of the rest.
QString linesForPeople(const DayLines& lines) {
    constexpr std::size_t kShown = 15;
    QStringList out;
    for (std::size_t i = 0; i < lines.size() && i < kShown; ++i) {
        auto text = decodeCp932(lines[i]);
        out << (text ? QString::fromStdString(*text) : QStringLiteral("（読めない行）"));
    }
    if (lines.size() > kShown)
        out << QStringLiteral("ほか%1行").arg(lines.size() - kShown);
    return out.join(QStringLiteral("\r\n"));
}

} // namespace

void Form1::syncJournal() {
    const auto path = journalPathFor(dayFilePath);
    if (path == journal_.path() && journal_.sameOnDisk())
        return;
    journal_ = DayJournal(path);
    const auto loaded = journal_.load();
    if (loaded.error)
        msgBox(
            QStringLiteral("この日の履歴ファイルを読み込めないため、変更を保存できません。\r\n%1")
                .arg(QString::fromStdString(*loaded.error)),
            title::kFileError);
    else if (loaded.notice)
        msgBox(QString::fromStdString(*loaded.notice), title::kJournal);

    const DayCheck check = reconcileDay(journal_, dayFilePath, platform_.now());
    if (check.kind == DayCheck::Kind::RebuildOffered)
        offerRebuild(check);
    else if (check.message)
        msgBox(QString::fromStdString(*check.message + "\r\n" + dayFilePath.string()),
               title::kJournal);
}

void Form1::offerRebuild(const DayCheck& check) {
    const QString question =
        QStringLiteral("日付ファイル %1 がないか、空か、読み込めません。\r\n"
                       "履歴から次の%2行で作り直しますか？\r\n"
                       "「いいえ」のときは、今のファイルのまま開きます。\r\n\r\n%3")
            .arg(QString::fromStdString(dayFilePath.filename().string()))
            .arg(check.rebuilt.size())
            .arg(linesForPeople(check.rebuilt));
    if (!platform_.ask(QStringLiteral("日付ファイルの作り直し"), question))
        return;
    if (auto error = rebuildDayFile(journal_, dayFilePath, platform_.now()))
        msgBox(
            QStringLiteral("日付ファイルを作り直せませんでした。\r\n%1\r\n%2")
                .arg(QString::fromStdString(*error), QString::fromStdString(dayFilePath.string())),
            title::kFileError);
}

namespace {

class DeskKeysOverText : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() == Qt::ControlModifier &&
                (key->key() == Qt::Key_Z || key->key() == Qt::Key_Y))
                return true; // not claimed by the box: the window's shortcut runs
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void Form1::keepDeskKeysInTextBoxes() {
    auto* filter = new DeskKeysOverText(this);
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->installEventFilter(filter);
}

void Form1::undoChange() { stepChange(true); }

void Form1::redoChange() { stepChange(false); }

void Form1::stepChange(bool undo) {
    const QString& title = undo ? title::kUndo : title::kRedo;
    syncJournal();
    const FileRead file = readWholeFile(dayFilePath, "日付ファイル");
    if (file.error || !journal_.usable()) {
        msgBox(QString::fromStdString(file.error ? *file.error : "履歴ファイルを読み込めません") +
                   QStringLiteral("\r\n") + QString::fromStdString(dayFilePath.string()),
               title::kFileError);
        return;
    }
    const DayLines lines = splitDayLines(file.bytes);
    const StepDay day{shownDate(), platform_.now()};
    // The plan holds its own copy of the entry: nothing of the journal is read after the
    // question.
    const StepPlan plan =
        undo ? planUndo(journal_.entries(), lines, day) : planRedo(journal_.entries(), lines, day);
    if (plan.conflict != Conflict::None) {
        entry::acceptScan(*this, plan.conflict);
        return;
    }
    if (plan.refusal) {
        msgBox(QString::fromStdString(*plan.refusal), title);
        return;
    }
    const QString what = QString::fromStdString(entryInWords(*plan.target));
    const QString question = undo ? QStringLiteral("次の変更を元に戻しますか？\r\n%1").arg(what)
                                  : QStringLiteral("次の変更をやり直しますか？\r\n%1").arg(what);
    if (!platform_.ask(title, question))
        return;
    const JournaledSave saved = saveDayJournaled(
        journal_, dayFilePath, joinDayLines(plan.lines),
        {undo ? JournalOp::Undo : JournalOp::Redo, plan.target->number, platform_.now()},
        file.exists ? identityOf(file.bytes) : kMissingFile);
    if (saved.error || saved.changedOutside)
        msgBox(QStringLiteral("%1できませんでした。\r\n%2")
                   .arg(title, saved.error ? QString::fromStdString(*saved.error)
                                           : QStringLiteral("日付ファイルがこのプログラムの外で"
                                                            "変更されています")),
               title::kFileError);
    // What the file holds now, whatever happened, with nothing left selected of the old one.
    resetEntry();
    clearSelection();
    loadDay();
}

void Form1::showHistory() {
    syncJournal();
    if (history_)
        history_->close();
    const QString problem =
        journal_.usable() ? QString() : QStringLiteral("この日の履歴ファイルを読み込めません");
    history_ = new HistoryWindow(shownDate(), journal_.entries(), problem, this);
    history_->setWindowFlag(Qt::Window);
    history_->show();
}

} // namespace kavro
