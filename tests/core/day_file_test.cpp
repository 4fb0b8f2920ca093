#include "core/records/cp932.h"
#include "core/records/record.h"
#include "core/storage/day_file.h"
#include "support/desk_save.h"
#include "support/temp_dir.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace kavro {
namespace {

using test::isJournal;
using test::readBytes;
using test::saveAsTheDesk;
using test::strayFiles;
using test::TempDir;
using test::writeBytes;

std::string cp932(const std::string& utf8) { return *encodeCp932(utf8); }

std::string rec(const std::string& id, const std::string& room, const std::string& name,
                const std::string& status = "利用") {
    return id + ",2026/12/05 22:00,1.5,2026/12/05 23:30,2," + room + "," + name + "," + status;
}

// Load into a grid and save again, as the desk reads and stores its day.
std::string loadAndSave(const std::filesystem::path& file) {
    auto read = readDayFile(file);
    EXPECT_FALSE(read.error);
    RoomGrid grid;
    placeRecords(grid, read.content);
    const JournaledSave saved = saveAsTheDesk(file, grid, read.content.kept, read.identity);
    EXPECT_FALSE(saved.error || saved.changedOutside);
    return readBytes(file);
}

TEST(Cp932, EncodesJapaneseAndRefusesWhatItCannotHold) {
    EXPECT_EQ(cp932("利用"), "\x97\x98\x97\x70");
    EXPECT_EQ(cp932("ｱ"), "\xB1");
    EXPECT_FALSE(encodeCp932("😀"));
    EXPECT_FALSE(encodeCp932("한"));
    // iconv would silently drop a tag character; it must not vanish from a name.
    EXPECT_FALSE(encodeCp932("山\xF3\xA0\x80\x81田"));
    EXPECT_EQ(firstUnencodableCharacter("山😀田"), "😀");
    EXPECT_FALSE(firstUnencodableCharacter("山田ﾀﾛｳ"));
    EXPECT_FALSE(decodeCp932("\x80"));
    EXPECT_FALSE(decodeCp932("ab\xFD"));
}

TEST(Cp932, AsciiHeadAndTheRestConvertAsOne) {
    for (int c = 0; c < 0x80; ++c) {
        const std::string one(1, static_cast<char>(c));
        EXPECT_EQ(encodeCp932(one), one) << c;
        EXPECT_EQ(decodeCp932(one), one) << c;
    }
    // 表 ends in the byte of a backslash: a trail byte below 0x80 after the ASCII head.
    EXPECT_EQ(cp932("001,表,\\~"), "001,\x95\x5C,\\~");
    EXPECT_EQ(decodeCp932("001,\x95\x5C,\\~"), "001,表,\\~");
    EXPECT_EQ(decodeCp932("x\x97\x98\x97\x70"), "x利用");
    EXPECT_FALSE(decodeCp932("001,\x95"));
    EXPECT_FALSE(encodeCp932("001,😀"));
    EXPECT_FALSE(encodeCp932("001,\xF3\xA0\x80\x81"));
    EXPECT_EQ(encodeCp932(""), "");
}

TEST(DayFile, RoundTripsByteForByteRegroupingRoomsAscending) {
    TempDir dir;
    auto file = dir / "20261205.txt";
    const std::string a = rec("003100100", "003", "佐藤"), b = rec("001100200", "001", "ﾔﾏﾀﾞ"),
                      c = rec("003100300", "003", "鈴木", "予約"), d = rec("001100400", "001", "");
    writeBytes(file,
               cp932(a) + "\r\n\r\n" + cp932(b) + "\r\n" + cp932(c) + "\r\n" + cp932(d) + "\r\n");
    const std::string expected =
        cp932(b) + "\r\n" + cp932(d) + "\r\n" + cp932(a) + "\r\n" + cp932(c) + "\r\n";
    EXPECT_EQ(loadAndSave(file), expected);
    EXPECT_EQ(loadAndSave(file), expected) << "a second round trip changes nothing";
}

TEST(DayFile, MissingFileIsCreatedEmptyAndLineFeedOnlyFilesAreRead) {
    TempDir dir;
    auto file = dir / "20261205.txt";
    auto read = readDayFile(file);
    EXPECT_FALSE(read.error);
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_TRUE(read.content.records.empty());

    writeBytes(file,
               cp932(rec("001100100", "001", "a")) + "\n" + cp932(rec("002100200", "002", "b")));
    EXPECT_EQ(readDayFile(file).content.records.size(), 2u);

    // A reader that only looks: it never creates a file, and leaves known bytes unparsed.
    EXPECT_FALSE(readExistingDayFile(dir / "20261206.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir / "20261206.txt"));
    const FileIdentity known = identityOf(readBytes(file));
    EXPECT_FALSE(readExistingDayFile(file, true, &known)->parsed);
    const FileIdentity other = identityOf("");
    EXPECT_EQ(readExistingDayFile(file, true, &other)->content.records.size(), 2u);
}

TEST(DayFile, OddLinesAreKeptByteForByteAndWrittenBackAfterTheRecords) {
    TempDir dir;
    auto file = dir / "20261205.txt";
    const std::string good = cp932(rec("001100100", "001", "山田"));
    const std::string undecodable = "001100200,\x80\xA0\xFD\xFE\xFF,junk";
    const std::string nineFields = cp932(rec("002100100", "002", "山,田"));
    const std::string badRoom = cp932(rec("035100100", "035", "x"));
    writeBytes(file, undecodable + "\r\n" + good + "\r\n" + nineFields + "\r\n" + badRoom + "\r\n");

    auto read = readDayFile(file);
    ASSERT_EQ(read.content.kept.size(), 3u);
    EXPECT_EQ(read.content.kept[0].lineNumber, 1);
    EXPECT_EQ(read.content.kept[0].bytes, undecodable);
    EXPECT_EQ(read.content.kept[1].lineNumber, 3);
    EXPECT_EQ(read.content.kept[2].lineNumber, 4);
    EXPECT_EQ(loadAndSave(file),
              good + "\r\n" + undecodable + "\r\n" + nineFields + "\r\n" + badRoom + "\r\n");
}

TEST(DayFile, TheFortyNinthRecordOfARoomIsKeptNotLost) {
    TempDir dir;
    auto file = dir / "20261205.txt";
    std::string bytes;
    for (int i = 0; i < 50; ++i)
        bytes += cp932(rec(formatId(7100000 + (100 + i) * 100), "007", "客" + std::to_string(i))) +
                 "\r\n";
    writeBytes(file, bytes);

    auto read = readDayFile(file);
    RoomGrid grid;
    placeRecords(grid, read.content);
    EXPECT_EQ(grid.recordCount(6), 48);
    EXPECT_TRUE(grid.at(6, kCarryCell).empty());
    ASSERT_EQ(read.content.kept.size(), 2u);
    EXPECT_EQ(read.content.kept[0].lineNumber, 49);
    EXPECT_EQ(read.content.kept[1].lineNumber, 50);
    EXPECT_EQ(loadAndSave(file), bytes);
}

TEST(DayFile, CharactersWithTwoCodesKeepTheCodeTheFileHad) {
    TempDir dir;
    auto file = dir / "20261205.txt";
    // NEC row 13 and NEC-selected IBM codes: iconv reads them but writes the other code.
    const std::string head = cp932("001100100,2026/12/05 22:00,1.5,2026/12/05 23:30,2,001,");
    const std::string nec = head + "\x87\x90\xED\x40," + cp932("利用");
    const std::string other = cp932(rec("002100200", "002", "\u2252")); // ≒ as 81 E0
    writeBytes(file, nec + "\r\n" + other + "\r\n");
    EXPECT_EQ(loadAndSave(file), nec + "\r\n" + other + "\r\n");

    // A record the desk changes is written anew; its name still reads the same.
    auto read = readDayFile(file);
    RoomGrid grid;
    placeRecords(grid, read.content);
    grid.set(0, 0, withStatus(grid.at(0, 0), "精算"));
    ASSERT_TRUE(saveAsTheDesk(file, grid, {}, read.identity).written);
    auto lines = readDayFile(file).content.records;
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, withStatus(*decodeCp932(nec), "精算"));
    EXPECT_EQ(lines[1].bytes, other);

    grid.clearRecords();
    grid.set(0, 0, *decodeCp932(nec));
    EXPECT_EQ(renderDayFile(grid, {}).bytes, cp932(*decodeCp932(nec)) + "\r\n")
        << "an emptied grid forgets the bytes it was read from";
}

TEST(DayFile, SomethingOtherThanAFileIsReportedNotWaitedFor) {
    TempDir dir;
    auto file = dir / "20261205.txt";
    ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0);
    auto read = readDayFile(file);
    ASSERT_TRUE(read.error);
    EXPECT_NE(read.error->find("通常のファイルでない"), std::string::npos);
}

TEST(DayFile, EncodingFailureWritesNothing) {
    TempDir dir;
    auto file = dir / "20261205.txt";
    writeBytes(file, "old\r\n");
    RoomGrid grid;
    grid.set(0, 0, rec("001100100", "001", "😀"));
    const JournaledSave saved = saveAsTheDesk(file, grid, {}, identityOf("old\r\n"));
    ASSERT_TRUE(saved.error);
    EXPECT_NE(saved.error->find("シフトJIS"), std::string::npos) << *saved.error;
    EXPECT_EQ(readBytes(file), "old\r\n");
    EXPECT_TRUE(strayFiles(file).empty()) << "nothing is journaled either";
}

// A write that fails after a given number of bytes, like a disk that fills up mid-save.
FileOps failingAfter(std::size_t budget, int err) {
    auto left = std::make_shared<std::size_t>(budget);
    FileOps ops = posixFileOps();
    ops.write = [left, err](int fd, const void* data, std::size_t n) -> ssize_t {
        if (*left == 0) {
            errno = err;
            return -1;
        }
        std::size_t chunk = std::min(n, *left);
        *left -= chunk;
        return posixFileOps().write(fd, data, chunk);
    };
    return ops;
}

// The faults only where the day file itself is replaced: its journal entry is written and
// must be taken off again.
FileOps onTheDayFile(const FileOps& faulty) {
    FileOps ops = posixFileOps();
    ops.write = [faulty](int fd, const void* data, std::size_t n) {
        return isJournal(fd) ? posixFileOps().write(fd, data, n) : faulty.write(fd, data, n);
    };
    ops.fsync = [faulty](int fd) {
        return isJournal(fd) ? posixFileOps().fsync(fd) : faulty.fsync(fd);
    };
    ops.rename = faulty.rename;
    return ops;
}

TEST(AtomicSave, AFailureMidWayLeavesThePreviousFileWholeAndNoTemporaryFile) {
    TempDir dir;
    auto file = dir / "20261205.txt";
    const std::string before = cp932(rec("001100100", "001", "前")) + "\r\n";
    writeBytes(file, before);
    const FileIdentity read = readDayFile(file).identity;
    RoomGrid grid;
    for (int i = 0; i < 20; ++i)
        grid.set(i, 0, rec(formatId((i + 1) * 1000000 + 100100), roomCode(i), "後"));

    auto failure = [&](const FileOps& ops) {
        const JournaledSave saved = saveAsTheDesk(file, grid, {}, read, onTheDayFile(ops));
        EXPECT_FALSE(saved.written);
        EXPECT_EQ(readBytes(file), before);
        EXPECT_TRUE(strayFiles(file).empty()) << "no temporary file is left behind";
        DayJournal journal(journalPathFor(file));
        EXPECT_FALSE(journal.load().error);
        EXPECT_TRUE(journal.entries().empty()) << "the change is taken off the journal again";
        return saved.error.value_or("");
    };
    for (std::size_t budget : {0u, 1u, 37u, 500u}) {
        const std::string error = failure(failingAfter(budget, ENOSPC));
        EXPECT_NE(error.find("ディスク"), std::string::npos) << budget << ": " << error;
        EXPECT_EQ(grid.at(19, 0), rec("020100100", "020", "後")) << "the grid keeps its records";
    }
    FileOps noSync = posixFileOps();
    noSync.fsync = [](int) {
        errno = EIO;
        return -1;
    };
    EXPECT_FALSE(failure(noSync).empty());
    FileOps noRename = posixFileOps();
    noRename.rename = [](const char*, const char*) {
        errno = EXDEV;
        return -1;
    };
    EXPECT_FALSE(failure(noRename).empty());

    EXPECT_TRUE(saveAsTheDesk(file, grid, {}, read).written);
    EXPECT_EQ(readDayFile(file).content.records.size(), 20u);
}

TEST(AtomicSave, ADirectoryInPlaceOfTheFileIsReportedNotReplaced) {
    TempDir dir;
    auto file = dir / "20261205.txt";
    std::filesystem::create_directory(file);
    EXPECT_TRUE(readDayFile(file).error);
    EXPECT_TRUE(saveAsTheDesk(file, RoomGrid{}, {}, kMissingFile).error);
    EXPECT_TRUE(std::filesystem::is_directory(file));
}

mode_t modeOf(const std::filesystem::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// The summary is written on a thread of its own while the window's thread writes day files
// and journals: a replacement that set the umask of the process even for a moment would
// give a file created meanwhile a mode that ignores it.
TEST(AtomicSave, ModesFollowTheUmaskEvenWhileAnotherThreadReplacesFiles) {
    TempDir dir;
    const mode_t umaskBefore = ::umask(027);
    FileOps noSync = posixFileOps();
    noSync.fsync = [](int) { return 0; };
    std::atomic<bool> stop{false};
    std::thread replacing([&] {
        for (int n = 0; !stop; ++n) {
            const auto path = dir / ("new" + std::to_string(n % 8) + ".txt");
            std::filesystem::remove(path);
            replaceFileAtomically(path, "x", noSync);
        }
    });
    int created = 0, ignoringTheUmask = 0;
    const auto path = (dir / "journal.jnl").string();
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (std::chrono::steady_clock::now() < until && ignoringTheUmask == 0) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0)
            break;
        struct stat st {};
        ::fstat(fd, &st);
        ignoringTheUmask += (st.st_mode & 0777) != 0640;
        ::close(fd);
        ::unlink(path.c_str());
        ++created;
    }
    stop = true;
    replacing.join();
    EXPECT_GT(created, 0);
    EXPECT_EQ(ignoringTheUmask, 0) << "of " << created << " files";

