// Changes the day file did not take: kept on screen (drawn hatched) until a save writes them,
// and never dropped without the clerk's word.
#include "app/form1.h"

#include <QStringList>

namespace kavro {

namespace {

const QString kUnsavedTitle = QStringLiteral("保存されていない変更");

QString namesOf(const std::vector<std::pair<JournalOp, QString>>& changes) {
    QStringList names;
    for (const auto& change : changes)
        names << change.second;
    return names.join(QStringLiteral("、"));
}

} // namespace

void Form1::rememberStoredDay() {
    storedRecords_ = storedRecordsOf(roomGrid);
    unsaved_ = {};
    unsavedChanges_.clear();
}

void Form1::keepUnsaved(JournalOp op, const QString& change) {
    unsavedChanges_.push_back({op, change});
    unsaved_ = unsavedRecords(roomGrid, storedRecords_);
}

bool Form1::hasUnsaved() const { return unsaved_.any(); }

bool Form1::saveUnsaved() {
    // They reach the file together, in one entry named after the first of them.
    const QString names = namesOf(unsavedChanges_);
    const JournalOp op =
        unsavedChanges_.empty() ? JournalOp::Modify : unsavedChanges_.front().first;
    unsavedChanges_.clear();
    if (!saveDay(op, names))
        return false;
    loadDay();
    return true;
}

bool Form1::settleUnsaved(const QString& withoutIt, bool tryFirst) {
    if (!hasUnsaved())
        return true;
    if (tryFirst && saveUnsaved())
        return true;
    const QString question =
        QStringLiteral("次の変更は保存されていません: %1\r\nもう一度保存しますか？\r\n%2")
            .arg(namesOf(unsavedChanges_), withoutIt);
    if (!platform_.ask(kUnsavedTitle, question))
        return true;
    return saveUnsaved();
}

} // namespace kavro
