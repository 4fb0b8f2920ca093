#include "core/journal/journal_file.h"

#include "core/journal/journal_words.h"
#include "core/storage/day_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kavro {

namespace fs = std::filesystem;

namespace {

const std::string kJournalNoun = "履歴ファイル";
const std::string kDayNoun = "日付ファイル";

// Cuts the file to `size` and makes that durable.
std::optional<std::string> truncateDurably(const fs::path& path, std::uint64_t size,
                                           const FileOps& ops) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return fileErrorText("履歴ファイルを開けません", errno);
    if (::ftruncate(fd, static_cast<off_t>(size)) != 0 || ops.fsync(fd) != 0) {
        const int err = errno;
        ::close(fd);
        return fileErrorText("履歴ファイルを切り詰められません", err);
    }
    ::close(fd);
    return std::nullopt;
}

void syncFolder(const fs::path& file) {
    const fs::path dir = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

FileIdentity identityOfRead(const FileRead& r) {
    return r.exists ? identityOf(r.bytes) : kMissingFile;
}

// Journals the day file as it stands, against the journal's last state, as 外部変更.
std::optional<std::string> recordOutsideChange(DayJournal& journal, const FileRead& file,
                                               DateTime now, const FileOps& ops) {
    JournalEntry e;
    e.op = JournalOp::Outside;
    e.when = now;
    e.before = journal.entries().empty() ? kMissingFile : journal.entries().back().after;
    e.after = identityOfRead(file);
    e.diff = diffLines(replayJournal(journal.entries()).lines, splitDayLines(file.bytes));
    if (auto error = journal.append(std::move(e), ops))
        return error;
    // The file already holds the entry's "after": should it be found at its "before" later,
    // someone put it back, and nothing of it is to be finished.
    journal.markDone(ops);
    return std::nullopt;
}

// The day file the journal belongs to: "20261205.jnl" -> "20261205.txt".
fs::path dayFileBeside(const fs::path& journal) {
    fs::path p = journal;
    p.replace_extension(".txt");
    return p;
}

// A journal of version 1 as the current version: the same entries under the new header, the
// last one marked done when the day file holds its "after" (a last entry the file does not
// hold is left to the check at load, which finishes it as before).
std::string upgradedJournal(std::string_view whole, const ParsedJournal& parsed,
                            const fs::path& dayFile) {
    std::string out = journalHeader();
    out += whole.substr(parsed.headerBytes);
    if (!parsed.entries.empty()) {
        const FileRead file = readWholeFile(dayFile, kDayNoun);
        if (!file.error && identityOfRead(file) == parsed.entries.back().after)
            out += doneLine(parsed.entries.back().number);
    }
    return out;
}

} // namespace

fs::path journalPathFor(const fs::path& dayFile) {
    fs::path p = dayFile;
    p.replace_extension(".jnl");
    return p;
}

DayJournal::LoadResult DayJournal::load(const FileOps& ops) {
    LoadResult result;
    entries_.clear();
    entryStarts_.clear();
    size_ = 0;
    usable_ = false;
    FileRead read = readWholeFile(path_, kJournalNoun);
    if (read.error) {
        result.error = std::move(read.error);
        return result;
    }
    ParsedJournal parsed = parseJournal(read.bytes);
    if (parsed.error) {
        result.error = *parsed.error + "\r\n" + path_.string();
        return result;
    }
    const std::string_view whole = std::string_view(read.bytes).substr(0, parsed.validBytes);
    std::optional<std::string> rewritten; // the journal's new bytes, when not merely cut
    if (parsed.damaged) {
        // Keep the whole damaged file for a person to read; go on with the entries before the
        // damage, which are whole.
        fs::path aside = path_;
        aside += ".damaged";
        std::error_code ec;
        fs::rename(path_, aside, ec);
        if (ec) {
            result.error =
                "履歴ファイルが壊れていて、別名で残すこともできません\r\n" + path_.string();
            return result;
        }
        result.notice = "履歴ファイルの途中が壊れていました\r\n壊れる前までの履歴で続けます。"
                        "元のファイルは " +
                        aside.filename().string() + " として残しました";
        rewritten = std::string(whole);
    }
    if (parsed.version == 1)
        rewritten = upgradedJournal(whole, parsed, dayFileBeside(path_));
    if (rewritten) {
        if (auto error = replaceFileAtomically(path_, *rewritten, ops)) {
            result.error = std::move(error);
            return result;
        }
        parsed = parseJournal(*rewritten);
    } else if (parsed.tornTail) {
        // The last write was cut short by a crash: that entry never counted.
        if (auto error = truncateDurably(path_, parsed.validBytes, ops)) {
            result.error = std::move(error);
            return result;
        }
    }
    entries_ = std::move(parsed.entries);
    entryStarts_.assign(parsed.entryStarts.begin(), parsed.entryStarts.end());
    size_ = parsed.validBytes;
    usable_ = true;
    return result;
}

bool DayJournal::sameOnDisk() const {
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0)
        return size_ == 0;
    return static_cast<std::uint64_t>(st.st_size) == size_;
}

