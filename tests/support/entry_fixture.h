#pragma once
// A window on the business day 2026/12/05 with helpers to fill the entry panel the way the
// board click, the booking list or the extension button would.
#include "core/records/record.h"
#include "support/form_fixture.h"
#include "window/entry_panel.h"

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
        roomBox()->setEditText(QString::fromUtf8(room));
        peopleBox()->setEditText(QString::fromUtf8(people));
        unitBox()->setEditText(QString::fromUtf8(unit));
        startEdit()->setText(QString::fromUtf8(start));
        endEdit()->setText(QString::fromUtf8(end));
        nameEdit()->setText(QString::fromUtf8(name));
    }
    // A record selected as the board click leaves it, through the panel's own interface (the
    // record need not lie in the board's window): the selection, its fields, the status
    // choices.
    void select(const std::string& line, const std::vector<std::string>& choices) {
        const RecordFields r = parseFields(line);
        entry().showRecord(r);
        entry().setStatusChoices(choices);
        entry().showStatus(r.status);
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
