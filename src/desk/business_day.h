#pragma once
// One business day as the desk works on it: its day file read into the room grid, the lines
// kept unread, the file's identity as last read or written, its journal and its group
// counter. Every write goes through the journal first, and only while the file is still what
// this day last read or wrote: another program's change is never written over.
#include "core/journal/journal_file.h"
#include "core/records/room_grid.h"
#include "core/rules/day_totals.h"
#include "core/screen/unsaved_records.h"
#include "core/storage/day_file.h"
#include "desk/reply.h"

#include <filesystem>
#include <optional>
#include <utility>
#include <vector>

namespace kavro {

class BusinessDay {
public:
    explicit BusinessDay(std::filesystem::path dir) : dir_(std::move(dir)) {}

    // Points the day at a date's file. Nothing is read until syncJournal() and read().
    void open(Date date);
    Date date() const { return date_; }
    const std::filesystem::path& file() const { return file_; }

    // Reading takes two steps, so that a question can come between them. syncJournal() reads
    // the journal when another day is opened or it changed on disk, and brings the day file
    // in step with it (an interrupted save finished, an outside change journaled); a missing
    // or empty file that the journal could give back is offered (rebuildOffer()), to be
    // written by rebuild() only after a yes. read() then reads the day file, creating it
    // empty when it does not exist.
    Reply syncJournal(DateTime now);
    const std::optional<DayCheck>& rebuildOffer() const { return rebuildOffer_; }
    // Whether the day file was changed by another program (journaled as an outside change)
    // or rebuilt from its journal since the last call: the sales file must be held against
    // the day files again.
    bool takeOutsideChange() { return std::exchange(outsideChange_, false); }
    // The question that offers the rebuild.
    Question rebuildQuestion() const;
    Reply rebuild(DateTime now);
    Reply read();

    struct Saved {
        bool stored = false;
        bool readAgain = false; // another program had changed the file: it was read as it stands
        Reply reply;
    };
    // Writes the grid to the day file, the change journaled first under the operation's name.
    // `what` names the change in a message should it not be stored ("利用（005 山田）"). When
    // the save fails the grid keeps the change. After a save of its own the day holds exactly
    // what a read of the file would give, without reading it.
    Saved save(JournalOp op, const QString& what, DateTime now);
    // Writes whole lines (an undo or a redo) through the journal, against the file as it was
    // read for the plan, and takes them as the day's content.
    JournaledSave writeLines(const DayLines& lines, const DayChange& change,
                             const FileIdentity& expected);

    // ---- changes the day file did not take ----
    // A save that failed keeps the change in the grid, so that the next save writes it; until
    // then the records that differ from the file are unsaved, and the changes are named.
    const UnsavedRecords& unsaved() const { return unsaved_; }
    bool hasUnsaved() const { return unsaved_.any(); }
    // The failed changes, named, oldest first ("利用（005 山田）、通知（007 鈴木）").
    QString unsavedChanges() const;
    // Every change kept unsaved, in one save named after the first of them.
    Saved saveUnsaved(DateTime now);

    const RoomGrid& records() const { return grid_; }
    RoomGrid& records() { return grid_; }
    const std::vector<KeptLine>& keptLines() const { return kept_; }
    const DayTotals& totals() const { return totals_; }
    // The day's highest number; a new booking takes the group above it for good.
    long maxGroupNo() const { return maxGroupNo_; }
    void takeGroupNo(long number) { maxGroupNo_ = number; }
    // False when the file could not be read: its content is unknown, and nothing is written.
    bool readable() const { return readable_; }
    DayJournal& journal() { return journal_; }
    const DayJournal& journal() const { return journal_; }

private:
    // The content as read from these bytes (a read, or a save of the day's own).
    void take(std::string_view bytes, const FileIdentity& identity, IdentityTrail trail,
              Reply& reply);
    void reportKeptLines(Reply& reply);
    // Forgets what the last read or save learnt of the file's lines, keeping the grid.
    void forgetRead();
    // The records of `content` become the grid's, keeping what is kept of unchanged lines.
    void placeAsRead(DayContent& content);
    // The grid as it stands is what the file holds.
    void markAllStored();
    void keepUnsaved(JournalOp op, const QString& change);
    // The records the file held at the last read or save, parsed again from its bytes: only a
    // failed save needs them, and keeping a copy would cost every save.
    StoredRecords storedRecords() const;

    std::filesystem::path dir_;
    Date date_{};
    std::filesystem::path file_;
    RoomGrid grid_;
    std::vector<KeptLine> kept_;
    DayTotals totals_;
    GridTotals gridTotals_; // what each record adds, parsed again only when it changed
    long maxGroupNo_ = kEmptyDayGroupNo;
    bool readable_ = false;
    FileIdentity identity_; // the day file as this day last read or wrote it
    std::string fileBytes_; // ... and its bytes: a save compares them instead of hashing
    IdentityTrail trail_;   // ... and the hash along them, or none
    DayJournal journal_;
    std::optional<DayCheck> rebuildOffer_;
    bool outsideChange_ = false;
    std::filesystem::path keptLinesReportedFor_; // a day's odd lines are reported once
    UnsavedRecords unsaved_;                     // what the grid holds unlike the file
    std::vector<std::pair<JournalOp, QString>> unsavedChanges_; // failed saves, oldest first
};

} // namespace kavro
