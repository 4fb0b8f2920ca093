#pragma once
// The desk's window over a temporary program directory and a fake world. Tests find its
// controls by their design names (objectName) or use a panel's own interface, and act as the
// clerk does: a press on the board, a name typed, a button clicked, a date picked.
#include "support/clerk.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"
#include "window/desk_window.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QString>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;

namespace kavro {
class BoardHalf;
class EntryPanel;
class TimetableBoard;
} // namespace kavro

namespace kavro::test {

DateTime at(int y, unsigned m, unsigned d, int hh, int mm, int ss = 0);
Date ymd(int y, unsigned m, unsigned d);

// Day files as tests write and read them: UTF-8 lines in, CP932 CR LF on disk.
void writeDayLines(const std::filesystem::path& file, const std::vector<std::string>& lines);
std::vector<std::string> readDayLines(const std::filesystem::path& file);

class FormTest : public ::testing::Test {
public:
    // The clock starts at 2026/12/05 20:00:00 unless a test changes it before start().
    FormTest();
    ~FormTest() override;

    // Builds the window and runs its start-up.
    void start();
    // The program ends and starts again, with the clock as it stands.
    void restart();
    DeskWindow& form() { return *form_; }
    const DeskModel& model() const { return form_->model(); }
    FakeWorld& world() { return *world_; }
    const TempDir& dir() const { return dir_; }

    // ---- the panels ----
    EntryPanel& entry() const;
    TimetableBoard& board() const;
    // The booking the entry panel works on (the ID label shows it).
    const SelectedBooking& selected() const;

    // ---- controls by design name ----
    template <class T> T* named(const QString& name) const { return control<T>(*form_, name); }
    QDateEdit* datePicker() const;
    QLabel* selectedIdLabel() const;
    QPushButton* checkInButton() const;
    QPushButton* extendButton() const;
    QPushButton* notifyButton() const;
    QPushButton* settleButton() const;
    QPushButton* modifyButton() const;
    QPushButton* reserveButton() const;
    QPushButton* deleteButton() const;
    QPushButton* cancelButton() const;
    QPushButton* inputExtensionButton() const;
    QComboBox* peopleBox() const;
    QLineEdit* startEdit() const;
    QComboBox* unitBox() const;
    QLineEdit* endEdit() const;
    QComboBox* roomBox() const;
    QComboBox* statusBox() const;
    QLineEdit* nameEdit() const;
    QLabel* nameCaption() const;
    QListWidget* bookingList() const;
    QListWidget* remainingList() const;
    QLabel* groupsLabel() const;
    QLabel* peopleLabel() const;
    QLabel* minutesLabel() const;
    QLabel* clockLabel() const;
    QLabel* roomLabel(int room) const;
    BoardHalf* boardHalf(int half) const;
    QPushButton* popupExtendButton(int half) const;
    QPushButton* popupNotifyButton(int half) const;
    QPushButton* popupSettleButton(int half) const;
    QLabel* hoverReadout(int half) const;
    QPushButton* backButton() const;
    QPushButton* nowButton() const;
    QPushButton* forwardButton() const;
    QPushButton* exitButton() const;
    QPushButton* aboutButton() const;
    QPushButton* menuButton() const;
    QMenu* deskMenu() const;
    QAction* menuEntry(const QString& text) const;
    QTimer* clockTimer() const;
    QTimer* alarmTimer() const;

    // ---- what the clerk does ----
    // A click, also on a button the panel does not show (as its key or an old handler would).
    static void click(QAbstractButton* button);
    // A press of the left button on a board half at a place in board units, through the
    // half's own mouse event.
    void pressBoard(int half, double x, double y);
    // A press on a room's bar at a time inside the board's window.
    void pressRoom(int room, DateTime time);
    // The pointer moved over a board half to a place in board units.
    void hoverBoard(int half, double x, double y);
    // The board's window placed by hand to start at a time (as < and > place it).
    void showBoardFrom(DateTime windowStart);
    // A name committed through the input method, as a conversion ends.
    void typeName(const QString& name);
    // A click on a line of the booking list.
    void chooseListLine(int row);
    void pickDate(Date date);
    // Another day picked and the shown one again: the window reads the day's file anew.
    void readDayAgain();
    void runMenuEntry(const QString& text);
    void tickAt(DateTime t);

    // ---- the world ----
    std::filesystem::path dayFile(Date businessDate) const;
    void writeDay(Date businessDate, const std::vector<std::string>& lines) const;
    std::vector<std::string> readDay(Date businessDate) const;
    void setNow(DateTime t) { world_->now = t; }
    QString lastMessageTitle() const;
    QString lastMessageText() const;

private:
    TempDir dir_;
    std::shared_ptr<FakeWorld> world_;
    std::unique_ptr<DeskWindow> form_;
};

} // namespace kavro::test
