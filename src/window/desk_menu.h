#pragma once
// The desk menu: what the shop needs beyond the board, behind one button in the window's free
// corner (no control of the design moves for it) and on the keyboard (F10, and each entry's
// own key, which works wherever the focus is in the window).
#include <QPushButton>
#include <functional>

class QMenu;

namespace kavro {

class DeskMenu : public QPushButton {
    Q_OBJECT
public:
    explicit DeskMenu(QWidget* window);

    // Adds an entry with its shortcut; each feature adds its own.
    QAction* addEntry(const QString& text, const QKeySequence& key, std::function<void()> run);
    // Ctrl+Z and Ctrl+Y reach the desk's undo and redo with the focus in a text box too (the
    // boxes would take them for their own typing undo): a clerk who presses them means the
    // day's change, and the question that follows says which one.
    void keepDeskKeysInTextBoxes();

private:
    QWidget* window_;
    QMenu* menu_; // objectName deskMenu
};

} // namespace kavro
