// The main window's construction, its wiring, and the shown day on screen.
#include "window/desk_window.h"

#include "desk/message_titles.h"
#include "window/about_window.h"
#include "window/design_layout.h"
#include "window/desk_menu.h"
#include "window/entry_panel.h"
#include "window/history_window.h"
#include "window/report/report_window.h"
#include "window/room_status.h"
#include "window/settings/pin_guard.h"
#include "window/timetable_board.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

namespace kavro {

DeskWindow::DeskWindow(Platform platform, QWidget* parent)
    : QWidget(parent), platform_(std::move(platform)) {
    setObjectName(QStringLiteral("Form1"));
    model_ = std::make_unique<DeskModel>(
        DeskSeams{platform_.now, platform_.programDir, platform_.requestRestart});
    pinGuard_ = std::make_unique<PinGuard>();
    createControls();
    createDeskMenu();
    connectPanels();
}

DeskWindow::~DeskWindow() {
    // The children outlive this part of the window: a combo box losing the focus while it is
    // destroyed still emits, and must not reach handlers of a half-destroyed window.
    for (QObject* child : findChildren<QObject*>())
        disconnect(child, nullptr, this, nullptr);
    disconnect(model_.get(), nullptr, this, nullptr);
}

void DeskWindow::createControls() {
    setWindowTitle(QStringLiteral("KAVRO24"));
    setFixedSize(1016, 711);
    setFont(designFont(kPanelFont, 9.75));
    setMouseTracking(true);

    entry = new EntryPanel(this);
    status = new RoomStatus(this);
    board = new TimetableBoard(*model_, this);
    exitButton = button(this, "Command9", "終了", 12960, 10200, 1335, 375);
    aboutButton = button(this, "Command7", "注意", 14520, 10200, 615, 375);

    clockTimer = new QTimer(this);
    clockTimer->setObjectName(QStringLiteral("Timer1"));
    clockTimer->setInterval(30000);
    alarmTimer = new QTimer(this);
    alarmTimer->setObjectName(QStringLiteral("Timer2"));
    alarmTimer->setInterval(5000);
}

void DeskWindow::createDeskMenu() {
    menu = new DeskMenu(this);
    menu->addEntry(QStringLiteral("元に戻す"), QKeySequence(Qt::CTRL | Qt::Key_Z),
                   [this] { undoChange(); });
    menu->addEntry(QStringLiteral("やり直す"), QKeySequence(Qt::CTRL | Qt::Key_Y),
                   [this] { redoChange(); });
    menu->addEntry(QStringLiteral("履歴"), QKeySequence(Qt::CTRL | Qt::Key_H),
                   [this] { showHistory(); });
    menu->addEntry(QStringLiteral("集計"), QKeySequence(Qt::CTRL | Qt::Key_R),
                   [this] { showReport(); });
    menu->addEntry(QStringLiteral("会計"), QKeySequence(Qt::CTRL | Qt::Key_K),
                   [this] { checkOutUnpaid(); });
    menu->addEntry(QStringLiteral("領収書の再発行"), QKeySequence(Qt::CTRL | Qt::Key_P),
                   [this] { reprintReceipt(); });
    menu->addEntry(QStringLiteral("料金設定"), QKeySequence(Qt::CTRL | Qt::Key_L),
                   [this] { showRates(); });
    menu->addEntry(QStringLiteral("日計"), QKeySequence(Qt::CTRL | Qt::Key_T),
                   [this] { showDayClose(); });
    menu->keepDeskKeysInTextBoxes();
}

void DeskWindow::connectPanels() {
    const std::pair<void (EntryPanel::*)(), void (DeskWindow::*)()> requests[] = {
        {&EntryPanel::checkInRequested, &DeskWindow::checkIn},
        {&EntryPanel::extendRequested, &DeskWindow::prepareExtension},
        {&EntryPanel::notifyRequested, &DeskWindow::notify},
        {&EntryPanel::settleRequested, &DeskWindow::settle},
        {&EntryPanel::modifyRequested, &DeskWindow::modifyBooking},
        {&EntryPanel::reserveRequested, &DeskWindow::reserve},
        {&EntryPanel::deleteRequested, &DeskWindow::deleteBooking},
        {&EntryPanel::inputRequested, &DeskWindow::inputExtension},
        {&EntryPanel::cancelRequested, &DeskWindow::resetEntry},
    };
    for (const auto& [request, handler] : requests)
        connect(entry, request, this, handler);
    connect(entry, &EntryPanel::dateChosen, this, &DeskWindow::showPickedDate);
    connect(entry, &EntryPanel::listedBookingChosen, this, &DeskWindow::selectListedBooking);
    connect(board, &TimetableBoard::pressed, this, &DeskWindow::boardPressed);
    connect(board, &TimetableBoard::popupExtendClicked, this, &DeskWindow::prepareExtension);
    connect(board, &TimetableBoard::popupNotifyClicked, this, &DeskWindow::notify);
    connect(board, &TimetableBoard::popupSettleClicked, this, &DeskWindow::settle);
    connect(exitButton, &QPushButton::clicked, this, &DeskWindow::exitProgram);
    connect(aboutButton, &QPushButton::clicked, this, &DeskWindow::showAbout);
    connect(clockTimer, &QTimer::timeout, this, &DeskWindow::tick);
    connect(alarmTimer, &QTimer::timeout, this, &DeskWindow::beepAlarm);

    connect(model_.get(), &DeskModel::dayShown, this, [this] {
        if (std::exchange(placeBoardOnShow_, false))
            board->placeAround(model_->clock());
        entry->showDate(model_->shownDay().date);
        showDay();
    });
    connect(model_.get(), &DeskModel::recordsChanged, this, &DeskWindow::showDay);
    connect(model_.get(), &DeskModel::dayChanging, this, [this] {
        // A selection or a name of the old day must not be committed into the new one.
        typedAtDayChange_ = entry->typedName();
        resetEntry();
        entry->clearSelection();
        board->resumeFollowing(model_->now());
    });
    connect(model_.get(), &DeskModel::told, this, &DeskWindow::tell);
}

void DeskWindow::mouseMoveEvent(QMouseEvent* event) {
    board->hideReadouts();
    QWidget::mouseMoveEvent(event);
}

// ---- talking with the clerk ----

void DeskWindow::tell(const QString& title, const QString& text) {
    ++openDialogs_;
    platform_.message(title, text);
    --openDialogs_;
    runWaitingTick();
}

std::vector<bool> DeskWindow::converse(Reply reply) {
    std::vector<bool> answers;
    ++openDialogs_;
    for (;;) {
        for (const Notice& n : reply.notices)
            platform_.message(n.title, n.text);
        if (!reply.question)
            break;
        const bool yes = platform_.ask(reply.question->title, reply.question->text);
        answers.push_back(yes);
        // The answer is handed on with the question still counted as open: what it starts
        // belongs to the question, not to a tick that came meanwhile.
        reply = model_->answer(yes);
    }
    --openDialogs_;
    runWaitingTick();
    return answers;
}

void DeskWindow::runWaitingTick() {
    if (openDialogs_ > 0 || !tickWaiting_)
        return;
    QTimer::singleShot(0, this, [this] {
        if (std::exchange(tickWaiting_, false))
            tick();
    });
}

bool DeskWindow::ask(const Question& question) {
    ++openDialogs_;
    const bool yes = platform_.ask(question.title, question.text);
    --openDialogs_;
    runWaitingTick();
    return yes;
}

bool DeskWindow::settleUnsaved(const QString& withoutIt, bool tryFirst) {
    if (!model_->hasUnsaved())
        return true;
    if (tryFirst) {
        const Outcome again = model_->saveUnsaved();
        if (again.stored)
            return true;
    }
    if (!ask(model_->unsavedQuestion(withoutIt)))
        return true;
    const Outcome again = model_->saveUnsaved();
    converse(again.reply);
    return again.stored;
}

// ---- the shown day on screen ----

void DeskWindow::showDay() {
    status->showTotals(model_->totals());
    showClock();
}

void DeskWindow::showClock() {
    const RoomAlerts alerts = model_->tick();
    status->showClock(model_->clock());
    board->follow(model_->clock());
    alarmTimer->stop();
    status->showAlerts(alerts);
    if (alerts.alarmRecords > 0) {
        alarmTimer->start();
        for (int n = 0; n < alerts.alarmRecords; ++n)
            beepAlarm();
    }
}

void DeskWindow::beepAlarm() { platform_.beep(); }

void DeskWindow::tick() {
    // A question open in a nested event loop must not see the day change under it.
    if (openDialogs_ > 0) {
        tickWaiting_ = true;
        return;
    }
    showClock();
    runDayCycle();
}

void DeskWindow::runDayCycle() {
    // A change the shown day's file did not take is tried again before the carry reads the
    // old day's file, and dropped with the shown day only when the clerk says so; else the
    // day changes at the next tick, asked again.
    if (model_->dayChangeDue() &&
        !settleUnsaved(
            QStringLiteral("「いいえ」のときは、保存せずに新しい日付の表示に切り替えます。"), true))
        return;
    if (model_->hasUnsaved())
        converse(model_->reload());
    DayCycleStep step = model_->runDayCycle();
    converse(std::move(step.load));
    if (step.newDay && !typedAtDayChange_.isEmpty())
        tell(title::kDayChange,
             QStringLiteral("06:00になり、表示を新しい日付（%1）に切り替えたため、"
                            "入力中の内容（%2）を取り消しました。\r\n"
                            "もう一度入力してください。")
                 .arg(QString::fromStdString(formatDate(model_->shownDay().date)),
                      std::exchange(typedAtDayChange_, QString())));
    converse(std::move(step.reply));
}

void DeskWindow::showPickedDate(Date picked) {
    if (!settleUnsaved(QStringLiteral("「いいえ」のときは、保存せずに別の日付を表示します。"),
                       false)) {
        entry->showDate(model_->shownDay().date);
        return;
    }
    // The board's window goes to the clock as seen from the day shown.
    placeBoardOnShow_ = true;
    resetEntry();
    converse(model_->showDate(picked));
}

void DeskWindow::resetEntry() {
    entry->reset();
    board->hidePopups();
}

void DeskWindow::waitForSummary() { model_->waitForSummary(); }

} // namespace kavro
