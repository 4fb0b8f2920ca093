#include "core/journal/journal_words.h"

#include "core/records/cp932.h"
#include "core/records/record.h"

#include <algorithm>
#include <array>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace kavro {

namespace {

// A record line in words: its room, its name and "20:00-21:00 利用", and the fields a change
// may touch besides.
struct RecordWords {
    bool record = false;
    std::string text; // the whole line, decoded
    std::string room, name, people, unit;
    std::string state; // "20:00-21:00 利用"; a line that holds no booking: the line itself
};

RecordWords describe(std::string_view bytes) {
    RecordWords w;
    auto text = decodeCp932(bytes);
    w.text = text ? *text : "（読めない行）";
    if (!text || !isWellFormedRecord(*text)) {
        w.state = w.text;
        return w;
    }
    const RecordView r = viewFields(*text);
    auto hhnn = [](std::string_view dt) { return std::string(dt.substr(11, 5)); };
    w.record = true;
    w.room = r.room;
    w.name = r.name;
    w.people = r.people;
    w.unit = r.unit;
    w.state = hhnn(r.start) + "-" + hhnn(r.end) + " " + std::string(r.status);
    return w;
}

// A record that a change rewrote, before and after: its times and state, and each other
// field that differs. Where nothing of that differs (a date, say), the whole lines.
std::pair<std::string, std::string> rewriteInWords(const RecordWords& b, const RecordWords& a) {
    std::string before = b.state, after = a.state;
    if (b.record && a.record) {
        const std::array<std::pair<const char*, std::string RecordWords::*>, 4> fields{{
            {"人数", &RecordWords::people},
            {"単位", &RecordWords::unit},
            {"区分", &RecordWords::room},
            {"名前", &RecordWords::name},
        }};
        for (const auto& [label, field] : fields) {
            if (b.*field == a.*field)
                continue;
            before += std::string(" ") + label + "：" + b.*field;
            after += std::string(" ") + label + "：" + a.*field;
        }
    }
    if (before == after)
        return {b.text, a.text};
    return {before, after};
}

} // namespace

std::string lineForPeople(std::string_view bytes) {
    const RecordWords w = describe(bytes);
    return w.record ? w.room + " " + w.name + " " + w.state : w.state;
}

ChangeSummary summarizeChange(const LineDiff& diff, std::size_t named, std::string_view separator) {
    // Records matched by ID, in the order they first appear.
    struct Pair {
        std::optional<RecordWords> before, after;
    };
    std::vector<Pair> pairs;
    std::unordered_map<std::string, std::size_t> pairOf; // ID (or the whole line) -> pairs
    std::vector<std::string> rooms, names;
    std::unordered_set<std::string> allNames;
    auto note = [&](const std::string& bytes, bool after) {
        RecordWords w = describe(bytes);
        const std::string key = w.record ? bytes.substr(0, 9) : bytes;
        const auto [at, fresh] = pairOf.emplace(key, pairs.size());
        if (fresh)
            pairs.emplace_back();
        if (!w.room.empty() && std::find(rooms.begin(), rooms.end(), w.room) == rooms.end())
            rooms.push_back(w.room); // 34 rooms at most
        if (!w.name.empty() && allNames.insert(w.name).second && names.size() < named)
            names.push_back(w.name);
        (after ? pairs[at->second].after : pairs[at->second].before) = std::move(w);
    };
    for (const auto& l : diff.removed)
        note(l.bytes, false);
    for (const auto& l : diff.added)
        note(l.bytes, true);

    auto join = [&](const std::vector<std::string>& v, std::string_view sep, std::size_t total) {
        std::string out;
        for (std::size_t i = 0; i < v.size() && i < named; ++i)
            out += (out.empty() ? "" : std::string(sep)) + v[i];
        if (total > named)
            out += std::string(sep) + "ほか" + std::to_string(total - named) + "件";
        return out;
    };
    std::sort(rooms.begin(), rooms.end());
    std::vector<std::string> before, after;
    for (const auto& p : pairs) {
        if (p.before && p.after) {
            if (p.before->text == p.after->text)
                continue; // moved within the file, or written with the other code of a character
            auto [b, a] = rewriteInWords(*p.before, *p.after);
            before.push_back(std::move(b));
            after.push_back(std::move(a));
        } else {
            before.push_back(p.before ? p.before->state : "なし");
            after.push_back(p.after ? p.after->state : "なし");
        }
    }
    ChangeSummary s;
    s.rooms = join(rooms, ", ", rooms.size());
    s.names = join(names, ", ", allNames.size());
    s.before = join(before, separator, before.size());
    s.after = join(after, separator, after.size());
    return s;
}

std::string entryInWords(const JournalEntry& e) {
    const ChangeSummary s = summarizeChange(e.diff);
    std::string out = formatMonthDay(businessDateAt(e.when)) + " " + formatHhNn(e.when) + " " +
                      std::string(journalOpWord(e.op));
    for (const std::string* part : {&s.rooms, &s.names})
        if (!part->empty())
            out += " " + *part;
    return out;
}

std::vector<HistoryRow> historyRows(const std::vector<JournalEntry>& entries, Date day) {
    const std::vector<bool> undone = undoneFlags(entries);
    std::vector<HistoryRow> rows;
    rows.reserve(entries.size());
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        HistoryRow row;
        row.number = it->number;
        const Date madeOn = businessDateAt(it->when);
        row.time = (madeOn == day ? "" : formatMonthDay(madeOn) + " ") +
                   formatDateTime(it->when).substr(11);
        row.operation = journalOpWord(it->op);
        if ((it->op == JournalOp::Undo || it->op == JournalOp::Redo) && it->target >= 1 &&
            static_cast<std::size_t>(it->target) <= entries.size())
            row.operation += "（番号" + std::to_string(it->target) + " " +
                             std::string(journalOpWord(entries[it->target - 1].op)) + "）";
        row.change = summarizeChange(it->diff);
        row.undone = undone[static_cast<std::size_t>(it->number - 1)];
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace kavro
