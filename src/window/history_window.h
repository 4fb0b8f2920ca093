#pragma once
// 履歴: the changes of the shown day, newest first, read-only.
#include "core/journal/journal_words.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QTableView;

namespace kavro {

// The rows are turned into text only when the view asks for them, so that a busy day's
// two thousand changes open at once. A cell's tooltip holds its whole text (a column cuts
// it; the rooms, names and records beyond the first few are counted, not named).
class HistoryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Number, Time, Operation, Room, Name, Before, After, State, ColumnCount };

    explicit HistoryModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
    void setEntries(const std::vector<JournalEntry>& entries, Date day);
    // A row's whole text, a column a line: what the tooltips show the mouse, for the keyboard.
    QString rowInWords(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QString toolTip(std::size_t row, int column) const;

    std::vector<HistoryRow> rows_;
    std::vector<LineDiff> changes_; // by entry number - 1, for the tooltips
};

class HistoryWindow : public QDialog {
    Q_OBJECT
public:
    // `day`: the business day of the journal; `problem` is shown instead of rows when the
    // journal could not be read.
    HistoryWindow(Date day, const std::vector<JournalEntry>& entries, const QString& problem,
                  QWidget* parent = nullptr);

    QTableView* historyTable = nullptr;
    HistoryModel* model = nullptr;
    QLabel* summaryLabel = nullptr;
    QPlainTextEdit* detailBox = nullptr; // the current row's whole text
};

} // namespace kavro
