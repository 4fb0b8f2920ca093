#include "window/settings/rates_window.h"

#include "charges/rate_check.h"
#include "charges/rate_store.h"
#include "desk/message_titles.h"
#include "sales/registration_number.h"
#include "window/qt_date.h"
#include "window/settings/day_rates_editor.h"
#include "window/settings/dialog_parts.h"
#include "window/settings/rate_problem_text.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace kavro {

namespace {

const QString kTitle = QStringLiteral("料金設定");
constexpr TaxRounding kRoundings[] = {TaxRounding::Down, TaxRounding::HalfUp, TaxRounding::Up};

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QDateEdit* dateBox(const char* name) {
    auto* box = new QDateEdit;
    box->setObjectName(QString::fromLatin1(name));
    box->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    box->setCalendarPopup(true);
    return box;
}

// Every room in one class, each day type priced by a rest with no price yet: a book that
// passes its checks, for the manager to fill in.
RateBook firstBook(Date from) {
    RoomClass all;
    all.name = "全室";
    all.rooms.set();
    for (DayRates& r : all.rates)
        r.rest = RestPlan{60, 0, 30, 0, {}};
    RateTable table;
    table.from = from;
    table.taxPercent = 10;
    table.classes.push_back(all);
    return RateBook{{}, {table}};
}

} // namespace

RatesWindow::RatesWindow(std::filesystem::path dir, ShopSettings settings, Date today,
                         MessageFunction message, std::function<void()> saved, QWidget* parent)
    : QDialog(parent), dir_(std::move(dir)), settings_(std::move(settings)), today_(today),
      message_(std::move(message)), saved_(std::move(saved)) {
    setObjectName(QStringLiteral("ratesWindow"));
    setWindowTitle(kTitle);

    const RatesLoad load = loadRates(dir_);
    if (load.book)
        book_ = *load.book;
    else if (!load.exists)
        book_ = firstBook(today_);
    else {
        // A file the desk cannot read is not replaced by an editor that did not read it
        // either: the manager corrects the line named, or removes the file to start again.
        loaded_ = false;
        book_ = firstBook(today_);
        QString text = QStringLiteral("料金表（kavro-rates.txt）に誤りがあるため開けません");
        for (const std::string& e : load.errors)
            text += QStringLiteral("\r\n") + QString::fromStdString(e);
        message_(title::kFileError, text);
    }

    tableBox = new QComboBox;
    tableBox->setObjectName(QStringLiteral("tableBox"));
    addTableButton = plainButton(QStringLiteral("新しい表(&N)"), "addTableButton");
    removeTableButton = plainButton(QStringLiteral("表を削除(&D)"), "removeTableButton");
    auto* tableRow = new QHBoxLayout;
    tableRow->addWidget(buddyLabel(QStringLiteral("料金表(&B):"), tableBox));
    tableRow->addWidget(tableBox, 1);
    tableRow->addWidget(addTableButton);
    tableRow->addWidget(removeTableButton);

    tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("ratesTabs"));
    tabs->addTab(pricesTab(), QStringLiteral("料金(&1)"));
    tabs->addTab(classesTab(), QStringLiteral("部屋区分(&2)"));
    tabs->addTab(daysOffTab(), QStringLiteral("店休日(&3)"));
    tabs->addTab(shopTab(), QStringLiteral("店の情報(&4)"));

    savedLabel = new QLabel;
    savedLabel->setObjectName(QStringLiteral("savedLabel"));
    saveButton = plainButton(QStringLiteral("保存(&S)"), "saveButton");
    closeButton = plainButton(QStringLiteral("閉じる"), "closeButton");
    saveButton->setEnabled(loaded_);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(savedLabel, 1);
    bottom->addWidget(saveButton);
    bottom->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tableRow);
    layout->addWidget(tabs);
    layout->addLayout(bottom);

    connect(tableBox, &QComboBox::activated, this, [this](int i) { showTable(i); });
    connect(addTableButton, &QPushButton::clicked, this, &RatesWindow::addTable);
    connect(removeTableButton, &QPushButton::clicked, this, &RatesWindow::removeTable);
    connect(saveButton, &QPushButton::clicked, this, &RatesWindow::save);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    listTables();
    listDaysOff();
    showTable(0);
}