    // A new file gets the umask's mode; a replaced one keeps the mode it had.
    const auto fresh = dir / "20261205.txt";
    ASSERT_FALSE(replaceFileAtomically(fresh, "x"));
    EXPECT_EQ(modeOf(fresh), 0640u);
    ::chmod(fresh.c_str(), 0604);
    ASSERT_FALSE(replaceFileAtomically(fresh, "y"));
    EXPECT_EQ(modeOf(fresh), 0604u);
    ::umask(umaskBefore);
}

// A save of the desk's own takes the grid as read only where a read of the bytes would put
// every record where it already is; otherwise the bytes must be read back.
TEST(AdoptAsRead, OnlyAGridAReadWouldGiveBack) {
    const std::string a = "005100100,2026/12/05 20:30,2,2026/12/05 22:30,2,005,山田,利用";
    const std::string b = "005100200,2026/12/05 23:00,1,2026/12/05 00:00,2,005,鈴木,予約";
    const std::string moved = "007100300,2026/12/05 21:00,1,2026/12/05 22:00,2,007,田中,利用";
    const std::string wave = "005100400,2026/12/05 21:00,1,2026/12/05 22:00,2,005,〜,利用";
    struct Case {
        const char* what;
        std::vector<std::pair<int, std::string>> cells; // (position in room 005, line)
        bool adopted;
    } cases[] = {
        {"records in their room, in order", {{0, a}, {1, b}}, true},
        {"a record naming another room", {{0, a}, {1, moved}}, false},
        {"a gap in the row", {{0, a}, {2, b}}, false},
        {"a character the file cannot hold exactly", {{0, wave}}, false},
    };
    for (const Case& c : cases) {
        RoomGrid grid;
        for (const auto& [pos, line] : c.cells)
            grid.set(4, pos, line);
        const std::string bytes = renderDayFile(grid, {}).bytes;
        EXPECT_EQ(adoptAsRead(grid), c.adopted) << c.what;
        for (const auto& [pos, line] : c.cells) {
            EXPECT_EQ(grid.at(4, pos), line) << c.what;
            EXPECT_EQ(grid.readBytes(4, pos).has_value(), c.adopted) << c.what;
        }
        EXPECT_EQ(renderDayFile(grid, {}).bytes, bytes) << c.what;
    }
}

