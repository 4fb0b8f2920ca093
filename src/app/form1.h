#pragma once
// The one main window. Every behaviour is a handler of this window; the handler
// definitions live in the folder of their subsystem (board/, entry/, operations/).
#include "app/platform.h"
#include "ledger/civil_time.h"
#include "ledger/day_file.h"
#include "ledger/day_totals.h"
#include "ledger/journal_file.h"
#include "ledger/room_grid.h"
#include "ledger/unsaved_records.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QAction;
class QKeySequence;
class QMenu;
class QPainter;
class QPushButton;
class QTimer;

namespace kavro {

class BoardHalf;
class AboutWindow;
class ReportWindow;
class SummaryKeeper;
class HistoryWindow;

// The booking selected on the board or in the booking list, as its record stands in the
// day file; empty when none. selectedIdLabel shows the ID; the handlers read it from here.
struct SelectedBooking {
    std::string id;    // "rrrgggggs": room, group number, sub-number
    std::string start; // "yyyy/mm/dd hh:nn", as stored
    std::string end;
};

// Which business day the window shows (datePicker displays it).
struct ShownDay {
    Date today{};     // the business date the window started with, or moved to at 06:00
    int offset = 0;   // shown date minus today, in days: < 0 past, 0 today, > 0 future
    DateTime start{}; // 06:00 of the shown date
    DateTime end{};   // 06:00 of the next date
};

// The board's three-hour window.
struct BoardWindow {
    DateTime reference{};     // where the window is placed: the clock, or where < and > moved it
    DateTime start{};         // the window's left edge, kBoardLeadMinutes before reference
    bool followsClock = true; // each tick moves reference to the clock (NOW; not after < or >)
};

class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(Platform platform, QWidget* parent = nullptr);
    ~Form1() override;

    // ---- app/: start-up, exit, clock tick, day file, rollover, date change ----
    // The start-up sequence. False when another copy runs: the caller ends silently.
    bool startUp();
    void exitProgram();       // 終了
    void showAbout();         // 注意
    void tick();              // every 30 s: clock, board, room labels, remaining list, alarm
    void beepAlarm();         // every 5 s while a stay is overdue
    void hideHoverReadouts(); // the pointer left the board halves
    // Reads the shown day's file into the grid, then ticks. The tick-free part is
    // loadDayContent(), which the benchmark times on its own.
    void loadDay();
    void loadDayContent();
    // Writes the grid to the day file, the change journaled first under the operation's
    // name. False when it was not written. `what` names the change for the message ("利用
    // （005 山田）"). The grid keeps the change, unless the file was changed by another
    // program: then the file as it stands is loaded and the clerk is asked to do it again.
    bool saveDay(JournalOp op, const QString& what = {});
    // The save and reload that ends every change. When the save fails the grid keeps the
    // change (nothing is reloaded over it) and the board still shows it.
    bool saveAndReload(JournalOp op, const QString& what = {});
    // Whether the clerk may leave the shown day's grid: nothing in it is unsaved, it was saved
    // now, or the clerk chose to drop it. Otherwise the clerk is asked whether to save again
    // (`withoutIt` says what いいえ does); with tryFirst a save is tried before the question.
    // False when はい was answered and the save failed again (its message said why).
    bool settleUnsaved(const QString& withoutIt, bool tryFirst);
    bool hasUnsaved() const;
    // The operation and the panel's room and name, as a save failure names what it lost.
    QString describeEntry(const QString& operation) const;
    void rollOverDay();
    // Part of the tick: runs rollOverDay once when the real clock has passed 06:00.
    void rollOverWhenDayChanged();
    void showPickedDate(); // datePicker changed by the user
    // The one way the shown day changes: datePicker, shownDay and the board's reference.
    void setShownDay(Date shown, Date today);

    // ---- app/form1_journal.cpp: the shown day's journal ----
    void undoChange();  // 元に戻す (Ctrl+Z): the latest desk change still in force
    void redoChange();  // やり直す (Ctrl+Y): the latest change taken back
    void showHistory(); // 履歴 (Ctrl+H)
    // Ctrl+Z and Ctrl+Y reach the desk's undo and redo with the focus in a text box too (the
    // boxes would take them for their own typing undo): a clerk who presses them means the
    // day's change, and the question that follows says which one.
    void keepDeskKeysInTextBoxes();
    const DayJournal& journal() const { return journal_; }

    // ---- board/ ----
    void paintBoardHalf(int index, QPainter& painter);
    void boardPressed(int index, int button, int shift, double x, double y);
    void boardHovered(int index, int button, int shift, double x, double y);
    void fillBookingList(const std::string& groupKeyId);
    // The board's window placed around a time; does not repaint.
    void placeBoard(DateTime reference);
    void selectBooking(const SelectedBooking& booking); // and shows its ID
    void clearSelection();

