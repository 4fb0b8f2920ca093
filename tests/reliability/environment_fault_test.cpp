// Faults of the machine, not of the desk: the program's folder turns read-only, the disk
// fills up, a folder takes the day file's place. Each is reported in plain words, the
// day file keeps what was saved, the change stays on screen, and once the fault is gone
// the next save writes it.
#include "core/records/record.h"
#include "core/storage/atomic_file.h"
#include "reliability/mount_namespace.h"
#include "support/form_fixture.h"

#include <QPushButton>

#include <fcntl.h>
#include <unistd.h>

namespace kavro::test {
namespace {

namespace fs = std::filesystem;

// The text of the last message contains the words.
::testing::AssertionResult saysThat(const QString& message, const std::string& words) {
    if (message.toStdString().find(words) != std::string::npos)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "the message \"" << message.toStdString() << "\" lacks \"" << words << "\"";
}

const std::string kSaved = "001100100,2026/12/05 22:00,1.5,2026/12/05 23:30,2,001,山田,利用";

enum class Fault { ReadOnlyFolder, FullDisk, FolderInPlaceOfFile };

struct FaultCase {
    Fault fault;
    const char* name;
    const char* cause; // words of the message that name the cause
};
void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class WindowUnderFault : public FormTest {
protected:
    void mountProgramFolder() {
        if (!mountUnavailableReason().empty())
            GTEST_SKIP() << "no small file system can be mounted here: "
                         << mountUnavailableReason();
        mount_ = std::make_unique<TmpfsMount>(dir().path(), 64 * 1024);
        ASSERT_EQ(mount_->error(), "");
    }
    ~WindowUnderFault() override {
        // The mount goes before the fixture removes the folder under it.
        mount_.reset();
    }

    void fillDisk() {
        int fd = ::open((dir() / "filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        const std::string block(4096, 'f');
        while (::write(fd, block.data(), block.size()) > 0) {
        }
        ASSERT_EQ(errno, ENOSPC);
        while (::write(fd, block.data(), 1) > 0) {
        }
        ::close(fd);
    }

    void inflict(Fault f) {
        const fs::path file = dayFile(ymd(2026, 12, 5));
        switch (f) {
        case Fault::ReadOnlyFolder:
            ASSERT_TRUE(mount_->setReadOnly(true));
            break;
        case Fault::FullDisk:
            fillDisk();
            break;
        case Fault::FolderInPlaceOfFile:
            fs::rename(file, dir() / "moved.txt");
            fs::create_directory(file);
            break;
        }
    }

    void lift(Fault f) {
        const fs::path file = dayFile(ymd(2026, 12, 5));
        switch (f) {
        case Fault::ReadOnlyFolder:
            ASSERT_TRUE(mount_->setReadOnly(false));
            break;
        case Fault::FullDisk:
            fs::remove(dir() / "filler");
            break;
        case Fault::FolderInPlaceOfFile:
            fs::remove(file);
            fs::rename(dir() / "moved.txt", file);
            break;
        }
    }

    std::vector<std::string> temporaryFiles() const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(dir().path()))
            if (e.path().filename().string().rfind(kTempFilePrefix, 0) == 0)
                out.push_back(e.path().filename().string());
        return out;
    }

    // A check-in of a room at 20:10 through the window: the board pressed, a name, 利用.
    void checkInRoom(int room) {
        pressRoom(room, at(2026, 12, 5, 20, 10));
        typeName(QStringLiteral("鈴木"));
        click(checkInButton());
    }
    // Its record, under the day's next group number (kSaved holds 1001).
    static std::string checkedIn(int room, long group) {
        const std::string code = roomCode(room);
        return code + std::to_string(group * 100) + ",2026/12/05 20:10,1,2026/12/05 21:10,2," +
               code + ",鈴木,利用";
    }

    std::unique_ptr<TmpfsMount> mount_;
};

class SaveUnderFault : public WindowUnderFault, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(SaveUnderFault, IsReportedLosesNothingAndTheNextSaveWritesTheChange) {
    const FaultCase& c = GetParam();
    if (c.fault != Fault::FolderInPlaceOfFile)
        mountProgramFolder();
    if (IsSkipped() || HasFatalFailure())
        return;
    const Date day = ymd(2026, 12, 5);
    writeDay(day, {kSaved});
    start();
    form().waitForSummary(); // the day's summary line is written before the fault comes
    const std::string saved = readBytes(dayFile(day));
    const std::size_t messagesBefore = world().messages.size();

