#include "support/form_fixture.h"

#include "core/records/cp932.h"
#include "core/screen/board_geometry.h"
#include "window/board_half.h"
#include "window/entry_panel.h"
#include "window/timetable_board.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace kavro::test {

DateTime at(int y, unsigned m, unsigned d, int hh, int mm, int ss) {
    return makeDateTime(ymd(y, m, d), hh, mm, ss);
}

Date ymd(int y, unsigned m, unsigned d) {
    return Date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

void writeDayLines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& l : lines)
        bytes += *encodeCp932(l) + "\r\n";
    writeBytes(file, bytes);
}

std::vector<std::string> readDayLines(const std::filesystem::path& file) {
    std::string bytes = readBytes(file);
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < bytes.size()) {
        auto end = bytes.find("\r\n", start);
        if (end == std::string::npos)
            end = bytes.size();
        out.push_back(decodeCp932(bytes.substr(start, end - start)).value_or("<undecodable>"));
        start = end + 2;
    }
    return out;
}

FormTest::FormTest() : world_(std::make_shared<FakeWorld>()) {
    world_->now = at(2026, 12, 5, 20, 0, 0);
}

FormTest::~FormTest() {
    form_.reset();
    // A window or dialog left open by a test would leak into the next one.
    for (QWidget* w : QApplication::topLevelWidgets())
        delete w;
}

void FormTest::start() {
    form_ = std::make_unique<DeskWindow>(fakePlatform(world_, dir_.path()));
    form_->startUp();
}

void FormTest::restart() {
    form_.reset();
    start();
}

// ---- the panels ----

EntryPanel& FormTest::entry() const { return *named<EntryPanel>(QStringLiteral("Frame1")); }

TimetableBoard& FormTest::board() const {
    return *named<TimetableBoard>(QStringLiteral("timetableBoard"));
}

const SelectedBooking& FormTest::selected() const { return entry().selection(); }

// ---- controls by design name ----

namespace {
QString indexed(const char* name, int index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}
} // namespace

QDateEdit* FormTest::datePicker() const { return named<QDateEdit>("DTPicker1"); }
QLabel* FormTest::selectedIdLabel() const { return named<QLabel>("Label11"); }
QPushButton* FormTest::checkInButton() const { return named<QPushButton>("Command1"); }
QPushButton* FormTest::extendButton() const { return named<QPushButton>("Command2"); }
QPushButton* FormTest::notifyButton() const { return named<QPushButton>("Command3"); }
QPushButton* FormTest::settleButton() const { return named<QPushButton>("Command4"); }
QPushButton* FormTest::modifyButton() const { return named<QPushButton>("Command5"); }
QPushButton* FormTest::reserveButton() const { return named<QPushButton>("Command6"); }
QPushButton* FormTest::deleteButton() const { return named<QPushButton>("Command8"); }
QPushButton* FormTest::cancelButton() const { return named<QPushButton>("Command10"); }
QPushButton* FormTest::inputExtensionButton() const { return named<QPushButton>("Command14"); }
QComboBox* FormTest::peopleBox() const { return named<QComboBox>("Combo1"); }
QLineEdit* FormTest::startEdit() const { return named<QLineEdit>("Text1"); }
QComboBox* FormTest::unitBox() const { return named<QComboBox>("Combo2"); }
QLineEdit* FormTest::endEdit() const { return named<QLineEdit>("Text2"); }
QComboBox* FormTest::roomBox() const { return named<QComboBox>("Combo3"); }
QComboBox* FormTest::statusBox() const { return named<QComboBox>("Combo4"); }
QLineEdit* FormTest::nameEdit() const { return named<QLineEdit>("Text3"); }
QLabel* FormTest::nameCaption() const { return named<QLabel>("Label19"); }
QListWidget* FormTest::bookingList() const { return named<QListWidget>("List1"); }
QListWidget* FormTest::remainingList() const { return named<QListWidget>("List2"); }
QLabel* FormTest::groupsLabel() const { return named<QLabel>("Label9"); }
QLabel* FormTest::peopleLabel() const { return named<QLabel>("Label10"); }
QLabel* FormTest::minutesLabel() const { return named<QLabel>("Label15"); }
QLabel* FormTest::clockLabel() const { return named<QLabel>("Label3"); }
QLabel* FormTest::roomLabel(int room) const { return named<QLabel>(indexed("Label1", room)); }
BoardHalf* FormTest::boardHalf(int half) const {
    return named<BoardHalf>(indexed("Picture1", half));
}
QPushButton* FormTest::popupExtendButton(int half) const {
    return named<QPushButton>(indexed("cmdNext", half));
}
QPushButton* FormTest::popupNotifyButton(int half) const {
    return named<QPushButton>(indexed("cmdCall", half));
}
QPushButton* FormTest::popupSettleButton(int half) const {
    return named<QPushButton>(indexed("cmdCrdt", half));
}
QLabel* FormTest::hoverReadout(int half) const { return named<QLabel>(indexed("Label4", half)); }
QPushButton* FormTest::backButton() const { return named<QPushButton>("Command11"); }
QPushButton* FormTest::nowButton() const { return named<QPushButton>("Command12"); }
QPushButton* FormTest::forwardButton() const { return named<QPushButton>("Command13"); }
QPushButton* FormTest::exitButton() const { return named<QPushButton>("Command9"); }
QPushButton* FormTest::aboutButton() const { return named<QPushButton>("Command7"); }
QPushButton* FormTest::menuButton() const { return named<QPushButton>("menuButton"); }
QMenu* FormTest::deskMenu() const { return named<QMenu>("deskMenu"); }
QTimer* FormTest::clockTimer() const { return named<QTimer>("Timer1"); }
QTimer* FormTest::alarmTimer() const { return named<QTimer>("Timer2"); }

