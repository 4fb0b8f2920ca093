#pragma once
// The room status: a label per room coloured by what the room needs, the rooms in use by
// remaining minutes, the day's totals and the clock. It shows what it is given.
#include "core/records/civil_time.h"
#include "core/rules/day_totals.h"
#include "core/screen/room_alerts.h"
#include "window/window_panel.h"

#include <array>
#include <string>
#include <vector>

class QLabel;
class QListWidget;

namespace kavro {

class RoomStatus : public WindowPanel {
    Q_OBJECT

public:
    explicit RoomStatus(QWidget* window);

    void showClock(DateTime clock);
    void showAlerts(const RoomAlerts& alerts);
    void showTotals(const DayTotals& totals);

private:
    // member           objectName     caption / what it shows
    // groupsLabel      Label9         組数 total
    // peopleLabel      Label10        人数 total
    // minutesLabel     Label15        時間 total
    // clockLabel       Label3         the clock
    // remainingList    List2          部屋　残り　名前
    // roomLabels[34]   Label1_0..33   001 … 034, coloured by alert
    // The captions Label2, 7, 8 and 14 are kept by no member.
    QLabel* groupsLabel = nullptr;
    QLabel* peopleLabel = nullptr;
    QLabel* minutesLabel = nullptr;
    QLabel* clockLabel = nullptr;
    QListWidget* remainingList = nullptr;
    std::array<QLabel*, kRoomCount> roomLabels{};
    // What the list shows: filled again only when it changes, so that its scroll position
    // and the clerk's place in it survive the ticks and saves that change nothing there.
    std::vector<std::string> listedItems_;
};

} // namespace kavro
