// The desk model's charges and sales: the rate book and the sales file read at start-up, the
// bill of a party, and every 精算 and its undo told to the sales file before the day file.
#include "charges/day_bills.h"
#include "charges/rate_store.h"
#include "core/records/cp932.h"
#include "core/rules/booking_chain.h"
#include "desk/desk_model.h"
#include "desk/message_titles.h"
#include "desk/settled_bookings.h"
#include "desk/summary_keeper.h"
#include "sales/sales_queries.h"
#include "sales/settlement_protocol.h"

#include <QStringList>

namespace kavro {

namespace {

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Why a step took a settlement back, as the void records it.
std::string_view stepReason(JournalOp op) {
    return op == JournalOp::Undo ? "元に戻す" : "やり直す";
}

QString bookingWords(const BookingRef& b) {
    return QStringLiteral("%1 %2号室（%3）")
        .arg(q(formatDate(b.date)), QString::number(b.room), q(b.recordId));
}

// What the start-up's reconciliation did that the desk must hear of.
void reportReconciled(const std::vector<ReconcileAction>& actions, Reply& reply) {
    QStringList unpaid, missing, voided;
    for (const ReconcileAction& a : actions) {
        if (a.kind == ReconcileKind::ReportUnpaid)
            unpaid << bookingWords(a.booking);
        else if (a.kind == ReconcileKind::ReportMissingBooking)
            missing << QStringLiteral("領収書番号 %1: %2")
                           .arg(QString::number(a.receiptNo), bookingWords(a.booking));
        else if (a.kind == ReconcileKind::VoidSale)
            voided << QStringLiteral("領収書番号 %1: %2")
                          .arg(QString::number(a.receiptNo), bookingWords(a.booking));
    }
    const QString nl = QStringLiteral("\r\n");
    if (!unpaid.isEmpty())
        reply.tell(title::kSales,
                   QStringLiteral("精算済みで会計が記録されていないお客様がいます（未会計）。"
                                  "\r\nその日を表示して、メニューの「会計」(Ctrl+K) で会計して"
                                  "ください。\r\n%1")
                       .arg(unpaid.join(nl)));
    if (!voided.isEmpty())
        reply.tell(title::kSales, QStringLiteral("日付ファイルで精算されていない売上を取消に"
                                                 "しました。\r\n%1")
                                      .arg(voided.join(nl)));
    if (!missing.isEmpty())
        reply.tell(title::kSales, QStringLiteral("売上の予約が日付ファイルに見つかりません。"
                                                 "売上はそのまま残してあります。\r\n%1")
                                      .arg(missing.join(nl)));
}

} // namespace

const RateBook* DeskModel::rateBook() const { return rates_ ? &*rates_ : nullptr; }

SalesLedger* DeskModel::sales() { return sales_.get(); }

Reply DeskModel::startCharges(Date today) {
    Reply reply = loadRates();
    reply.take(loadShop());
    // A shop that sets no prices sells nothing here and gets no sales file; one that has a
    // sales file keeps it in step with the day files whatever its rates.
    if (rates_ || std::filesystem::exists(seams_.dir / kSalesFileName))
        reply.take(openSales());
    if (sales_)
        reply.take(reconcileSales(today));
    return reply;
}

Reply DeskModel::reconcileSales(Date today) {
    Reply reply;
    const auto reconciled =
        SettlementProtocol(*sales_).reconcile(dayFileReader(seams_.dir), today, seams_.now());
    if (reconciled.error)
        reply.tell(title::kFileError,
                   QStringLiteral("売上ファイルと日付ファイルを照合できませんでした。\r\n%1")
                       .arg(q(*reconciled.error)));
    reportReconciled(reconciled.actions, reply);
    return reply;
}

Reply DeskModel::reconcileAfterOutsideChange() {
    // Another program may have written or taken away a 精算: the sales file is not left out
    // of step with it until the next start.
    if (!day_.takeOutsideChange() || !sales_)
        return {};
    return reconcileSales(businessDateAt(seams_.now()));
}

Reply DeskModel::loadShop() {
    Reply reply;
    const ShopSettingsParse shop = readShopSettings(seams_.dir);
    shop_ = shop.settings;
    if (!shop.errors.empty())
        reply.tell(title::kFileError,
                   QStringLiteral("%1 を読み込めません。\r\n%2")
                       .arg(q(kShopSettingsFileName),
                            q(shop.errors.front()))); // one line is enough to find the file
    return reply;
}

Reply DeskModel::loadRates() {
    Reply reply;
    RatesLoad load = kavro::loadRates(seams_.dir);
    rates_ = std::move(load.book);
    ratesRefused_ = load.exists && !rates_;
    if (ratesRefused_) {
        QStringList errors;
        for (const auto& e : load.errors)
            errors << q(e);
        reply.tell(title::kRates, QStringLiteral("料金表を読み込めません。料金は表示されません"
                                                 "（料金未設定）。\r\n%1")
                                      .arg(errors.join(QStringLiteral("\r\n"))));
    }
    return reply;
}

Reply DeskModel::openSales() {
    Reply reply;
    SalesLedger::Opened opened = SalesLedger::open(seams_.dir);
    sales_ = std::move(opened.ledger);
    if (opened.error)
        reply.tell(title::kFileError,
                   QStringLiteral("売上ファイルを開けません。精算はできますが、会計は記録され"
                                  "ません。\r\n%1")
                       .arg(q(*opened.error)));
    return reply;
}

void DeskModel::reloadRates() {
    // The rate window saves the shop's name and number with the rates: a receipt printed
    // next must carry the new ones.
    Reply reply = loadRates();
    reply.take(loadShop());
    if (rates_ && !sales_)
        reply.take(openSales());
    for (const Notice& n : reply.notices)
        emit told(n.title, n.text);
    emit ratesChanged();
}

const std::vector<std::string>& DeskModel::previousDayLines() const {
    const Date previous = addDays(shown_.date, -1);
    if (!previousDay_ || previousDay_->first != previous) {
        std::vector<std::string> lines;
        const FileRead file = readWholeFile(dayFilePath(seams_.dir, previous), "日付ファイル");
        for (const std::string& raw : splitDayLines(file.bytes))
            if (auto text = decodeCp932(raw))
                lines.push_back(std::move(*text));
        previousDay_.emplace(previous, std::move(lines));
    }
    return previousDay_->second;
}

std::optional<PartyBill> DeskModel::billOf(std::string_view recordId) const {
    if (!rates_)
        return std::nullopt;
    std::vector<std::string> lines;
    const RoomGrid& grid = day_.records();
    for (int room = 0; room < kRoomCount; ++room)
        for (int pos = 0; pos < kRecordsPerRoom; ++pos)
            if (const std::string& cell = grid.at(room, pos); !cell.empty())
                lines.push_back(cell);
    for (const BookingChain& chain : chainsOfDay(shown_.date, lines, previousDayLines())) {
        for (std::string_view record : chain.records) {
            if (idOf(record) != recordId)
                continue;
            return PartyBill{std::string(chain.id),
                             chain.room,
                             chain.start,
                             chain.end,
                             chain.minutes,
                             chain.people,
                             billStay(*rates_, stayOf(chain))};
        }
    }
    return std::nullopt;
}

Outcome DeskModel::finishSettlement(const SelectedBooking& selected, int roomNumber,
                                    const QString& what) {
    // Unpriced, or without a sales file: 精算 as it has always been.
    std::optional<PartyBill> party = sales_ ? billOf(selected.id) : std::nullopt;
    if (!party || !party->bill.priced())
        return finish({}, JournalOp::Settle, what);
    Outcome outcome;
    outcome.done = true;
    std::optional<BusinessDay::Saved> saved;
    const BookingRef booking{shown_.date, selected.id, roomNumber};
    const auto settled = SettlementProtocol(*sales_).settle(
        booking,
        [&]() -> std::optional<std::string> {
            saved = day_.save(JournalOp::Settle, what, seams_.now());
            if (saved->stored)
                return std::nullopt;
            return std::string("日付ファイルに保存できませんでした");
        },
        seams_.now());
    if (!saved) {
        // The sales file refused the intent: the desk still settles, and hears that this
        // party's 会計 is not recorded.
        outcome = finish({}, JournalOp::Settle, what);
        outcome.reply.tell(title::kFileError,
                           QStringLiteral("売上ファイルに書き込めません。精算は保存しますが、"
                                          "会計は記録されません。\r\n%1")
                               .arg(q(settled.error.value_or(""))));
        return outcome;
    }
    outcome.stored = saved->stored;
    outcome.reply.take(std::move(saved->reply));
    outcome.reply.take(afterSave(*saved));
    if (!settled.error)
        checkout_ =
            Checkout{settled.intent, draftSale(*party, shown_.date, selected.id, roomNumber),
                     party->bill.total};
    return outcome;
}

std::optional<Checkout> DeskModel::unpaidCheckout(std::string_view recordId) {
    if (!sales_ || !rates_)
        return std::nullopt;
    const auto intents = sales_->openIntents(shown_.date);
    if (intents.error)
        return std::nullopt;
    std::optional<Checkout> first;
    for (const OpenIntent& i : intents.value) {
        if (i.kind != IntentKind::Settle || i.booking.date != shown_.date)
            continue;
        // Only a party the day still shows settled: the intent of one taken back is moot.
        const std::string id = i.booking.recordId;
        const auto record = findRecord(day_.records(), id);
        const auto party = billOf(id);
        if (!record || statusOf(*record) != kStatusSettled || !party || !party->bill.priced())
            continue;
        Checkout checkout{i.id, draftSale(*party, shown_.date, id, i.booking.room),
                          party->bill.total};
        if (!recordId.empty() && bookingOf(recordId) == bookingOf(id))
            return checkout;
        if (!first)
            first = std::move(checkout);
    }
    return first;
}

SalesResult<int> DeskModel::confirmSale(const Checkout& checkout, SaleInput sale) {
    if (!sales_)
        return {0, std::string("売上ファイルが開かれていません")};
    const DateTime now = seams_.now();
    sale.soldAt = now;
    auto confirmed = SettlementProtocol(*sales_).confirm(checkout.intent, sale, now);
    if (!confirmed.error)
        summaryKeeper_->dayChanged(businessDateAt(now)); // the day's takings in the summary
    return confirmed;
}

SalesResult<StoredSale> DeskModel::reprintReceipt(int receiptNo) {
    if (!sales_)
        return {{}, std::string("売上ファイルが開かれていないため、領収書を再発行できません。")};
    const std::string number = std::to_string(receiptNo);
    auto found = sales_->sale(receiptNo);
    if (found.error)
        return {{}, found.error};
    if (!found.value)
        return {{}, "領収書 No. " + number + " の売上はありません。"};
    if (found.value->voided)
        return {{}, "領収書 No. " + number + " の売上は取り消されています。再発行できません。"};
    if (auto error = sales_->recordReprint(receiptNo, seams_.now()))
        return {{}, "再発行を売上ファイルに記録できないため、印刷しません。\r\n" + *error};
    ++found.value->reprints;
    return {std::move(*found.value), std::nullopt};
}

int DeskModel::lastReceiptOfShownDay() {
    if (!sales_)
        return 0;
    return dayClose(*sales_, shown_.date).value.lastReceipt;
}

bool DeskModel::hasSaleOrIntent(const BookingRef& booking) {
    const auto live = sales_->liveSaleOf(booking);
    if (live.error || live.value)
        return true; // when unsure, the void is recorded: a void of nothing changes nothing
    const auto intents = sales_->openIntents(booking.date);
    if (intents.error)
        return true;
    for (const OpenIntent& i : intents.value)
        if (i.booking.date == booking.date &&
            bookingOf(i.booking.recordId) == bookingOf(booking.recordId))
            return true;
    return false;
}

JournaledSave DeskModel::writeStep(const DayLines& before, const DayLines& planned,
                                   const DayChange& change, const FileIdentity& expected,
                                   Reply& reply) {
    if (!sales_)
        return day_.writeLines(planned, change, expected);
    const auto was = settledBookings(shown_.date, before);
    const auto will = settledBookings(shown_.date, planned);
    // Each booking the step settles or takes back wraps the save in its own protocol step,
    // so that every intent is durable before the day file changes.
    struct Wrap {
        BookingRef booking;
        bool settles;
    };
    std::vector<Wrap> wraps;
    for (const BookingRef& b : settledOnlyIn(will, was))
        if (auto party = billOf(b.recordId); party && party->bill.priced())
            wraps.push_back({b, true});
    for (const BookingRef& b : settledOnlyIn(was, will))
        if (hasSaleOrIntent(b))
            wraps.push_back({b, false});

    std::optional<JournaledSave> saved;
    SettlementProtocol protocol(*sales_);
    std::optional<long long> intent;
    std::optional<BookingRef> settledNow;
    std::function<std::optional<std::string>(std::size_t)> run =
        [&](std::size_t i) -> std::optional<std::string> {
        if (i == wraps.size()) {
            saved = day_.writeLines(planned, change, expected);
            if (saved->error || saved->changedOutside)
                return std::string("日付ファイルに保存できませんでした");
            return std::nullopt;
        }
        const Wrap& w = wraps[i];
        auto next = [&run, i] { return run(i + 1); };
        if (!w.settles)
            return protocol.unsettle(w.booking, stepReason(change.op), next, change.when);
        const auto s = protocol.settle(w.booking, next, change.when);
        if (!s.error) {
            intent = s.intent;
            settledNow = w.booking;
        }
        return s.error;
    };
    const auto error = run(0);
    if (!saved) {
        // The sales file refused to hear of it first: the step is made all the same (the day
        // file is the desk's record), and the next start reconciles what it can.
        saved = day_.writeLines(planned, change, expected);
    }
    if (error && !saved->error && !saved->changedOutside)
        reply.tell(title::kFileError,
                   QStringLiteral("売上ファイルに記録できませんでした。次の起動時に照合します。"
                                  "\r\n%1")
                       .arg(q(*error)));
    if (intent && settledNow)
        if (auto party = billOf(settledNow->recordId); party && party->bill.priced())
            checkout_ = Checkout{
                *intent, draftSale(*party, shown_.date, settledNow->recordId, settledNow->room),
                party->bill.total};
    return *saved;
}

} // namespace kavro
