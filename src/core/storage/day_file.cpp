#include "core/storage/day_file.h"

#include "core/records/cp932.h"
#include "core/records/record.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace kavro {

namespace fs = std::filesystem;

fs::path dayFilePath(const fs::path& dir, Date businessDate) {
    return dir / (formatYmd(businessDate) + ".txt");
}

DayContent parseDayFile(std::string_view bytes) {
    DayContent out;
    out.records.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
    std::size_t start = 0;
    int lineNumber = 0;
    while (start < bytes.size()) {
        auto lf = bytes.find('\n', start);
        std::size_t end = lf == std::string_view::npos ? bytes.size() : lf;
        std::string_view raw = bytes.substr(start, end - start);
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        ++lineNumber;
        start = end + 1;
        if (raw.empty())
            continue;
        auto text = decodeCp932(raw);
        if (text && isWellFormedRecord(*text))
            out.records.push_back({lineNumber, std::move(*text), std::string(raw)});
        else
            out.kept.push_back({lineNumber, std::string(raw)});
    }
    return out;
}

namespace {
std::optional<std::string> readErrorText(int err) {
    if (err == EISDIR)
        return "日付ファイルの場所にフォルダがあるため読み込めません";
    if (err == EINVAL)
        return "日付ファイルの場所に通常のファイルでないものがあるため読み込めません";
    if (err != 0)
        return fileErrorText("日付ファイルを読み込めません", err);
    return std::nullopt;
}
} // namespace

FileRead readWholeFile(const fs::path& path, const std::string& noun) {
    FileRead result;
    const int err = readRegularFile(path, result.bytes);
    result.exists = err != ENOENT;
    if (err == EISDIR)
        result.error = noun + "の場所にフォルダがあるため読み込めません";
    else if (err == EINVAL)
        result.error = noun + "の場所に通常のファイルでないものがあるため読み込めません";
    else if (err != 0 && err != ENOENT)
        result.error = fileErrorText((noun + "を読み込めません").c_str(), err);
    return result;
}

DayReadResult readDayFile(const fs::path& path) {
    DayReadResult result;
    std::string bytes;
    int err = readRegularFile(path, bytes);
    if (err == ENOENT) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
        if (fd < 0) {
            result.error = fileErrorText("日付ファイルを作成できません", errno);
            return result;
        }
        ::close(fd);
        err = readRegularFile(path, bytes);
    }
    result.error = readErrorText(err);
    if (result.error)
        return result;
    result.identity = identityOf(bytes, result.trail);
    result.content = parseDayFile(bytes);
    result.bytes = std::move(bytes);
    return result;
}

std::optional<ExistingDayFile> readExistingDayFile(const fs::path& path, bool withIdentity,
                                                   const FileIdentity* alreadyKnown) {
    ExistingDayFile result;
    std::string bytes;
    const int err = readRegularFile(path, bytes);
    if (err == ENOENT)
        return std::nullopt;
    result.error = readErrorText(err);
    if (!result.error) {
        if (withIdentity || alreadyKnown)
            result.identity = identityOf(bytes);
        if (alreadyKnown && *alreadyKnown == result.identity)
            return result;
        result.content = parseDayFile(bytes);
        result.parsed = true;
    }
    return result;
}

void placeRecords(RoomGrid& grid, DayContent& content) {
    std::vector<KeptLine> overflow;
    for (auto& rec : content.records) {
        int room = *roomIndexOfCode(viewFields(rec.text).room);
        int pos = grid.firstFree(room);
        if (pos < 0) {
            overflow.push_back({rec.lineNumber, std::move(rec.bytes)});
            continue;
        }
        grid.placeRead(room, pos, std::move(rec.text), std::move(rec.bytes));
    }
    content.records.clear();
    for (auto& k : overflow)
        content.kept.push_back(std::move(k));
    std::stable_sort(
        content.kept.begin(), content.kept.end(),
        [](const KeptLine& a, const KeptLine& b) { return a.lineNumber < b.lineNumber; });
}

bool adoptAsRead(RoomGrid& grid) {
    struct Adopted {
        int room;
        int position;
        std::string bytes;
    };
    std::vector<Adopted> adopted;
    for (int room = 0; room < kRoomCount; ++room) {
        bool gap = false;
        for (int pos = 0; pos < kRecordsPerRoom; ++pos) {
            const std::string& line = grid.at(room, pos);
            if (line.empty()) {
                gap = true;
                continue;
            }
            if (gap)
                return false;
            if (grid.readBytes(room, pos))
                continue; // read from this room's line and unchanged since
            if (line.find_first_of("\r\n") != std::string::npos)
                return false;
            auto bytes = encodeCp932(line);
            if (!bytes || !isWellFormedRecord(line) ||
                roomIndexOfCode(viewFields(line).room) != room)
                return false;
            adopted.push_back({room, pos, std::move(*bytes)});
        }
    }
    for (auto& a : adopted)
        grid.placeRead(a.room, a.position, grid.at(a.room, a.position), std::move(a.bytes));
    return true;
}

bool appendEncodedLine(RenderResult& out, const std::string& utf8Line) {
    auto encoded = encodeCp932(utf8Line);
    if (!encoded) {
        out.error = "シフトJISで保存できない文字を含む記録があります: " + utf8Line;
        return false;
    }
    out.bytes += *encoded;
    out.bytes += "\r\n";
    return true;
}

RenderResult renderDayFile(const RoomGrid& grid, const std::vector<KeptLine>& kept) {
    RenderResult r;
    // A record line is about 60 bytes in CP932: one allocation for the whole day.
    std::size_t lines = kept.size();
    for (int room = 0; room < kRoomCount; ++room)
        lines += static_cast<std::size_t>(grid.recordCount(room));
    r.bytes.reserve(lines * 80);
    for (int room = 0; room < kRoomCount; ++room) {
        for (int pos = 0; pos < kRecordsPerRoom; ++pos) {
            const std::string& line = grid.at(room, pos);
            if (line.empty())
                continue;
            if (auto original = grid.readBytes(room, pos)) {
                r.bytes += *original;
                r.bytes += "\r\n";
                continue;
            }
            if (!appendEncodedLine(r, line))
                return r;
        }
    }
    for (const auto& k : kept) {
        r.bytes += k.bytes;
        r.bytes += "\r\n";
    }
    return r;
}

} // namespace kavro
