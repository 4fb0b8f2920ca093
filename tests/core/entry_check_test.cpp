#include "core/rules/entry_check.h"

#include <gtest/gtest.h>

namespace kavro {
namespace {

EntryFields good() { return {"2", "22:00", "1.5", "23:30", "001", "ヤマダ"}; }

struct CheckCase {
    const char* label;
    void (*change)(EntryFields&);
    EntryProblem problem;
};

class EntryChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(EntryChecks, RefusesBadInput) {
    EntryFields f = good();
    GetParam().change(f);
    EXPECT_EQ(checkEntry(f).problem, GetParam().problem) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EntryChecks,
    ::testing::Values(
        CheckCase{"all good", [](EntryFields&) {}, EntryProblem::None},
        CheckCase{"start empty", [](EntryFields& f) { f.start = ""; }, EntryProblem::StartTime},
        CheckCase{"start marker", [](EntryFields& f) { f.start = "**:**"; },
                  EntryProblem::StartTime},
        CheckCase{"start partial", [](EntryFields& f) { f.start = "930"; },
                  EntryProblem::StartTime},
        CheckCase{"end marker", [](EntryFields& f) { f.end = "**:**"; }, EntryProblem::EndTime},
        CheckCase{"end not a time", [](EntryFields& f) { f.end = "12:7x"; }, EntryProblem::EndTime},
        CheckCase{"times before name",
                  [](EntryFields& f) {
                      f.end = "";
                      f.name = "";
                  },
                  EntryProblem::EndTime},
        CheckCase{"name empty", [](EntryFields& f) { f.name = ""; }, EntryProblem::NameEmpty},
        CheckCase{"room 000", [](EntryFields& f) { f.room = "000"; }, EntryProblem::Room},
        CheckCase{"room 035", [](EntryFields& f) { f.room = "035"; }, EntryProblem::Room},
        CheckCase{"room 1", [](EntryFields& f) { f.room = "1"; }, EntryProblem::Room},
        CheckCase{"room 0001", [](EntryFields& f) { f.room = "0001"; }, EntryProblem::Room},
        CheckCase{"room 034", [](EntryFields& f) { f.room = "034"; }, EntryProblem::None},
        CheckCase{"unit 0", [](EntryFields& f) { f.unit = "0"; }, EntryProblem::Unit},
        CheckCase{"unit empty", [](EntryFields& f) { f.unit = ""; }, EntryProblem::Unit},
        CheckCase{"unit -1", [](EntryFields& f) { f.unit = "-1"; }, EntryProblem::Unit},
        CheckCase{"unit 1,5", [](EntryFields& f) { f.unit = "1,5"; }, EntryProblem::Unit},
        CheckCase{"unit 2h", [](EntryFields& f) { f.unit = "2h"; }, EntryProblem::Unit},
        CheckCase{"unit 25", [](EntryFields& f) { f.unit = "25"; }, EntryProblem::Unit},
        CheckCase{"unit 0.25", [](EntryFields& f) { f.unit = "0.25"; }, EntryProblem::None},
        CheckCase{"people 0", [](EntryFields& f) { f.people = "0"; }, EntryProblem::People},
        CheckCase{"people 1.5", [](EntryFields& f) { f.people = "1.5"; }, EntryProblem::People},
        CheckCase{"people empty", [](EntryFields& f) { f.people = ""; }, EntryProblem::People},
        CheckCase{"people 27", [](EntryFields& f) { f.people = "27"; }, EntryProblem::None},
        CheckCase{"people huge", [](EntryFields& f) { f.people = "1234567"; },
                  EntryProblem::People},
        CheckCase{"name comma", [](EntryFields& f) { f.name = "ヤ,マ"; },
                  EntryProblem::NameCharacter},
        CheckCase{"name emoji", [](EntryFields& f) { f.name = "ヤマ😀"; },
                  EntryProblem::NameCharacter},
        CheckCase{"name line break", [](EntryFields& f) { f.name = "ヤ\nマ"; },
                  EntryProblem::NameCharacter}));

TEST(NameCharacters, NamesTheOffendingCharacter) {
    EXPECT_EQ(unusableNameCharacter("ヤ,マ"), ",");
    EXPECT_EQ(unusableNameCharacter("𠮷野家"), "𠮷");                          // outside CP932
    EXPECT_EQ(unusableNameCharacter("a\xF3\xA0\x80\x81"), "\xF3\xA0\x80\x81"); // a tag character
    EXPECT_FALSE(unusableNameCharacter("髙橋①ｶﾅ")); // CP932 extensions and half-width kana
    EXPECT_EQ(codePointLabel(","), "U+002C");
    EXPECT_EQ(codePointLabel("𠮷"), "U+20BB7");
    EXPECT_EQ(checkEntry({"2", "22:00", "1", "23:00", "001", "😀"}).character, "😀");
}

TEST(StatusWords, AreTheFiveWords) {
    for (const char* w : {"利用", "予約", "延長", "通知", "精算"})
        EXPECT_TRUE(isStatusWord(w)) << w;
    for (const char* w : {"", "清算", "利用 ", "予"})
        EXPECT_FALSE(isStatusWord(w)) << w;
}

} // namespace
} // namespace kavro
