// The manager's windows reached from the desk menu: 料金設定 behind the PIN, and 日計.
#include "window/desk_window.h"

#include "desk/message_titles.h"
#include "window/settings/day_close_window.h"
#include "window/settings/manager_pin_dialog.h"
#include "window/settings/rates_window.h"

namespace kavro {

namespace {

template <class Window> void bringToFront(Window* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void DeskWindow::showRates() {
    if (rates_) {
        bringToFront(rates_.data());
        return;
    }
    const auto message = [this](const QString& title, const QString& text) { tell(title, text); };
    // The PIN is a short question: the 06:00 tick waits for it as for a message. The rate
    // window itself stays open beside the board and holds nothing up.
    ++openDialogs_;
    const auto admitted = admitManager(platform_.programDir, *pinGuard_, message, this);
    --openDialogs_;
    runWaitingTick();
    if (!admitted)
        return;
    rates_ = new RatesWindow(
        platform_.programDir, *admitted, businessDateAt(platform_.now()), message,
        [this] { model_->reloadRates(); }, this);
    rates_->setWindowFlag(Qt::Window);
    rates_->setAttribute(Qt::WA_DeleteOnClose);
    bringToFront(rates_.data());
}

void DeskWindow::showDayClose() {
    SalesLedger* ledger = model_->sales();
    if (!ledger) {
        tell(title::kSales, QStringLiteral("売上の記録がありません。料金設定で料金表を保存すると、"
                                           "会計の売上が記録されます"));
        return;
    }
    if (dayClose_)
        dayClose_->close();
    dayClose_ = new DayCloseWindow(
        *ledger, model_->shop(), model_->shownDay().date,
        [this](const QString& title, const QString& text) { tell(title, text); }, this);
    dayClose_->setWindowFlag(Qt::Window);
    dayClose_->setAttribute(Qt::WA_DeleteOnClose);
    bringToFront(dayClose_.data());
}

} // namespace kavro
