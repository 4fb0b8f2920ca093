#include "core/figures/summary_file.h"

#include "core/retention/day_evidence.h"
#include "core/retention/day_purge.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fstream>
#include <sstream>

namespace kavro {

namespace fs = std::filesystem;

namespace {

bool readNumber(std::string_view text, long& out) {
    if (text.empty())
        return false;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc{} && end == text.data() + text.size() && out >= 0;
}

// "key=value" with this key: the value.
std::optional<std::string_view> valueOf(std::string_view word, std::string_view key) {
    if (word.size() <= key.size() || word.substr(0, key.size()) != key || word[key.size()] != '=')
        return std::nullopt;
    return word.substr(key.size() + 1);
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    while (true) {
        const auto at = text.find(separator, start);
        out.push_back(text.substr(start, at == std::string_view::npos ? at : at - start));
        if (at == std::string_view::npos)
            return out;
        start = at + 1;
    }
}

template <std::size_t N>
bool readNumbers(std::string_view text, char separator, std::array<long, N>& out) {
    const auto parts = split(text, separator);
    if (parts.size() != N)
        return false;
    for (std::size_t i = 0; i < N; ++i)
        if (!readNumber(parts[i], out[i]))
            return false;
    return true;
}

// The header of the files written before takings were kept; they are read as they are.
constexpr std::string_view kFormat1Header = "# kavro day summary, format 1";

const char* const kCountKeys[] = {"parties", "people", "minutes",   "occupied",
                                  "stay",    "peak",   "unreadable"};

} // namespace

std::string summaryLine(const SummaryEntry& entry) {
    const DayFigures& d = entry.figures;
    const bool first = entry.format == 1;
    const long counts[] = {d.parties,          d.people,    d.minutes,        d.occupiedMinutes,
                           d.partyStayMinutes, d.peakRooms, d.unreadableLines};
    std::string out =
        (first ? "1 " : "2 ") + formatIsoDate(d.date) + " src=" + identityText(entry.dayFile);
    for (std::size_t i = 0; i < std::size(counts); ++i)
        out += std::string(" ") + kCountKeys[i] + "=" + std::to_string(counts[i]);
    if (!first)
        out += " noshow=" + std::to_string(d.unarrivedReservations);
    out += " hours=";
    for (int h = 0; h < kHoursPerDay; ++h)
        out += (h ? "," : "") + std::to_string(d.hourRoomMinutes[h]);
    out += " rooms=";
    for (int r = 0; r < kRoomCount; ++r) {
        const RoomFigures& f = d.rooms[r];
        out += (r ? "," : "") + std::to_string(f.parties) + ":" + std::to_string(f.minutes) + ":" +
               std::to_string(f.occupiedMinutes);
    }
    if (!first && entry.sales) {
        const DaySales& s = *entry.sales;
        out += " sales=" + std::to_string(s.parties) + ":" + std::to_string(s.amount) + " methods=";
        for (int m = 0; m < kSummaryMethodCount; ++m)
            out += (m ? "," : "") + std::to_string(s.methodParties[m]) + ":" +
                   std::to_string(s.methodAmounts[m]);
    }
    return out;
}

namespace {

// "parties:yen", signed: a day whose voids outweigh its sales has negative takings.
bool readTakings(std::string_view text, long long& parties, long long& amount) {
    const auto parts = split(text, ':');
    if (parts.size() != 2)
        return false;
    const auto read = [](std::string_view t, long long& out) {
        auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), out);
        return !t.empty() && ec == std::errc{} && end == t.data() + t.size();
    };
    return read(parts[0], parties) && read(parts[1], amount);
}

std::optional<DaySales> readSales(std::string_view salesWord, std::string_view methodsWord) {
    const auto total = valueOf(salesWord, "sales");
    const auto methods = valueOf(methodsWord, "methods");
    if (!total || !methods)
        return std::nullopt;
    DaySales s;
    const auto each = split(*methods, ',');
    if (!readTakings(*total, s.parties, s.amount) || each.size() != kSummaryMethodCount)
        return std::nullopt;
    for (int m = 0; m < kSummaryMethodCount; ++m)
        if (!readTakings(each[m], s.methodParties[m], s.methodAmounts[m]))
            return std::nullopt;
    return s;
}

} // namespace

