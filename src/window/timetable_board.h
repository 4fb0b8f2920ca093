#pragma once
// The timetable board: its two halves, the three-hour window they show, the time read-out
// that follows the pointer, the pop-up beside a pressed bar, the colour legend and the buttons
// that move the window (<, NOW, >). It paints the desk model's records and never changes them:
// a press is said to the window with the room row and the time under it.
#include "core/records/civil_time.h"
#include "core/screen/selection_offer.h"
#include "window/window_panel.h"

#include <array>
#include <optional>

class QLabel;
class QPushButton;

namespace kavro {

class BoardHalf;
class DeskModel;

// The board's three-hour window.
struct BoardWindow {
    DateTime reference{};     // where the window is placed: the clock, or where < and > moved it
    DateTime start{};         // the window's left edge, kBoardLeadMinutes before reference
    bool followsClock = true; // each tick moves reference to the clock (NOW; not after < or >)
};

class TimetableBoard : public WindowPanel {
    Q_OBJECT

public:
    TimetableBoard(const DeskModel& model, QWidget* window);

    const BoardWindow& span() const { return span_; }
    // The window placed around a time; does not repaint.
    void placeAround(DateTime reference);
    // A tick: the window follows the clock unless < or > moved it, and both halves repaint.
    void follow(DateTime clock);
    // The window back on the clock, following it (a new business day).
    void resumeFollowing(DateTime clock);
    // The window placed around a time by hand, as < and > place it: it stops following the
    // clock until NOW, and both halves repaint.
    void showAt(DateTime reference);
    // Both halves repaint at the next paint pass.
    void repaintHalves();
    BoardHalf* half(int index) const { return halves[index]; }

    void showPopup(int half, const SelectionOffer& offer);
    // The party's amount beside the pop-up's 精算, until the pop-up hides.
    void showSettleAmount(int half, const QString& amount);
    void hidePopup(int half);
    void hidePopups();
    void hideReadouts();

signals:
    // A half was pressed: the room row under the pointer (none between the rows) and the time.
    void pressed(int half, std::optional<int> row, DateTime time);
    void popupExtendClicked();
    void popupNotifyClicked();
    void popupSettleClicked();

private:
    void createControls();
    void halfPressed(int index, double x, double y);
    void halfHovered(int index, double x, double y);
    // The bill of the party under the pointer as the half's tooltip (priced shops only).
    void showBillTip(int index, double x, double y);
    void moveBack();
    void moveToNow();
    void moveForward();

    const DeskModel& model_;
    BoardWindow span_;

    // member                 objectName       caption / what it shows
    // halves[2]              Picture1_0..1    rooms 001-017 and 018-034
    // popupExtendButtons[2]  cmdNext_0..1     延長 beside the pressed bar
    // popupNotifyButtons[2]  cmdCall_0..1     通知
    // popupSettleButtons[2]  cmdCrdt_0..1     精算
    // settleAmounts[2]       lblCrdtAmount_0..1  the party's amount beside 精算 (priced shops)
    // hoverReadouts[2]       Label4_0..1      the time under the pointer
    // backButton             Command11        <
    // nowButton              Command12        NOW
    // forwardButton          Command13        >
    // The legend's swatches and captions (Shape1_*, Label6_*) are kept by no member.
    std::array<BoardHalf*, 2> halves{};
    std::array<QPushButton*, 2> popupExtendButtons{};
    std::array<QPushButton*, 2> popupNotifyButtons{};
    std::array<QPushButton*, 2> popupSettleButtons{};
    std::array<QLabel*, 2> settleAmounts{};
    std::array<QLabel*, 2> hoverReadouts{};
    QPushButton* backButton = nullptr;
    QPushButton* nowButton = nullptr;
    QPushButton* forwardButton = nullptr;
};

} // namespace kavro
