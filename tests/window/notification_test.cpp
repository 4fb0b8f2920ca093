#include "support/selection_fixture.h"

namespace kavro::test {
namespace {

using Notification = SelectionTest;

const std::vector<std::string> kDayLines = {
    rec("001100100", "2026/12/05 21:00", "2026/12/05 22:00", "利用"),
    rec("002100200", "2026/12/05 21:00", "2026/12/05 22:00", "利用", "佐藤"),
};

TEST_F(Notification, RewritesTheRecordWithThePanelsPeopleButItsOwnTimes) {
    startWith(kDayLines);
    clickAt(0, 70);
    peopleBox()->setEditText("3");
    startEdit()->setText("11:11");
    click(notifyButton());
    EXPECT_EQ(readDay(kDay),
              (std::vector<std::string>{rec("001100100", "2026/12/05 21:00", "2026/12/05 22:00",
                                            "通知", "山田", "1", "3"),
                                        kDayLines[1]}));
    EXPECT_TRUE(world().messages.empty());
}

TEST_F(Notification, AnEmptyNameIsRefusedAndTheStartBoxGetsTheFocus) {
    startWith(kDayLines);
    form().show();
    clickAt(0, 70);
    nameEdit()->clear();
    click(notifyButton());
    EXPECT_EQ(lastMessageText(), "ナマエが入力されていません");
    EXPECT_EQ(lastMessageTitle(), "入力エラー");
    EXPECT_EQ(form().focusWidget(), startEdit());
    EXPECT_EQ(readDay(kDay), kDayLines);
}

TEST_F(Notification, OnlyTheRoomInTheRoomBoxIsSearched) {
    startWith(kDayLines);
    clickAt(0, 70);
    roomBox()->setEditText("002");
    click(notifyButton());
    EXPECT_EQ(readDay(kDay), kDayLines);
}

TEST_F(Notification, ALongerNameFromTheFileIsKeptWhole) {
    startWith({rec("001100100", "2026/12/05 21:00", "2026/12/05 22:00", "利用", "やまだたろう様")});
    clickAt(0, 70);
    click(notifyButton());
    EXPECT_EQ(readDay(kDay),
              std::vector<std::string>{rec("001100100", "2026/12/05 21:00", "2026/12/05 22:00",
                                           "通知", "やまだたろう様")});
    showBoardFrom(at(2026, 12, 5, 20, 0)); // the reload moved the window with the clock
    clickAt(0, 150);                       // a new booking is typed into a five-character box again
    EXPECT_EQ(nameEdit()->maxLength(), 5);
}

TEST_F(Notification, ANameTheDayFileCannotHoldIsRefused) {
    startWith(kDayLines);
    for (const char* name : {"山,田", "山田😀"}) {
        clickAt(0, 70);
        nameEdit()->setText(QString::fromUtf8(name));
        click(notifyButton());
        EXPECT_EQ(lastMessageTitle(), "入力エラー");
        EXPECT_EQ(readDay(kDay), kDayLines) << name;
    }
}

} // namespace
} // namespace kavro::test