std::optional<std::string> DayJournal::appendBytes(const std::string& text, bool durable,
                                                   const FileOps& ops) {
    const int fd =
        ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) {
        const int err = errno;
        // Another desk account's journal: the desk must learn which account can write it.
        if (err == EACCES || err == EPERM)
            if (auto owner = otherAccountOwning(path_))
                return otherAccountText(*owner, "書き込めません");
        return fileErrorText("履歴ファイルを開けません", err);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<std::uint64_t>(st.st_size) != size_) {
        ::close(fd);
        return "履歴ファイルがほかのプログラムで変更されています\r\n" + path_.string();
    }
    auto fail = [&](const char* what) {
        const int err = errno;
        if (::ftruncate(fd, static_cast<off_t>(size_)) == 0)
            ops.fsync(fd);
        ::close(fd);
        return fileErrorText(what, err);
    };
    if (!writeAll(fd, text, ops))
        return fail("履歴ファイルに書き込めません");
    if (durable && ops.fsync(fd) != 0)
        return fail("履歴ファイルをディスクに書き込めません");
    ::close(fd);
    size_ += text.size();
    return std::nullopt;
}

std::optional<std::string> DayJournal::append(JournalEntry entry, const FileOps& ops) {
    if (!usable_)
        return "履歴ファイルを読み込めなかったため、書き込めません\r\n" + path_.string();
    entry.number = static_cast<int>(entries_.size()) + 1;
    entry.done = false;
    const bool fresh = size_ == 0;
    const std::string header = fresh ? journalHeader() : std::string();
    const std::uint64_t start = size_ + header.size();
    if (auto error = appendBytes(header + serializeEntry(entry), true, ops))
        return error;
    if (fresh)
        syncFolder(path_); // the new journal's name is durable once the folder is
    entryStarts_.push_back(start);
    entries_.push_back(std::move(entry));
    return std::nullopt;
}

std::optional<std::string> DayJournal::markDone(const FileOps& ops) {
    if (!usable_ || entries_.empty() || entries_.back().done)
        return std::nullopt;
    if (auto error = appendBytes(doneLine(entries_.back().number), false, ops))
        return error;
    entries_.back().done = true;
    return std::nullopt;
}

std::optional<std::string> DayJournal::dropLast(const FileOps& ops) {
    if (entries_.empty())
        return std::nullopt;
    if (auto error = truncateDurably(path_, entryStarts_.back(), ops))
        return error;
    size_ = entryStarts_.back();
    entryStarts_.pop_back();
    entries_.pop_back();
    return std::nullopt;
}

namespace {
JournaledSave saveJournaled(DayJournal& journal, const fs::path& dayFile, std::string_view newBytes,
                            const DayChange& change, const std::optional<FileIdentity>& expected,
                            const std::string* expectedBytes, const IdentityTrail* expectedTrail,
                            const FileOps& ops) {
    JournaledSave result;
    // The bytes the caller holds, with the journal already at them, are taken for the file's
    // without reading it first: the check just before the rename still finds a change another
    // program made, and the entry is then taken off again.
    const bool keptInStep = expected && expectedBytes && expected->exists &&
                            !journal.entries().empty() &&
                            journal.entries().back().after == *expected;
    FileRead read;
    if (!keptInStep) {
        read = readWholeFile(dayFile, kDayNoun);
        if (read.error) {
            result.error = read.error;
            return result;
        }
    }
    const bool currentExists = keptInStep || read.exists;
    const std::string_view currentBytes =
        keptInStep ? std::string_view(*expectedBytes) : read.bytes;
    const bool asExpected = keptInStep || (expected && expectedBytes && read.exists &&
                                           expected->exists && read.bytes == *expectedBytes);
    const FileIdentity currentId = asExpected ? *expected : identityOfRead(read);
    if (expected && *expected != currentId) {
        result.changedOutside = true;
        return result;
    }
    // A change no entry describes (the caller did not check at load, or another program was
    // quicker) is journaled first, so that the chain of identities has no gap.
    if (!journal.entries().empty() && journal.entries().back().after != currentId) {
        if (auto error = recordOutsideChange(journal, read, change.when, ops)) {
            result.error = std::move(error);
            result.failedFile = journal.path();
            return result;
        }
    }
    if (currentExists && currentBytes == newBytes) {
        result.after = currentId;
        return result;
    }

    JournalEntry e;
    e.op = change.op;
    e.target = change.target;
    e.when = change.when;
    e.before = currentId;
    e.after = keptInStep && expectedTrail
                  ? identityResumed(newBytes, currentBytes, *expectedTrail, result.trail)
                  : identityOf(newBytes, result.trail);
    const FileIdentity after = e.after;
    e.diff = diffLineViews(splitDayLineViews(currentBytes), splitDayLineViews(newBytes));
    if (auto error = journal.append(std::move(e), ops)) {
        result.error = std::move(error);
        result.failedFile = journal.path();
        return result;
    }
    // Checked once more just before the rename: another program may have been quicker.
    if (auto error = replaceFileIfStill(dayFile, newBytes, currentExists, currentBytes, ops)) {
        // The file is as it was: an entry left in the journal would be finished at the next
        // start, a change the desk was told did not happen.
        journal.dropLast(ops);
        if (error->kind == SaveFailure::ChangedOutside)
            result.changedOutside = true;
        else
            result.error = std::move(error->text);
        return result;
    }
    // A failed marker costs nothing now: the file holds the entry's "after".
    journal.markDone(ops);
    result.written = true;
    result.after = after;
    return result;
}
} // namespace