QWidget* RatesWindow::pricesTab() {
    auto* page = new QWidget;
    fromEdit = dateBox("fromDateEdit");
    taxSpin = new QSpinBox;
    taxSpin->setObjectName(QStringLiteral("taxSpin"));
    taxSpin->setRange(0, 100);
    taxSpin->setSuffix(QStringLiteral(" %"));
    roundingBox = new QComboBox;
    roundingBox->setObjectName(QStringLiteral("roundingBox"));
    for (TaxRounding r : kRoundings)
        roundingBox->addItem(text(roundingName(r)));
    classBox = new QComboBox;
    classBox->setObjectName(QStringLiteral("classBox"));
    dayTypeBox = new QComboBox;
    dayTypeBox->setObjectName(QStringLiteral("dayTypeBox"));
    for (DayType t : kDayTypes)
        dayTypeBox->addItem(text(dayTypeName(t)));
    ratesEditor = new DayRatesEditor;

    auto* head = new QHBoxLayout;
    const std::pair<QString, QWidget*> fields[] = {
        {QStringLiteral("適用開始日(&F):"), fromEdit}, {QStringLiteral("税率(&T):"), taxSpin},
        {QStringLiteral("端数(&U):"), roundingBox},    {QStringLiteral("区分(&C):"), classBox},
        {QStringLiteral("曜日(&W):"), dayTypeBox},
    };
    for (const auto& [caption, field] : fields) {
        head->addWidget(buddyLabel(caption, field));
        head->addWidget(field);
    }
    head->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(head);
    layout->addWidget(new QLabel(QStringLiteral(
        "料金は税込です。休前日は休日の前の日、土日祝は土曜・日曜・祝日と店休日の料金です。")));
    layout->addWidget(ratesEditor);
    layout->addStretch();

    connect(fromEdit, &QDateEdit::dateChanged, this, [this](const QDate& d) {
        if (listing_)
            return;
        table().from = fromQDate(d);
        tableBox->setItemText(shownTable_, fromEdit->text() + QStringLiteral(" から"));
    });
    connect(taxSpin, &QSpinBox::valueChanged, this, [this](int v) {
        if (!listing_)
            table().taxPercent = v;
    });
    connect(roundingBox, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!listing_ && i >= 0)
            table().rounding = kRoundings[i];
    });
    connect(classBox, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!listing_)
            showRatesOf(i, shownDayType_);
    });
    connect(dayTypeBox, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!listing_)
            showRatesOf(shownClass_, i);
    });
    return page;
}

QWidget* RatesWindow::classesTab() {
    auto* page = new QWidget;
    classTable = new QTableWidget(0, 2);
    classTable->setObjectName(QStringLiteral("classTable"));
    classTable->setHorizontalHeaderLabels({QStringLiteral("区分名"), QStringLiteral("部屋")});
    classTable->horizontalHeader()->setStretchLastSection(true);
    classTable->setColumnWidth(0, 160);
    classTable->setTabKeyNavigation(false);
    addClassButton = plainButton(QStringLiteral("区分を追加(&A)"), "addClassButton");
    removeClassButton = plainButton(QStringLiteral("区分を削除(&E)"), "removeClassButton");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(addClassButton);
    buttons->addWidget(removeClassButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral(
        "部屋は番号と範囲をカンマで区切って入力します（例 001-010,012）。F2 キーで編集します。")));
    layout->addWidget(classTable);
    layout->addLayout(buttons);
    connect(classTable, &QTableWidget::cellChanged, this, &RatesWindow::classEdited);
    connect(addClassButton, &QPushButton::clicked, this, &RatesWindow::addClass);
    connect(removeClassButton, &QPushButton::clicked, this, &RatesWindow::removeClass);
    return page;
}

