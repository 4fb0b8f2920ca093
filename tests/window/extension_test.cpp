#include "support/selection_fixture.h"

namespace kavro::test {
namespace {

using Extension = SelectionTest;

TEST_F(Extension, PreparesThePendingRecordAndWritesNothing) {
    const std::vector<std::string> day = {
        rec("001100100", "2026/12/05 22:30", "2026/12/05 23:30", "利用")};
    startWith(day);
    clickAt(0, 180);
    click(extendButton());
    EXPECT_EQ(selected().id, "001100101");
    EXPECT_EQ(label11(), "001100101");
    EXPECT_EQ(startEdit()->text(), "23:30");
    EXPECT_EQ(unitBox()->currentText(), "0.5");
    EXPECT_EQ(nameEdit()->text(), "山田");
    EXPECT_EQ(selected().start, "2026/12/05 22:30");
    EXPECT_EQ(buttons(), "Ien"); // the panel's button leaves the board pop-up alone
    EXPECT_EQ(readDay(kDay), day);
}

TEST_F(Extension, TheHundredthExtensionIsRefused) {
    const std::vector<std::string> day = {
        rec("001100199", "2026/12/05 22:30", "2026/12/05 23:30", "利用")};
    startWith(day);
    clickAt(0, 170);
    click(extendButton());
    EXPECT_EQ(lastMessageTitle(), "入力エラー");
    EXPECT_EQ(selected().id, "001100199");
    EXPECT_EQ(label11(), "001100199");
    EXPECT_EQ(startEdit()->text(), "22:30");
    EXPECT_EQ(buttons(), "ENMDen");
    EXPECT_EQ(readDay(kDay), day);
}

} // namespace
} // namespace kavro::test
