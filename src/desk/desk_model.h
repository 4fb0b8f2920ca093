#pragma once
// The desk model: the one owner of the business days the desk works on. It holds the shown
// day (its records, kept lines, file and identity, journal, group counter and date), runs
// the 06:00 day cycle (day changes passed, carries and their retries), undo and redo, the
// rebuild of a lost day file and the summary updates. Every operation is a call with plain
// values that returns what happened; observers hear what changed. No widget: Qt Core at most.
//
// A change goes one way: an operation edits the shown day, the journal takes the change,
// the day file is replaced while unchanged, and the day then holds exactly what the file
// holds, without reading it again. The file is read again only when another program changed
// it (its identity says so), when another day is shown, or after the day change.
#include "charges/rate_table.h"
#include "core/retention/day_purge.h"
#include "core/rules/entry_check.h"
#include "core/screen/room_alerts.h"
#include "desk/business_day.h"
#include "desk/desk_seams.h"
#include "desk/outcome.h"
#include "desk/party_bill.h"
#include "desk/reply.h"
#include "desk/shown_day.h"
#include "sales/sales_ledger.h"
#include "sales/shop_settings.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace kavro {

class SummaryKeeper;

// What the day cycle did after a tick.
struct DayCycleStep {
    // The desk moved on to the new business day (and read it): whatever the clerk had on the
    // panel belonged to the old day.
    bool newDay = false;
    // A carry that had failed was made at last, and the shown day, the new one, was read again.
    bool readAgain = false;
    Reply load;  // what reading the day brought up
    Reply reply; // the cycle's own messages, shown after the window's
};

class DeskModel : public QObject {
    Q_OBJECT

public:
    explicit DeskModel(DeskSeams seams, QObject* parent = nullptr);
    ~DeskModel() override;

    // ---- the days ----
    // Old day files purged (their figures kept first) and today's business day shown.
    Reply startUp();
    // The date the clerk picked. A day too far back is refused with a message, and the
    // current business day is shown instead.
    Reply showDate(Date picked);
    // The shown day's journal checked and its file read again.
    Reply reload();
    // Goes on after the question of the last reply, with the clerk's answer.
    Reply answer(bool yes);
    // A question waits for its answer: the day cycle waits with it.
    bool asking() const { return static_cast<bool>(pendingAnswer_); }

    // ---- changes the day file did not take ----
    // Drawn apart on the board; never dropped without the clerk's word.
    const UnsavedRecords& unsaved() const { return day_.unsaved(); }
    bool hasUnsaved() const { return day_.hasUnsaved(); }
    // Whether to save them again before they are dropped; `withoutIt` says what いいえ does.
    Question unsavedQuestion(const QString& withoutIt) const;
    // Every change kept unsaved, saved again in one.
    Outcome saveUnsaved();

    const ShownDay& shownDay() const { return shown_; }
    const RoomGrid& records() const { return day_.records(); }
    const std::vector<KeptLine>& keptLines() const { return day_.keptLines(); }
    const DayTotals& totals() const { return day_.totals(); }
    long maxGroupNo() const { return day_.maxGroupNo(); }
    const std::filesystem::path& dayFile() const { return day_.file(); }
    const DayJournal& journal() const { return day_.journal(); }
    const std::filesystem::path& dir() const { return seams_.dir; }
    DateTime now() const { return seams_.now(); }
    // The clock of the last tick (or of the last day shown), projected onto the shown day.
    DateTime clock() const { return clock_; }

    // ---- the clock ----
    // The 30-second tick: the clock of the shown day and what its rooms need.
    RoomAlerts tick();
    // After the tick: whether the real clock passed a day change since the previous tick
    // that is still to be made (none while a question waits).
    bool dayChangeDue();
    // After the tick: the day changes the real clock passed since the previous tick, each
    // with its carry into the new day; then the restart request and the new business day.
    // A carry that fails is tried again at every call. Waits while a question waits.
    DayCycleStep runDayCycle();

    // ---- operations ----
    Outcome checkIn(const EntryFields& panel); // 利用
    Outcome reserve(const EntryFields& panel); // 予約
    // 入力: stores the extension that 延長 prepared (the selection carries its new ID).
    Outcome inputExtension(const EntryFields& panel, const SelectedBooking& pending);
    // 修正: the panel written back over the selected record. `statusOffered`: the status is one
    // of the choices the selection offered.
    Outcome modify(const EntryFields& panel, const SelectedBooking& selected,
                   const std::string& status, bool statusOffered);
    Outcome notify(const EntryFields& panel, const SelectedBooking& selected); // 通知
    Outcome settle(const EntryFields& panel, const SelectedBooking& selected); // 精算
    Outcome remove(const EntryFields& panel, const SelectedBooking& selected); // 削除
    // 元に戻す, やり直す: a refusal, or the question naming the change.
    Reply undo();
    Reply redo();
    // The shown day's journal as it stands on disk (履歴), checked against the day file first.
    Reply checkJournal();

    // Waits until the summary lines queued by reads and saves are written (tests, exit).
    void waitForSummary();

