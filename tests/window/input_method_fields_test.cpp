// The input method is off where digits, times and rooms are typed, on where names are.
#include "support/desk_by_name.h"
#include "support/form_fixture.h"

#include <QComboBox>
#include <QInputMethodQueryEvent>

namespace kavro::test {
namespace {

struct ImeCase {
    const char* box;
    bool inputMethod;
};
void PrintTo(const ImeCase& c, std::ostream* os) { *os << c.box; }

class InputMethodPerBox : public FormTest, public ::testing::WithParamInterface<ImeCase> {};

TEST_P(InputMethodPerBox, IsOnOnlyForNames) {
    start();
    auto* box = control<QWidget>(form(), GetParam().box);
    QWidget* typedInto = box;
    if (auto* combo = qobject_cast<QComboBox*>(box))
        typedInto = combo->lineEdit();
    ASSERT_NE(typedInto, nullptr);
    for (QWidget* w : {box, typedInto}) {
        EXPECT_EQ(w->testAttribute(Qt::WA_InputMethodEnabled), GetParam().inputMethod);
        // What the input method itself asks the focused box.
        QInputMethodQueryEvent query(Qt::ImEnabled);
        QCoreApplication::sendEvent(w, &query);
        EXPECT_EQ(query.value(Qt::ImEnabled).toBool(), GetParam().inputMethod);
    }
    if (!GetParam().inputMethod) {
        EXPECT_TRUE(typedInto->inputMethodHints() & Qt::ImhPreferNumbers);
    }
}

INSTANTIATE_TEST_SUITE_P(Boxes, InputMethodPerBox,
                         ::testing::Values(ImeCase{"Combo1", false}, ImeCase{"Text1", false},
                                           ImeCase{"Combo2", false}, ImeCase{"Text2", false},
                                           ImeCase{"Combo3", false}, ImeCase{"Text3", true}),
                         [](const auto& row) { return std::string(row.param.box); });

} // namespace
} // namespace kavro::test
