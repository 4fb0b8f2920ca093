#include "window/entry_panel.h"

#include "core/screen/booking_list_line.h"
#include "window/design_layout.h"
#include "window/desk_keys.h"
#include "window/id_label_fit.h"
#include "window/input_method_off.h"
#include "window/name_box_notice.h"
#include "window/qt_date.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

namespace kavro {

namespace {

// What the panel shows when nothing is being entered.
const QString kDefaultPeople = QStringLiteral("2");
const QString kDefaultUnit = QStringLiteral("1");
// The longest name that can be typed into the name box.
constexpr int kNameMaxLength = 5;

QString q(const std::string& s) { return QString::fromStdString(s); }
std::string text(const QComboBox* c) { return c->currentText().toStdString(); }
std::string text(const QLineEdit* e) { return e->text().toStdString(); }

} // namespace

EntryPanel::EntryPanel(QWidget* window) : QFrame(window) {
    createControls();
    connectControls();
    createKeyboardFlow();
}

void EntryPanel::createControls() {
    setObjectName(QStringLiteral("Frame1"));
    place(this, 120, 0, 11535, 1935);
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    setMouseTracking(true);
    datePicker = make<QDateEdit>(this, "DTPicker1", 120, 240, 2295, 375);
    datePicker->setCalendarPopup(true);
    // Typing a date digit by digit passes through other dates; only the finished one counts.
    datePicker->setKeyboardTracking(false);
    datePicker->setDisplayFormat(QStringLiteral("yyyy'年'M'月'd'日'"));
    datePicker->setFont(designFont(kPanelFont, 11.25));
    label(this, "Label21", "ID", 2520, 240, 255, 255);
    selectedIdLabel = label(this, "Label11", "", 2520, 480, 975, 255);
    fitDigitsToLabel(selectedIdLabel, 9);
    checkInButton = button(this, "Command1", "利用", 3600, 240, 735, 375);
    extendButton = button(this, "Command2", "延長", 4440, 240, 735, 375);
    notifyButton = button(this, "Command3", "通知", 5280, 240, 735, 375);
    notifyButton->setToolTip(QStringLiteral("10分前コールのした後"));
    settleButton = button(this, "Command4", "清算", 6120, 240, 735, 375);
    reserveButton = button(this, "Command6", "予約", 6960, 240, 735, 375);
    inputExtensionButton = button(this, "Command14", "入力", 7800, 240, 735, 375);
    modifyButton = button(this, "Command5", "修正", 8640, 240, 735, 375);
    cancelButton = button(this, "Command10", "キャンセル", 9480, 240, 1215, 375);
    deleteButton = button(this, "Command8", "削除", 10800, 240, 615, 375);
    label(this, "Label12", "人数", 240, 720, 495, 255);
    label(this, "Label13", "開始時間", 1200, 720, 975, 255);
    label(this, "Label16", "単位", 2280, 720, 735, 255);
    label(this, "Label17", "終了時間", 3240, 720, 975, 255);
    label(this, "Label18", "区分", 4440, 720, 615, 255);
    peopleBox = combo(this, "Combo1", 120, 960, 855);
    startEdit = make<QLineEdit>(this, "Text1", 1080, 960, 1095, 375);
    unitBox = combo(this, "Combo2", 2280, 960, 735);
    endEdit = make<QLineEdit>(this, "Text2", 3120, 960, 1095, 375);
    roomBox = combo(this, "Combo3", 4320, 960, 1215);
    nameCaption = label(this, "Label19", "名前　　　　　　　　（5文字まで)", 120, 1320, 1575, 495);
    nameCaption->setWordWrap(true);
    nameCaption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    nameEdit = make<QLineEdit>(this, "Text3", 1560, 1440, 1815, 375);
    nameEdit->setMaxLength(kNameMaxLength);
    for (QWidget* box : {static_cast<QWidget*>(peopleBox), static_cast<QWidget*>(startEdit),
                         static_cast<QWidget*>(unitBox), static_cast<QWidget*>(endEdit),
                         static_cast<QWidget*>(roomBox)})
        keepInputMethodOff(box);
    nameEdit->setAttribute(Qt::WA_InputMethodEnabled, true); // names are Japanese
    label(this, "Label20", "状態", 3720, 1440, 495, 255);
    statusBox = combo(this, "Combo4", 4320, 1440, 1215);
    label(this, "Label5", "ID                  開始　 単位 　終了　人数 Ｎｏ． 名前　　     状態",
          5670, 735, 5685, 225);
    bookingList = make<QListWidget>(this, "List1", 5640, 945, 5775, 960);

    // Tab order of the entry fields
    setTabOrder(peopleBox, startEdit);
    setTabOrder(startEdit, unitBox);
    setTabOrder(unitBox, endEdit);
    setTabOrder(endEdit, roomBox);
    setTabOrder(roomBox, nameEdit);
}

void EntryPanel::connectControls() {
    const std::pair<QPushButton*, void (EntryPanel::*)()> clicks[] = {
        {checkInButton, &EntryPanel::checkInRequested},
        {extendButton, &EntryPanel::extendRequested},
        {notifyButton, &EntryPanel::notifyRequested},
        {settleButton, &EntryPanel::settleRequested},
        {modifyButton, &EntryPanel::modifyRequested},
        {reserveButton, &EntryPanel::reserveRequested},
        {deleteButton, &EntryPanel::deleteRequested},
        {cancelButton, &EntryPanel::cancelRequested},
        {inputExtensionButton, &EntryPanel::inputRequested},
    };
    for (const auto& [button, request] : clicks)
        connect(button, &QPushButton::clicked, this, request);
    connect(datePicker, &QDateEdit::dateChanged, this,
            [this](QDate d) { emit dateChosen(fromQDate(d)); });
    connect(bookingList, &QListWidget::itemClicked, this, [this] {
        if (const QListWidgetItem* item = bookingList->currentItem())
            emit listedBookingChosen(item->text().left(9).toStdString());
    });

    // The edit handlers run on every text change, typed or assigned by the program: the
    // end time follows the start and the unit whichever way they changed.
    connect(peopleBox, &QComboBox::editTextChanged, this, [this] { startEdit->setFocus(); });
    connect(unitBox, &QComboBox::editTextChanged, this, [this] { unitEdited(); });
    connect(unitBox, &QComboBox::activated, this, [this] { unitEdited(); });
    connect(startEdit, &QLineEdit::textChanged, this, [this] { startEdited(); });
    connect(endEdit, &QLineEdit::textChanged, this, [this] { endEdited(); });
    connect(nameEdit, &QLineEdit::textChanged, this, [this] { nameEdited(); });

    for (QObject* o : std::initializer_list<QObject*>{peopleBox, peopleBox->lineEdit(), startEdit,
                                                      unitBox, unitBox->lineEdit(), endEdit,
                                                      roomBox, roomBox->lineEdit()})
        o->installEventFilter(this);
}

void EntryPanel::createKeyboardFlow() {
    // The panel's fields in the order a booking is filled in, then its operations by where
    // they stand, each with the function key of its place (キャンセル's is Esc). The primaries
    // are what Enter in the name box carries out.
    installDeskKeys({{peopleBox, startEdit, unitBox, endEdit, roomBox, nameEdit, statusBox},
                     {{checkInButton, QKeySequence(Qt::Key_F1)},
                      {extendButton, QKeySequence(Qt::Key_F2)},
                      {notifyButton, QKeySequence(Qt::Key_F3)},
                      {settleButton, QKeySequence(Qt::Key_F4)},
                      {reserveButton, QKeySequence(Qt::Key_F5)},
                      {inputExtensionButton, QKeySequence(Qt::Key_F6)},
                      {modifyButton, QKeySequence(Qt::Key_F7)},
                      {cancelButton, QKeySequence(Qt::Key_Escape)},
                      {deleteButton, QKeySequence(Qt::Key_F9)}},
                     nameEdit,
                     {checkInButton, reserveButton, inputExtensionButton}});
    watchNameLength(nameEdit, nameCaption);

    // An empty booking list has nothing to show the focus on: it is a Tab stop only while it
    // lists something, and then its current line carries the focus frame.
    const auto listStop = [this] {
        const bool listed = bookingList->count() > 0;
        bookingList->setFocusPolicy(listed ? Qt::StrongFocus : Qt::ClickFocus);
        if (listed && !bookingList->currentItem())
            bookingList->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    };
    connect(bookingList->model(), &QAbstractItemModel::rowsInserted, this, listStop);
    connect(bookingList->model(), &QAbstractItemModel::rowsRemoved, this, listStop);
    connect(bookingList->model(), &QAbstractItemModel::modelReset, this, listStop);
    listStop();
}

// The booking list's model announces its rows once more while the list is torn down, after
// this panel has stopped being one.
EntryPanel::~EntryPanel() { bookingList->model()->disconnect(this); }

// ---- what the clerk entered ----

EntryFields EntryPanel::fields() const {
    return {text(peopleBox), text(startEdit), text(unitBox),
            text(endEdit),   text(roomBox),   text(nameEdit)};
}

std::string EntryPanel::status() const { return text(statusBox); }

bool EntryPanel::statusOffered() const {
    return statusBox->findText(statusBox->currentText()) >= 0;
}

QString EntryPanel::typedName() const { return nameEdit->text(); }

// ---- the selection ----

void EntryPanel::select(const SelectedBooking& booking) {
    selected_ = booking;
    selectedIdLabel->setText(q(booking.id));
}

void EntryPanel::clearSelection() { select({}); }

// ---- what the panel shows ----

void EntryPanel::showDate(Date date) {
    QSignalBlocker block(datePicker);
    datePicker->setDate(toQDate(date));
}

void EntryPanel::fillLists() {
    for (int n = 1; n <= 26; ++n)
        peopleBox->addItem(QString::number(n));
    for (int n = 5; n <= 50; n += 5)
        unitBox->addItem(QString::number(n / 10.0));
    statusBox->addItem(QString());
    for (int n = 1; n <= 34; ++n)
        roomBox->addItem(QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')));
    roomBox->setEditText(QString());
    statusBox->setEditText(QString());
    peopleBox->setEditText(kDefaultPeople);
    unitBox->setEditText(kDefaultUnit);
}

void EntryPanel::clearFields() {
    peopleBox->setEditText(kDefaultPeople);
    startEdit->setText(QString());
    unitBox->setEditText(kDefaultUnit);
    endEdit->setText(QString());
    nameEdit->setText(QString());
    bookingList->clear();
}

void EntryPanel::reset() {
    clearFields();
    hideOperations();
}

std::array<QPushButton*, 8> EntryPanel::operationButtons() const {
    return {checkInButton, extendButton,  notifyButton, settleButton,
            modifyButton,  reserveButton, deleteButton, inputExtensionButton};
}

void EntryPanel::hideOperations() {
    for (QPushButton* b : operationButtons())
        b->hide();
}

void EntryPanel::hideNewBookingButtons() {
    checkInButton->hide();
    reserveButton->hide();
}

void EntryPanel::showRecord(const RecordFields& r) {
    select({r.id, r.start, r.end});
    // Start before unit before end: each assignment reruns the end-time recompute, and the
    // record's own end must be what stays.
    startEdit->setText(q(timeTextOfField(r.start)));
    unitBox->setEditText(q(r.unit));
    endEdit->setText(q(timeTextOfField(r.end)));
    peopleBox->setEditText(q(r.people));
    roomBox->setEditText(q(r.room));
    // Typing is limited to five characters, but a record written elsewhere may hold a longer
    // name: it must reach the box whole, or writing the record back would cut it.
    const QString name = q(r.name);
    nameEdit->setMaxLength(std::max<qsizetype>(kNameMaxLength, name.size()));
    nameEdit->setText(name);
}

void EntryPanel::showRoom(const std::string& code) { roomBox->setEditText(q(code)); }

void EntryPanel::showStatus(const std::string& status) { statusBox->setEditText(q(status)); }

void EntryPanel::setStatusChoices(const std::vector<std::string>& choices) {
    statusBox->clear();
    for (const auto& c : choices)
        statusBox->addItem(q(c));
}

void EntryPanel::offer(const SelectionOffer& o) {
    checkInButton->setVisible(o.use);
    extendButton->setVisible(o.extend);
    notifyButton->setVisible(o.notify);
    settleButton->setVisible(o.settle);
    modifyButton->setVisible(o.modify);
    reserveButton->setVisible(o.reserve);
    deleteButton->setVisible(o.remove);
    inputExtensionButton->setVisible(o.input);
}

void EntryPanel::showBookingList(const std::vector<std::string>& lines) {
    bookingList->clear();
    for (const auto& line : lines)
        bookingList->addItem(q(line));
}

void EntryPanel::clearBookingList() { bookingList->clear(); }

void EntryPanel::prepareNewBooking(const QString& startTime) {
    clearSelection();
    peopleBox->setEditText(kDefaultPeople);
    nameEdit->setMaxLength(kNameMaxLength);
    nameEdit->setText(QString());
    startEdit->setText(startTime);
    unitBox->setEditText(kDefaultUnit);
    unitEdited();
    nameEdit->setFocus();
}

void EntryPanel::prepareExtension(const std::string& extensionId) {
    // The selection becomes the record to be stored; its start and end stay the stay's.
    select({extensionId, selected_.start, selected_.end});
    startEdit->setText(endEdit->text());
    unitBox->setEditText(QStringLiteral("0.5"));
    unitEdited();
    inputExtensionButton->show();
    for (QPushButton* b :
         {extendButton, notifyButton, settleButton, modifyButton, reserveButton, deleteButton})
        b->hide();
}

void EntryPanel::focusField(EntryField field) {
    QWidget* target = nullptr;
    switch (field) {
    case EntryField::People:
        target = peopleBox;
        break;
    case EntryField::Start:
        target = startEdit;
        break;
    case EntryField::Unit:
        target = unitBox;
        break;
    case EntryField::End:
        target = endEdit;
        break;
    case EntryField::Room:
        target = roomBox;
        break;
    case EntryField::Name:
        target = nameEdit;
        break;
    case EntryField::Status:
        target = statusBox;
        break;
    case EntryField::None:
        break;
    }
    if (target)
        target->setFocus();
}

} // namespace kavro
