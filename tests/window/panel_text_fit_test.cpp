// Texts of the entry panel that change while the program runs fit their labels whole at every
// scale the window is drawn at: the selected booking's nine-digit ID, and the notice of a name
// that did not fit the name box (whose box covers the right end of its label).
#include "support/desk_by_name.h"
#include "support/form_fixture.h"
#include "window/window_scale.h"

#include <QFontMetricsF>
#include <QLabel>

namespace kavro::test {
namespace {

const double kScales[] = {1.0, 0.95, 0.9, 0.85, kMinimumWindowScale};

class PanelTextAtScale : public FormTest, public ::testing::WithParamInterface<double> {
protected:
    // As main() does: scaled to the screen, then shown.
    void SetUp() override {
        start();
        scaleWindow(&form(), GetParam());
        form().show();
    }
    static double advance(const QLabel* label, const QString& line) {
        return QFontMetricsF(label->font(), label).horizontalAdvance(line);
    }
};

TEST_P(PanelTextAtScale, TheIdShowsAllNineDigits) {
    auto* id = control<QLabel>(form(), "Label11");
    for (const char* text : {"013106800", "888888888", "000000000"}) {
        id->setText(QString::fromLatin1(text));
        EXPECT_LE(advance(id, id->text()), id->contentsRect().width()) << text;
    }
    EXPECT_GE(QFontInfo(id->font()).pixelSize(), 9) << "still readable";
}

TEST_P(PanelTextAtScale, TheNameNoticeFitsBesideTheNameBox) {
    auto* caption = control<QLabel>(form(), "Label19");
    auto* box = control<QLineEdit>(form(), "Text3");
    // The part of the label left of the box is all that can be read.
    const double readable = std::min<double>(caption->contentsRect().width(),
                                             box->geometry().left() - caption->geometry().left());
    for (const char* typed :
         {"東京特許許可局", "東京特許許可局東京特許許可局", "寿限無寿限無五劫の擦り切れ"}) {
        box->clear();
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUtf8(typed));
        QCoreApplication::sendEvent(box, &commit);
        const QString dropped = QString::fromUtf8(typed).mid(box->maxLength());
        const QStringList lines = caption->text().split(QLatin1Char('\n'));
        ASSERT_LE(lines.size(), 2);
        for (const QString& line : lines)
            EXPECT_LE(advance(caption, line), readable) << line.toStdString();
        EXPECT_LE(QFontMetricsF(caption->font(), caption).lineSpacing() * lines.size(),
                  caption->contentsRect().height() + 1);
        const QString text = caption->text();
        EXPECT_TRUE(text.contains(QStringLiteral("入りません"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("「") + dropped.left(1))) << text.toStdString();
        if (text.contains(QStringLiteral("…")) && dropped.size() > 2) {
            EXPECT_TRUE(text.contains(dropped.right(1) + QStringLiteral("」")))
                << "the end of the name stays: " << text.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, PanelTextAtScale, ::testing::ValuesIn(kScales),
                         [](const auto& row) {
                             return "Percent" + std::to_string(qRound(row.param * 100));
                         });

} // namespace
} // namespace kavro::test