QAction* FormTest::menuEntry(const QString& text) const {
    for (QAction* a : deskMenu()->actions())
        if (a->text() == text)
            return a;
    throw std::runtime_error("the desk menu has no entry " + text.toStdString());
}

// ---- what the clerk does ----

void FormTest::click(QAbstractButton* button) { button->click(); }

void FormTest::pressBoard(int half, double x, double y) {
    pressBoardHalf(*boardHalf(half), {x, y});
}

void FormTest::pressRoom(int room, DateTime time) {
    const BoardRow place = boardRowOfRoom(room);
    // A fifth of a minute past the boundary: the press falls on that minute, not between two.
    const double x = static_cast<double>(minuteX(board().span().start, time)) + 0.2;
    pressBoard(place.half, x, (barTop(place.row) + barBottom(place.row)) / 2);
}

void FormTest::hoverBoard(int half, double x, double y) {
    BoardHalf* target = boardHalf(half);
    const QPointF pixel = target->toPixels({x, y});
    QMouseEvent move(QEvent::MouseMove, pixel, target->mapToGlobal(pixel), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
}

void FormTest::showBoardFrom(DateTime windowStart) {
    board().showAt(addMinutes(windowStart, kBoardLeadMinutes));
}

void FormTest::typeName(const QString& name) {
    QInputMethodEvent commit;
    commit.setCommitString(name);
    QCoreApplication::sendEvent(nameEdit(), &commit);
}

void FormTest::chooseListLine(int row) {
    QListWidget* list = bookingList();
    // The lines are laid out when the list is first shown or asked where a line is.
    list->doItemsLayout();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

void FormTest::pickDate(Date d) {
    datePicker()->setDate(QDate(static_cast<int>(d.year()), static_cast<unsigned>(d.month()),
                                static_cast<unsigned>(d.day())));
}

void FormTest::readDayAgain() {
    const Date shown = model().shownDay().date;
    pickDate(addDays(shown, -1));
    pickDate(shown);
}

void FormTest::runMenuEntry(const QString& text) { menuEntry(text)->trigger(); }

void FormTest::tickAt(DateTime t) {
    setNow(t);
    form_->tick();
}

// ---- the world ----

std::filesystem::path FormTest::dayFile(Date d) const {
    return dir_.path() / (formatYmd(d) + ".txt");
}

void FormTest::writeDay(Date d, const std::vector<std::string>& lines) const {
    writeDayLines(dayFile(d), lines);
}

std::vector<std::string> FormTest::readDay(Date d) const { return readDayLines(dayFile(d)); }

QString FormTest::lastMessageTitle() const {
    return world_->messages.empty() ? QString() : world_->messages.back().title;
}
QString FormTest::lastMessageText() const {
    return world_->messages.empty() ? QString() : world_->messages.back().text;
}

} // namespace kavro::test
