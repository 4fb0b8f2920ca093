#include "desk/business_day.h"

#include "core/records/cp932.h"
#include "desk/message_titles.h"

#include <QStringList>

namespace kavro {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

// What a rebuild would write, as the desk reads it: the first lines and a count of the rest.
QString linesForPeople(const DayLines& lines) {
    constexpr std::size_t kShown = 15;
    QStringList out;
    for (std::size_t i = 0; i < lines.size() && i < kShown; ++i) {
        auto text = decodeCp932(lines[i]);
        out << (text ? q(*text) : QStringLiteral("（読めない行）"));
    }
    if (lines.size() > kShown)
        out << QStringLiteral("ほか%1行").arg(lines.size() - kShown);
    return out.join(QStringLiteral("\r\n"));
}

} // namespace

void BusinessDay::open(Date date) {
    date_ = date;
    file_ = dayFilePath(dir_, date);
    rebuildOffer_.reset();
}

void BusinessDay::forgetRead() {
    kept_.clear();
    totals_ = DayTotals{};
    maxGroupNo_ = kEmptyDayGroupNo;
    markAllStored();
}

void BusinessDay::markAllStored() {
    unsaved_ = {};
    unsavedChanges_.clear();
}

void BusinessDay::placeAsRead(DayContent& content) {
    const auto read = std::make_unique<RoomGrid>(); // too large for the stack of every caller
    placeRecords(*read, content);
    grid_.replaceRecords(*read);
}

StoredRecords BusinessDay::storedRecords() const {
    if (!readable_)
        return {};
    RoomGrid stored;
    DayContent content = parseDayFile(fileBytes_);
    placeRecords(stored, content);
    return storedRecordsOf(stored);
}

void BusinessDay::keepUnsaved(JournalOp op, const QString& change) {
    unsavedChanges_.push_back({op, change});
    unsaved_ = unsavedRecords(grid_, storedRecords());
}

QString BusinessDay::unsavedChanges() const {
    QStringList names;
    for (const auto& change : unsavedChanges_)
        names << change.second;
    return names.join(QStringLiteral("、"));
}

BusinessDay::Saved BusinessDay::saveUnsaved(DateTime now) {
    // They reach the file together, in one entry named after the first of them.
    const QString names = unsavedChanges();
    const JournalOp op =
        unsavedChanges_.empty() ? JournalOp::Modify : unsavedChanges_.front().first;
    unsavedChanges_.clear();
    return save(op, names, now);
}

Reply BusinessDay::syncJournal(DateTime now) {
    Reply reply;
    rebuildOffer_.reset();
    const auto path = journalPathFor(file_);
    if (path != journal_.path() || !journal_.sameOnDisk()) {
        journal_ = DayJournal(path);
        const auto loaded = journal_.load();
        if (loaded.error)
            reply.tell(title::kFileError,
                       QStringLiteral(
                           "この日の履歴ファイルを読み込めないため、変更を保存できません。\r\n%1")
                           .arg(q(*loaded.error)));
        else if (loaded.notice)
            reply.tell(title::kJournal, q(*loaded.notice));
    }
    // With the journal as it was, the day file may still have been written by another
    // program: journaled now, the next entry starts where the file stands.

    DayCheck check = reconcileDay(journal_, file_, now);
    outsideChange_ = outsideChange_ || check.kind == DayCheck::Kind::OutsideRecorded;
    if (check.kind == DayCheck::Kind::RebuildOffered)
        rebuildOffer_ = std::move(check);
    else if (check.message)
        reply.tell(title::kJournal, q(*check.message + "\r\n" + file_.string()));
    return reply;
}

Question BusinessDay::rebuildQuestion() const {
    const DayLines& lines = rebuildOffer_ ? rebuildOffer_->rebuilt : DayLines{};
    return {QStringLiteral("日付ファイルの作り直し"),
            QStringLiteral("日付ファイル %1 がないか、空か、読み込めません。\r\n"
                           "履歴から次の%2行で作り直しますか？\r\n"
                           "「いいえ」のときは、今のファイルのまま開きます。\r\n\r\n%3")
                .arg(q(file_.filename().string()))
                .arg(lines.size())
                .arg(linesForPeople(lines))};
}

Reply BusinessDay::rebuild(DateTime now) {
    Reply reply;
    rebuildOffer_.reset();
    outsideChange_ = true; // what the journal gives may differ from what the sales file saw
    if (auto error = rebuildDayFile(journal_, file_, now))
        reply.tell(title::kFileError,
                   QStringLiteral("日付ファイルを作り直せませんでした。\r\n%1\r\n%2")
                       .arg(q(*error), q(file_.string())));
    return reply;
}

Reply BusinessDay::read() {
    Reply reply;
    forgetRead();
    auto read = readDayFile(file_);
    identity_ = read.identity;
    fileBytes_ = std::move(read.bytes);
    trail_ = std::move(read.trail);
    readable_ = !read.error;
    if (read.error) {
        reply.tell(title::kFileError, q(*read.error + "\r\n" + file_.string()));
        grid_.clearRecords();
        totals_ = gridTotals_.update(grid_, kept_);
        maxGroupNo_ = totals_.maxGroupNo;
        return reply;
    }
    placeAsRead(read.content);
    kept_ = std::move(read.content.kept);
    markAllStored();
    totals_ = gridTotals_.update(grid_, kept_);
    maxGroupNo_ = totals_.maxGroupNo;
    reportKeptLines(reply);
    return reply;
}

