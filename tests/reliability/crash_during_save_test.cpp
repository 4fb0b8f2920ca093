// A process killed at any moment of a save leaves the day file whole: the content before
// the save or the content after it, byte for byte. Leftover temporary files never look
// like a day file and are cleaned at the next start-up. Journaled, a kill at any moment,
// between the journal entry and the day file too, leaves the two agreeing after the next
// start-up's check: no change lost, none applied twice.
#include "core/journal/journal_file.h"
#include "core/retention/day_purge.h"
#include "core/storage/atomic_file.h"
#include "reliability/save_contents.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace kavro::test {
namespace {

namespace fs = std::filesystem;

constexpr int kKills = 300;
const Date kDay{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{5}};

struct Saver {
    pid_t pid = -1;
    int out = -1; // the helper's stdout: "r", then one "s" per completed save
};

Saver startSaver(const fs::path& file, int contentNow, bool journaled = false) {
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::string k = std::to_string(contentNow);
    std::string path = file.string();
    std::string flag = "--journal";
    char* argv[] = {const_cast<char*>(KAVRO_SAVE_LOOP), path.data(), k.data(),
                    journaled ? flag.data() : nullptr, nullptr};
    Saver s;
    if (posix_spawn(&s.pid, KAVRO_SAVE_LOOP, &actions, nullptr, argv, environ) != 0)
        s.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    s.out = fds[0];
    return s;
}

// Everything the helper wrote until it died.
std::string drain(int fd) {
    std::string all;
    char buf[4096];
    for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) != 0;) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            break;
        all.append(buf, static_cast<std::size_t>(n));
    }
    return all;
}

// yyyymmdd.txt: the names the program reads and purges as day files.
bool looksLikeDayFile(const std::string& name) {
    if (name.size() != 12 || name.substr(8) != ".txt")
        return false;
    for (int i = 0; i < 8; ++i)
        if (name[i] < '0' || name[i] > '9')
            return false;
    return true;
}

std::vector<std::string> otherEntries(const fs::path& dir, const fs::path& dayFile) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.path() != dayFile)
            out.push_back(e.path().filename().string());
    return out;
}

// Starts the helper, lets it run for a random while, kills it; what it reported.
std::string runAndKill(const fs::path& file, int k, bool journaled, std::mt19937& rng) {
    // A journaled save syncs twice: a longer run lets some saves complete before the kill.
    std::uniform_int_distribution<int> delayUs(0, journaled ? 40000 : 15000);
    Saver s = startSaver(file, k, journaled);
    EXPECT_GT(s.pid, 0) << "cannot start " << KAVRO_SAVE_LOOP;
    if (s.pid <= 0)
        return {};
    char ready = 0;
    EXPECT_EQ(::read(s.out, &ready, 1), 1) << "the helper did not start";
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs(rng)));
    ::kill(s.pid, SIGKILL);
    int status = 0;
    ::waitpid(s.pid, &status, 0);
    const std::string reports = drain(s.out);
    ::close(s.out);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        << "the helper ended by itself (a save failed?), status " << status;
    return reports;
}

TEST(CrashDuringSave, EveryKillLeavesTheOldOrTheNewFileWhole) {
    TempDir dir;
    const fs::path file = dir / "20261205.txt";
    int k = 0;
    writeBytes(file, saveContent(k).bytes);

    const unsigned seed = static_cast<unsigned>(std::random_device{}());
    std::mt19937 rng(seed);
    int oldContent = 0, newContent = 0, killsWithLeftover = 0;
    long saves = 0;
    const auto started = std::chrono::steady_clock::now();

    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill) + ", seed " + std::to_string(seed));
        const std::string reports = runAndKill(file, k, false, rng);
        ASSERT_FALSE(HasFailure());

        // n saves returned; the kill may have come after the rename of save n+1 and
        // before its report.
        const int n = static_cast<int>(reports.size());
        saves += n;
        const int before = (k + n) % kSaveContentCount, after = (k + n + 1) % kSaveContentCount;
        const std::string bytes = readBytes(file);
        if (bytes == saveContent(before).bytes) {
            ++oldContent;
            k = before;
        } else if (bytes == saveContent(after).bytes) {
            ++newContent;
            k = after;
        } else {
            FAIL() << "the day file holds " << bytes.size() << " bytes, neither content " << before
                   << " (" << saveContent(before).bytes.size() << " bytes) nor " << after << " ("
                   << saveContent(after).bytes.size() << " bytes)";
        }

        auto leftovers = otherEntries(dir.path(), file);
        for (const auto& name : leftovers) {
            EXPECT_EQ(name.rfind(kTempFilePrefix, 0), 0u) << name;
            EXPECT_FALSE(looksLikeDayFile(name)) << name;
        }
        if (!leftovers.empty()) {
            ++killsWithLeftover;
            // What the next start-up does: the leftovers go, the day file stays.
            purgeOldDayFiles(dir.path(), kDay);
            EXPECT_TRUE(otherEntries(dir.path(), file).empty());
            EXPECT_EQ(readBytes(file), bytes);
        }
    }

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf(
        "%d kills in %.1f s (seed %u): %ld saves completed; the file held the content before the "
        "interrupted save %d times, the one after it %d times; %d kills left a temporary file\n",
        kKills, seconds, seed, saves, oldContent, newContent, killsWithLeftover);
    EXPECT_GT(saves, 0) << "no kill came after a whole save: the test proves nothing";
}

