#include "window/account_dialog.h"

#include "window/bill_words.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace kavro {

namespace {

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Whole yen or percent: digits only, at most eight of them.
QLineEdit* amountBox(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setAlignment(Qt::AlignRight);
    box->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,8}")), box));
    return box;
}

QLabel* amountLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

long long number(const QLineEdit* box) { return box->text().toLongLong(); }

constexpr DiscountKind kDiscountKinds[] = {DiscountKind::None, DiscountKind::Fixed,
                                           DiscountKind::Percent};

} // namespace

AccountDialog::AccountDialog(const Checkout& checkout, Record record, QWidget* parent)
    : QDialog(parent), checkout_(checkout), record_(std::move(record)) {
    setObjectName(QStringLiteral("accountDialog"));
    setWindowTitle(QStringLiteral("会計"));
    setModal(true);
    createControls();
    refresh();
}

void AccountDialog::createControls() {
    const SaleInput& d = checkout_.draft;
    auto* form = new QFormLayout;
    form->addRow(
        new QLabel(QStringLiteral("%1号室　%2　%3分　%4名")
                       .arg(QString::number(d.room).rightJustified(3, QLatin1Char('0')), q(d.plan),
                            QString::number(d.minutes), QString::number(d.people)),
                   this));
    for (const BillLine& line : d.lines)
        form->addRow(q(line.name), new QLabel(yenText(line.amount), this));

    discountKindBox = new QComboBox(this);
    discountKindBox->setObjectName(QStringLiteral("discountKindBox"));
    discountKindBox->addItems(
        {QStringLiteral("なし"), QStringLiteral("金額（円）"), QStringLiteral("割合（％）")});
    discountValueBox = amountBox(this, "discountValueBox");
    discountReasonBox = new QLineEdit(this);
    discountReasonBox->setObjectName(QStringLiteral("discountReasonBox"));
    discountReasonBox->setMaxLength(static_cast<int>(kMaxTextCharacters));
    auto* discountRow = new QHBoxLayout;
    discountRow->addWidget(discountKindBox);
    discountRow->addWidget(discountValueBox);
    form->addRow(QStringLiteral("値引き"), discountRow);
    form->addRow(QStringLiteral("値引きの理由"), discountReasonBox);

    totalLabel = amountLabel(this, "totalLabel");
    QFont big = totalLabel->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    totalLabel->setFont(big);
    form->addRow(QStringLiteral("合計"), totalLabel);
    taxLabel = amountLabel(this, "taxLabel");
    form->addRow(QStringLiteral("（内消費税 %1％）").arg(d.taxRatePercent), taxLabel);

    methodBox = new QComboBox(this);
    methodBox->setObjectName(QStringLiteral("methodBox"));
    for (PaymentMethod m : kPaymentMethods)
        methodBox->addItem(q(methodWord(m)));
    form->addRow(QStringLiteral("お支払い方法"), methodBox);
    receivedBox = amountBox(this, "receivedBox");
    form->addRow(QStringLiteral("お預かり"), receivedBox);
    changeLabel = amountLabel(this, "changeLabel");
    form->addRow(QStringLiteral("お釣り"), changeLabel);

    problemLabel = new QLabel(this);
    problemLabel->setObjectName(QStringLiteral("problemLabel"));
    problemLabel->setStyleSheet(QStringLiteral("color: #c00000;"));
    problemLabel->setWordWrap(true);

    confirmButton = new QPushButton(QStringLiteral("確定"), this);
    confirmButton->setObjectName(QStringLiteral("confirmButton"));
    confirmButton->setDefault(true);
    cancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    cancelButton->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(confirmButton);
    buttons->addWidget(cancelButton);

    auto* whole = new QVBoxLayout(this);
    whole->addLayout(form);
    whole->addWidget(problemLabel);
    whole->addLayout(buttons);

    // Top to bottom; the amount received, the usual entry, has the focus first.
    setTabOrder(methodBox, receivedBox);
    setTabOrder(receivedBox, discountKindBox);
    setTabOrder(discountKindBox, discountValueBox);
    setTabOrder(discountValueBox, discountReasonBox);
    setTabOrder(discountReasonBox, confirmButton);
    setTabOrder(confirmButton, cancelButton);
    receivedBox->setFocus();

    connect(confirmButton, &QPushButton::clicked, this, &AccountDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &AccountDialog::reject);
    for (QLineEdit* box : {discountValueBox, discountReasonBox, receivedBox})
        connect(box, &QLineEdit::textChanged, this, &AccountDialog::refresh);
    for (QComboBox* box : {discountKindBox, methodBox})
        connect(box, &QComboBox::currentIndexChanged, this, &AccountDialog::refresh);
}

SaleInput AccountDialog::sale() const {
    SaleInput s = checkout_.draft;
    s.discount.kind = kDiscountKinds[std::max(0, discountKindBox->currentIndex())];
    if (s.discount.kind != DiscountKind::None) {
        s.discount.value = number(discountValueBox);
        s.discount.reason = discountReasonBox->text().trimmed().toStdString();
    }
    s.method = kPaymentMethods[static_cast<std::size_t>(std::max(0, methodBox->currentIndex()))];
    s.received = number(receivedBox);
    return s;
}

void AccountDialog::refresh() {
    const SaleInput s = sale();
    const bool cash = s.method == PaymentMethod::Cash;
    discountValueBox->setEnabled(s.discount.kind != DiscountKind::None);
    discountReasonBox->setEnabled(s.discount.kind != DiscountKind::None);
    receivedBox->setEnabled(cash);
    // The amounts as they stand, whatever is still missing of the payment.
    SaleInput preview = s;
    preview.method = PaymentMethod::CreditCard;
    if (preview.discount.kind != DiscountKind::None && preview.discount.reason.empty())
        preview.discount.reason = "-";
    const PricedSale priced = priceSale(preview);
    if (priced.error) {
        totalLabel->setText(QStringLiteral("－"));
        taxLabel->setText(QStringLiteral("－"));
        changeLabel->setText(QStringLiteral("－"));
        return;
    }
    const SaleAmounts& a = priced.amounts;
    totalLabel->setText(yenText(a.total));
    taxLabel->setText(yenText(a.taxIncluded));
    if (!cash)
        changeLabel->setText(yenText(0));
    else if (receivedBox->text().isEmpty())
        changeLabel->setText(QStringLiteral("－"));
    else if (s.received < a.total)
        changeLabel->setText(QStringLiteral("不足 %1").arg(yenText(a.total - s.received)));
    else
        changeLabel->setText(yenText(s.received - a.total));
    problemLabel->clear();
}

void AccountDialog::refuse(const QString& text, QWidget* field) {
    problemLabel->setText(text);
    if (field)
        field->setFocus();
}

void AccountDialog::accept() {
    const SaleInput s = sale();
    const PricedSale priced = priceSale(s);
    if (priced.error) {
        const QString text = q(*priced.error);
        QWidget* field = text.contains(QStringLiteral("お預かり")) ? receivedBox
                         : text.contains(QStringLiteral("理由"))   ? discountReasonBox
                         : text.contains(QStringLiteral("値引き")) ? discountValueBox
                                                                   : nullptr;
        refuse(text, field);
        return;
    }
    if (auto error = record_(s)) {
        refuse(QStringLiteral("会計を記録できませんでした。\n%1").arg(*error), nullptr);
        return;
    }
    QDialog::accept();
}

} // namespace kavro
