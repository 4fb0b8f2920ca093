#pragma once
// 履歴: the changes of the shown day, newest first, read-only.
#include "ledger/journal.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <vector>

class QLabel;
class QTableView;

namespace kavro {

// The rows are turned into text only when the view asks for them, so that a busy day's
// two thousand changes open at once.
class HistoryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Time, Operation, Room, Name, Before, After, State, ColumnCount };

    explicit HistoryModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
    void setRows(std::vector<HistoryRow> rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<HistoryRow> rows_;
};

class HistoryWindow : public QDialog {
    Q_OBJECT
public:
    // `dayCaption` names the day ("2026/12/05"); `problem` is shown instead of rows when the
    // journal could not be read.
    HistoryWindow(const QString& dayCaption, const std::vector<JournalEntry>& entries,
                  const QString& problem, QWidget* parent = nullptr);

    QTableView* historyTable = nullptr;
    HistoryModel* model = nullptr;
    QLabel* summaryLabel = nullptr;
};

} // namespace kavro