    // ---- entry/ ----
    // Edited: the box's text changed, typed or assigned. Entered: Enter pressed in it, which
    // moves the focus on through the panel.
    void peopleEdited();
    void peopleEntered();
    void startEdited();
    void startEntered();
    void unitEdited();
    void unitPicked();
    void unitEntered();
    void endFocused();
    void endEdited();
    void endEntered();
    void roomEntered();
    // The name box shows at once the character the day file will hold (〜 as ～).
    void nameEdited();
    void checkIn();        // 利用
    void inputExtension(); // 入力: stores the extension that 延長 prepared
    void modifyBooking();  // 修正
    void reserve();        // 予約
    // キャンセル, and the reset that ends every operation: the typed entry abandoned and
    // every operation button and pop-up hidden.
    void resetEntry();

    // ---- operations/ ----
    void prepareExtension(); // 延長
    void notify();           // 通知
    void settle();           // 清算
    void deleteBooking();    // 削除
    void popupExtend(int index);
    void popupNotify(int index);
    void popupSettle(int index);
    void selectListedBooking();
    void moveBoardBack();    // <
    void moveBoardToNow();   // NOW
    void moveBoardForward(); // >
    void hideOperationButtons();
    void hidePopupButtons(int index);

    // ---- app/desk_menu.cpp: the desk menu (button メニュー, F10) ----
    // Adds an entry with its shortcut, which works in the whole window. Each feature adds
    // its own entries.
    QAction* addDeskAction(const QString& text, const QKeySequence& key, void (Form1::*handler)());

    // ---- app/form1_report.cpp: the report window 集計 (desk menu, Ctrl+R) ----
    // Opens the report window on the shown business day, or raises it as it is.
    void showReport();
    ReportWindow* reportWindow() const;
    // Waits until the summary lines queued by loads and saves are written (tests).
    void waitForSummary();

    // ---- controls ----
    // member                    objectName      caption / what it shows
    // entryFrame                Frame1          the entry panel's frame
    // datePicker                DTPicker1       the shown business date
    // selectedIdLabel           Label11         ID of the selected booking (display only)
    // checkInButton             Command1        利用
    // extendButton              Command2        延長
    // notifyButton              Command3        通知
    // settleButton              Command4        清算
    // modifyButton              Command5        修正
    // reserveButton             Command6        予約
    // aboutButton               Command7        注意
    // deleteButton              Command8        削除
    // exitButton                Command9        終了
    // cancelButton              Command10       キャンセル
    // boardBackButton           Command11       <
    // boardNowButton            Command12       NOW
    // boardForwardButton        Command13       >
    // inputExtensionButton      Command14       入力
    // peopleBox                 Combo1          人数
    // startEdit                 Text1           開始時間
    // unitBox                   Combo2          単位
    // endEdit                   Text2           終了時間
    // roomBox                   Combo3          区分 (the room)
    // statusBox                 Combo4          状態
    // nameEdit                  Text3           the name
    // nameCaption               Label19         名前（5文字まで), or what did not fit in nameEdit
    // bookingList               List1           the selected party's records
    // remainingList             List2           部屋　残り　名前
    // groupsLabel               Label9          組数 total
    // peopleLabel               Label10         人数 total
    // minutesLabel              Label15         時間 total
    // clockLabel                Label3          the clock
    // roomLabels[34]            Label1_0..33    001 … 034, coloured by alert
    // boardHalves[2]            Picture1_0..1   rooms 001-017 and 018-034
    // popupExtendButtons[2]     cmdNext_0..1    延長 beside the clicked bar
    // popupNotifyButtons[2]     cmdCall_0..1    通知
    // popupSettleButtons[2]     cmdCrdt_0..1    精算
    // hoverReadouts[2]          Label4_0..1     the time under the pointer
    // menuButton                menuButton      メニュー (F10): the desk menu, deskMenu
    // clockTimer                Timer1          30 s
    // alarmTimer                Timer2          5 s
    // Static captions (Label2, 5, 6_*, 7, 8, 12-14, 16-18, 20, 21) and the legend swatches
    // (Shape1_*) are created in createControls() and kept by no member.
    QFrame* entryFrame = nullptr;
    QDateEdit* datePicker = nullptr;
    QLabel* selectedIdLabel = nullptr;
    QPushButton* checkInButton = nullptr;
    QPushButton* extendButton = nullptr;
    QPushButton* notifyButton = nullptr;
    QPushButton* settleButton = nullptr;
    QPushButton* modifyButton = nullptr;
    QPushButton* reserveButton = nullptr;
    QPushButton* aboutButton = nullptr;
    QPushButton* deleteButton = nullptr;
    QPushButton* exitButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* boardBackButton = nullptr;
    QPushButton* boardNowButton = nullptr;
    QPushButton* boardForwardButton = nullptr;
    QPushButton* inputExtensionButton = nullptr;
    QComboBox* peopleBox = nullptr;
    QLineEdit* startEdit = nullptr;
    QComboBox* unitBox = nullptr;
    QLineEdit* endEdit = nullptr;
    QComboBox* roomBox = nullptr;
    QComboBox* statusBox = nullptr;
    QLineEdit* nameEdit = nullptr;
    QLabel* nameCaption = nullptr;
    QListWidget* bookingList = nullptr;
    QListWidget* remainingList = nullptr;
    QLabel* groupsLabel = nullptr;
    QLabel* peopleLabel = nullptr;
    QLabel* minutesLabel = nullptr;
    QLabel* clockLabel = nullptr;
    std::array<QLabel*, kRoomCount> roomLabels{};
    std::array<BoardHalf*, 2> boardHalves{};
    std::array<QPushButton*, 2> popupExtendButtons{};
    std::array<QPushButton*, 2> popupNotifyButtons{};
    std::array<QPushButton*, 2> popupSettleButtons{};
    std::array<QLabel*, 2> hoverReadouts{};
    QPushButton* menuButton = nullptr;
    QMenu* deskMenu = nullptr;
    QTimer* clockTimer = nullptr;
    QTimer* alarmTimer = nullptr;
    // The buttons of the panel that an operation offers; all hidden by resetEntry().
    std::array<QPushButton*, 8> operationButtons() const;