std::optional<SummaryEntry> parseSummaryLine(std::string_view line) {
    const auto words = split(line, ' ');
    if (words.empty() || (words[0] != "1" && words[0] != "2"))
        return std::nullopt;
    const bool first = words[0] == "1";
    // Format 2 adds noshow= and, when the takings are known, sales= and methods=.
    const std::size_t base = 5 + std::size(kCountKeys) + (first ? 0 : 1);
    if (words.size() != base && (first || words.size() != base + 2))
        return std::nullopt;
    SummaryEntry e;
    e.format = first ? 1 : 2;
    DayFigures& d = e.figures;
    d.source = FiguresSource::Summary;
    const auto date = parseIsoDate(words[1]);
    const auto src = valueOf(words[2], "src");
    if (!date || !src || !parseIdentityText(*src, e.dayFile))
        return std::nullopt;
    d.date = *date;
    std::array<long, std::size(kCountKeys)> counts{};
    for (std::size_t i = 0; i < counts.size(); ++i) {
        const auto v = valueOf(words[3 + i], kCountKeys[i]);
        if (!v || !readNumber(*v, counts[i]))
            return std::nullopt;
    }
    d.parties = counts[0];
    d.people = counts[1];
    d.minutes = counts[2];
    d.occupiedMinutes = counts[3];
    d.partyStayMinutes = counts[4];
    d.peakRooms = static_cast<int>(std::min(counts[5], long(kRoomCount)));
    d.unreadableLines = static_cast<int>(std::min(counts[6], 1L << 30));

    std::size_t next = 3 + counts.size();
    if (!first) {
        const auto noshow = valueOf(words[next++], "noshow");
        if (!noshow || !readNumber(*noshow, d.unarrivedReservations))
            return std::nullopt;
    }
    const auto hours = valueOf(words[next++], "hours");
    if (!hours || !readNumbers(*hours, ',', d.hourRoomMinutes))
        return std::nullopt;
    const auto rooms = valueOf(words[next++], "rooms");
    if (!rooms)
        return std::nullopt;
    const auto roomWords = split(*rooms, ',');
    if (roomWords.size() != kRoomCount)
        return std::nullopt;
    for (int r = 0; r < kRoomCount; ++r) {
        std::array<long, 3> v{};
        if (!readNumbers(roomWords[r], ':', v))
            return std::nullopt;
        d.rooms[r] = {v[0], v[1], v[2]};
    }
    if (words.size() == base + 2) {
        e.sales = readSales(words[next], words[next + 1]);
        if (!e.sales)
            return std::nullopt;
    }
    return e;
}

SummaryFile parseSummary(std::string_view bytes) {
    SummaryFile out;
    std::size_t start = 0;
    int lineNumber = 0;
    while (start < bytes.size()) {
        const auto lf = bytes.find('\n', start);
        const std::size_t end = lf == std::string_view::npos ? bytes.size() : lf;
        std::string_view raw = bytes.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        if (raw.empty() || raw == kSummaryHeader || raw == kFormat1Header)
            continue;
        auto entry = parseSummaryLine(raw);
        if (entry && !out.days.count(entry->figures.date))
            out.days.emplace(entry->figures.date, std::move(*entry));
        else
            out.kept.push_back({lineNumber, std::string(raw)});
    }
    return out;
}

std::string renderSummary(const SummaryFile& file) {
    std::string out(kSummaryHeader);
    out += '\n';
    for (const auto& [date, entry] : file.days) {
        out += summaryLine(entry);
        out += '\n';
    }
    for (const auto& k : file.kept) {
        out += k.bytes;
        out += '\n';
    }
    return out;
}

fs::path summaryFilePath(const fs::path& dir) { return dir / kSummaryFileName; }

