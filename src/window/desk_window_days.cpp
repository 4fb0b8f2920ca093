// The main window's start and end, and the desk menu's windows: undo and redo, the history,
// the report and the version window.
#include "window/desk_window.h"

#include "window/about_window.h"
#include "window/entry_panel.h"
#include "window/history_window.h"
#include "window/report/report_window.h"
#include "window/splash_window.h"
#include "window/timetable_board.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTimer>

namespace kavro {

void DeskWindow::startUp() {
    {
        SplashWindow splash;
        splash.show();
        splash.repaint();
        QApplication::processEvents();
    }
    board->hideReadouts();
    entry->hideOperations();
    entry->clearSelection();
    entry->fillLists();
    board->resumeFollowing(platform_.now());
    alarmTimer->stop();
    converse(model_->startUp());
    // The first tick: the day change is counted from here.
    runDayCycle();
    clockTimer->start();
}

void DeskWindow::exitProgram() {
    if (settleUnsaved(QStringLiteral("「いいえ」のときは、保存せずに終了します。"), false))
        platform_.quit();
}

void DeskWindow::closeEvent(QCloseEvent* event) {
    if (settleUnsaved(QStringLiteral("「いいえ」のときは、保存せずに終了します。"), false))
        event->accept();
    else
        event->ignore();
}

void DeskWindow::showAbout() {
    if (!about_)
        about_ = new AboutWindow(platform_, this);
    about_->show();
    about_->raise();
}

void DeskWindow::undoChange() {
    // The step writes the file as it stands, and the day is then read from it.
    if (settleUnsaved(QStringLiteral("「いいえ」のときは、保存せずに元に戻します。"), false))
        step(model_->undo());
}

void DeskWindow::redoChange() {
    if (settleUnsaved(QStringLiteral("「いいえ」のときは、保存せずにやり直します。"), false))
        step(model_->redo());
}

void DeskWindow::step(Reply reply) {
    const bool asks = reply.question.has_value();
    const std::vector<bool> answers = converse(std::move(reply));
    // Done: what the file holds now, with nothing left selected of what it held before.
    if (asks && !answers.empty() && answers.front()) {
        resetEntry();
        entry->clearSelection();
    }
    offerCheckout(); // a redo of a 精算 is a 精算 again
}

void DeskWindow::showHistory() {
    converse(model_->checkJournal());
    if (history_)
        history_->close();
    const DayJournal& journal = model_->journal();
    const QString problem =
        journal.usable() ? QString() : QStringLiteral("この日の履歴ファイルを読み込めません");
    history_ = new HistoryWindow(model_->shownDay().date, journal.entries(), problem, this);
    history_->setWindowFlag(Qt::Window);
    history_->show();
}

void DeskWindow::showReport() {
    if (!report_) {
        report_ = new ReportWindow(
            platform_.programDir, model_->shownDay().date,
            [this](const QString& title, const QString& text) { tell(title, text); },
            [this] { return businessDateAt(platform_.now()); }, this);
        report_->setAttribute(Qt::WA_DeleteOnClose);
    }
    report_->show();
    report_->raise();
    report_->activateWindow();
}

} // namespace kavro
