#include "charges/rate_store.h"
#include "support/temp_dir.h"
#include "window/settings/day_rates_editor.h"
#include "window/settings/messages.h"
#include "window/settings/rate_problem_text.h"
#include "window/settings/rates_window.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimeEdit>
#include <gtest/gtest.h>

namespace kavro::test {
namespace {

const Date kToday{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{5}};

struct RatesEditing : ::testing::Test {
    TempDir dir;
    Messages messages;
    int saves = 0;
    std::unique_ptr<RatesWindow> window;

    void open(ShopSettings settings = {}) {
        window = std::make_unique<RatesWindow>(dir.path(), settings, kToday, messages.function(),
                                               [this] { ++saves; });
        window->show();
    }
    template <class T> T* find(const char* name) {
        T* w = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    void setCell(int row, int column, const QString& text) {
        find<QTableWidget>("classTable")->item(row, column)->setText(text);
    }
    void choose(const char* box, int index) { find<QComboBox>(box)->setCurrentIndex(index); }
};

TEST_F(RatesEditing, ABookEditedInTheWindowIsSavedWholeAndReadsBackAsItWasEdited) {
    open();
    // Two classes: the new one takes rooms 031-034 from the first.
    setCell(0, 1, QStringLiteral("001-030"));
    click("addClassButton");
    setCell(1, 0, QStringLiteral("スイート"));
    setCell(1, 1, QStringLiteral("031-034"));
    choose("classBox", 0);
    find<QSpinBox>("restFirstPrice")->setValue(3000);
    find<QSpinBox>("restBlockPrice")->setValue(1000);
    find<QGroupBox>("stayGroup")->setChecked(true);
    find<QSpinBox>("stayPrice")->setValue(8000);
    choose("dayTypeBox", 1); // 休前日
    find<QSpinBox>("restFirstPrice")->setValue(3500);
    choose("classBox", 1);
    find<QSpinBox>("restFirstPrice")->setValue(5000);
    find<QGroupBox>("lateGroup")->setChecked(true);
    find<QSpinBox>("lateAmount")->setValue(500);
    // A later table with a higher price, and a day off of the shop's own.
    click("addTableButton");
    find<QDateEdit>("fromDateEdit")->setDate(QDate(2027, 4, 1));
    choose("classBox", 0);
    choose("dayTypeBox", 0);
    find<QSpinBox>("restFirstPrice")->setValue(3300);
    find<QDateEdit>("dayOffEdit")->setDate(QDate(2026, 12, 31));
    click("addDayOffButton");
    find<QLineEdit>("shopNameEdit")->setText(QStringLiteral("ホテル カブロ"));
    find<QLineEdit>("registrationEdit")->setText(QStringLiteral("Ｔ１２３４５６７８９０１２３"));
    click("saveButton");

    ASSERT_TRUE(messages.shown.size() <= 1) << messages.last().toStdString(); // check digit
    EXPECT_EQ(saves, 1);
    const RatesLoad load = loadRates(dir.path());
    ASSERT_TRUE(load.book) << (load.errors.empty() ? "" : load.errors.front());
    EXPECT_EQ(*load.book, window->book());
    const RateBook& book = *load.book;
    ASSERT_EQ(book.tables.size(), 2u);
    EXPECT_EQ(book.shopDaysOff.size(), 1u);
    const RateTable& first = book.tables[0];
    ASSERT_EQ(first.classes.size(), 2u);
    EXPECT_EQ(formatRooms(first.classes[1].rooms), "031-034");
    EXPECT_EQ(first.classes[0].rates[0].rest->firstPrice, 3000);
    EXPECT_EQ(first.classes[0].rates[0].rest->blockPrice, 1000);
    EXPECT_EQ(first.classes[0].rates[0].stay->price, 8000);
    EXPECT_EQ(first.classes[0].rates[1].rest->firstPrice, 3500);
    EXPECT_EQ(first.classes[1].rates[1].rest->firstPrice, 5000);
    EXPECT_EQ(first.classes[1].rates[1].lateNight->amount, 500);
    EXPECT_EQ(book.tables[1].classes[0].rates[0].rest->firstPrice, 3300);
    EXPECT_EQ(book.tables[1].classes[0].rates[1].rest->firstPrice, 3500) << "copied";
    const ShopSettings shop = readShopSettings(dir.path()).settings;
    EXPECT_EQ(shop.name, "ホテル カブロ");
    EXPECT_EQ(shop.registration, "T1234567890123") << "full-width typing counts";

    // Opened again, the window shows what was saved.
    open(shop);
    EXPECT_EQ(window->book(), book);
    EXPECT_EQ(find<QSpinBox>("restFirstPrice")->value(), 3000);
}

// Each bad entry is refused with a message naming its field, and nothing is written.
struct BadEntry {
    const char* name;
    std::function<void(RatesEditing&)> enter;
    const char* named; // in the message
};

struct RatesRefused : RatesEditing, ::testing::WithParamInterface<BadEntry> {};

TEST_P(RatesRefused, NothingIsWritten) {
    open();
    GetParam().enter(*this);
    click("saveButton");
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_TRUE(messages.last().contains(QString::fromUtf8(GetParam().named)))
        << messages.last().toStdString();
    EXPECT_FALSE(std::filesystem::exists(dir / "kavro-rates.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir / "kavro-shop.txt"));
    EXPECT_EQ(saves, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, RatesRefused,
    ::testing::Values(
        BadEntry{"RoomInTwoClasses",
                 [](RatesEditing& t) {
                     t.click("addClassButton");
                     t.setCell(1, 1, QStringLiteral("034"));
                 },
                 "部屋 034 が区分「全室」"},
        BadEntry{"StayEndingInsideItsWindow",
                 [](RatesEditing& t) {
                     t.find<QGroupBox>("stayGroup")->setChecked(true);
                     t.find<QTimeEdit>("stayMorning")->setTime(QTime(21, 0));
                 },
                 "ご宿泊 全室 平日 20:00-02:00 21:00"},
        BadEntry{"LateNightWindowOfNoLength",
                 [](RatesEditing& t) {
                     t.choose("dayTypeBox", 2);
                     t.find<QGroupBox>("lateGroup")->setChecked(true);
                     t.find<QTimeEdit>("lateUntil")->setTime(QTime(22, 0));
                 },
                 "深夜 全室 土日祝"},
        BadEntry{"TwoTablesOfOneDate",
                 [](RatesEditing& t) {
                     t.click("addTableButton");
                     t.find<QDateEdit>("fromDateEdit")->setDate(QDate(2026, 12, 5));
                 },
                 "適用開始日 2026/12/05"},
        BadEntry{"RegistrationNumberShort",
                 [](RatesEditing& t) {
                     t.find<QLineEdit>("registrationEdit")->setText(QStringLiteral("T12345"));
                 },
                 "登録番号"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RatesEditing, ARoomListThatCannotBeReadIsRefusedAtOnceAndTheOldOneKept) {
    open();
    setCell(0, 1, QStringLiteral("001-035"));
    EXPECT_TRUE(messages.last().contains(QStringLiteral("区分「全室」の部屋「001-035」")));
    EXPECT_EQ(find<QTableWidget>("classTable")->item(0, 1)->text(), QStringLiteral("001-034"));
}

TEST_F(RatesEditing, ABadFileIsNotOpenedForEditingSoItIsNotReplacedUnread) {
    writeBytes(dir / "kavro-rates.txt", "kavro-rates 1\n適用開始日 2026/04/01\n税率 十\n");
    open();
    EXPECT_FALSE(window->loaded());
    EXPECT_TRUE(messages.last().contains(QStringLiteral("3 行目")));
    EXPECT_FALSE(find<QPushButton>("saveButton")->isEnabled());
}

TEST(RateProblemInWindow, QuotesTheLineAndItsTable) {
    const std::string file =
        "kavro-rates 1\n適用開始日 2026/04/01\n税率 10\nご休憩 A 平日 60 0 30 0\n";
    EXPECT_EQ(rateProblemInWindow(file, {4, "x"}),
              "適用開始日 2026/04/01 の表の「ご休憩 A 平日 60 0 30 0」: x");
    EXPECT_EQ(rateProblemInWindow(file, {2, "x"}), "「適用開始日 2026/04/01」: x");
    EXPECT_EQ(rateProblemInWindow(file, {0, "x"}), "x");
}

} // namespace
} // namespace kavro::test
