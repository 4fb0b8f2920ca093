#pragma once
// The one main window. Every behaviour is a handler of this window; the handler
// definitions live in the folder of their subsystem (board/, entry/, operations/).
#include "app/platform.h"
#include "ledger/civil_time.h"
#include "ledger/day_file.h"
#include "ledger/room_grid.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPainter;
class QPushButton;
class QTimer;

namespace kavro {

class BoardHalf;
class frmAbout;

class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(Platform platform, QWidget* parent = nullptr);
    ~Form1() override;

    // ---- app/: start-up, exit, clock tick, day file, rollover, date change ----
    // The start-up sequence. False when another copy runs: the caller ends silently.
    bool Form_Load();
    void Command9_Click(); // 終了
    void Command7_Click(); // 注意
    void Timer1_Timer();   // clock tick
    void Timer2_Timer();   // alarm beep
    void Form_MouseMove();
    void LoadDay();
    bool SaveDay(); // false when the file could not be written (the grid is kept)
    // The save and reload that ends every change. When the save fails the grid keeps the
    // change (nothing is reloaded over it) and the board still shows it.
    bool saveAndReload();
    void RolloverDay();
    // Step 10 of the tick: runs RolloverDay once when the real clock has passed 06:00.
    void rolloverCheck();
    void DTPicker1_Change();

    // ---- board/ ----
    void Picture1_Paint(int index, QPainter& painter);
    void Picture1_MouseDown(int index, int button, int shift, double x, double y);
    void Picture1_MouseMove(int index, int button, int shift, double x, double y);
    void fillBookingList(const std::string& groupKeyId);

    // ---- entry/ ----
    void Combo1_Change();
    void Combo1_Click();
    void Combo1_KeyDown(int key);
    void Text1_Change();
    void Text1_KeyDown(int key);
    void Combo2_Change();
    void Combo2_Click();
    void Combo2_KeyDown(int key);
    void Text2_GotFocus();
    void Text2_Change();
    void Text2_KeyDown(int key);
    void Combo3_Click();
    void Combo3_KeyDown(int key);
    void Command1_Click();  // 利用
    void Command14_Click(); // 入力
    void Command5_Click();  // 修正
    void Command6_Click();  // 予約
    void Command10_Click(); // キャンセル

    // ---- operations/ ----
    void Command2_Click(); // 延長
    void Command3_Click(); // 通知
    void Command4_Click(); // 清算
    void Command8_Click(); // 削除
    void cmdNext_Click(int index);
    void cmdCall_Click(int index);
    void cmdCrdt_Click(int index);
    void List1_Click();
    void Command11_Click(); // <
    void Command12_Click(); // NOW
    void Command13_Click(); // >

    // ---- controls (design names) ----
    QFrame* Frame1 = nullptr;
    QDateEdit* DTPicker1 = nullptr;
    QLabel* Label21 = nullptr;
    QLabel* Label11 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Command7 = nullptr;
    QPushButton* Command8 = nullptr;
    QPushButton* Command9 = nullptr;
    QPushButton* Command10 = nullptr;
    QPushButton* Command11 = nullptr;
    QPushButton* Command12 = nullptr;
    QPushButton* Command13 = nullptr;
    QPushButton* Command14 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label19 = nullptr;
    QLabel* Label20 = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QComboBox* Combo3 = nullptr;
    QComboBox* Combo4 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QListWidget* List1 = nullptr;
    QListWidget* List2 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label15 = nullptr;
    std::array<QLabel*, 5> Shape1{};
    std::array<QLabel*, 5> Label6{};
    std::array<QLabel*, 34> Label1{};
    std::array<BoardHalf*, 2> Picture1{};
    std::array<QPushButton*, 2> cmdNext{};
    std::array<QPushButton*, 2> cmdCall{};
    std::array<QPushButton*, 2> cmdCrdt{};
    std::array<QLabel*, 2> Label4{};
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

    // ---- form-level state (names shared by every subsystem) ----
    RoomGrid roomGrid;
    std::vector<KeptLine> keptLines; // lines of the day file kept byte for byte
    std::vector<std::string> recFields;
    std::filesystem::path dayFilePath;
    long peopleTotal = 0;
    long minutesTotal = 0;
    long maxGroupNo = 100000;
    DateTime refNow{};
    DateTime clockNow{};
    DateTime boardStart{};
    bool followClock = true;
    DateTime dayStart{};
    DateTime dayEnd{};
    Date baseDate{};
    int dayOffset = 0;
    std::string curId;
    std::string curStart;
    std::string curEnd;
    DateTime clickTime{};

    // ---- small shared helpers ----
    const Platform& platform() const { return platform_; }
    // The date shown in DTPicker1.
    Date shownDate() const;
    // Sets DTPicker1 without raising its change handler (start-up and refusals).
    void setShownDate(Date date);
    void msgBox(const QString& text, const QString& title);
    // Repaints both board halves (index 0, then 1) at the next paint pass.
    void repaintBoard();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

    // ---- subsystem helpers (each subsystem adds its own below its marker) ----
    // app/ tick and day cycle:
    // The real clock at the previous tick of this run (none before the first tick), and the
    // last 06:00 rolled over: the day changes once per 06:00, and never on the first tick of
    // a program started just after it.
    std::optional<DateTime> lastTickClock_;
    std::optional<DateTime> lastDayChange_;
    // Goes on with the business day of a 06:00 as a fresh start would show it.
    void showNewBusinessDay(Date businessDate);
    // board/:
    // entry/:
    // People, times, unit and name back to their defaults and the booking list emptied.
    void clearEntryFields();
    int text1ChangeDepth_ = 0; // Text1_Change re-raised by its own assignment
    int text2ChangeDepth_ = 0;
    // operations/:

private:
    void createControls();
    void connectHandlers();
    void reportKeptLines();

    Platform platform_;
    QPointer<frmAbout> about_;                   // cleared by Qt when the window closes itself
    std::filesystem::path keptLinesReportedFor_; // a day's odd lines are reported once
    bool dayLoadedOk_ = false; // a day that could not be read is never overwritten
};

// Design positions are in twips; the screen has 15 twips per pixel.
constexpr int tw(int twips) { return (twips * 2 + 15) / 30; }

} // namespace kavro
