// 通知 and 清算 write the selected record back with the panel's unit, people and name: those
// pass the checks of 修正, a room changed in the panel is not a move, and the record's start
// and end stay as stored.
#include "support/selection_fixture.h"

#include <functional>

namespace kavro::test {
namespace {

struct PanelCase {
    const char* name;
    bool settle; // 清算, else 通知
    std::function<void(const FormTest&)> edit;
    const char* says; // words of the refusal
};
void PrintTo(const PanelCase& c, std::ostream* os) { *os << c.name; }

const std::string kStay = rec("001100100", "2026/12/05 19:10", "2026/12/05 22:40", "利用");
const std::string kCalled = rec("001100200", "2026/12/05 19:10", "2026/12/05 22:40", "通知");

class StatusPanel : public SelectionTest, public ::testing::WithParamInterface<PanelCase> {};

TEST_P(StatusPanel, RefusesWhatModifyWouldRefuseAndDoesNotMove) {
    const PanelCase& c = GetParam();
    startWith({c.settle ? kCalled : kStay});
    const std::string before = readBytes(dayFile(kDay));
    clickAt(0, 100);
    ASSERT_FALSE(selected().id.empty());
    c.edit(*this);
    if (c.settle)
        click(settleButton());
    else
        click(notifyButton());
    EXPECT_EQ(lastMessageTitle(), "入力エラー");
    EXPECT_NE(lastMessageText().toStdString().find(c.says), std::string::npos)
        << lastMessageText().toStdString();
    EXPECT_EQ(readBytes(dayFile(kDay)), before);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StatusPanel,
    ::testing::Values(
        PanelCase{"NotifyUnitMinusOne", false,
                  [](const FormTest& f) { f.unitBox()->setEditText(QStringLiteral("-1")); },
                  "単位"},
        PanelCase{"SettleUnitZero", true,
                  [](const FormTest& f) { f.unitBox()->setEditText(QStringLiteral("0")); }, "単位"},
        PanelCase{"NotifyPeopleZero", false,
                  [](const FormTest& f) { f.peopleBox()->setEditText(QStringLiteral("0")); },
                  "人数"},
        PanelCase{"SettleNameWithAComma", true,
                  [](const FormTest& f) { f.nameEdit()->setText(QStringLiteral("山,田")); },
                  "名前"},
        PanelCase{"NotifyRoomChanged", false,
                  [](const FormTest& f) { f.roomBox()->setEditText(QStringLiteral("009")); },
                  "修正"},
        PanelCase{"SettleRoomChanged", true,
                  [](const FormTest& f) { f.roomBox()->setEditText(QStringLiteral("030")); },
                  "修正"}),
    [](const auto& row) { return std::string(row.param.name); });

using StatusPanelStored = SelectionTest;

TEST_F(StatusPanelStored, SettleKeepsTheStoredPeriodWhateverTheTimeBoxesSay) {
    startWith({kCalled});
    clickAt(0, 100);
    startEdit()->setText(QStringLiteral("20:00"));
    peopleBox()->setEditText(QStringLiteral("4"));
    click(settleButton());
    EXPECT_TRUE(world().messages.empty());
    EXPECT_EQ(readDay(kDay),
              std::vector<std::string>{rec("001100200", "2026/12/05 19:10", "2026/12/05 22:40",
                                           "精算", "山田", "1", "4")});
}

} // namespace
} // namespace kavro::test