QWidget* RatesWindow::daysOffTab() {
    auto* page = new QWidget;
    daysOffList = new QListWidget;
    daysOffList->setObjectName(QStringLiteral("daysOffList"));
    dayOffEdit = dateBox("dayOffEdit");
    dayOffEdit->setDate(toQDate(today_));
    addDayOffButton = plainButton(QStringLiteral("追加(&A)"), "addDayOffButton");
    removeDayOffButton = plainButton(QStringLiteral("削除(&E)"), "removeDayOffButton");
    auto* row = new QHBoxLayout;
    row->addWidget(buddyLabel(QStringLiteral("日付(&G):"), dayOffEdit));
    row->addWidget(dayOffEdit);
    row->addWidget(addDayOffButton);
    row->addWidget(removeDayOffButton);
    row->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral(
        "店休日は土日祝の料金になります。祝日と振替休日は自動で入るため、入力は不要です。")));
    layout->addLayout(row);
    layout->addWidget(daysOffList);
    connect(addDayOffButton, &QPushButton::clicked, this, &RatesWindow::addDayOff);
    connect(removeDayOffButton, &QPushButton::clicked, this, &RatesWindow::removeDayOff);
    return page;
}

QWidget* RatesWindow::shopTab() {
    auto* page = new QWidget;
    shopNameEdit = new QLineEdit(QString::fromStdString(settings_.name));
    shopNameEdit->setObjectName(QStringLiteral("shopNameEdit"));
    shopNameEdit->setMaxLength(40);
    registrationEdit = new QLineEdit(QString::fromStdString(settings_.registration));
    registrationEdit->setObjectName(QStringLiteral("registrationEdit"));
    registrationEdit->setPlaceholderText(QStringLiteral("T1234567890123"));
    registrationEdit->setMaxLength(20);
    auto* form = new QFormLayout(page);
    form->addRow(buddyLabel(QStringLiteral("店名(&M):"), shopNameEdit), shopNameEdit);
    form->addRow(buddyLabel(QStringLiteral("登録番号(&I):"), registrationEdit), registrationEdit);
    form->addRow(new QLabel(QStringLiteral(
        "登録番号は適格請求書発行事業者の番号（T と13桁の数字）です。領収書に印刷されます。")));
    return page;
}

void RatesWindow::keepShownRates() {
    if (shownClass_ >= 0 && static_cast<std::size_t>(shownClass_) < table().classes.size())
        table()
            .classes[static_cast<std::size_t>(shownClass_)]
            .rates[static_cast<std::size_t>(shownDayType_)] = ratesEditor->value();
}

void RatesWindow::showRatesOf(int classIndex, int dayType) {
    keepShownRates();
    shownClass_ = classIndex;
    shownDayType_ = std::max(dayType, 0);
    const bool any =
        classIndex >= 0 && static_cast<std::size_t>(classIndex) < table().classes.size();
    ratesEditor->setEnabled(any);
    if (any)
        ratesEditor->showRates(table()
                                   .classes[static_cast<std::size_t>(classIndex)]
                                   .rates[static_cast<std::size_t>(shownDayType_)]);
}

void RatesWindow::showTable(int index) {
    keepShownRates();
    shownTable_ = std::clamp(index, 0, static_cast<int>(book_.tables.size()) - 1);
    shownClass_ = -1;
    listing_ = true;
    tableBox->setCurrentIndex(shownTable_);
    fromEdit->setDate(toQDate(table().from));
    taxSpin->setValue(table().taxPercent);
    roundingBox->setCurrentIndex(
        static_cast<int>(std::find(std::begin(kRoundings), std::end(kRoundings), table().rounding) -
                         std::begin(kRoundings)));
    listing_ = false;
    listClasses();
    removeTableButton->setEnabled(book_.tables.size() > 1);
}

