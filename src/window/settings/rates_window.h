#pragma once
// 料金設定: the rate book (room classes, the prices of each class by day type, the shop's
// own days off, the tables over time with their tax rate) and the shop's name and
// registration number, edited together and saved together. Nothing is written until the
// whole book and the settings pass their checks; a problem is shown naming its field.
#include "charges/rate_table.h"
#include "sales/shop_settings.h"

#include <QDialog>
#include <filesystem>
#include <functional>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTabWidget;

namespace kavro {

class DayRatesEditor;

class RatesWindow : public QDialog {
    Q_OBJECT
public:
    using MessageFunction = std::function<void(const QString& title, const QString& text)>;

    // Edits the rate file in `dir` (a new book from `today` when there is none yet) and the
    // shop `settings` read from there. `saved` runs after each successful save, so that the
    // desk prices from the new book.
    RatesWindow(std::filesystem::path dir, ShopSettings settings, Date today,
                MessageFunction message, std::function<void()> saved, QWidget* parent = nullptr);

    // False, after a message naming the field, when the file was bad or is not written.
    bool loaded() const { return loaded_; }
    bool save();
    const RateBook& book() const { return book_; }

    QComboBox* tableBox;
    QPushButton *addTableButton, *removeTableButton;
    QTabWidget* tabs;
    QDateEdit* fromEdit;
    QSpinBox* taxSpin;
    QComboBox* roundingBox;
    QComboBox* classBox;
    QComboBox* dayTypeBox;
    DayRatesEditor* ratesEditor;
    QTableWidget* classTable;
    QPushButton *addClassButton, *removeClassButton;
    QListWidget* daysOffList;
    QDateEdit* dayOffEdit;
    QPushButton *addDayOffButton, *removeDayOffButton;
    QLineEdit* shopNameEdit;
    QLineEdit* registrationEdit;
    QPushButton *saveButton, *closeButton;
    QLabel* savedLabel;

private:
    QWidget* pricesTab();
    QWidget* classesTab();
    QWidget* daysOffTab();
    QWidget* shopTab();

    RateTable& table() { return book_.tables[shownTable_]; }
    // Keeps what the editors show in book_; the shown table, class and day type change only
    // through these.
    void keepShownRates();
    void showTable(int index);
    void showRatesOf(int classIndex, int dayType);
    void listTables();
    void listClasses();
    void listDaysOff();

    void addTable();
    void removeTable();
    void addClass();
    void removeClass();
    void classEdited(int row, int column);
    void addDayOff();
    void removeDayOff();
    std::optional<QString> shopProblem(ShopSettings& next) const;
    std::optional<QString> bookProblem() const;

    std::filesystem::path dir_;
    ShopSettings settings_;
    Date today_;
    MessageFunction message_;
    std::function<void()> saved_;
    RateBook book_;
    bool loaded_ = true;
    int shownTable_ = 0, shownClass_ = -1, shownDayType_ = 0; // no class shown yet
    bool listing_ = false; // the lists are being filled, not edited
};

} // namespace kavro