JournaledSave saveDayJournaled(DayJournal& journal, const fs::path& dayFile,
                               std::string_view newBytes, const DayChange& change,
                               const std::optional<FileIdentity>& expected, const FileOps& ops) {
    return saveJournaled(journal, dayFile, newBytes, change, expected, nullptr, nullptr, ops);
}

JournaledSave saveDayJournaled(DayJournal& journal, const fs::path& dayFile,
                               std::string_view newBytes, const DayChange& change,
                               const ExpectedDayFile& expected, const FileOps& ops) {
    return saveJournaled(journal, dayFile, newBytes, change, expected.identity, expected.bytes,
                         expected.trail, ops);
}

DayCheck reconcileDay(DayJournal& journal, const fs::path& dayFile, DateTime now,
                      const FileOps& ops) {
    DayCheck check;
    if (!journal.usable())
        return check;
    const FileRead file = readWholeFile(dayFile, kDayNoun);
    const FileIdentity fileId = identityOfRead(file);
    const auto& entries = journal.entries();

    if (entries.empty()) {
        // A day file older than its journal: its content becomes the journal's first state.
        if (!file.error && !file.bytes.empty())
            recordOutsideChange(journal, file, now, ops);
        return check;
    }
    const JournalEntry& last = entries.back();
    if (!file.error && fileId == last.after) {
        if (!last.done) // ended between the replace and its marker
            journal.markDone(ops);
        return check;
    }

    if (!file.error && fileId == last.before && !last.done) {
        // The crash came between the journal and the day file. The entry is whole and durable,
        // and the file holds exactly the state it was made from: finish the change. (With its
        // marker, the change had reached the file: someone put an older copy back.)
        const std::string what = entryInWords(last);
        // A rebuild's entry carries no lines: its state is the replay of the journal.
        const auto applied = last.op == JournalOp::Rebuild
                                 ? ApplyResult{replayJournal(entries).lines, std::nullopt}
                                 : applyLineDiff(splitDayLines(file.bytes), last.diff, false);
        const std::string bytes = joinDayLines(applied.lines);
        std::optional<std::string> error;
        if (applied.conflict || identityOf(bytes) != last.after)
            error = "記録された変更が日付ファイルと合いません";
        else
            error = replaceFileAtomically(dayFile, bytes, ops);
        if (!error) {
            journal.markDone(ops);
            check.kind = DayCheck::Kind::Finished;
            check.message = "前回、保存の途中でプログラムが終了していました\r\n"
                            "その変更を日付ファイルに書き込みました: " +
                            what;
            return check;
        }
        journal.dropLast(ops);
        check.kind = DayCheck::Kind::NotApplied;
        check.message = "前回、保存の途中でプログラムが終了していました\r\n"
                        "その変更は日付ファイルに書き込めなかったため、取り消しました: " +
                        what + "\r\n" + *error;
        return check;
    }

    const Replay replay = replayJournal(entries);
    if (file.error || file.bytes.empty()) {
        if (replay.error || replay.lines.empty())
            return check; // nothing the journal could give back
        check.kind = DayCheck::Kind::RebuildOffered;
        check.rebuilt = replay.lines;
        check.message = "日付ファイルがないか、空か、読み込めません\r\n"
                        "履歴から" +
                        std::to_string(replay.lines.size()) + "行の内容で作り直せます";
        return check;
    }

    check.kind = DayCheck::Kind::OutsideRecorded;
    check.message = "日付ファイルがこのプログラムの外で変更されていました\r\n"
                    "変更後の内容をそのまま読み込み、履歴に外部変更として記録しました";
    if (auto error = recordOutsideChange(journal, file, now, ops))
        *check.message += "（履歴への記録はできませんでした: " + *error + "）";
    return check;
}

std::optional<std::string> rebuildDayFile(DayJournal& journal, const fs::path& dayFile,
                                          DateTime now, const FileOps& ops) {
    const Replay replay = replayJournal(journal.entries());
    if (replay.error)
        return replay.error;
    const std::string bytes = joinDayLines(replay.lines);
    const FileRead file = readWholeFile(dayFile, kDayNoun);
    JournalEntry e;
    e.op = JournalOp::Rebuild;
    e.when = now;
    e.before = file.error ? kMissingFile : identityOfRead(file);
    e.after = identityOf(bytes);
    // The lines are the journal's own: the entry changes none of them.
    if (auto error = journal.append(std::move(e), ops))
        return error;
    if (auto error = replaceFileAtomically(dayFile, bytes, ops)) {
        journal.dropLast(ops);
        return error;
    }
    journal.markDone(ops);
    return std::nullopt;
}

} // namespace kavro
