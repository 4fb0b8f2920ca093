#pragma once
// The journal on disk: durable appends, the day file replaced only after its change is in the
// journal (write-ahead), and the check at load that tells whether the day file is what the
// journal says it is.
#include "core/journal/journal.h"
#include "core/storage/atomic_file.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kavro {

// "20261205.txt" -> "20261205.jnl", in the same folder.
std::filesystem::path journalPathFor(const std::filesystem::path& dayFile);

class DayJournal {
public:
    DayJournal() = default;
    explicit DayJournal(std::filesystem::path path) : path_(std::move(path)) {}

    const std::filesystem::path& path() const { return path_; }
    const std::vector<JournalEntry>& entries() const { return entries_; }
    // False when the journal could not be read or is of a format this program does not know:
    // nothing may be appended to it then.
    bool usable() const { return usable_; }

    struct LoadResult {
        std::optional<std::string> error;  // the journal cannot be used (Japanese)
        std::optional<std::string> notice; // something the desk should know (Japanese)
    };
    // Reads the journal (none yet is an empty one). A torn last entry is cut off the file.
    // A journal damaged in the middle, or with bytes after its last entry that no crash
    // leaves, is renamed "<name>.damaged" (kept for a person to read, purged with its day) and
    // goes on with its whole entries. A journal of version 1 is rewritten once as the current
    // version, its last entry marked done when the day file beside it holds its "after".
    LoadResult load(const FileOps& ops = posixFileOps());
    // True when the file on disk still has the size this object last read or wrote.
    bool sameOnDisk() const;

    // Writes the entry (numbered next) at the end of the journal and makes it durable
    // (fsync; the folder too when the journal is new). Nothing is left of it on failure.
    std::optional<std::string> append(JournalEntry entry, const FileOps& ops = posixFileOps());
    // Cuts the last appended entry off again: its change never reached the day file.
    std::optional<std::string> dropLast(const FileOps& ops = posixFileOps());
    // Marks the last entry done: the day file now holds its "after". Not made durable on its
    // own (the next entry's fsync does it); a marker lost to a power cut is not missed, since
    // the file then holds the entry's "after".
    std::optional<std::string> markDone(const FileOps& ops = posixFileOps());

private:
    // Appends bytes at the end of the journal as this object knows it; nothing is left of
    // them on failure.
    std::optional<std::string> appendBytes(const std::string& bytes, bool durable,
                                           const FileOps& ops);

    std::filesystem::path path_;
    std::vector<JournalEntry> entries_;
    std::vector<std::uint64_t> entryStarts_; // byte offset of each entry
    std::uint64_t size_ = 0;                 // bytes on disk
    bool usable_ = true;
};

struct DayChange {
    JournalOp op = JournalOp::Use;
    int target = 0; // undo, redo: the entry taken back or applied again
    DateTime when{};
};

struct JournaledSave {
    std::optional<std::string> error; // Japanese; the day file is as it was
    std::filesystem::path
        failedFile;              // the file the error is about: the journal, or none (the day file)
    bool changedOutside = false; // the day file was not `expected`: nothing was written
    bool written = false;        // false also when the bytes were already the file's
    FileIdentity after;          // without error: the identity the file has now
    IdentityTrail trail;         // when written: the trail of the bytes the file has now
};

// The day file as the caller last read or wrote it. With its bytes kept, finding it unchanged
// takes a comparison instead of hashing the whole file again.
struct ExpectedDayFile {
    FileIdentity identity;
    const std::string* bytes = nullptr;
    const IdentityTrail* trail = nullptr; // of `bytes`, when kept with them
};

// Replaces the day file by newBytes, the change journaled first: the entry (the lines taken
// out and put in, the file's identity before and after) is durable before the file is
// replaced, and is cut off again when the replacement fails. With `expected`, a day file
// that is no longer what the caller read is left alone (changedOutside).
JournaledSave saveDayJournaled(DayJournal& journal, const std::filesystem::path& dayFile,
                               std::string_view newBytes, const DayChange& change,
                               const std::optional<FileIdentity>& expected = std::nullopt,
                               const FileOps& ops = posixFileOps());
JournaledSave saveDayJournaled(DayJournal& journal, const std::filesystem::path& dayFile,
                               std::string_view newBytes, const DayChange& change,
                               const ExpectedDayFile& expected,
                               const FileOps& ops = posixFileOps());

struct DayCheck {
    enum class Kind {
        InStep,          // the day file is the journal's last state
        Finished,        // the last change had been cut off before the day file: it was written now
        NotApplied,      // ... and could not be written: the entry was taken off the journal
        OutsideRecorded, // the file differed: loaded as it stands, journaled as 外部変更
        RebuildOffered,  // the file is missing, empty or unreadable, the journal is not
    };
    Kind kind = Kind::InStep;
    std::optional<std::string> message; // what the desk is told, once (Japanese)
    DayLines rebuilt;                   // RebuildOffered: the lines the journal gives
};

// What the day file is against its journal, and the repair that needs no question: an
// unfinished last change is completed (its entry is durable and is what the clerk asked
// for; the file still holds exactly the state it was made from, and the entry has no "done"
// line), an outside change is journaled. A file at the last entry's "before" after that
// change was written (a copy put back by hand) is an outside change too. A rebuild is only
// offered: the caller asks before writing.
DayCheck reconcileDay(DayJournal& journal, const std::filesystem::path& dayFile, DateTime now,
                      const FileOps& ops = posixFileOps());

// Writes the day file from the journal's replay and journals it as 復元.
std::optional<std::string> rebuildDayFile(DayJournal& journal, const std::filesystem::path& dayFile,
                                          DateTime now, const FileOps& ops = posixFileOps());

} // namespace kavro
