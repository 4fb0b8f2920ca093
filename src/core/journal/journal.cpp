#include "core/journal/journal.h"

#include "core/journal/journal_words.h"
#include "core/records/cp932.h"
#include "core/records/record.h"
#include "core/records/room_grid.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <map>
#include <unordered_map>

namespace kavro {

namespace {

constexpr std::array<std::pair<JournalOp, std::string_view>, 12> kOpWords{{
    {JournalOp::Use, "利用"},
    {JournalOp::Reserve, "予約"},
    {JournalOp::Input, "入力"},
    {JournalOp::Modify, "修正"},
    {JournalOp::Notify, "通知"},
    {JournalOp::Settle, "精算"},
    {JournalOp::Delete, "削除"},
    {JournalOp::Carry, "繰越"},
    {JournalOp::Undo, "元に戻す"},
    {JournalOp::Redo, "やり直す"},
    {JournalOp::Outside, "外部変更"},
    {JournalOp::Rebuild, "復元"},
}};

constexpr std::string_view kHeaderWord = "KAVRO-JOURNAL";

// The words as the journal holds them.
const std::string& opWordCp932(JournalOp op) {
    static const auto table = [] {
        std::array<std::string, kOpWords.size()> t;
        for (std::size_t i = 0; i < kOpWords.size(); ++i)
            t[i] = *encodeCp932(kOpWords[i].second);
        return t;
    }();
    return table[static_cast<std::size_t>(op)];
}

std::optional<JournalOp> opOfCp932(std::string_view word) {
    for (const auto& [op, utf8] : kOpWords)
        if (opWordCp932(op) == word)
            return op;
    return std::nullopt;
}

template <class Int> bool parseNumber(std::string_view text, Int& out) {
    if (text.empty())
        return false;
    auto r = std::from_chars(text.data(), text.data() + text.size(), out);
    return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

std::vector<std::string_view> splitSpaces(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    while (start <= line.size()) {
        auto sp = line.find(' ', start);
        if (sp == std::string_view::npos)
            sp = line.size();
        out.push_back(line.substr(start, sp - start));
        start = sp + 1;
    }
    return out;
}

// Field 5 as it stands in the file's bytes: fields 0-5 of a record are ASCII, and no second
// byte of a CP932 character is a comma.
std::string_view rawRoomField(std::string_view bytes) {
    std::size_t pos = 0;
    for (int i = 0; i < 5; ++i) {
        pos = bytes.find(',', pos);
        if (pos == std::string_view::npos)
            return {};
        ++pos;
    }
    return bytes.substr(pos, bytes.find(',', pos) - pos);
}

// A line of the day file that holds a booking (the others are kept as they are).
bool isRecordLine(std::string_view bytes) {
    const auto text = decodeCp932(bytes);
    return text && isWellFormedRecord(*text);
}

} // namespace

std::string_view journalOpWord(JournalOp op) {
    return kOpWords[static_cast<std::size_t>(op)].second;
}

bool isDeskOp(JournalOp op) {
    switch (op) {
    case JournalOp::Use:
    case JournalOp::Reserve:
    case JournalOp::Input:
    case JournalOp::Modify:
    case JournalOp::Notify:
    case JournalOp::Settle:
    case JournalOp::Delete:
        return true;
    default:
        return false;
    }
}

std::vector<std::string_view> splitDayLineViews(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        auto lf = bytes.find('\n', start);
        const std::size_t end = lf == std::string_view::npos ? bytes.size() : lf;
        std::string_view line = bytes.substr(start, end - start);
        if (lf != std::string_view::npos && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

DayLines splitDayLines(std::string_view bytes) {
    const auto views = splitDayLineViews(bytes);
    return DayLines(views.begin(), views.end());
}

std::string joinDayLines(const DayLines& lines) {
    std::size_t size = 0;
    for (const auto& l : lines)
        size += l.size() + 2;
    std::string out;
    out.reserve(size);
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

// ---- diff ----

LineDiff diffLines(const DayLines& before, const DayLines& after) {
    return diffLineViews(std::vector<std::string_view>(before.begin(), before.end()),
                         std::vector<std::string_view>(after.begin(), after.end()));
}

LineDiff diffLineViews(const std::vector<std::string_view>& a,
                       const std::vector<std::string_view>& b) {
    std::size_t pre = 0;
    while (pre < a.size() && pre < b.size() && a[pre] == b[pre])
        ++pre;
    std::size_t suf = 0;
    while (suf < a.size() - pre && suf < b.size() - pre &&
           a[a.size() - 1 - suf] == b[b.size() - 1 - suf])
        ++suf;
    const int n = static_cast<int>(a.size() - pre - suf);
    const int m = static_cast<int>(b.size() - pre - suf);
    LineDiff d;
    auto replaceAll = [&] {
        for (int i = 0; i < n; ++i)
            d.removed.push_back({pre + i, std::string(a[pre + i])});
        for (int j = 0; j < m; ++j)
            d.added.push_back({pre + j, std::string(b[pre + j])});
    };
    // Lines only put in or only taken out (a new file, an emptied one): nothing to search.
    if (n == 0 || m == 0) {
        replaceAll();
        return d;
    }

    // Lines as small numbers, so that the search compares integers.
    std::unordered_map<std::string_view, int> ids;
    std::vector<int> A(n), B(m);
    for (int i = 0; i < n; ++i)
        A[i] = ids.emplace(a[pre + i], static_cast<int>(ids.size())).first->second;
    for (int j = 0; j < m; ++j)
        B[j] = ids.emplace(b[pre + j], static_cast<int>(ids.size())).first->second;

    // Myers' O(ND) search. Beyond this many differences (another program rewrote the file)
    // a plain "all out, all in" is as useful and costs nothing.
    constexpr int kMaxEdits = 1000;
    const int max = n + m;
    std::vector<int> v(2 * static_cast<std::size_t>(max) + 2, 0);
    const int off = max + 1;
    std::vector<std::vector<int>> trace; // trace[d][k + d]: v after round d
    int found = -1;
    for (int e = 0; e <= std::min(max, kMaxEdits) && found < 0; ++e) {
        for (int k = -e; k <= e; k += 2) {
            int x = (k == -e || (k != e && v[off + k - 1] < v[off + k + 1])) ? v[off + k + 1]
                                                                             : v[off + k - 1] + 1;
            int y = x - k;
            while (x < n && y < m && A[x] == B[y])
                ++x, ++y;
            v[off + k] = x;
            if (x >= n && y >= m) {
                found = e;
                break;
            }
        }
        trace.emplace_back(v.begin() + off - e, v.begin() + off + e + 1);
    }
    if (found < 0) {
        replaceAll();
        return d;
    }
    int x = n, y = m;
    for (int e = found; e > 0; --e) {
        const std::vector<int>& pv = trace[e - 1]; // pv[k + e - 1]
        auto at = [&](int k) { return pv[k + e - 1]; };
        const int k = x - y;
        const int prevK = (k == -e || (k != e && at(k - 1) < at(k + 1))) ? k + 1 : k - 1;
        const int prevX = at(prevK);
        const int prevY = prevX - prevK;
        while (x > prevX && y > prevY)
            --x, --y;
        if (prevK == k + 1)
            d.added.push_back({pre + y - 1, std::string(b[pre + y - 1])});
        else
            d.removed.push_back({pre + x - 1, std::string(a[pre + x - 1])});
        x = prevX;
        y = prevY;
    }
    std::reverse(d.removed.begin(), d.removed.end());
    std::reverse(d.added.begin(), d.added.end());
    return d;
}

LineDiff inverseOf(const LineDiff& diff) { return LineDiff{diff.added, diff.removed}; }

// ---- apply ----

namespace {

// A room that the change leaves with more than 48 records, and with more than it had (a room
// already over the limit by another program's hand does not block a change that adds
// nothing to it).
std::optional<std::string> overfullRoom(const DayLines& after, const LineDiff& diff) {
    struct Count {
        int after = 0;  // records of the room after the change
        int growth = 0; // records the change adds to it, less those it takes out
    };
    std::map<std::string, Count, std::less<>> rooms;
    for (const auto& add : diff.added)
        if (isRecordLine(add.bytes))
            rooms.emplace(rawRoomField(add.bytes), Count{});
    if (rooms.empty())
        return std::nullopt;
    auto tally = [&](std::string_view line, int Count::*field, int step) {
        auto it = rooms.find(rawRoomField(line));
        if (it != rooms.end() && isRecordLine(line))
            it->second.*field += step;
    };
    for (const auto& line : after)
        tally(line, &Count::after, 1);
    for (const auto& add : diff.added)
        tally(add.bytes, &Count::growth, 1);
    for (const auto& rm : diff.removed)
        tally(rm.bytes, &Count::growth, -1);
    for (const auto& [room, c] : rooms)
        if (c.after > kRecordsPerRoom && c.growth > 0)
            return room;
    return std::nullopt;
}

} // namespace

ApplyResult applyLineDiff(DayLines current, const LineDiff& diff, bool checkRooms) {
    ApplyResult r;
    std::vector<bool> gone(current.size(), false);
    // Where the new lines go: their recorded places, shifted as far as the lines around them
    // moved since (other lines added or taken out before them by another hand).
    std::vector<JournalLine> added = diff.added;
    bool inPlace = true;
    for (const auto& rm : diff.removed)
        if (rm.index >= current.size() || current[rm.index] != rm.bytes) {
            inPlace = false;
            break;
        }
    if (inPlace) {
        for (const auto& rm : diff.removed)
            gone[rm.index] = true;
    } else {
        // Each line to take out is looked for by its bytes, nearest to its recorded place.
        auto distance = [](std::size_t a, std::size_t b) { return a > b ? a - b : b - a; };
        std::vector<std::pair<std::size_t, long>> shifts; // recorded place, shift found
        for (const auto& rm : diff.removed) {
            std::optional<std::size_t> best;
            for (std::size_t i = 0; i < current.size(); ++i)
                if (!gone[i] && current[i] == rm.bytes &&
                    (!best || distance(i, rm.index) < distance(*best, rm.index)))
                    best = i;
            if (!best) {
                r.conflict = "あとから次のデータが変更されています\r\n" + lineForPeople(rm.bytes);
                return r;
            }
            gone[*best] = true;
            shifts.emplace_back(rm.index, static_cast<long>(*best) - static_cast<long>(rm.index));
        }
        for (auto& add : added) {
            const auto nearest =
                std::min_element(shifts.begin(), shifts.end(), [&](const auto& x, const auto& y) {
                    return distance(x.first, add.index) < distance(y.first, add.index);
                });
            if (nearest != shifts.end())
                add.index = static_cast<std::size_t>(
                    std::max(0L, static_cast<long>(add.index) + nearest->second));
        }
        std::stable_sort(added.begin(), added.end(),
                         [](const auto& x, const auto& y) { return x.index < y.index; });
    }

    r.lines.reserve(current.size() - diff.removed.size() + added.size());
    std::size_t ai = 0;
    auto placeDue = [&] {
        while (ai < added.size() && added[ai].index <= r.lines.size())
            r.lines.push_back(added[ai++].bytes);
    };
    for (std::size_t i = 0; i < current.size(); ++i) {
        if (gone[i])
            continue;
        placeDue();
        r.lines.push_back(std::move(current[i]));
    }
    placeDue();
    while (ai < added.size()) // recorded past the end of shorter lines
        r.lines.push_back(added[ai++].bytes);

    if (checkRooms) {
        if (auto full = overfullRoom(r.lines, diff)) {
            r.conflict = "区画" + *full + "のデータが1日48件を超えます";
            r.lines.clear();
        }
    }
    return r;
}

// ---- the text format ----

namespace {
std::string headerLine(int version) {
    return std::string(kHeaderWord) + " " + std::to_string(version) + "\r\n";
}
} // namespace

std::string journalHeader() { return headerLine(kJournalVersion); }

std::string serializeEntry(const JournalEntry& e) {
    std::string out = "entry " + std::to_string(e.number) + " " + formatDateTime(e.when) + " " +
                      opWordCp932(e.op);
    if (e.op == JournalOp::Undo || e.op == JournalOp::Redo)
        out += " " + std::to_string(e.target);
    out += "\r\nbefore " + identityText(e.before) + "\r\nafter " + identityText(e.after) + "\r\n";
    for (const auto& l : e.diff.removed)
        out += "-" + std::to_string(l.index) + " " + l.bytes + "\r\n";
    for (const auto& l : e.diff.added)
        out += "+" + std::to_string(l.index) + " " + l.bytes + "\r\n";
    const FileIdentity sum = identityOf(out);
    char hex[17];
    auto end = std::to_chars(hex, hex + sizeof hex, sum.hash, 16).ptr;
    out += "end " + std::to_string(e.number) + " " + std::string(hex, end) + "\r\n";
    return out;
}

std::string doneLine(int number) { return "done " + std::to_string(number) + "\r\n"; }

namespace {

struct Cursor {
    std::string_view bytes;
    std::size_t pos = 0;
    // The next line without its line end; false at the end or on a line without LF (torn).
    bool next(std::string_view& line, std::size_t& lineStart) {
        if (pos >= bytes.size())
            return false;
        auto lf = bytes.find('\n', pos);
        if (lf == std::string_view::npos)
            return false;
        lineStart = pos;
        line = bytes.substr(pos, lf - pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        pos = lf + 1;
        return true;
    }
    std::string_view rest() const { return bytes.substr(std::min(pos, bytes.size())); }
};

bool parseLineChange(std::string_view line, char sign, JournalLine& out) {
    if (line.empty() || line[0] != sign)
        return false;
    const auto sp = line.find(' ');
    if (sp == std::string_view::npos || !parseNumber(line.substr(1, sp - 1), out.index))
        return false;
    out.bytes = std::string(line.substr(sp + 1));
    return true;
}

// Whether a line cut short could be the beginning of one of the lines due at this point.
bool couldBegin(std::string_view cut, std::initializer_list<std::string_view> due) {
    return std::any_of(due.begin(), due.end(), [&](std::string_view d) {
        const std::size_t n = std::min(cut.size(), d.size());
        return cut.substr(0, n) == d.substr(0, n);
    });
}

enum class EntryRead {
    Whole,
    Cut, // every line so far fits, and the bytes end where a crash may have cut the write
    Bad,
};

// One entry from the cursor (left anywhere unless the entry is whole).
EntryRead parseEntry(Cursor& c, int expectedNumber, JournalEntry& e) {
    const std::string number = std::to_string(expectedNumber);
    const std::string headStart = "entry " + number + " ", endStart = "end " + number + " ";
    auto outOfLines = [&](std::initializer_list<std::string_view> due) {
        return couldBegin(c.rest(), due) ? EntryRead::Cut : EntryRead::Bad;
    };
    std::string_view line;
    std::size_t start = 0, lineStart = 0;
    if (!c.next(line, start))
        return outOfLines({headStart});
    auto head = splitSpaces(line);
    if (head.size() < 5 || head[0] != "entry" || !parseNumber(head[1], e.number) ||
        e.number != expectedNumber)
        return EntryRead::Bad;
    auto when = parseDateTime(std::string(head[2]) + " " + std::string(head[3]));
    auto op = opOfCp932(head[4]);
    if (!when || !op)
        return EntryRead::Bad;
    e.when = *when;
    e.op = *op;
    const bool targeted = e.op == JournalOp::Undo || e.op == JournalOp::Redo;
    if (head.size() != (targeted ? 6u : 5u) ||
        (targeted && (!parseNumber(head[5], e.target) || e.target < 1 || e.target >= e.number)))
        return EntryRead::Bad;
    if (!c.next(line, lineStart))
        return outOfLines({"before "});
    if (line.substr(0, 7) != "before " || !parseIdentityText(line.substr(7), e.before))
        return EntryRead::Bad;
    if (!c.next(line, lineStart))
        return outOfLines({"after "});
    if (line.substr(0, 6) != "after " || !parseIdentityText(line.substr(6), e.after))
        return EntryRead::Bad;
    while (c.next(line, lineStart)) {
        JournalLine l;
        if (parseLineChange(line, '-', l)) {
            if (!e.diff.added.empty() ||
                (!e.diff.removed.empty() && l.index <= e.diff.removed.back().index))
                return EntryRead::Bad;
            e.diff.removed.push_back(std::move(l));
        } else if (parseLineChange(line, '+', l)) {
            if (!e.diff.added.empty() && l.index <= e.diff.added.back().index)
                return EntryRead::Bad;
            e.diff.added.push_back(std::move(l));
        } else {
            auto tail = splitSpaces(line);
            int n = 0;
            std::uint64_t sum = 0;
            if (tail.size() != 3 || tail[0] != "end" || !parseNumber(tail[1], n) || n != e.number)
                return EntryRead::Bad;
            auto r = std::from_chars(tail[2].data(), tail[2].data() + tail[2].size(), sum, 16);
            if (r.ec != std::errc() || r.ptr != tail[2].data() + tail[2].size())
                return EntryRead::Bad;
            return identityOf(c.bytes.substr(start, lineStart - start)).hash == sum
                       ? EntryRead::Whole
                       : EntryRead::Bad;
        }
    }
    return outOfLines({"-", "+", endStart});
}

} // namespace

ParsedJournal parseJournal(std::string_view bytes) {
    ParsedJournal p;
    Cursor c{bytes};
    std::string_view line;
    std::size_t start = 0;
    if (!c.next(line, start)) {
        // Nothing whole yet: an empty file, or a header cut short (of this version or an older
        // one, written before this program was updated).
        bool headerStart = false;
        for (int v = 1; v <= kJournalVersion; ++v)
            headerStart = headerStart || headerLine(v).starts_with(bytes);
        p.tornTail = !bytes.empty() && headerStart;
        p.damaged = !headerStart;
        return p;
    }
    auto head = splitSpaces(line);
    if (head.size() != 2 || head[0] != kHeaderWord || !parseNumber(head[1], p.version)) {
        p.damaged = true; // nothing of it reads: kept aside whole, a new journal begins
        return p;
    }
    if (p.version < 1 || p.version > kJournalVersion) {
        p.error = "この履歴ファイルの形式（版" + std::to_string(p.version) + "）は読めません";
        return p;
    }
    p.headerBytes = c.pos;
    p.validBytes = c.pos;
    EntryRead stop = EntryRead::Cut;
    while (c.pos < bytes.size()) {
        JournalEntry e;
        Cursor attempt = c;
        stop = parseEntry(attempt, static_cast<int>(p.entries.size()) + 1, e);
        if (stop != EntryRead::Whole)
            break;
        Cursor marker = attempt;
        if (p.version >= 2 && marker.next(line, start) &&
            line == "done " + std::to_string(e.number)) {
            e.done = true;
            attempt = marker;
        }
        p.entryStarts.push_back(c.pos);
        c = attempt;
        p.validBytes = c.pos;
        p.entries.push_back(std::move(e));
    }
    if (p.validBytes < bytes.size()) {
        // A crash leaves a prefix of what it was writing: the next entry, or the last one's
        // "done" line.
        const std::string_view rest = bytes.substr(p.validBytes);
        const bool cutDone = p.version >= 2 && !p.entries.empty() && !p.entries.back().done &&
                             doneLine(p.entries.back().number).starts_with(rest);
        p.tornTail = cutDone || stop == EntryRead::Cut;
        p.damaged = !p.tornTail;
    }
    return p;
}

// ---- undo and redo ----

UndoState undoStateOf(const std::vector<JournalEntry>& entries) {
    UndoState s;
    for (const auto& e : entries) {
        if (isDeskOp(e.op)) {
            s.done.push_back(e.number);
            s.undone.clear();
        } else if (e.op == JournalOp::Undo && !s.done.empty() && s.done.back() == e.target) {
            s.done.pop_back();
            s.undone.push_back(e.target);
        } else if (e.op == JournalOp::Redo && !s.undone.empty() && s.undone.back() == e.target) {
            s.undone.pop_back();
            s.done.push_back(e.target);
        }
    }
    return s;
}

std::vector<bool> undoneFlags(const std::vector<JournalEntry>& entries) {
    std::vector<bool> flags(entries.size(), false);
    for (const auto& e : entries) {
        const auto t = static_cast<std::size_t>(e.target - 1);
        if (e.target >= 1 && t < flags.size())
            flags[t] = e.op == JournalOp::Undo ? true : e.op == JournalOp::Redo ? false : flags[t];
    }
    return flags;
}

Replay replayJournal(const std::vector<JournalEntry>& entries) {
    Replay r;
    for (const auto& e : entries) {
        // What happened is replayed as it happened, a room over the limit included.
        auto applied = applyLineDiff(std::move(r.lines), e.diff, false);
        if (applied.conflict) {
            r.error = "履歴の" + std::to_string(e.number) + "番目の変更が合いません\r\n" +
                      *applied.conflict;
            return r;
        }
        r.lines = std::move(applied.lines);
    }
    return r;
}

} // namespace kavro
