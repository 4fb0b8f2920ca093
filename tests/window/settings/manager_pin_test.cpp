#include "sales/manager_pin.h"
#include "support/temp_dir.h"
#include "window/settings/manager_pin_dialog.h"
#include "window/settings/messages.h"
#include "window/settings/pin_guard.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace kavro::test {
namespace {

using namespace std::chrono_literals;

struct FakeSteadyClock {
    std::chrono::steady_clock::time_point now{};
    PinGuard::Clock function() {
        return [this] { return now; };
    }
};

TEST(PinGuard, WaitsAfterEveryThirdWrongPinInARowLongerEachTime) {
    FakeSteadyClock clock;
    PinGuard guard(clock.function());
    const struct {
        int wrong;
        int wait;
    } steps[] = {{1, 0}, {1, 0}, {1, 30}, {1, 0}, {2, 60}, {3, 120}};
    for (const auto& step : steps) {
        clock.now += 10min; // each wait passed before the next try
        for (int i = 0; i < step.wrong; ++i)
            guard.wrongPin();
        EXPECT_EQ(guard.secondsToWait(), step.wait);
    }
    clock.now += 119s;
    EXPECT_EQ(guard.secondsToWait(), 1);
    guard.rightPin();
    EXPECT_EQ(guard.secondsToWait(), 0);
    guard.wrongPin();
    guard.wrongPin();
    EXPECT_EQ(guard.secondsToWait(), 0) << "the right PIN starts the count again";
}

struct ManagerPin : ::testing::Test {
    TempDir dir;
    FakeSteadyClock clock;
    PinGuard guard{clock.function()};
    Messages messages;

    std::unique_ptr<ManagerPinDialog> dialog(ShopSettings settings = {}) {
        auto d =
            std::make_unique<ManagerPinDialog>(dir.path(), settings, guard, messages.function());
        d->show();
        return d;
    }
    static void type(QLineEdit* edit, const char* text) {
        edit->clear();
        QTest::keyClicks(edit, QString::fromLatin1(text));
    }
    bool tryPin(ManagerPinDialog& d, const char* pin, const char* again = nullptr) {
        type(d.findChild<QLineEdit*>(QStringLiteral("pinEdit")), pin);
        if (again)
            type(d.findChild<QLineEdit*>(QStringLiteral("confirmPinEdit")), again);
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("pinOkButton")), Qt::LeftButton);
        return d.result() == QDialog::Accepted;
    }
};

TEST_F(ManagerPin, TheFirstUseSetsItTwiceTypedAndKeepsOnlyTheHashReadableByTheDeskAlone) {
    auto d = dialog();
    ASSERT_TRUE(d->settingPin());
    EXPECT_FALSE(tryPin(*d, "12", "12"));
    EXPECT_TRUE(messages.last().contains(QStringLiteral("4")));
    EXPECT_FALSE(tryPin(*d, "2468", "2486"));
    EXPECT_TRUE(messages.last().contains(QStringLiteral("二度の入力が違います")));
    EXPECT_FALSE(std::filesystem::exists(dir / "kavro-shop.txt"));

    ASSERT_TRUE(tryPin(*d, "2468", "2468"));
    const ShopSettingsParse stored = readShopSettings(dir.path());
    ASSERT_TRUE(stored.errors.empty());
    EXPECT_EQ(stored.settings, d->settings());
    EXPECT_TRUE(verifyPin(stored.settings.pinHash, Pin("2468")));
    EXPECT_EQ(readBytes(dir / "kavro-shop.txt").find("2468"), std::string::npos);
    struct stat st {};
    ASSERT_EQ(::stat((dir / "kavro-shop.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(ManagerPin, ALaterUseAsksForItRefusesAWrongOneAndWaitsAfterThreeInARow) {
    ShopSettings settings;
    settings.name = "ホテル";
    settings.pinHash = *hashPin(Pin("2468"));
    auto d = dialog(settings);
    ASSERT_FALSE(d->settingPin());
    EXPECT_FALSE(tryPin(*d, "1111"));
    EXPECT_EQ(messages.last(), QStringLiteral("暗証番号が違います"));
    EXPECT_TRUE(d->findChild<QLineEdit*>(QStringLiteral("pinEdit"))->text().isEmpty());
    EXPECT_FALSE(tryPin(*d, "1112"));
    EXPECT_FALSE(tryPin(*d, "1113"));
    EXPECT_TRUE(messages.last().contains(QStringLiteral("30 秒")));
    EXPECT_FALSE(tryPin(*d, "2468")) << "not even the right PIN while it waits";
    EXPECT_TRUE(messages.last().contains(QStringLiteral("お待ちください")));
    clock.now += std::chrono::seconds(30);
    EXPECT_TRUE(tryPin(*d, "2468"));
    EXPECT_EQ(d->settings(), settings);
}

} // namespace
} // namespace kavro::test
