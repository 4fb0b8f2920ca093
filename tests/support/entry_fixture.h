#pragma once
// A window on the business day 2026/12/05 with helpers to fill the entry panel the way the
// board click, the booking list or the extension button would.
#include "ledger/record.h"
#include "support/form_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace kavro::test {

inline const Date kDay = ymd(2026, 12, 5);

class EntryTest : public FormTest {
protected:
    // The focus let go while the window is whole: a combo box losing the focus reports an
    // activation, which must not reach a window that is half destroyed.
    void TearDown() override {
        if (!shown_)
            return;
        if (QWidget* w = QApplication::focusWidget())
            w->clearFocus();
        form().hide();
    }
    void startWith(const std::vector<std::string>& lines) {
        writeDay(kDay, lines);
        start();
    }
    // The fields of a new booking (unit before start, so the end follows them both).
    void fill(const char* room, const char* start, const char* unit, const char* end,
              const char* name, const char* people = "2") {
        Form1& f = form();
        f.roomBox->setEditText(QString::fromUtf8(room));
        f.peopleBox->setEditText(QString::fromUtf8(people));
        f.unitBox->setEditText(QString::fromUtf8(unit));
        f.startEdit->setText(QString::fromUtf8(start));
        f.endEdit->setText(QString::fromUtf8(end));
        f.nameEdit->setText(QString::fromUtf8(name));
    }
    // A record selected as the board click leaves it: ID, cur* values, status choices.
    void select(const std::string& line, std::initializer_list<const char*> choices) {
        Form1& f = form();
        auto r = parseFields(line);
        f.selectBooking({r.id, r.start, r.end});
        f.statusBox->clear();
        for (const char* c : choices)
            f.statusBox->addItem(QString::fromUtf8(c));
        fill(r.room.c_str(), r.start.substr(11).c_str(), r.unit.c_str(), r.end.substr(11).c_str(),
             r.name.c_str(), r.people.c_str());
        f.statusBox->setEditText(QString::fromStdString(r.status));
    }
    // Shown and active, so that focus can be followed.
    void showActive() {
        shown_ = true;
        form().show();
        QApplication::setActiveWindow(&form());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    }
    // The control that has the focus, an editable combo box standing for its line edit.
    static QWidget* focused() {
        QWidget* w = QApplication::focusWidget();
        if (w && qobject_cast<QComboBox*>(w->parentWidget()))
            return w->parentWidget();
        return w;
    }
    bool shown_ = false;

    std::vector<std::string> day() const { return readDay(kDay); }
    std::string dayBytes() const { return readBytes(dayFile(kDay)); }
    std::vector<std::string> titles() {
        std::vector<std::string> out;
        for (const auto& m : world().messages)
            out.push_back(m.title.toStdString());
        return out;
    }
};

} // namespace kavro::test
