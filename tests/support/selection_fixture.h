#pragma once
// A window over a loaded day, pressed on its board at a room and a minute of the window.
#include "support/form_fixture.h"
#include "window/entry_panel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace kavro::test {

// A record line of the room named by the ID's first three characters.
inline std::string rec(const std::string& id, const std::string& start, const std::string& end,
                       const std::string& status, const std::string& name = "山田",
                       const std::string& unit = "1", const std::string& people = "2") {
    return id + "," + start + "," + unit + "," + end + "," + people + "," + id.substr(0, 3) + "," +
           name + "," + status;
}

class SelectionTest : public FormTest {
protected:
    static constexpr Date kDay =
        Date{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{5}};

    // The day 2026/12/05 with these lines, the board's window starting at `windowStart`.
    void startWith(const std::vector<std::string>& lines,
                   DateTime windowStart = at(2026, 12, 5, 20, 0)) {
        writeDay(kDay, lines);
        start();
        showBoardFrom(windowStart);
    }

    // Shows another day as the date picker does.
    void showDay(Date d, DateTime windowStart) {
        pickDate(d);
        showBoardFrom(windowStart);
    }

    // A press on the room's bar row, `x` minutes into the window.
    void clickAt(int roomIndex, double x) {
        pressBoard(roomIndex / 17, x, 20.0 * (roomIndex % 17) + 20.0);
    }

    // Visible operation buttons as letters: U 利用, E 延長, N 通知, S 清算, M 修正, R 予約,
    // D 削除, I 入力; the board pop-ups of either half as e n s.
    std::string buttons() {
        std::string s;
        auto add = [&s](QWidget* w, char c) {
            if (!w->isHidden())
                s += c;
        };
        add(checkInButton(), 'U');
        add(extendButton(), 'E');
        add(notifyButton(), 'N');
        add(settleButton(), 'S');
        add(modifyButton(), 'M');
        add(reserveButton(), 'R');
        add(deleteButton(), 'D');
        add(inputExtensionButton(), 'I');
        for (int i = 0; i < 2; ++i) {
            add(popupExtendButton(i), 'e');
            add(popupNotifyButton(i), 'n');
            add(popupSettleButton(i), 's');
        }
        return s;
    }

    QStringList statusChoices() {
        QStringList out;
        for (int i = 0; i < statusBox()->count(); ++i)
            out << statusBox()->itemText(i);
        return out;
    }

    std::string label11() { return selectedIdLabel()->text().toStdString(); }
};

} // namespace kavro::test
