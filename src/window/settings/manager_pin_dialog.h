#pragma once
// The manager's PIN in front of 料金設定: the first time it is set (typed twice), later it
// is asked for. Only its hash is kept, in the shop settings (kavro-shop.txt).
#include "sales/shop_settings.h"

#include <QDialog>
#include <filesystem>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kavro {

class PinGuard;

class ManagerPinDialog : public QDialog {
    Q_OBJECT
public:
    using MessageFunction = std::function<void(const QString& title, const QString& text)>;

    // Sets a PIN when `settings` holds none, asks for it otherwise. `settings` are those
    // read from `dir`; a new PIN is written there before the dialog is accepted.
    ManagerPinDialog(std::filesystem::path dir, ShopSettings settings, PinGuard& guard,
                     MessageFunction message, QWidget* parent = nullptr);

    bool settingPin() const { return confirmEdit != nullptr; }
    // The settings as they stand once accepted (with the new PIN's hash when one was set).
    const ShopSettings& settings() const { return settings_; }

    QLineEdit* pinEdit = nullptr;
    QLineEdit* confirmEdit = nullptr; // only while setting
    QPushButton* okButton = nullptr;

private:
    void tryPin();
    void setPin();
    void checkPin();

    std::filesystem::path dir_;
    ShopSettings settings_;
    PinGuard& guard_;
    MessageFunction message_;
};

// Reads the shop settings and lets the manager in: the settings once the PIN is set or
// right, none when it was cancelled or the settings file cannot be read (after a message).
std::optional<ShopSettings> admitManager(const std::filesystem::path& dir, PinGuard& guard,
                                         const ManagerPinDialog::MessageFunction& message,
                                         QWidget* parent);

} // namespace kavro
