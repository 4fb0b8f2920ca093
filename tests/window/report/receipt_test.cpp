// The receipt as a PDF, read back with pdftotext: what makes it a simplified qualified
// invoice is on it, on every paper the shop can choose.
#include "support/temp_dir.h"
#include "window/receipt_document.h"
#include "window/report/poppler_output.h"

#include <QPdfWriter>
#include <QRegularExpression>

namespace kavro::test {
namespace {

StoredSale aSale() {
    StoredSale s;
    s.receiptNo = 42;
    s.input.soldAt = makeDateTime(
        Date{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{5}}, 21, 35, 0);
    s.input.bookingDate = dateOf(s.input.soldAt);
    s.input.bookingId = "003100702";
    s.input.room = 3;
    s.input.minutes = 120;
    s.input.people = 2;
    s.input.plan = "ご休憩";
    s.input.lines = {{"基本料金", 3000}, {"延長", 2000}};
    s.input.discount = {DiscountKind::Percent, 10, "会員"};
    s.input.received = 10000;
    s.amounts = priceSale(s.input).amounts;
    return s;
}

struct Paper {
    ReceiptPaper paper;
    const char* size; // pdfinfo's page size, in points
};

class Receipt : public ::testing::TestWithParam<Paper> {};

TEST_P(Receipt, CarriesTheRegistrationTheTotalTheTaxAndTheNumber) {
    TempDir dir;
    const QString pdf = QString::fromStdString((dir.path() / "receipt.pdf").string());
    ShopSettings shop;
    shop.name = "ホテル テスト";
    shop.registration = "T1234567890123";
    shop.paper = GetParam().paper;
    QPdfWriter writer(pdf);
    setReceiptPage(writer, shop.paper);
    ASSERT_TRUE(paintReceipt(writer, aSale(), shop, true));

    const QString text = popplerOutput("pdftotext", {"-enc", "UTF-8", pdf, "-"});
    for (const char* expected : {"領収書（再発行）", "ホテル テスト", "登録番号 T1234567890123",
                                 "2026/12/05 21:35", "No. 000042", "4,500円", "10%対象",
                                 "内消費税（10%）", "409円", "値引き（会員）", "お釣り", "5,500円"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                                << text.toStdString();
    const QString info = popplerOutput("pdfinfo", {pdf});
    EXPECT_TRUE(
        info.contains(QRegularExpression(QStringLiteral("Page size:\\s+%1").arg(GetParam().size))))
        << info.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Papers, Receipt,
                         ::testing::Values(Paper{ReceiptPaper::A5, "4(19|20)[.0-9]* x 595"},
                                           Paper{ReceiptPaper::A4, "595[.0-9]* x 84[12]"},
                                           Paper{ReceiptPaper::Roll58, "16[45][.0-9]* x 425"},
                                           Paper{ReceiptPaper::Roll80, "22[67][.0-9]* x 425"}));

} // namespace
} // namespace kavro::test
