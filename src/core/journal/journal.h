#pragma once
// The journal of a business day: every change written to the day file, in order, with the
// exact lines it took out and put in. It lets the desk take a change back (and apply it
// again), shows the day's history, and rebuilds a lost day file by replaying the changes
// from the empty day.
//
// File: beside the day file, named after it ("20261205.txt" -> "20261205.jnl"), so that the
// purge of a day finds both. Text in CP932 with CR LF, like the day file itself: the record
// lines are copied into it byte for byte, without decoding, so that a line the encoder
// would write differently (CP932 has two codes for some characters) or a line that does not
// decode at all comes back exactly as it stood, and the journal reads in the same editor as
// the day files.
//
// Format, version 2:
//
//   KAVRO-JOURNAL 2
//   entry 1 2026/12/05 20:00:12 利用
//   before 0:cbf29ce484222325
//   after 4e:5d0c1f3a9b2e7c41
//   +3 004100100,2026/12/05 20:00,1,2026/12/05 21:00,2,004,山田,利用
//   end 1 8a41f0c2d9e3b577
//   done 1
//   entry 2 2026/12/05 20:03:40 元に戻す 1
//   ...
//
// - The first line names the format and its version; a reader refuses a version it does
//   not know.
// - "entry N <yyyy/mm/dd hh:nn:ss> <operation> [M]" opens entry N (1, 2, ... without gaps);
//   M is the entry an undo (元に戻す) takes back or a redo (やり直す) applies again.
//   Operations: 利用 予約 入力 修正 通知 精算 削除 (the desk's changes), 繰越 (the 06:00 carry),
//   元に戻す, やり直す, 外部変更 (the day file was found changed by another program; the entry
//   records what changed), 復元 (the day file was rebuilt from this journal).
// - "before" and "after": the day file's identity (size:FNV-1a, "-" when there was no file)
//   before and after the change.
// - "-i <line>": the line that stood at index i (0-based) before the change was taken out;
//   "+i <line>": the line stands at index i after the change. Removals first, then
//   additions, each in ascending order. The line follows the single space byte for byte up
//   to the CR LF.
// - "end N <hash>" closes entry N; the hash (FNV-1a of the entry's bytes from "entry" up to
//   this line) proves the entry whole. An entry without its end is a write cut short by a
//   crash or a power cut: it is ignored and cut off before the next entry is written.
// - "done N" follows entry N once the day file holds its "after": the replace completed.
//   Without it, a day file found at the entry's "before" was cut off between the two
//   writes and the change is finished; with it, the file was put back by someone else. It
//   is written without an fsync of its own: the next entry's makes it durable, and when a
//   power cut takes it, the file already holds the entry's "after" and needs no marker.
//   An entry in the middle may lack it (a journal of version 1, an entry before a crash).
// - Bytes after the last whole entry that are not the start of the next entry (or of its
//   "done") were not left by a crash: the journal is kept aside as damaged.
//
// Version 1 is the same without "done" lines. It is still read, and rewritten once as
// version 2 when it is loaded: its entries unchanged, the last one marked done when the day
// file already holds its "after".
#include "core/records/civil_time.h"
#include "core/storage/file_identity.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavro {

enum class JournalOp {
    Use,
    Reserve,
    Input,
    Modify,
    Notify,
    Settle,
    Delete,
    Carry,
    Undo,
    Redo,
    Outside,
    Rebuild
};

// The operation's word, in UTF-8.
std::string_view journalOpWord(JournalOp op);
// The clerk's own changes: the ones undo takes back. The carry, an outside change and a
// rebuild were not made at the desk; taking them back would drop stays nobody asked to drop.
bool isDeskOp(JournalOp op);

// The lines of a day file, without their line ends: split at LF, a CR before the LF dropped.
// Blank lines count, so that the lines give the file back.
using DayLines = std::vector<std::string>;
DayLines splitDayLines(std::string_view bytes);
// The same lines as views into the bytes, valid while they are.
std::vector<std::string_view> splitDayLineViews(std::string_view bytes);
// The lines each ended by CR LF, as the program writes a day file.
std::string joinDayLines(const DayLines& lines);

struct JournalLine {
    std::size_t index = 0; // in the lines before the change (removed) or after it (added)
    std::string bytes;

    friend bool operator==(const JournalLine&, const JournalLine&) = default;
};

struct LineDiff {
    std::vector<JournalLine> removed; // ascending index
    std::vector<JournalLine> added;   // ascending index
    bool empty() const { return removed.empty() && added.empty(); }

    friend bool operator==(const LineDiff&, const LineDiff&) = default;
};

// The fewest lines taken out and put in that turn `before` into `after`.
LineDiff diffLines(const DayLines& before, const DayLines& after);
LineDiff diffLineViews(const std::vector<std::string_view>& before,
                       const std::vector<std::string_view>& after);
// The change that takes `diff` back.
LineDiff inverseOf(const LineDiff& diff);

struct ApplyResult {
    DayLines lines;
    std::optional<std::string> conflict; // Japanese: why the change does not fit the lines
};
// Applies a change to the lines as they stand. Lines at their recorded places give the exact
// result; otherwise each line to take out is looked for by its bytes, and the new lines go
// to their recorded places as far as the lines reach. A conflict when a line to take out is
// no longer there byte for byte, or (with checkRooms) when a room would end up with more
// than 48 records and more than it had.
ApplyResult applyLineDiff(DayLines current, const LineDiff& diff, bool checkRooms = true);

struct JournalEntry {
    int number = 0; // 1, 2, ...
    DateTime when{};
    JournalOp op = JournalOp::Use;
    int target = 0; // undo and redo: the entry taken back or applied again
    FileIdentity before;
    FileIdentity after;
    LineDiff diff;
    bool done = false; // followed by its "done" line: the day file reached `after`
};

inline constexpr int kJournalVersion = 2;
std::string journalHeader();
// The entry as journal bytes (CP932, CR LF), end line included.
std::string serializeEntry(const JournalEntry& entry);
// The line that marks entry N's change as written to the day file.
std::string doneLine(int number);

struct ParsedJournal {
    int version = kJournalVersion;
    std::size_t headerBytes = 0; // the header line, line end included
    std::vector<JournalEntry> entries;
    std::vector<std::size_t> entryStarts; // byte offset of each entry
    std::size_t validBytes = 0;           // header and whole entries; what follows is a torn entry
    bool tornTail = false; // after the last whole entry: the start of the next one, cut short
    // Bytes that no crash leaves: something else after the last whole entry, or a whole entry
    // after bytes that do not read (damage in the middle). Cutting the journal at validBytes
    // would lose whole entries or bytes a person may want to read.
    bool damaged = false;
    std::optional<std::string> error; // a version this program cannot read
};
ParsedJournal parseJournal(std::string_view bytes);

// Which entries undo and redo reach. A desk change after undos ends the redo chain.
struct UndoState {
    std::vector<int> done;   // desk changes in force, oldest first: undo takes back().
    std::vector<int> undone; // taken back, redo applies back() again
};
UndoState undoStateOf(const std::vector<JournalEntry>& entries);
// Whether the entry (a desk change) stands taken back at the end of the journal.
std::vector<bool> undoneFlags(const std::vector<JournalEntry>& entries); // index number - 1

struct Replay {
    DayLines lines;
    std::optional<std::string> error; // an entry that does not fit the lines before it
};
// The day's lines after every entry, replayed from the empty day.
Replay replayJournal(const std::vector<JournalEntry>& entries);

} // namespace kavro
