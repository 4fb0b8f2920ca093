#pragma once
// 会計: the window that follows a stored 精算 when the shop has prices. It shows the party's
// bill in its parts, takes the payment (method, amount received) and an optional discount
// with its reason, and shows the total, the tax it includes and the change. 確定 (Enter)
// hands the sale to be recorded and closes only once it is; キャンセル (Esc) closes without a
// sale, and the party stays 未会計.
#include "desk/party_bill.h"

#include <QDialog>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kavro {

class AccountDialog : public QDialog {
    Q_OBJECT

public:
    // Records the sale; the reason (Japanese) when it was not recorded.
    using Record = std::function<std::optional<QString>(const SaleInput&)>;
    AccountDialog(const Checkout& checkout, Record record, QWidget* parent = nullptr);

    // The sale as the fields hold it now.
    SaleInput sale() const;

public slots:
    void accept() override; // 確定

private:
    void createControls();
    // The total, tax and change after every change of a field.
    void refresh();
    void refuse(const QString& text, QWidget* field);

    Checkout checkout_;
    Record record_;

    // member             objectName          caption / what it holds
    // discountKindBox    discountKindBox     値引き: なし, 金額（円）, 割合（％）
    // discountValueBox   discountValueBox    its yen or percent
    // discountReasonBox  discountReasonBox   理由
    // totalLabel         totalLabel          合計
    // taxLabel           taxLabel            内消費税
    // methodBox          methodBox           お支払い方法
    // receivedBox        receivedBox         お預かり (cash)
    // changeLabel        changeLabel         お釣り
    // problemLabel       problemLabel        why 確定 was refused
    // confirmButton      confirmButton       確定
    // cancelButton       cancelButton        キャンセル
    QComboBox* discountKindBox = nullptr;
    QLineEdit* discountValueBox = nullptr;
    QLineEdit* discountReasonBox = nullptr;
    QLabel* totalLabel = nullptr;
    QLabel* taxLabel = nullptr;
    QComboBox* methodBox = nullptr;
    QLineEdit* receivedBox = nullptr;
    QLabel* changeLabel = nullptr;
    QLabel* problemLabel = nullptr;
    QPushButton* confirmButton = nullptr;
    QPushButton* cancelButton = nullptr;
};

} // namespace kavro
