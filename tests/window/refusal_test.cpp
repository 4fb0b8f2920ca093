// Bad input on the panel is refused before anything is written, by every registration.
#include "entry/entry_fixture.h"

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
    void (*spoil)(Form1&, Op);
    const char* message;       // nullptr: any text of the title "入力エラー"
    QWidget* (*focus)(Form1&); // where the user is sent to correct it
};

void setText(QLineEdit* e, const char* t) { e->setText(QString::fromUtf8(t)); }
void setText(QComboBox* c, const char* t) { c->setEditText(QString::fromUtf8(t)); }

const BadInput kBad[] = {
    {"start empty", [](Form1& f, Op) { setText(f.startEdit, ""); }, "時間が正しくありません",
     [](Form1& f) -> QWidget* { return f.startEdit; }},
    {"start marker", [](Form1& f, Op) { setText(f.startEdit, "12:7x"); }, "時間が正しくありません",
     [](Form1& f) -> QWidget* { return f.startEdit; }},
    {"end empty", [](Form1& f, Op) { setText(f.endEdit, ""); }, "時間が正しくありません",
     [](Form1& f) -> QWidget* { return f.endEdit; }},
    {"end marker", [](Form1& f, Op) { setText(f.endEdit, "xx99"); }, "時間が正しくありません",
     [](Form1& f) -> QWidget* { return f.endEdit; }},
    {"name empty", [](Form1& f, Op) { setText(f.nameEdit, ""); }, "ナマエが入力されていません",
     [](Form1& f) -> QWidget* { return f.nameEdit; }},
    {"room 35", [](Form1& f, Op) { setText(f.roomBox, "35"); }, nullptr,
     [](Form1& f) -> QWidget* { return f.roomBox; }},
    {"room 035", [](Form1& f, Op) { setText(f.roomBox, "035"); }, nullptr,
     [](Form1& f) -> QWidget* { return f.roomBox; }},
    {"unit 0", [](Form1& f, Op) { setText(f.unitBox, "0"); }, nullptr,
     [](Form1& f) -> QWidget* { return f.unitBox; }},
    {"unit text", [](Form1& f, Op) { setText(f.unitBox, "abc"); }, nullptr,
     [](Form1& f) -> QWidget* { return f.unitBox; }},
    {"people 0", [](Form1& f, Op) { setText(f.peopleBox, "0"); }, nullptr,
     [](Form1& f) -> QWidget* { return f.peopleBox; }},
    {"people 1.5", [](Form1& f, Op) { setText(f.peopleBox, "1.5"); }, nullptr,
     [](Form1& f) -> QWidget* { return f.peopleBox; }},
    {"name comma", [](Form1& f, Op) { setText(f.nameEdit, "ヤ,マ"); },
     "名前に使えない文字「,」(U+002C) が含まれています\r\n別の文字に置き換えてください",
     [](Form1& f) -> QWidget* { return f.nameEdit; }},
    {"name outside CP932", [](Form1& f, Op) { f.nameEdit->setText(QStringLiteral("𠮷田")); },
     "名前に使えない文字「𠮷」(U+20BB7) が含まれています\r\n別の文字に置き換えてください",
     [](Form1& f) -> QWidget* { return f.nameEdit; }},
    {"full row",
     [](Form1& f, Op op) {
         if (op != Op::Input)
             setText(f.roomBox, "006"); // Input extends the last record of room 006 instead
     },
     "この区画のデータは1日48件までです\r\nほかの区画を指定してください",
     [](Form1& f) -> QWidget* { return f.roomBox; }},
};

class Refusal : public EntryTest,
                public ::testing::WithParamInterface<std::tuple<Op, std::size_t>> {
protected:
    void prepare(Op op, bool fullRowCase) {
        Form1& f = form();
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
            f.selectBooking({formatId(*idNumber(base) + 1), f.selected.start, f.selected.end});
            f.startEdit->setText(QStringLiteral("21:00"));
            f.unitBox->setEditText(QStringLiteral("0.5"));
            break;
        }
        }
    }
    void run(Op op) {
        Form1& f = form();
        switch (op) {
        case Op::Use:
            f.checkIn();
            break;
        case Op::Reserve:
            f.reserve();
            break;
        case Op::Modify:
            f.modifyBooking();
            break;
        case Op::Input:
            f.inputExtension();
            break;
        }
    }
};

TEST_P(Refusal, ChangesNothing) {
    const auto [op, index] = GetParam();
    const BadInput& bad = kBad[index];
    startWith(dayLines());
    showActive();
    const std::string before = dayBytes();
    const long groupBefore = form().maxGroupNo;
    prepare(op, std::string(bad.label) == "full row");
    bad.spoil(form(), op);
    const QString idBefore = form().selectedIdLabel->text();

    run(op);

    ASSERT_EQ(world().messages.size(), 1u) << bad.label;
    EXPECT_EQ(lastMessageTitle(), QStringLiteral("入力エラー")) << bad.label;
    if (bad.message) {
        EXPECT_EQ(lastMessageText(), QString::fromUtf8(bad.message)) << bad.label;
    }
    EXPECT_EQ(focused(), bad.focus(form())) << bad.label;
    EXPECT_EQ(dayBytes(), before) << bad.label;
    EXPECT_EQ(form().maxGroupNo, groupBefore) << bad.label;
    EXPECT_EQ(form().selectedIdLabel->text(), idBefore) << bad.label;
}

INSTANTIATE_TEST_SUITE_P(AllOperations, Refusal,
                         ::testing::Combine(::testing::Values(Op::Use, Op::Reserve, Op::Modify,
                                                              Op::Input),
                                            ::testing::Range<std::size_t>(0, std::size(kBad))));

} // namespace
} // namespace kavro::test