void BusinessDay::take(std::string_view bytes, const FileIdentity& identity, IdentityTrail trail,
                       Reply& reply) {
    forgetRead();
    identity_ = identity;
    fileBytes_ = bytes;
    trail_ = std::move(trail);
    readable_ = true;
    DayContent content = parseDayFile(bytes);
    placeAsRead(content);
    kept_ = std::move(content.kept);
    markAllStored();
    totals_ = gridTotals_.update(grid_, kept_);
    maxGroupNo_ = totals_.maxGroupNo;
    reportKeptLines(reply);
}

BusinessDay::Saved BusinessDay::save(JournalOp op, const QString& what, DateTime now) {
    Saved result;
    const QString change = what.isEmpty() ? QStringLiteral("変更") : what;
    const QString file = q(file_.string());
    if (!readable_) {
        // The file could not be read, so its content is unknown: writing the grid over it
        // could destroy bookings.
        result.reply.tell(
            title::kFileError,
            QStringLiteral("日付ファイルを読み込めなかったため、%1を保存できません。\r\n%2")
                .arg(change, file));
        keepUnsaved(op, change);
        return result;
    }
    RenderResult rendered = renderDayFile(grid_, kept_);
    JournaledSave saved;
    if (rendered.error)
        saved.error = rendered.error;
    else
        saved = saveDayJournaled(journal_, file_, rendered.bytes, {op, 0, now},
                                 ExpectedDayFile{identity_, &fileBytes_, &trail_});
    if (saved.changedOutside) {
        // Another program wrote the file since it was read: writing the grid over it would
        // drop that change. It is journaled and shown; the desk does the operation again.
        reconcileDay(journal_, file_, now);
        outsideChange_ = true;
        result.reply.tell(title::kFileError,
                          QStringLiteral("日付ファイルがこのプログラムの外で変更されていたため、"
                                         "%1は保存されませんでした。\r\n変更後の日付ファイルを読み"
                                         "込み直しました。内容を確かめて、もう一度操作してください"
                                         "。\r\n%2")
                              .arg(change, file));
        result.readAgain = true;
        result.reply.take(syncJournal(now));
        result.reply.take(read());
        return result;
    }
    if (saved.error) {
        // The journal may be what refused: the message names the file that did.
        const QString failedFile = saved.failedFile.empty() ? file : q(saved.failedFile.string());
        result.reply.tell(
            title::kFileError,
            QStringLiteral("%1を保存できませんでした。入力内容は画面に残っています。\r\n%2\r\n%3")
                .arg(change, q(*saved.error), failedFile));
        keepUnsaved(op, change);
        return result;
    }
    result.stored = true;
    // The common case: the grid already holds what a read of the file would give, so it is
    // not parsed back (a record moved to another room by 修正, for one, is not).
    if (kept_.empty() && adoptAsRead(grid_)) {
        identity_ = saved.after;
        fileBytes_ = std::move(rendered.bytes);
        // Bytes that were already the file's were not hashed again: no trail goes with them.
        trail_ = saved.written ? std::move(saved.trail) : IdentityTrail{};
        markAllStored();
        totals_ = gridTotals_.update(grid_, kept_);
        maxGroupNo_ = totals_.maxGroupNo;
    } else {
        take(rendered.bytes, saved.after, saved.written ? std::move(saved.trail) : IdentityTrail{},
             result.reply);
    }
    return result;
}

JournaledSave BusinessDay::writeLines(const DayLines& lines, const DayChange& change,
                                      const FileIdentity& expected) {
    const std::string bytes = joinDayLines(lines);
    JournaledSave saved = saveDayJournaled(journal_, file_, bytes, change, expected);
    if (!saved.error && !saved.changedOutside) {
        Reply none;
        take(bytes, saved.after, saved.written ? saved.trail : IdentityTrail{}, none);
    }
    return saved;
}

void BusinessDay::reportKeptLines(Reply& reply) {
    if (kept_.empty() || keptLinesReportedFor_ == file_)
        return;
    keptLinesReportedFor_ = file_;
    // A file of junk must not turn into a message taller than the screen.
    constexpr std::size_t kListed = 20;
    QStringList numbers;
    for (std::size_t i = 0; i < kept_.size() && i < kListed; ++i)
        numbers << QString::number(kept_[i].lineNumber);
    if (kept_.size() > kListed)
        numbers << QStringLiteral("ほか%1行").arg(kept_.size() - kListed);
    reply.tell(title::kOddLines,
               QStringLiteral("%1 の次の行は読み取れないか、部屋の記録が48件を超えています。\r\n"
                              "行の内容はそのまま保存され、削除されません。\r\n行番号: %2")
                   .arg(q(file_.filename().string()), numbers.join(QStringLiteral(", "))));
}

} // namespace kavro