void RatesWindow::listTables() {
    listing_ = true;
    tableBox->clear();
    for (const RateTable& t : book_.tables)
        tableBox->addItem(QString::fromStdString(formatDate(t.from)) + QStringLiteral(" から"));
    listing_ = false;
}

void RatesWindow::listClasses() {
    listing_ = true;
    classBox->clear();
    classTable->setRowCount(0);
    for (const RoomClass& c : table().classes) {
        classBox->addItem(QString::fromStdString(c.name));
        const int row = classTable->rowCount();
        classTable->insertRow(row);
        classTable->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(c.name)));
        classTable->setItem(row, 1,
                            new QTableWidgetItem(QString::fromStdString(formatRooms(c.rooms))));
    }
    const int shown = table().classes.empty() ? -1 : std::max(shownClass_, 0);
    classBox->setCurrentIndex(shown);
    listing_ = false;
    shownClass_ = -1; // nothing shown to keep: the editor is filled afresh
    showRatesOf(shown, dayTypeBox->currentIndex());
    removeClassButton->setEnabled(!table().classes.empty());
}

void RatesWindow::listDaysOff() {
    daysOffList->clear();
    for (Date d : book_.shopDaysOff)
        daysOffList->addItem(QString::fromStdString(formatDate(d)));
}

void RatesWindow::addTable() {
    keepShownRates();
    RateTable next = book_.tables.back();
    next.from = std::max(today_, addDays(next.from, 1));
    book_.tables.push_back(next);
    listTables();
    showTable(static_cast<int>(book_.tables.size()) - 1);
    fromEdit->setFocus();
}

void RatesWindow::removeTable() {
    if (book_.tables.size() < 2)
        return;
    shownClass_ = -1;
    book_.tables.erase(book_.tables.begin() + shownTable_);
    listTables();
    showTable(std::min(shownTable_, static_cast<int>(book_.tables.size()) - 1));
}

void RatesWindow::addClass() {
    keepShownRates();
    RoomClass c;
    c.name = "区分" + std::to_string(table().classes.size() + 1);
    for (DayRates& r : c.rates)
        r.rest = RestPlan{60, 0, 30, 0, {}};
    table().classes.push_back(c);
    shownClass_ = static_cast<int>(table().classes.size()) - 1;
    listClasses();
    classTable->setCurrentCell(shownClass_, 0);
    classTable->setFocus();
}

void RatesWindow::removeClass() {
    // The row chosen in the list, else the class whose prices are shown.
    const int row = classTable->currentRow() >= 0 ? classTable->currentRow() : shownClass_;
    if (row < 0 || static_cast<std::size_t>(row) >= table().classes.size())
        return;
    keepShownRates();
    table().classes.erase(table().classes.begin() + row);
    shownClass_ = std::max(0, row - 1);
    listClasses();
}

void RatesWindow::classEdited(int row, int column) {
    if (listing_ || row < 0 || static_cast<std::size_t>(row) >= table().classes.size())
        return;
    RoomClass& c = table().classes[static_cast<std::size_t>(row)];
    const QString typed = classTable->item(row, column)->text().trimmed();
    if (column == 0) {
        c.name = typed.toStdString();
        classBox->setItemText(row, typed);
        return;
    }
    std::string badRoom;
    const auto rooms =
        parseRooms(typed.normalized(QString::NormalizationForm_KC).toStdString(), badRoom);
    if (rooms) {
        c.rooms = *rooms;
        return;
    }
    listing_ = true;
    classTable->item(row, column)->setText(QString::fromStdString(formatRooms(c.rooms)));
    listing_ = false;
    message_(title::kInputError,
             QStringLiteral("区分「%1」の部屋「%2」が正しくありません。")
                     .arg(QString::fromStdString(c.name), typed) +
                 (badRoom.empty() ? QStringLiteral("例のように入力してください（例 001-010,012）")
                                  : QStringLiteral("部屋は 001 から 034 までです")));
}