    // ---- state ----
    RoomGrid roomGrid;                  // the shown day's records, by room
    std::vector<KeptLine> keptLines;    // lines of the day file kept byte for byte
    std::filesystem::path dayFilePath;  // the shown day's file
    long maxGroupNo = kEmptyDayGroupNo; // the day's highest group number; new ones go above
    DateTime clockNow{};                // the clock of the last tick, projected onto the shown day
    ShownDay shownDay;
    BoardWindow board;
    SelectedBooking selected;
    DateTime boardClickTime{}; // the time under the last press on the board

    // ---- small shared helpers ----
    const Platform& platform() const { return platform_; }
    // The date shown in datePicker.
    Date shownDate() const;
    void msgBox(const QString& text, const QString& title);
    // Repaints both board halves (index 0, then 1) at the next paint pass.
    void repaintBoard();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override; // as 終了
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void createControls();
    void createDeskMenu();
    void createKeyboardFlow();
    void connectHandlers();
    void reportKeptLines();
    // Goes on with the business day of a 06:00 as a fresh start would show it.
    void showNewBusinessDay(Date businessDate);
    // People, times, unit and name back to their defaults and the booking list emptied.
    void clearEntryFields();

    // Reads the shown day's journal when another day is shown or it changed on disk, and
    // brings the day file in step with it; runs before the day file is read.
    void syncJournal();
    void offerRebuild(const DayCheck& check);

    // app/form1_unsaved.cpp: the grid against the file as last read or written.
    void rememberStoredDay();
    void keepUnsaved(JournalOp op, const QString& change);
    bool saveUnsaved(); // every change kept unsaved, in one save; loads the day on success
    void stepChange(bool undo);

    // app/form1_questions.cpp: a question or message open runs a nested event loop in which
    // the clock timer still fires. A tick there could change the day under the question (the
    // 06:00 switch replaces the day file and its journal), so it waits until the last one
    // closes and then runs once, after the handler that asked has finished.
    void holdTicksWhileAsking(); // wraps platform_.ask and platform_.message
    void questionClosed();
    bool tickHeldByQuestion(); // true: the tick is to wait
    int questionsOpen_ = 0;
    bool tickWaiting_ = false;

    Platform platform_;
    DayJournal journal_;          // the shown day's
    FileIdentity loadedIdentity_; // the day file as this window last read or wrote it
    StoredRecords storedRecords_; // its records then
    UnsavedRecords unsaved_;      // what the grid holds unlike them: drawn hatched
    std::vector<std::pair<JournalOp, QString>> unsavedChanges_; // saves that failed, oldest first
    QPointer<HistoryWindow> history_;
    QPointer<AboutWindow> about_;                // cleared by Qt when the window closes itself
    std::filesystem::path keptLinesReportedFor_; // a day's odd lines are reported once
    bool dayLoadedOk_ = false; // a day that could not be read is never overwritten
    // Day changes passed whose carry has not been made yet, oldest first: a carry that fails
    // is tried again at every tick, and reported once until it succeeds.
    std::vector<DateTime> pendingDayChanges_;
    bool carryFailureReported_ = false;
    bool rollingOver_ = false;
    // The real clock at the previous tick of this run (none before the first tick), and the
    // last 06:00 rolled over: the day changes once per 06:00, and never on the first tick of
    // a program started just after it.
    std::optional<DateTime> lastTickClock_;
    std::optional<DateTime> lastDayChange_;
    int startEditDepth_ = 0; // startEdited re-raised by its own assignment
    int endEditDepth_ = 0;
    // At start-up: the old day files purged (asking first when the clock is in doubt), every
    // retained day's figures into the summary file.
    void keepFiguresAtStartUp(DateTime now);
    QPointer<ReportWindow> report_; // cleared when the report window is closed
    // Writes a day's summary line in the background after each load and save; goes before
    // platform_ does, its last reports still reaching the window.
    std::unique_ptr<SummaryKeeper> summaryKeeper_;
};

// Design positions are in twips; the screen has 15 twips per pixel.
constexpr int tw(int twips) { return (twips * 2 + 15) / 30; }

} // namespace kavro