namespace {

struct RawSummary {
    std::string bytes;
    std::optional<std::string> error;
};

RawSummary readRawSummary(const fs::path& dir) {
    RawSummary raw;
    const fs::path path = summaryFilePath(dir);
    std::error_code ec;
    if (!fs::exists(path, ec))
        return raw;
    if (!fs::is_regular_file(path, ec)) {
        raw.error = "集計ファイルの場所に通常のファイルでないものがあるため読み込めません";
        return raw;
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    if (!in || !(bytes << in.rdbuf())) {
        // An empty file reads as nothing, which is no error.
        if (fs::file_size(path, ec) != 0 || ec)
            raw.error = fileErrorText("集計ファイルを読み込めません", errno);
        return raw;
    }
    raw.bytes = std::move(bytes).str();
    return raw;
}

// Whether a day's kept line stands against its file as it is now: the line was taken from
// these very bytes, or the file holds no line and its journal no entry. Showing a day whose
// file was purged creates it empty, and those zeros must not replace the figures kept.
bool keepsItsLine(const SummaryEntry& line, const ExistingDayFile& day, const fs::path& path,
                  bool onlyChanged) {
    if (onlyChanged && line.dayFile == day.identity)
        return true;
    return tellsNothing(day.content, path);
}

SummaryUpdate storeEntries(const fs::path& dir, const std::vector<Date>& dates, bool onlyChanged,
                           const DaySalesOf& salesOf, const FileOps& ops) {
    SummaryUpdate result;
    const RawSummary raw = readRawSummary(dir);
    if (raw.error) {
        // Writing over a file that could not be read would lose the years it holds.
        result.error = raw.error;
        return result;
    }
    SummaryFile file = parseSummary(raw.bytes);
    for (const auto& k : file.kept)
        result.keptLineNumbers.push_back(k.lineNumber);

    for (Date date : dates) {
        auto known = file.days.find(date);
        // A line taken from the bytes the file still holds is kept without parsing them: a
        // start-up with a month of full days would otherwise parse every one of them.
        const FileIdentity* unchanged =
            onlyChanged && known != file.days.end() ? &known->second.dayFile : nullptr;
        auto day = readExistingDayFile(dayFilePath(dir, date), true, unchanged);
        std::optional<DaySales> sales = salesOf ? salesOf(date) : std::nullopt;
        if (known != file.days.end() && !sales)
            sales = known->second.sales;
        if (known != file.days.end() && sales != known->second.sales) {
            // A sale or void changes the takings, not the day file.
            known->second.sales = sales;
            known->second.format = 2;
        }
        if (!day)
            continue; // gone: its figures stay as they are
        if (day->error) {
            result.error = *day->error + "\r\n" + dayFilePath(dir, date).string();
            continue;
        }
        if (known != file.days.end() &&
            keepsItsLine(known->second, *day, dayFilePath(dir, date), onlyChanged))
            continue;
        SummaryEntry entry{figuresOfDay(date, day->content), day->identity, sales};
        entry.figures.source = FiguresSource::Summary;
        entry.figures.hasRoomHours = false;
        entry.figures.roomHourMinutes = {};
        file.days[date] = std::move(entry);
        result.summarised.push_back(date);
    }

    const std::string bytes = renderSummary(file);
    if (bytes == raw.bytes)
        return result;
    if (auto error = replaceFileAtomically(summaryFilePath(dir), bytes, ops)) {
        result.error = *error + "\r\n" + summaryFilePath(dir).string();
        return result;
    }
    result.written = true;
    return result;
}

} // namespace

SummaryRead readSummaryFile(const fs::path& dir) {
    RawSummary raw = readRawSummary(dir);
    return {parseSummary(raw.bytes), std::move(raw.error)};
}

SummaryUpdate summariseDays(const fs::path& dir, const std::vector<Date>& dates,
                            const DaySalesOf& salesOf, const FileOps& ops) {
    return storeEntries(dir, dates, false, salesOf, ops);
}

SummaryUpdate refreshSummary(const fs::path& dir, const DaySalesOf& salesOf, const FileOps& ops) {
    return storeEntries(dir, dayFileDates(dir), true, salesOf, ops);
}

PurgeWithSummary purgeOldDayFilesKeepingFigures(const fs::path& dir, Date today,
                                                PurgeConsent consent, const DaySalesOf& salesOf,
                                                const FileOps& ops) {
    PurgeWithSummary result;
    std::vector<Date> dates;
    for (const auto& path : purgeCandidates(dir, today))
        if (auto date = parseYmd(path.stem().string()))
            dates.push_back(*date);
    result.summary = summariseDays(dir, dates, salesOf, ops);
    if (!result.summary.error)
        result.purge = purgeOldDayFiles(dir, today, consent);
    return result;
}

std::vector<Date> dayFileDates(const fs::path& dir) { return datesOfFilesEndingIn(dir, ".txt"); }

} // namespace kavro