    inflict(c.fault);
    for (int attempt = 0; attempt < 2; ++attempt) { // the program goes on, and so does the fault
        checkInRoom(1 + attempt);
        EXPECT_EQ(world().messages.size(), messagesBefore + 1 + attempt);
        EXPECT_EQ(lastMessageTitle(), "ファイルエラー");
        EXPECT_TRUE(saysThat(lastMessageText(), c.cause));
        // The file that refused: the day file, or its journal, which is written first.
        EXPECT_TRUE(saysThat(lastMessageText(), dayFile(day).string()) ||
                    saysThat(lastMessageText(), journalPathFor(dayFile(day)).string()));
        EXPECT_EQ(model().records().at(1 + attempt, 0), checkedIn(1 + attempt, 1002 + attempt))
            << "the change is still on screen";
        EXPECT_EQ(model().records().at(0, 0), kSaved);
        EXPECT_TRUE(temporaryFiles().empty()) << temporaryFiles().front();
    }
    lift(c.fault);

    EXPECT_EQ(readBytes(dayFile(day)), saved) << "what was saved before the fault is all there";
    checkInRoom(3);
    EXPECT_EQ(readDay(day), (std::vector<std::string>{kSaved, checkedIn(1, 1002),
                                                      checkedIn(2, 1003), checkedIn(3, 1004)}))
        << "the next save writes the changes kept on screen";
    EXPECT_EQ(world().messages.size(), messagesBefore + 2);
}

INSTANTIATE_TEST_SUITE_P(Faults, SaveUnderFault,
                         ::testing::Values(FaultCase{Fault::ReadOnlyFolder, "ReadOnlyFolder",
                                                     "書き込みが許可されていません"},
                                           FaultCase{Fault::FullDisk, "FullDisk",
                                                     "ディスクの空き容量が不足しています"},
                                           FaultCase{Fault::FolderInPlaceOfFile,
                                                     "FolderInPlaceOfFile", "フォルダがあるため"}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(WindowUnderFault, AReadOnlyFolderAtStartUpIsReportedAndTheDayIsNotOverwritten) {
    mountProgramFolder();
    if (IsSkipped() || HasFatalFailure())
        return;
    ASSERT_TRUE(mount_->setReadOnly(true));
    start();
    EXPECT_EQ(lastMessageTitle(), "ファイルエラー");
    EXPECT_TRUE(saysThat(lastMessageText(), "日付ファイルを作成できません"));
    EXPECT_TRUE(saysThat(lastMessageText(), "書き込みが許可されていません"));

    // Once the folder can be written again, the day loads and saves as usual.
    ASSERT_TRUE(mount_->setReadOnly(false));
    checkInRoom(1);
    EXPECT_TRUE(saysThat(lastMessageText(), "日付ファイルを読み込めなかったため"))
        << "a day that was never read is not written";
    EXPECT_FALSE(fs::exists(dayFile(ymd(2026, 12, 5))));
    world().answer = false; // the day read again without the change it could not store
    readDayAgain();
    EXPECT_FALSE(world().questions.empty()) << "the change is not dropped unasked";
    checkInRoom(2);
    EXPECT_EQ(readDay(ymd(2026, 12, 5)), std::vector<std::string>{checkedIn(2, 1001)});
}

} // namespace
} // namespace kavro::test