TEST(CrashDuringJournaledSave, TheNextStartLeavesFileAndJournalAgreeingWithNothingLostOrDoubled) {
    TempDir dir;
    const fs::path file = dir / "20261205.txt";
    const DateTime now = makeDateTime(kDay, 20, 0);
    const unsigned seed = static_cast<unsigned>(std::random_device{}());
    std::mt19937 rng(seed);
    std::size_t entries = 0; // changes journaled and in the day file so far
    int betweenWrites = 0, finished = 0;
    long saves = 0;

    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill) + ", seed " + std::to_string(seed));
        const int k = entries == 0 ? -1 : static_cast<int>((entries - 1) % kSaveContentCount);
        const std::string reports = runAndKill(file, k, true, rng);
        ASSERT_FALSE(HasFailure());
        const auto n = static_cast<std::size_t>(std::count(reports.begin(), reports.end(), 's'));
        const auto durable =
            static_cast<std::size_t>(std::count(reports.begin(), reports.end(), 'j'));
        saves += static_cast<long>(n);
        const bool pending = durable > n; // an entry was durable, its replace not reported
        const std::string killedAt = readBytes(file);

        // The next start-up.
        DayJournal journal(journalPathFor(file));
        const auto loaded = journal.load();
        ASSERT_FALSE(loaded.error);
        // A kill leaves at most the start of a write: never what reads as damage.
        ASSERT_FALSE(loaded.notice) << *loaded.notice;
        const DayCheck check = reconcileDay(journal, file, now);
        ASSERT_NE(check.kind, DayCheck::Kind::OutsideRecorded);
        ASSERT_NE(check.kind, DayCheck::Kind::NotApplied);
        ASSERT_NE(check.kind, DayCheck::Kind::RebuildOffered);
        if (check.kind == DayCheck::Kind::Finished)
            ++finished;

        // Every returned save is there once; a durable entry is never lost; at most the one
        // save the kill interrupted is added.
        const std::size_t journaled = journal.entries().size();
        ASSERT_TRUE(journaled == entries + n || journaled == entries + n + 1)
            << entries << " + " << n << " saves, journal holds " << journaled;
        if (pending) {
            ++betweenWrites;
            ASSERT_EQ(journaled, entries + n + 1) << "a durable entry was lost";
        }
        entries = journaled;
        const std::string bytes = readBytes(file);
        ASSERT_EQ(bytes, journalContent(static_cast<int>((entries - 1) % kSaveContentCount)));
        ASSERT_EQ(joinDayLines(replayJournal(journal.entries()).lines), bytes);
        ASSERT_EQ(identityOf(bytes), journal.entries().back().after);
        // Marked done, whether the kill came before, between or after the writes, so that a
        // later copy put back by hand is never taken for an interrupted save.
        ASSERT_TRUE(journal.entries().back().done);
        if (check.kind == DayCheck::Kind::Finished) {
            ASSERT_NE(killedAt, bytes);
        }
        purgeOldDayFiles(dir.path(), kDay); // the temporary files of an interrupted replace
    }
    std::printf(
        "%d journaled kills (seed %u): %ld saves completed, %zu changes journaled; %d kills "
        "came after an entry was reported durable and before its save returned; %d times "
        "the next start finished a journaled change the day file had not received\n",
        kKills, seed, saves, entries, betweenWrites, finished);
    EXPECT_GT(finished, kKills / 10) << "too few kills between the two writes to prove anything";
}

} // namespace
} // namespace kavro::test
