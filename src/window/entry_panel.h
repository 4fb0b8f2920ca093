#pragma once
// The entry panel (Frame1): the date picker, the selected booking's ID, the operation
// buttons on offer, the fields of a booking and the booking list. It reads and shows its own
// controls and says what the clerk asked for; the window decides what that does.
#include "core/records/civil_time.h"
#include "core/rules/entry_check.h"
#include "core/screen/selection_offer.h"
#include "desk/outcome.h"

#include <QFrame>
#include <array>
#include <string>
#include <vector>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kavro {

class EntryPanel : public QFrame {
    Q_OBJECT

public:
    explicit EntryPanel(QWidget* window);
    ~EntryPanel() override;

    // ---- what the clerk entered ----
    EntryFields fields() const;
    std::string status() const;
    // The status is one of the choices the selection offered.
    bool statusOffered() const;
    // The name as typed, while a booking is being entered.
    QString typedName() const;

    // ---- the booking the panel works on (the ID label shows it) ----
    const SelectedBooking& selection() const { return selected_; }
    void select(const SelectedBooking& booking);
    void clearSelection();

    // ---- what the panel shows ----
    // The date picker shows the date (without raising dateChosen).
    void showDate(Date date);
    // The choices of the people, unit, room and status lists, at start-up.
    void fillLists();
    // キャンセル, and the reset that ends every operation: the typed entry abandoned and every
    // operation button hidden. Room, status and selection stay.
    void reset();
    // People, times, unit and name back to their defaults and the booking list emptied.
    void clearFields();
    // A record selected: it becomes the selection and fills the fields.
    void showRecord(const RecordFields& record);
    void showRoom(const std::string& code);
    void showStatus(const std::string& status);
    void setStatusChoices(const std::vector<std::string>& choices);
    // The operation buttons a selection offers.
    void offer(const SelectionOffer& offer);
    void hideOperations();
    void hideNewBookingButtons(); // 利用 and 予約
    void showBookingList(const std::vector<std::string>& lines);
    void clearBookingList();
    // A free place of the board clicked: a new booking starting at that time.
    void prepareNewBooking(const QString& startTime);
    // 延長: the panel holds the extension's record until 入力 stores it.
    void prepareExtension(const std::string& extensionId);
    void focusField(EntryField field);

signals:
    void checkInRequested();                  // 利用
    void extendRequested();                   // 延長
    void notifyRequested();                   // 通知
    void settleRequested();                   // 清算
    void modifyRequested();                   // 修正
    void reserveRequested();                  // 予約
    void deleteRequested();                   // 削除
    void inputRequested();                    // 入力
    void cancelRequested();                   // キャンセル
    void dateChosen(Date date);               // the date picker changed by the clerk
    void listedBookingChosen(std::string id); // a line of the booking list clicked

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createKeyboardFlow();
    void connectControls();
    // The time boxes while the clerk types: the typed time rewritten, the end following the
    // start and the unit.
    void startEdited();
    void unitEdited();
    void endEdited();
    void nameEdited();
    std::array<QPushButton*, 8> operationButtons() const;

    // member                 objectName   caption / what it shows
    // datePicker             DTPicker1    the shown business date
    // selectedIdLabel        Label11      ID of the selected booking (display only)
    // checkInButton          Command1     利用
    // extendButton           Command2     延長
    // notifyButton           Command3     通知
    // settleButton           Command4     清算
    // modifyButton           Command5     修正
    // reserveButton          Command6     予約
    // deleteButton           Command8     削除
    // cancelButton           Command10    キャンセル
    // inputExtensionButton   Command14    入力
    // peopleBox              Combo1       人数
    // startEdit              Text1        開始時間
    // unitBox                Combo2       単位
    // endEdit                Text2        終了時間
    // roomBox                Combo3       区分 (the room)
    // statusBox              Combo4       状態
    // nameEdit               Text3        the name
    // nameCaption            Label19      名前（5文字まで), or what did not fit in nameEdit
    // bookingList            List1        the selected party's records
    // Static captions (Label5, 12, 13, 16-18, 20, 21) are kept by no member.
    QDateEdit* datePicker = nullptr;
    QLabel* selectedIdLabel = nullptr;
    QPushButton* checkInButton = nullptr;
    QPushButton* extendButton = nullptr;
    QPushButton* notifyButton = nullptr;
    QPushButton* settleButton = nullptr;
    QPushButton* modifyButton = nullptr;
    QPushButton* reserveButton = nullptr;
    QPushButton* deleteButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* inputExtensionButton = nullptr;
    QComboBox* peopleBox = nullptr;
    QLineEdit* startEdit = nullptr;
    QComboBox* unitBox = nullptr;
    QLineEdit* endEdit = nullptr;
    QComboBox* roomBox = nullptr;
    QComboBox* statusBox = nullptr;
    QLineEdit* nameEdit = nullptr;
    QLabel* nameCaption = nullptr;
    QListWidget* bookingList = nullptr;

    SelectedBooking selected_; // the selectedIdLabel shows its ID
    int startEditDepth_ = 0;   // startEdited re-raised by its own assignment
    int endEditDepth_ = 0;
};

} // namespace kavro
