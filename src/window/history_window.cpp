#include "window/history_window.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace kavro {

void HistoryModel::setEntries(const std::vector<JournalEntry>& entries, Date day) {
    beginResetModel();
    rows_ = historyRows(entries, day);
    changes_.clear();
    changes_.reserve(entries.size());
    for (const auto& e : entries)
        changes_.push_back(e.diff);
    endResetModel();
}

int HistoryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int HistoryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant HistoryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= rows_.size())
        return {};
    const HistoryRow& row = rows_[static_cast<std::size_t>(index.row())];
    if (role == Qt::ForegroundRole && row.undone)
        return QColor(0x80, 0x80, 0x80);
    if (role == Qt::ToolTipRole)
        return toolTip(static_cast<std::size_t>(index.row()), index.column());
    if (role != Qt::DisplayRole)
        return {};
    auto text = [](const std::string& s) { return QString::fromStdString(s); };
    switch (index.column()) {
    case Number:
        return row.number;
    case Time:
        return text(row.time);
    case Operation:
        return text(row.operation);
    case Room:
        return text(row.change.rooms);
    case Name:
        return text(row.change.names);
    case Before:
        return text(row.change.before);
    case After:
        return text(row.change.after);
    case State:
        return row.undone ? QStringLiteral("取り消し済み") : QString();
    default:
        return {};
    }
}

QString HistoryModel::toolTip(std::size_t r, int column) const {
    // A tooltip may name more than a cell: one record a line, up to a screenful.
    constexpr std::size_t kNamed = 30;
    const HistoryRow& row = rows_[r];
    const auto text = [](const std::string& s) { return QString::fromStdString(s); };
    const auto whole = [&] {
        return summarizeChange(changes_[static_cast<std::size_t>(row.number - 1)], kNamed, "\n");
    };
    switch (column) {
    case Room:
        return text(whole().rooms);
    case Name:
        return text(whole().names);
    case Before:
        return text(whole().before);
    case After:
        return text(whole().after);
    default:
        return data(index(static_cast<int>(r), column)).toString();
    }
}

QString HistoryModel::rowInWords(int r) const {
    if (r < 0 || r >= rowCount())
        return {};
    QStringList lines;
    for (int c = 0; c < ColumnCount; ++c) {
        QString text = toolTip(static_cast<std::size_t>(r), c);
        if (!text.isEmpty())
            lines << headerData(c, Qt::Horizontal).toString() + QStringLiteral("：") +
                         text.replace(QLatin1Char('\n'), QStringLiteral("\n　　"));
    }
    return lines.join(QLatin1Char('\n'));
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    static const char* const kTitles[ColumnCount] = {"番号", "時刻",   "操作",   "区分",
                                                     "名前", "変更前", "変更後", "状態"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(kTitles[section]) : QVariant();
}

HistoryWindow::HistoryWindow(Date day, const std::vector<JournalEntry>& entries,
                             const QString& problem, QWidget* parent)
    : QDialog(parent) {
    const QString dayCaption = QString::fromStdString(formatDate(day));
    setObjectName(QStringLiteral("historyWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("履歴 %1").arg(dayCaption));
    resize(900, 420);

    summaryLabel = new QLabel(this);
    summaryLabel->setObjectName(QStringLiteral("historySummary"));
    model = new HistoryModel(this);
    model->setEntries(entries, day);
    summaryLabel->setText(
        problem.isEmpty()
            ? QStringLiteral("%1 の変更 %2件（新しい順）").arg(dayCaption).arg(entries.size())
            : problem);

    historyTable = new QTableView(this);
    historyTable->setObjectName(QStringLiteral("historyTable"));
    historyTable->setModel(model);
    historyTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    historyTable->setTabKeyNavigation(false); // Tab goes on to the row's whole text
    historyTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    historyTable->verticalHeader()->hide();
    historyTable->verticalHeader()->setDefaultSectionSize(historyTable->fontMetrics().height() + 6);
    historyTable->horizontalHeader()->setStretchLastSection(true);
    const int widths[HistoryModel::ColumnCount] = {40, 70, 150, 60, 80, 150, 150, 90};
    for (int c = 0; c < HistoryModel::ColumnCount; ++c)
        historyTable->setColumnWidth(c, widths[c]);

    detailBox = new QPlainTextEdit(this);
    detailBox->setObjectName(QStringLiteral("historyDetail"));
    detailBox->setReadOnly(true);
    detailBox->setTabChangesFocus(true);
    detailBox->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    detailBox->setFixedHeight(detailBox->fontMetrics().height() * 6 + 10);
    connect(historyTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                detailBox->setPlainText(model->rowInWords(current.row()));
            });

    auto* buttons = new QDialogButtonBox(this);
    auto* close = buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("historyClose"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summaryLabel);
    layout->addWidget(historyTable);
    layout->addWidget(detailBox);
    layout->addWidget(buttons);
}

} // namespace kavro