    // ---- charges and sales ----
    // The rate book read at start-up; nullptr when nothing is priced (no rate file, or one
    // that was refused).
    const RateBook* rateBook() const;
    // The rate file was there but refused: the desk shows 料金未設定 rather than nothing.
    bool ratesRefused() const { return ratesRefused_; }
    // Amounts appear at the desk: from a rate book, or 料金未設定 from a refused one.
    bool showsPrices() const { return rates_.has_value() || ratesRefused_; }
    // Reads the rate file and the shop settings again (after the rate window saved them);
    // their problems are told.
    void reloadRates();
    // The sales file; nullptr when it could not be opened (the desk was told why) or when
    // nothing is priced and the shop has none yet.
    SalesLedger* sales();
    const ShopSettings& shop() const { return shop_; }
    // The bill of the booking chain a record of the shown day belongs to (a chain carried
    // over 06:00 is billed from its arrival the day before). None when nothing is priced or
    // the record is not in the shown day.
    std::optional<PartyBill> billOf(std::string_view recordId) const;
    // The 会計 that the last 精算 (or a redo of one) left open, handed over once.
    std::optional<Checkout> takeCheckout() { return std::exchange(checkout_, std::nullopt); }
    // The 会計 of a party of the shown day settled without one (its window closed, or the
    // program ended before 確定): the booking of this record when it is one, else the first.
    std::optional<Checkout> unpaidCheckout(std::string_view recordId);
    // The sale the 会計 window confirmed: its receipt number, or why it was not recorded.
    SalesResult<int> confirmSale(const Checkout& checkout, SaleInput sale);
    // A receipt to print again (再発行): the sale, once its reprint is recorded, so that the
    // day's close counts every receipt handed out twice. Refused, with the reason, without
    // a sales file, for a number without a sale, for a voided sale, and when the reprint
    // cannot be recorded.
    SalesResult<StoredSale> reprintReceipt(int receiptNo);
    // The last receipt issued on the shown day, or 0: what a reprint offers first.
    int lastReceiptOfShownDay();

signals:
    // Another day is shown, or the shown day was read again: everything may have changed.
    void dayShown();
    // The desk leaves the shown day for the new business day (06:00): whatever the clerk has
    // on the panel belongs to the old day.
    void dayChanging();
    // An operation, an undo or a redo changed the shown day's records.
    void recordsChanged();
    // Something the clerk must know that arose outside a call (the summary file could not be
    // written in the background).
    void told(const QString& title, const QString& text);
    // The rate file was read again: every amount shown may have changed.
    void ratesChanged();

private:
    Reply show(Date date, Date today);
    Reply loadShownDay();
    Reply finishLoad();
    // Asks whether to rebuild the lost day file from its journal; the day is read after a yes
    // (and after a no too, when `readAfterNo`).
    Reply offerRebuild(bool readAfterNo);
    Reply ask(Question question, std::function<Reply(bool)> then);
    Outcome finish(Outcome outcome, JournalOp op, const QString& what);
    Outcome registerNew(const EntryFields& panel, std::string_view status);
    Outcome rewriteStatus(const EntryFields& panel, const SelectedBooking& selected,
                          std::string_view status, JournalOp op, const QString& word);
    Reply step(bool undo);
    Reply keepFiguresAtStartUp(Date today, PurgeConsent consent);
    // The summary, the observers, and the sales file after an outside change; what the
    // desk must hear of it.
    Reply afterSave(const BusinessDay::Saved& saved);
    Reply reconcileSales(Date today);
    Reply reconcileAfterOutsideChange();
    std::optional<std::string> carry(Date endingDate, Date newDate);
    // At start-up: the rate book, the shop's settings and the sales file, reconciled with
    // the day files.
    Reply startCharges(Date today);
    Reply loadRates();
    Reply loadShop();
    Reply openSales();
    Outcome finishSettlement(const SelectedBooking& selected, int roomNumber, const QString& what);
    // An undo or a redo written with the sales file told first of every booking it settles
    // or takes back.
    JournaledSave writeStep(const DayLines& before, const DayLines& planned,
                            const DayChange& change, const FileIdentity& expected, Reply& reply);
    bool hasSaleOrIntent(const BookingRef& booking);
    const std::vector<std::string>& previousDayLines() const;

    DeskSeams seams_;
    BusinessDay day_;
    ShownDay shown_;
    DateTime clock_{};
    std::function<Reply(bool)> pendingAnswer_; // set while a question waits
    // Day changes passed whose carry has not been made yet, oldest first: a carry that fails
    // is tried again at every tick, and reported once until it succeeds.
    std::vector<DateTime> pendingDayChanges_;
    bool carryFailureReported_ = false;
    bool rollingOver_ = false;
    // The real clock at the previous tick (none before the first), and the last 06:00 passed:
    // the day changes once per 06:00, and never on the first tick of a start just after it.
    std::optional<DateTime> lastTickClock_;
    std::optional<DateTime> lastDayChange_;
    // Writes a day's summary line in the background after each read and save.
    std::unique_ptr<SummaryKeeper> summaryKeeper_;

    std::optional<RateBook> rates_;
    bool ratesRefused_ = false;
    std::unique_ptr<SalesLedger> sales_;
    ShopSettings shop_;
    std::optional<Checkout> checkout_;
    // The lines of the day before the shown one, read once for the bills that continue it.
    mutable std::optional<std::pair<Date, std::vector<std::string>>> previousDay_;
};

} // namespace kavro
