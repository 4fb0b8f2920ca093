// Saves a day file over and over until it is killed, for the crash test.
//   kavro_save_loop FILE K             (K: index of the content FILE holds now; each save
//                                       replaces it only while it holds the one before)
//   kavro_save_loop FILE K --journal   (the same through the journal; K -1: no file yet)
// Each save writes the next content in the rotation. Writes "r" to stdout when it starts
// saving, then "s" after each save that returned, so the test knows which contents the
// file may hold when the kill lands. Journaled, it also writes "j" once a save's journal
// entry is durable, before the day file is replaced.
#include "core/journal/journal_file.h"
#include "reliability/save_contents.h"
#include "support/desk_save.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

using namespace kavro;

bool report(char c) { return ::write(1, &c, 1) == 1; }

int journaledLoop(const std::filesystem::path& file, int k) {
    DayJournal journal(journalPathFor(file));
    if (auto error = journal.load().error) {
        std::fprintf(stderr, "journal: %s\n", error->c_str());
        return 3;
    }
    FileOps ops = posixFileOps();
    ops.fsync = [](int fd) {
        const int r = ::fsync(fd);
        if (r == 0 && test::isJournal(fd) && !report('j'))
            std::_Exit(1);
        return r;
    };
    const DateTime now = makeDateTime(
        Date{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{5}}, 20, 0);
    for (int i = 0; i < test::kSaveContentCount; ++i)
        (void)test::journalContent(i);
    if (!report('r'))
        return 1;
    while (true) {
        k = (k + 1) % test::kSaveContentCount;
        const JournaledSave s = saveDayJournaled(journal, file, test::journalContent(k),
                                                 {JournalOp::Use, 0, now}, std::nullopt, ops);
        if (s.error || !s.written) {
            std::fprintf(stderr, "save failed: %s\n", s.error ? s.error->c_str() : "not written");
            return 2;
        }
        if (!report('s'))
            return 1;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[3], "--journal") == 0)
        return journaledLoop(argv[1], std::atoi(argv[2]));
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FILE K [--journal]\n", argv[0]);
        return 64;
    }
    const std::filesystem::path file = argv[1];
    int k = std::atoi(argv[2]);
    for (int i = 0; i < test::kSaveContentCount; ++i)
        (void)test::saveContent(i); // rendered before the first save, not during it
    if (!report('r'))
        return 1;
    while (true) {
        const FileIdentity expected = identityOf(test::saveContent(k).bytes);
        k = (k + 1) % test::kSaveContentCount;
        if (auto error = replaceFileIfUnchanged(file, test::saveContent(k).bytes, expected)) {
            std::fprintf(stderr, "save failed: %s\n", error->text.c_str());
            return 2;
        }
        if (!report('s'))
            return 1;
    }
}
