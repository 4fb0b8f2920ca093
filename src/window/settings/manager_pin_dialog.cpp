#include "window/settings/manager_pin_dialog.h"

#include "desk/message_titles.h"
#include "sales/manager_pin.h"
#include "window/settings/pin_guard.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kavro {

namespace {

const QString kTitle = QStringLiteral("暗証番号");

QLineEdit* pinBox(const char* name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(static_cast<int>(kPinMaxDigits) + 1);
    edit->setInputMethodHints(Qt::ImhDigitsOnly | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText);
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    return edit;
}

// The typed PIN as a Pin; the Latin-1 copy it passes through is wiped at once.
struct TypedPin {
    explicit TypedPin(const QLineEdit* edit) : bytes(edit->text().toLatin1()) {}
    ~TypedPin() { bytes.fill('\0'); }
    QByteArray bytes;
    Pin pin{std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))};
};

} // namespace

ManagerPinDialog::ManagerPinDialog(std::filesystem::path dir, ShopSettings settings,
                                   PinGuard& guard, MessageFunction message, QWidget* parent)
    : QDialog(parent), dir_(std::move(dir)), settings_(std::move(settings)), guard_(guard),
      message_(std::move(message)) {
    setObjectName(QStringLiteral("managerPinDialog"));
    setWindowTitle(QStringLiteral("料金設定 - 暗証番号"));
    const bool setting = settings_.pinHash.empty();

    auto* form = new QFormLayout;
    pinEdit = pinBox("pinEdit");
    auto* pinLabel = new QLabel(setting ? QStringLiteral("新しい暗証番号(&P):")
                                        : QStringLiteral("暗証番号(&P):"));
    pinLabel->setBuddy(pinEdit);
    form->addRow(pinLabel, pinEdit);
    if (setting) {
        confirmEdit = pinBox("confirmPinEdit");
        auto* confirmLabel = new QLabel(QStringLiteral("もう一度(&A):"));
        confirmLabel->setBuddy(confirmEdit);
        form->addRow(confirmLabel, confirmEdit);
    }

    auto* buttons = new QDialogButtonBox;
    okButton = buttons->addButton(setting ? QStringLiteral("設定(&S)") : QStringLiteral("開く(&O)"),
                                  QDialogButtonBox::AcceptRole);
    okButton->setObjectName(QStringLiteral("pinOkButton"));
    okButton->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("pinCancelButton"));
    connect(okButton, &QPushButton::clicked, this, &ManagerPinDialog::tryPin);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    auto* lead = new QLabel(
        setting ? QStringLiteral("料金設定を守る暗証番号を決めてください（数字4～8桁）。\n"
                                 "店長だけが知る番号にしてください。")
                : QStringLiteral("料金設定を開くには店長の暗証番号を入力してください。"));
    layout->addWidget(lead);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void ManagerPinDialog::tryPin() {
    if (settingPin())
        setPin();
    else
        checkPin();
}

void ManagerPinDialog::setPin() {
    const TypedPin typed(pinEdit);
    if (const auto problem = typed.pin.ruleProblem()) {
        message_(title::kInputError, QString::fromStdString(*problem));
        return;
    }
    if (pinEdit->text() != confirmEdit->text()) {
        confirmEdit->clear();
        confirmEdit->setFocus();
        message_(title::kInputError,
                 QStringLiteral("二度の入力が違います。もう一度同じ番号を入力してください"));
        return;
    }
    const auto hash = hashPin(typed.pin);
    if (!hash) {
        message_(title::kFileError, QStringLiteral("暗証番号を記録できません（メモリ不足）"));
        return;
    }
    ShopSettings next = settings_;
    next.pinHash = *hash;
    if (const auto refused = writeShopSettings(dir_, next)) {
        message_(title::kFileError, QString::fromStdString(*refused));
        return;
    }
    settings_ = std::move(next);
    accept();
}

void ManagerPinDialog::checkPin() {
    if (const int wait = guard_.secondsToWait()) {
        message_(
            kTitle,
            QStringLiteral("暗証番号を続けて間違えたため、あと %1 秒お待ちください").arg(wait));
        return;
    }
    const bool right = verifyPin(settings_.pinHash, TypedPin(pinEdit).pin);
    pinEdit->clear();
    if (right) {
        guard_.rightPin();
        accept();
        return;
    }
    guard_.wrongPin();
    pinEdit->setFocus();
    QString text = QStringLiteral("暗証番号が違います");
    if (const int wait = guard_.secondsToWait())
        text += QStringLiteral("。続けて間違えたため、%1 秒たってから入力してください").arg(wait);
    message_(kTitle, text);
}

std::optional<ShopSettings> admitManager(const std::filesystem::path& dir, PinGuard& guard,
                                         const ManagerPinDialog::MessageFunction& message,
                                         QWidget* parent) {
    const ShopSettingsParse read = readShopSettings(dir);
    if (!read.errors.empty()) {
        QString text = QStringLiteral("店の設定ファイル（kavro-shop.txt）を読み込めません");
        for (const std::string& e : read.errors)
            text += QStringLiteral("\r\n") + QString::fromStdString(e);
        message(title::kFileError, text);
        return std::nullopt;
    }
    ManagerPinDialog dialog(dir, read.settings, guard, message, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.settings();
}

} // namespace kavro
