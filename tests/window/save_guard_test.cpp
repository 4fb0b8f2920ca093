// The day file as the window saves it: changed by another program, marked read-only, or not
// writable; what was not stored is named, and nothing is lost.
#include "support/selection_fixture.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <sys/stat.h>

namespace kavro::test {
namespace {

const std::string kEvening = rec("001100100", "2026/12/05 18:00", "2026/12/05 19:00", "精算");
const std::string kOutside =
    rec("002100200", "2026/12/05 18:30", "2026/12/05 19:30", "精算", "外部");

class SaveGuard : public SelectionTest {
protected:
    // A stay of room 005 at 20:30, named as typed.
    void checkInRoom5(const QString& name) {
        showBoardFrom(at(2026, 12, 5, 20, 0));
        clickAt(4, 30);
        nameEdit()->setText(name);
        click(checkInButton());
    }
    std::string checkedIn(const std::string& id, const std::string& name) {
        return rec(id, "2026/12/05 20:30", "2026/12/05 21:30", "利用", name);
    }
    bool says(const std::string& words) {
        return lastMessageText().toStdString().find(words) != std::string::npos;
    }
};

TEST_F(SaveGuard, ADayFileChangedOutsideIsReloadedAndTheClerkToldNothingStored) {
    startWith({kEvening});
    writeDay(kDay, {kEvening, kOutside}); // an editor, a restore, another program
    checkInRoom5(QStringLiteral("佐藤"));
    EXPECT_EQ(lastMessageTitle(), "ファイルエラー");
    EXPECT_TRUE(says("外で変更")) << lastMessageText().toStdString();
    EXPECT_TRUE(says("利用（005 佐藤）")) << lastMessageText().toStdString();
    EXPECT_EQ(readDay(kDay), (std::vector<std::string>{kEvening, kOutside}));
    EXPECT_EQ(model().records().at(1, 0), kOutside) << "the window shows the file as it stands";

    world().messages.clear();
    checkInRoom5(QStringLiteral("佐藤"));
    EXPECT_TRUE(world().messages.empty());
    EXPECT_EQ(readDay(kDay),
              (std::vector<std::string>{kEvening, kOutside, checkedIn("005100300", "佐藤")}));
}

TEST_F(SaveGuard, AReadOnlyDayFileIsNotReplaced) {
    startWith({kEvening});
    ASSERT_EQ(::chmod(dayFile(kDay).c_str(), 0444), 0);
    checkInRoom5(QStringLiteral("佐藤"));
    EXPECT_EQ(lastMessageTitle(), "ファイルエラー");
    EXPECT_TRUE(says("読み取り専用")) << lastMessageText().toStdString();
    EXPECT_TRUE(says("利用（005 佐藤）"));
    EXPECT_EQ(readDay(kDay), std::vector<std::string>{kEvening});
    struct stat st {};
    ASSERT_EQ(::stat(dayFile(kDay).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u);
}

// The name box shows at once what the day file will hold, and refuses what it cannot hold.
struct TypedName {
    const char* typed;
    const char* shown;
    bool stored;
};
void PrintTo(const TypedName& c, std::ostream* os) { *os << c.typed; }

class NameBoxStoredForm : public SaveGuard, public ::testing::WithParamInterface<TypedName> {};

TEST_P(NameBoxStoredForm, ShowsWhatIsStored) {
    startWith({kEvening});
    clickAt(4, 30);
    typeName(QString::fromUtf8(GetParam().typed));
    EXPECT_EQ(nameEdit()->text().toStdString(), GetParam().shown);
    click(checkInButton());
    if (GetParam().stored) {
        EXPECT_TRUE(world().messages.empty());
        EXPECT_EQ(readDay(kDay).back(), checkedIn("005100200", GetParam().shown));
    } else {
        EXPECT_EQ(lastMessageTitle(), "入力エラー");
        EXPECT_EQ(readDay(kDay), std::vector<std::string>{kEvening});
    }
}

INSTANTIATE_TEST_SUITE_P(Names, NameBoxStoredForm,
                         ::testing::Values(TypedName{"山〜", "山～", true},
                                           TypedName{"A−B", "A－B", true},
                                           TypedName{"¥山", "¥山", false},
                                           TypedName{"‾山", "‾山", false}));

} // namespace
} // namespace kavro::test