void RatesWindow::addDayOff() {
    book_.shopDaysOff.insert(fromQDate(dayOffEdit->date()));
    listDaysOff();
}

void RatesWindow::removeDayOff() {
    const QListWidgetItem* item = daysOffList->currentItem();
    if (!item)
        return;
    const int row = daysOffList->row(item);
    book_.shopDaysOff.erase(std::next(book_.shopDaysOff.begin(), row));
    listDaysOff();
    daysOffList->setCurrentRow(std::min(row, daysOffList->count() - 1));
}

std::optional<QString> RatesWindow::shopProblem(ShopSettings& next) const {
    next.name = shopNameEdit->text().trimmed().toStdString();
    // Full-width letters and digits typed through the input method count as plain ones.
    next.registration = registrationEdit->text()
                            .trimmed()
                            .normalized(QString::NormalizationForm_KC)
                            .toUpper()
                            .toStdString();
    if (!next.registration.empty() &&
        checkRegistrationNumber(next.registration) == RegistrationCheck::BadForm)
        return QStringLiteral("登録番号は T に続く13桁の数字です");
    const ShopSettingsParse back = parseShopSettings(renderShopSettings(next));
    if (!back.errors.empty()) {
        const std::string& e = back.errors.front();
        return QString::fromStdString(e.substr(e.find(' ') + 1));
    }
    return std::nullopt;
}

std::optional<QString> RatesWindow::bookProblem() const {
    const std::string file = serializeRateBook(book_);
    RateFileParse back = parseRateFile(file);
    std::vector<RateProblem> problems = std::move(back.problems);
    if (problems.empty())
        problems = checkRateBook(back.book);
    if (problems.empty())
        return std::nullopt;
    QString out = QStringLiteral("料金表に誤りがあるため保存しません");
    for (const RateProblem& p : problems)
        out += QStringLiteral("\r\n") + QString::fromStdString(rateProblemInWindow(file, p));
    return out;
}

bool RatesWindow::save() {
    if (!loaded_)
        return false;
    // Tables are kept in date order, whatever order the manager added them in.
    keepShownRates();
    const RateTable shown = table();
    std::stable_sort(book_.tables.begin(), book_.tables.end(),
                     [](const RateTable& a, const RateTable& b) { return a.from < b.from; });
    shownClass_ = -1;
    listTables();
    showTable(static_cast<int>(std::find(book_.tables.begin(), book_.tables.end(), shown) -
                               book_.tables.begin()));

    ShopSettings next = settings_;
    if (auto problem = shopProblem(next)) {
        tabs->setCurrentIndex(3);
        message_(title::kInputError, *problem);
        return false;
    }
    if (auto problem = bookProblem()) {
        message_(title::kInputError, *problem);
        return false;
    }
    const std::vector<std::string> refused = saveRates(dir_, book_);
    if (!refused.empty()) {
        message_(title::kFileError, QString::fromStdString(refused.front()));
        return false;
    }
    if (next != settings_) {
        if (auto failed = writeShopSettings(dir_, next)) {
            message_(title::kFileError,
                     QStringLiteral("料金表は保存しましたが、店の情報を保存できません\r\n") +
                         QString::fromStdString(*failed));
            if (saved_)
                saved_();
            return false;
        }
        settings_ = next;
    }
    savedLabel->setText(QStringLiteral("保存しました"));
    if (saved_)
        saved_();
    if (!settings_.registration.empty() &&
        checkRegistrationNumber(settings_.registration) == RegistrationCheck::CheckDigitDiffers)
        message_(kTitle,
                 QStringLiteral("登録番号の先頭の数字が法人番号の検査用数字と合いません。"
                                "番号を確かめてください（個人事業者の番号なら問題ありません）"));
    return true;
}

} // namespace kavro
