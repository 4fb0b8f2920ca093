#include "support/form_fixture.h"
#include "window/about_window.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace kavro::test {
namespace {

class AboutTest : public FormTest {
protected:
    AboutWindow* openAbout() {
        click(aboutButton());
        return form().findChild<AboutWindow*>();
    }
};

TEST_F(AboutTest, ShowsTitleVersionDescriptionAndDisclaimerModelessly) {
    start();
    AboutWindow* about = openAbout();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(about->isModal());
    EXPECT_EQ(about->windowTitle(), "KAVRO34のﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(about->titleLabel->text(), "KAVRO34");
    EXPECT_EQ(about->versionLabel->text(), "ﾊﾞｰｼﾞｮﾝ 1.0.1");
    EXPECT_EQ(about->descriptionLabel->text(), "タイムテーブル管理ソフト");
    const QStringList lines = about->disclaimerLabel->text().split("\r\n");
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "このプログラムのセットアップ時やこのプログラムの使用時において、");
    EXPECT_EQ(lines[5], "著作者に関係ある者は一切の責任をもちません。");
    EXPECT_EQ(about->okButton->text(), "OK");
    EXPECT_EQ(about->systemInfoButton->text(), "ｼｽﾃﾑ情報(&S)...");
}

TEST_F(AboutTest, OkClosesAndTheNextOpeningLoadsAnew) {
    start();
    AboutWindow* first = openAbout();
    first->versionLabel->setText("stale");
    QTest::mouseClick(first->okButton, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form().findChild<AboutWindow*>(), nullptr);
    AboutWindow* second = openAbout();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->versionLabel->text(), "ﾊﾞｰｼﾞｮﾝ 1.0.1");
}

TEST_F(AboutTest, SystemInformationStartsAnInstalledProgramOrSaysItIsUnavailable) {
    start();
    TempDir bin;
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(bin.path().string()));
    AboutWindow* about = openAbout();
    about->startSystemInfo();
    ASSERT_EQ(world().messages.size(), 1u);
    EXPECT_EQ(lastMessageText(), "現時点ではｼｽﾃﾑ情報を使用できません");
    EXPECT_EQ(lastMessageTitle(), "KAVRO34");
    EXPECT_TRUE(about->isVisible()) << "the window stays open";

    writeBytes(bin / "hardinfo", "#!/bin/sh\n");
    std::filesystem::permissions(bin / "hardinfo", std::filesystem::perms::owner_all);
    about->startSystemInfo();
    ASSERT_EQ(world().startedPrograms.size(), 1u);
    EXPECT_TRUE(world().startedPrograms[0].endsWith("/hardinfo"));
    EXPECT_EQ(world().messages.size(), 1u);

    world().startSucceeds = false;
    about->startSystemInfo();
    EXPECT_EQ(world().messages.size(), 2u) << "a failed start is reported too";
    qputenv("PATH", oldPath);
}

} // namespace
} // namespace kavro::test
