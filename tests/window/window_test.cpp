// The main window as designed: names, captions, geometry, initial state.
#include "support/form_fixture.h"
#include "window/board_half.h"
#include "window/design_layout.h"
#include "window/window_panel.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace kavro::test {
namespace {

struct ControlCase {
    const char* name;
    const char* caption;
    int left, top, width, height; // twips, relative to the container
};

class WindowTest : public FormTest {};

QString captionOf(QWidget* w) {
    if (auto* b = qobject_cast<QPushButton*>(w))
        return b->text();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    return {};
}

TEST_F(WindowTest, ControlsHaveTheirDesignNamesCaptionsAndGeometry) {
    start();
    EXPECT_EQ(form().windowTitle(), "KAVRO24");
    EXPECT_EQ(form().size(), QSize(1016, 711));
    EXPECT_EQ(form().minimumSize(), form().maximumSize()) << "not resizable";

    const ControlCase cases[] = {
        {"Frame1", "", 120, 0, 11535, 1935},
        {"DTPicker1", "", 120, 240, 2295, 375},
        {"Label21", "ID", 2520, 240, 255, 255},
        {"Label11", "", 2520, 480, 975, 255},
        {"Command1", "利用", 3600, 240, 735, 375},
        {"Command2", "延長", 4440, 240, 735, 375},
        {"Command3", "通知", 5280, 240, 735, 375},
        {"Command4", "清算", 6120, 240, 735, 375},
        {"Command6", "予約", 6960, 240, 735, 375},
        {"Command14", "入力", 7800, 240, 735, 375},
        {"Command5", "修正", 8640, 240, 735, 375},
        {"Command10", "キャンセル", 9480, 240, 1215, 375},
        {"Command8", "削除", 10800, 240, 615, 375},
        {"Label12", "人数", 240, 720, 495, 255},
        {"Label13", "開始時間", 1200, 720, 975, 255},
        {"Label16", "単位", 2280, 720, 735, 255},
        {"Label17", "終了時間", 3240, 720, 975, 255},
        {"Label18", "区分", 4440, 720, 615, 255},
        {"Text1", "", 1080, 960, 1095, 375},
        {"Text2", "", 3120, 960, 1095, 375},
        {"Label19", "名前　　　　　　　　（5文字まで)", 120, 1320, 1575, 495},
        {"Text3", "", 1560, 1440, 1815, 375},
        {"Label20", "状態", 3720, 1440, 495, 255},
        {"Label5", "ID                  開始　 単位 　終了　人数 Ｎｏ． 名前　　     状態", 5670,
         735, 5685, 225},
        {"List1", "", 5640, 945, 5775, 960},
        {"Label7", "組数", 11760, 0, 600, 255},
        {"Label8", "人数", 11760, 240, 600, 255},
        {"Label14", "時間", 13560, 0, 600, 255},
        {"Label3", "20:00", 12840, 600, 2295, 735},
        {"Label2", "部屋　残り　 　　名前", 12840, 1440, 2295, 255},
        {"List2", "", 12840, 1680, 2295, 7710},
        {"Command11", "<", 12960, 9480, 495, 495},
        {"Command12", "NOW", 13560, 9480, 855, 495},
        {"Command13", ">", 14520, 9480, 495, 495},
        {"Command9", "終了", 12960, 10200, 1335, 375},
        {"Command7", "注意", 14520, 10200, 615, 375},
        {"Picture1_0", "", 1080, 2040, 5295, 8535},
        {"Picture1_1", "", 7440, 2040, 5295, 8535},
        {"Label1_0", "001", 120, 2400, 855, 375},
        {"Label1_17", "018", 6480, 2400, 855, 375},
        {"Label1_16", "017", 120, 10080, 855, 375},
        {"Label1_33", "034", 6480, 10080, 855, 375},
        {"Shape1_4", "", 11760, 1440, 375, 255},
        {"Label6_4", "予約", 12240, 1440, 615, 255},
        {"Label6_3", "清算", 12240, 1680, 615, 255},
        {"Label6_0", "入室", 12240, 720, 615, 255},
    };
    for (const auto& c : cases) {
        auto* w = form().findChild<QWidget*>(QString::fromLatin1(c.name));
        ASSERT_NE(w, nullptr) << c.name;
        EXPECT_EQ(captionOf(w), QString::fromUtf8(c.caption)) << c.name;
        EXPECT_EQ(w->geometry(), QRect(tw(c.left), tw(c.top), tw(c.width), tw(c.height))) << c.name;
    }
    for (const char* combo : {"Combo1", "Combo2", "Combo3", "Combo4"})
        EXPECT_TRUE(form().findChild<QComboBox*>(QString::fromLatin1(combo))->isEditable())
            << combo;
    EXPECT_EQ(peopleBox()->geometry().left(), tw(120));
    EXPECT_EQ(roomBox()->geometry().width(), tw(1215));
    EXPECT_EQ(nameEdit()->maxLength(), 5);
    EXPECT_EQ(notifyButton()->toolTip(), "10分前コールのした後 (F3)");
    EXPECT_EQ(clockTimer()->interval(), 30000);
    EXPECT_EQ(alarmTimer()->interval(), 5000);
}

TEST_F(WindowTest, TheDeskMenuButtonCoversNoControlAndOpensWithF10) {
    start();
    const QRect menu = menuButton()->geometry();
    EXPECT_TRUE(form().rect().contains(menu));
    // The controls the design places on the window: its own, and those of the panels that
    // spread over the whole window shaped to their controls.
    const auto placedOnTheWindow = [&](QWidget* w) {
        QWidget* parent = w->parentWidget();
        return w != menuButton() && !w->isWindow() && !qobject_cast<WindowPanel*>(w) &&
               (parent == &form() || qobject_cast<WindowPanel*>(parent));
    };
    for (QWidget* w : form().findChildren<QWidget*>()) {
        if (placedOnTheWindow(w)) {
            const QRect place(w->mapTo(&form(), QPoint(0, 0)), w->size());
            EXPECT_FALSE(place.intersects(menu)) << w->objectName().toStdString();
        }
    }
    ASSERT_FALSE(deskMenu()->isEmpty()); // an empty menu never opens
    form().show();
    form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    bool opened = false;
    // The menu runs its own event loop until it closes.
    QTimer::singleShot(200, &form(), [&] {
        opened = deskMenu()->isVisible();
        deskMenu()->close();
    });
    QTest::keyClick(&form(), Qt::Key_F10);
    EXPECT_TRUE(opened);
}

TEST_F(WindowTest, LegendColoursAndClockFace) {
    start();
    const QColor swatch[] = {QColor(0x00, 0xFF, 0xFF), QColor(0x80, 0x80, 0xFF),
                             QColor(0xFF, 0x00, 0x00), QColor(0x00, 0x00, 0xFF),
                             QColor(0x00, 0xFF, 0x00)};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(form()
                      .findChild<QLabel*>(QStringLiteral("Shape1_%1").arg(i))
                      ->palette()
                      .color(QPalette::Window),
                  swatch[i])
            << i;
    EXPECT_EQ(clockLabel()->palette().color(QPalette::WindowText), QColor(0x00, 0xFF, 0x00));
    EXPECT_EQ(clockLabel()->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_TRUE(clockLabel()->font().bold());
    EXPECT_DOUBLE_EQ(clockLabel()->font().pointSizeF(), 36);
    EXPECT_TRUE(roomLabel(0)->font().bold());
}

TEST_F(WindowTest, JapaneseCaptionsUseAJapaneseFont) {
    start();
    for (QWidget* w : {static_cast<QWidget*>(checkInButton()),
                       static_cast<QWidget*>(remainingList()), named<QWidget>("Label19")}) {
        const QString family = QFontInfo(w->font()).family();
        EXPECT_TRUE(family.startsWith("IPA") || family.contains("CJK")) << family.toStdString();
    }
}

TEST_F(WindowTest, StartUpHidesOperationsAndFillsTheLists) {
    start();
    for (auto* b : {checkInButton(), extendButton(), notifyButton(), settleButton(), modifyButton(),
                    reserveButton(), deleteButton(), inputExtensionButton()})
        EXPECT_TRUE(b->isHidden()) << b->objectName().toStdString();
    EXPECT_TRUE(hoverReadout(0)->isHidden());
    EXPECT_TRUE(hoverReadout(1)->isHidden());
    EXPECT_EQ(selectedIdLabel()->text(), "");
    ASSERT_EQ(peopleBox()->count(), 26);
    EXPECT_EQ(peopleBox()->itemText(25), "26");
    EXPECT_EQ(peopleBox()->currentText(), "2");
    QStringList units;
    for (int i = 0; i < unitBox()->count(); ++i)
        units << unitBox()->itemText(i);
    EXPECT_EQ(units.join(' '), "0.5 1 1.5 2 2.5 3 3.5 4 4.5 5");
    EXPECT_EQ(unitBox()->currentText(), "1");
    ASSERT_EQ(roomBox()->count(), 34);
    EXPECT_EQ(roomBox()->itemText(0), "001");
    EXPECT_EQ(roomBox()->itemText(33), "034");
    EXPECT_EQ(roomBox()->currentText(), "");
    EXPECT_EQ(statusBox()->count(), 1);
    EXPECT_EQ(statusBox()->itemText(0), "");
    EXPECT_TRUE(clockTimer()->isActive());
}

} // namespace
} // namespace kavro::test
