#pragma once
// The desk's main window, composed of its panels over the desk model: the entry panel, the
// timetable board, the room status and the desk menu, with 終了 and 注意 and the two timers.
// It carries what the clerk asks for from a panel to the model, and what the model answers
// back to the panels and the clerk.
#include "desk/desk_model.h"
#include "window/platform.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QPrinter;
class QPushButton;
class QTimer;

namespace kavro {

class AboutWindow;
class AccountDialog;
class DayCloseWindow;
class DeskMenu;
class EntryPanel;
class HistoryWindow;
class PinGuard;
class RatesWindow;
class ReportWindow;
class RoomStatus;
class TimetableBoard;

class DeskWindow : public QWidget {
    Q_OBJECT

public:
    explicit DeskWindow(Platform platform, QWidget* parent = nullptr);
    ~DeskWindow() override;

    // The start-up sequence: old day files purged, today's business day shown, the clock
    // started.
    void startUp();
    // The 30-second clock tick (Timer1): clock, board, room labels, remaining list, alarm, and
    // the 06:00 day change. Waits while a question is open.
    void tick();
    // The desk model the window shows (read only: every change goes through the panels).
    const DeskModel& model() const { return *model_; }
    // Waits until the summary lines queued by reads and saves are written.
    void waitForSummary();
    // Where a receipt goes: the desktop's print dialog on the printer, set to the shop's
    // receipt paper (the dialog also prints to a PDF file); false cancels. Tests point the
    // printer at a PDF file.
    using ReceiptPrinterFunction = std::function<bool(QPrinter& printer)>;
    void setReceiptPrinterFunction(ReceiptPrinterFunction choose) {
        receiptPrinter_ = std::move(choose);
    }
    // The receipt number a reprint asks for, offered the last of the shown day; nothing
    // cancels. Tests answer.
    using ReceiptNumberFunction = std::function<std::optional<int>(int offered)>;
    void setReceiptNumberFunction(ReceiptNumberFunction ask) { receiptNumber_ = std::move(ask); }

protected:
    void closeEvent(QCloseEvent* event) override; // as 終了
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void createControls();
    void createDeskMenu();
    void connectPanels();

    // ---- talking with the clerk ----
    // Shows the reply's messages and asks its questions, handing each answer to the model,
    // until nothing is left. Returns the answers given, in order.
    std::vector<bool> converse(Reply reply);
    void tell(const QString& title, const QString& text);
    // A tick that came while a message or question was open runs once it has closed, after
    // the handler that asked has finished with the day it asked about.
    void runWaitingTick();
    bool ask(const Question& question);
    // Whether the shown day may be left: nothing unsaved, saved again now, or dropped at the
    // clerk's word (`withoutIt` says what いいえ does). With tryFirst a save is tried before
    // the question. False when はい was answered and the save failed again.
    bool settleUnsaved(const QString& withoutIt, bool tryFirst);

    // ---- the shown day on screen ----
    // After the model read the day or changed it: totals, then the clock's picture.
    void showDay();
    // The clock's picture: clock, board, room labels, remaining list, alarm.
    void showClock();
    void beepAlarm();
    void runDayCycle();
    void showPickedDate(Date picked);
    // キャンセル, and the reset that ends every operation: the typed entry abandoned and every
    // operation button and pop-up hidden.
    void resetEntry();

    // ---- the operations ----
    void boardPressed(int half, std::optional<int> row, DateTime time);
    void selectRecord(int half, const RecordFields& record);
    void prepareNewBooking(int half, DateTime time);
    // A press that cannot select or book: the panel reset, and a beep.
    void refuseClick();
    void selectListedBooking(const std::string& id);
    void prepareExtension();
    void checkIn();
    void reserve();
    void inputExtension();
    void modifyBooking();
    void notify();
    void settle();
    // The 会計 window for the party a 精算 (or a redo of one) just settled, when it has a
    // bill; without prices nothing opens.
    void offerCheckout();
    // 会計 (Ctrl+K): the 会計 of the selected party, or of the shown day's first, settled
    // without one.
    void checkOutUnpaid();
    void openAccount(const Checkout& checkout);
    // 領収書 of a recorded sale, printed where the clerk says.
    void issueReceipt(int receiptNo);
    // 領収書の再発行 (Ctrl+P): a receipt printed again with 再発行 on it, once recorded.
    void reprintReceipt();
    void printReceipt(const StoredSale& sale, bool reprint);
    void deleteBooking();
    // What every operation's answer does on screen.
    void finish(const Outcome& outcome);
    void undoChange();
    void redoChange();
    void step(Reply question);
    void showHistory();
    void showReport();
    void showRates();
    void showDayClose();
    void showAbout();
    void exitProgram();

    Platform platform_;
    std::unique_ptr<DeskModel> model_;

    // clang-format off
    // member       objectName      caption / what it shows
    // entry        Frame1          the entry panel (entry_panel.h has its controls)
    // board        timetableBoard  the board's halves, pop-ups, legend, < NOW > (timetable_board.h)
    // status       roomStatus      room labels, remaining list, totals, clock (room_status.h)
    // menu         menuButton      メニュー (F10): the desk menu
    // exitButton   Command9        終了
    // aboutButton  Command7        注意
    // clockTimer   Timer1          30 s
    // alarmTimer   Timer2          5 s
    // clang-format on
    EntryPanel* entry = nullptr;
    TimetableBoard* board = nullptr;
    RoomStatus* status = nullptr;
    DeskMenu* menu = nullptr;
    QPushButton* exitButton = nullptr;
    QPushButton* aboutButton = nullptr;
    QTimer* clockTimer = nullptr;
    QTimer* alarmTimer = nullptr;

    QPointer<HistoryWindow> history_;
    QPointer<AboutWindow> about_;     // cleared by Qt when the window closes itself
    QPointer<ReportWindow> report_;   // cleared when the report window is closed
    QPointer<AccountDialog> account_; // the 会計 open, if any
    QPointer<RatesWindow> rates_;     // open after the manager's PIN, until closed
    QPointer<DayCloseWindow> dayClose_;
    std::unique_ptr<PinGuard> pinGuard_; // wrong PINs in a row, across openings
    ReceiptPrinterFunction receiptPrinter_;
    ReceiptNumberFunction receiptNumber_;
    int openDialogs_ = 0;           // messages and questions open (nested event loops)
    bool tickWaiting_ = false;      // a tick came while one was open: it runs when it closes
    bool placeBoardOnShow_ = false; // the next day shown puts the board's window on its clock
    QString typedAtDayChange_;      // the name typed when 06:00 took the day away
};

} // namespace kavro