// The board and the day totals keep what they worked out of a line with the cell's stamp:
// a stamp must change with the line, never repeat between grids, and survive a read of the
// same day that leaves the line as it was.
TEST(RoomGrid, AStampChangesExactlyWhenItsLineDoes) {
    const std::string a = rec("005100100", "005", "山田"), b = rec("005100200", "005", "鈴木");
    RoomGrid grid;
    EXPECT_EQ(grid.stamp(4, 0), 0u) << "never written";
    grid.set(4, 0, a);
    const auto first = grid.stamp(4, 0);
    grid.set(4, 0, a);
    EXPECT_EQ(grid.stamp(4, 0), first) << "the same line again";
    RoomGrid copy = grid;
    copy.set(4, 0, b);
    grid.set(4, 0, b);
    EXPECT_NE(grid.stamp(4, 0), copy.stamp(4, 0)) << "one line written in two grids";
    EXPECT_NE(grid.stamp(4, 0), first);

    // The day read again: position 0 as it was, position 1 new, position 2 gone.
    grid.set(4, 2, a);
    const auto kept = grid.stamp(4, 0), gone = grid.stamp(4, 2);
    RoomGrid read;
    read.placeRead(4, 0, b, cp932(b));
    read.placeRead(4, 1, a, cp932(a));
    grid.replaceRecords(read);
    EXPECT_EQ(grid.stamp(4, 0), kept);
    EXPECT_EQ(grid.at(4, 1), a);
    EXPECT_EQ(grid.stamp(4, 1), read.stamp(4, 1));
    EXPECT_EQ(grid.at(4, 2), "");
    EXPECT_NE(grid.stamp(4, 2), gone);
    EXPECT_EQ(grid.readBytes(4, 0), cp932(b)) << "the bytes come with the read";
}

} // namespace
} // namespace kavro
