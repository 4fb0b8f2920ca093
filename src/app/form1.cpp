// The window's construction, event wiring and the small helpers every handler shares.
#include "app/form1.h"

#include "about/about_window.h"
#include "app/desk_keys.h"
#include "app/message_titles.h"
#include "app/name_box_notice.h"
#include "board/board_half.h"
#include "ledger/board_geometry.h"
#include "report/summary_keeper.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace kavro {

Form1::Form1(Platform platform, QWidget* parent) : QWidget(parent), platform_(std::move(platform)) {
    setObjectName(QStringLiteral("Form1"));
    holdTicksWhileAsking();
    summaryKeeper_ =
        std::make_unique<SummaryKeeper>(platform_.programDir, [this](const QString& text) {
            msgBox(QStringLiteral("集計ファイルを更新できませんでした。予約データは日付ファイルに"
                                  "保存されています。\r\n%1")
                       .arg(text),
                   title::kFileError);
        });
    createControls();
    createDeskMenu();
    connectHandlers();
    createKeyboardFlow();
}

void Form1::createKeyboardFlow() {
    // The panel's fields in the order a booking is filled in, then its operations by where
    // they stand, each with the function key of its place (キャンセル's is Esc). 終了 has none
    // and is no stop in between. The primaries are what Enter in the name box carries out.
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

Form1::~Form1() {
    // The children outlive this part of the window: a combo box losing the focus while it
    // is destroyed still emits, and must not reach handlers of a half-destroyed window.
    for (QObject* child : findChildren<QObject*>())
        disconnect(child, nullptr, this, nullptr);
}

void Form1::connectHandlers() {
    const std::pair<QPushButton*, void (Form1::*)()> clicks[] = {
        {checkInButton, &Form1::checkIn},
        {extendButton, &Form1::prepareExtension},
        {notifyButton, &Form1::notify},
        {settleButton, &Form1::settle},
        {modifyButton, &Form1::modifyBooking},
        {reserveButton, &Form1::reserve},
        {aboutButton, &Form1::showAbout},
        {deleteButton, &Form1::deleteBooking},
        {exitButton, &Form1::exitProgram},
        {cancelButton, &Form1::resetEntry},
        {boardBackButton, &Form1::moveBoardBack},
        {boardNowButton, &Form1::moveBoardToNow},
        {boardForwardButton, &Form1::moveBoardForward},
        {inputExtensionButton, &Form1::inputExtension},
    };
    for (const auto& [button, handler] : clicks)
        connect(button, &QPushButton::clicked, this,
                [this, handler = handler] { (this->*handler)(); });
    for (int i = 0; i < 2; ++i) {
        connect(popupExtendButtons[i], &QPushButton::clicked, this, [this, i] { popupExtend(i); });
        connect(popupNotifyButtons[i], &QPushButton::clicked, this, [this, i] { popupNotify(i); });
        connect(popupSettleButtons[i], &QPushButton::clicked, this, [this, i] { popupSettle(i); });
    }
    connect(clockTimer, &QTimer::timeout, this, &Form1::tick);
    connect(alarmTimer, &QTimer::timeout, this, &Form1::beepAlarm);
    connect(datePicker, &QDateEdit::dateChanged, this, [this] { showPickedDate(); });

    // The edit handlers run on every text change, typed or assigned by the program: the
    // end time follows the start and the unit whichever way they changed.
    connect(peopleBox, &QComboBox::editTextChanged, this, [this] { peopleEdited(); });
    connect(unitBox, &QComboBox::editTextChanged, this, [this] { unitEdited(); });
    connect(unitBox, &QComboBox::activated, this, [this] { unitPicked(); });
    connect(startEdit, &QLineEdit::textChanged, this, [this] { startEdited(); });
    connect(endEdit, &QLineEdit::textChanged, this, [this] { endEdited(); });
    connect(nameEdit, &QLineEdit::textChanged, this, [this] { nameEdited(); });
    connect(bookingList, &QListWidget::itemClicked, this, [this] { selectListedBooking(); });

    for (QObject* o : std::initializer_list<QObject*>{peopleBox, peopleBox->lineEdit(), startEdit,
                                                      unitBox, unitBox->lineEdit(), endEdit,
                                                      roomBox, roomBox->lineEdit()})
        o->installEventFilter(this);
}

namespace {
bool isEnterKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}
} // namespace

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (isEnterKey(event)) {
        // Enter moves through the panel as Tab does; it never reaches a default button.
        if (watched == peopleBox || watched == peopleBox->lineEdit())
            peopleEntered();
        else if (watched == startEdit)
            startEntered();
        else if (watched == unitBox || watched == unitBox->lineEdit())
            unitEntered();
        else if (watched == endEdit)
            endEntered();
        else if (watched == roomBox || watched == roomBox->lineEdit())
            roomEntered();
        return true;
    }
    if (event->type() == QEvent::FocusIn && watched == endEdit)
        endFocused();
    return QWidget::eventFilter(watched, event);
}

void Form1::mouseMoveEvent(QMouseEvent* event) {
    hideHoverReadouts();
    QWidget::mouseMoveEvent(event);
}

Date Form1::shownDate() const {
    QDate d = datePicker->date();
    return Date{std::chrono::year{d.year()}, std::chrono::month{static_cast<unsigned>(d.month())},
                std::chrono::day{static_cast<unsigned>(d.day())}};
}

void Form1::setShownDay(Date shown, Date today) {
    {
        QSignalBlocker block(datePicker);
        datePicker->setDate(QDate(static_cast<int>(shown.year()),
                                  static_cast<unsigned>(shown.month()),
                                  static_cast<unsigned>(shown.day())));
    }
    shownDay.today = today;
    shownDay.offset = daysBetween(today, shown);
    shownDay.start = businessDayStart(shown);
    shownDay.end = businessDayEnd(shown);
}

std::array<QPushButton*, 8> Form1::operationButtons() const {
    return {checkInButton, extendButton,  notifyButton, settleButton,
            modifyButton,  reserveButton, deleteButton, inputExtensionButton};
}

void Form1::hideOperationButtons() {
    for (QPushButton* b : operationButtons())
        b->hide();
}

void Form1::hidePopupButtons(int index) {
    popupExtendButtons[index]->hide();
    popupNotifyButtons[index]->hide();
    popupSettleButtons[index]->hide();
}

void Form1::placeBoard(DateTime reference) {
    board.reference = reference;
    board.start = addMinutes(reference, -kBoardLeadMinutes);
}

void Form1::selectBooking(const SelectedBooking& booking) {
    selected = booking;
    selectedIdLabel->setText(QString::fromStdString(booking.id));
}

void Form1::clearSelection() {
    selected = SelectedBooking{};
    selectedIdLabel->setText(QString());
}

void Form1::msgBox(const QString& text, const QString& title) { platform_.message(title, text); }

void Form1::repaintBoard() {
    for (auto* half : boardHalves)
        half->update();
}

} // namespace kavro
