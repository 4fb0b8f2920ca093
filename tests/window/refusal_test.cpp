// Bad input on the panel is refused before anything is written, by every registration.
#include "support/entry_fixture.h"

namespace kavro::test {
namespace {

enum class Op { Use, Reserve, Modify, Input };

const std::string kStay = "005100200,2026/12/05 20:00,1,2026/12/05 21:00,2,005,ヤマダ,利用";
const std::string kLastOf6 = "006104900,2026/12/05 20:00,1,2026/12/05 21:00,2,006,ゼン,利用";

// Room 006 holds 48 records: 47 settled ones and a party in the last position.
std::vector<std::string> dayLines() {
    std::vector<std::string> lines{kStay};
    for (int i = 1; i <= 47; ++i)
        lines.push_back("006" + std::to_string(100100 + i * 100) +
                        ",2026/12/05 07:00,0.5,2026/12/05 07:30,1,006,S,精算");
    lines.push_back(kLastOf6);
    return lines;
}

struct BadInput {
    const char* label;
    void (*spoil)(const FormTest&, Op);
    const char* message;                // nullptr: any text of the title "入力エラー"
    QWidget* (*focus)(const FormTest&); // where the user is sent to correct it
};

void setText(QLineEdit* e, const char* t) { e->setText(QString::fromUtf8(t)); }
void setText(QComboBox* c, const char* t) { c->setEditText(QString::fromUtf8(t)); }

const BadInput kBad[] = {
    {"start empty", [](const FormTest& f, Op) { setText(f.startEdit(), ""); },
     "時間が正しくありません", [](const FormTest& f) -> QWidget* { return f.startEdit(); }},
    {"start marker", [](const FormTest& f, Op) { setText(f.startEdit(), "12:7x"); },
     "時間が正しくありません", [](const FormTest& f) -> QWidget* { return f.startEdit(); }},
    {"end empty", [](const FormTest& f, Op) { setText(f.endEdit(), ""); }, "時間が正しくありません",
     [](const FormTest& f) -> QWidget* { return f.endEdit(); }},
    {"end marker", [](const FormTest& f, Op) { setText(f.endEdit(), "xx99"); },
     "時間が正しくありません", [](const FormTest& f) -> QWidget* { return f.endEdit(); }},
    {"name empty", [](const FormTest& f, Op) { setText(f.nameEdit(), ""); },
     "ナマエが入力されていません", [](const FormTest& f) -> QWidget* { return f.nameEdit(); }},
    {"room 35", [](const FormTest& f, Op) { setText(f.roomBox(), "35"); }, nullptr,
     [](const FormTest& f) -> QWidget* { return f.roomBox(); }},
    {"room 035", [](const FormTest& f, Op) { setText(f.roomBox(), "035"); }, nullptr,
     [](const FormTest& f) -> QWidget* { return f.roomBox(); }},
    {"unit 0", [](const FormTest& f, Op) { setText(f.unitBox(), "0"); }, nullptr,
     [](const FormTest& f) -> QWidget* { return f.unitBox(); }},
    {"unit text", [](const FormTest& f, Op) { setText(f.unitBox(), "abc"); }, nullptr,
     [](const FormTest& f) -> QWidget* { return f.unitBox(); }},
    {"people 0", [](const FormTest& f, Op) { setText(f.peopleBox(), "0"); }, nullptr,
     [](const FormTest& f) -> QWidget* { return f.peopleBox(); }},
    {"people 1.5", [](const FormTest& f, Op) { setText(f.peopleBox(), "1.5"); }, nullptr,
     [](const FormTest& f) -> QWidget* { return f.peopleBox(); }},
    {"name comma", [](const FormTest& f, Op) { setText(f.nameEdit(), "ヤ,マ"); },
     "名前に使えない文字「,」(U+002C) が含まれています\r\n別の文字に置き換えてください",
     [](const FormTest& f) -> QWidget* { return f.nameEdit(); }},
    {"name outside CP932",
     [](const FormTest& f, Op) { f.nameEdit()->setText(QStringLiteral("𠮷田")); },
     "名前に使えない文字「𠮷」(U+20BB7) が含まれています\r\n別の文字に置き換えてください",
     [](const FormTest& f) -> QWidget* { return f.nameEdit(); }},
    {"full row",
     [](const FormTest& f, Op op) {
         if (op != Op::Input)
             setText(f.roomBox(), "006"); // Input extends the last record of room 006 instead
     },
     "この区画のデータは1日48件までです\r\nほかの区画を指定してください",
     [](const FormTest& f) -> QWidget* { return f.roomBox(); }},
};

class Refusal : public EntryTest,
                public ::testing::WithParamInterface<std::tuple<Op, std::size_t>> {
protected:
    void prepare(Op op, bool fullRowCase) {
        switch (op) {
        case Op::Use:
        case Op::Reserve:
            fill("010", "22:00", "1", "23:00", "ヤマダ");
            break;
        case Op::Modify:
            select(kStay, {"利用"});
            break;
        case Op::Input: {
            const std::string& base = fullRowCase ? kLastOf6 : kStay;
            select(base, {"利用"});
            click(extendButton());
            startEdit()->setText(QStringLiteral("21:00"));
            break;
        }
        }
    }
    QPushButton* button(Op op) {
        switch (op) {
        case Op::Use:
            return checkInButton();
        case Op::Reserve:
            return reserveButton();
        case Op::Modify:
            return modifyButton();
        case Op::Input:
            break;
        }
        return inputExtensionButton();
    }
};

TEST_P(Refusal, ChangesNothing) {
    const auto [op, index] = GetParam();
    const BadInput& bad = kBad[index];
    startWith(dayLines());
    showActive();
    const std::string before = dayBytes();
    const long groupBefore = model().maxGroupNo();
    prepare(op, std::string(bad.label) == "full row");
    bad.spoil(*this, op);
    const QString idBefore = selectedIdLabel()->text();

    click(button(op));

    ASSERT_EQ(world().messages.size(), 1u) << bad.label;
    EXPECT_EQ(lastMessageTitle(), QStringLiteral("入力エラー")) << bad.label;
    if (bad.message) {
        EXPECT_EQ(lastMessageText(), QString::fromUtf8(bad.message)) << bad.label;
    }
    EXPECT_EQ(focused(), bad.focus(*this)) << bad.label;
    EXPECT_EQ(dayBytes(), before) << bad.label;
    EXPECT_EQ(model().maxGroupNo(), groupBefore) << bad.label;
    EXPECT_EQ(selectedIdLabel()->text(), idBefore) << bad.label;
}

INSTANTIATE_TEST_SUITE_P(AllOperations, Refusal,
                         ::testing::Combine(::testing::Values(Op::Use, Op::Reserve, Op::Modify,
                                                              Op::Input),
                                            ::testing::Range<std::size_t>(0, std::size(kBad))));

} // namespace
} // namespace kavro::test
