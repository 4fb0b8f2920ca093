#pragma once
// A grid saved to its day file the one way the desk saves it: rendered, the change journaled,
// the file replaced only while it is still the one the desk read (`expected`, and the bytes
// read when the desk kept them).
#include "core/journal/journal_file.h"
#include "core/storage/day_file.h"

#include <climits>
#include <string>
#include <unistd.h>
#include <vector>

namespace kavro::test {

inline JournaledSave saveAsTheDesk(const std::filesystem::path& dayFile, const RoomGrid& grid,
                                   const std::vector<KeptLine>& kept, const FileIdentity& expected,
                                   const FileOps& ops = posixFileOps(),
                                   const std::string* readBytes = nullptr) {
    JournaledSave saved;
    RenderResult rendered = renderDayFile(grid, kept);
    if (rendered.error) {
        saved.error = std::move(rendered.error);
        return saved;
    }
    DayJournal journal(journalPathFor(dayFile));
    if (auto loaded = journal.load(); loaded.error) {
        saved.error = std::move(loaded.error);
        saved.failedFile = journal.path();
        return saved;
    }
    const DateTime when = makeDateTime(
        Date{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{5}}, 20, 0);
    return saveDayJournaled(journal, dayFile, rendered.bytes, {JournalOp::Use, 0, when},
                            ExpectedDayFile{expected, readBytes}, ops);
}

// Whether fd is open on a journal: fault tests aim at the day file's replacement alone.
inline bool isJournal(int fd) {
    char link[PATH_MAX];
    const std::string proc = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t n = ::readlink(proc.c_str(), link, sizeof link - 1);
    return n > 4 && std::string(link, static_cast<std::size_t>(n)).ends_with(".jnl");
}

// What else stands beside a day file and its journal: a temporary file that a replacement
// failed or refused to clean, when there is any.
inline std::vector<std::string> strayFiles(const std::filesystem::path& dayFile) {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(dayFile.parent_path()))
        if (e.path() != dayFile && e.path() != journalPathFor(dayFile))
            out.push_back(e.path().filename().string());
    return out;
}

} // namespace kavro::test
