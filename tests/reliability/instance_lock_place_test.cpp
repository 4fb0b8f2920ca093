// The single-copy lock when its place in the program folder holds something else: a link
// (which a desk user of a shared folder can plant), a folder, a pipe. The program must not
// open or create anything through it, and must not start without the lock.
#include "app/instance_lock.h"
#include "support/temp_dir.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace kavro::test {
namespace {

namespace fs = std::filesystem;

struct LockPlace {
    const char* name;
    std::function<void(const TempDir& dir, const fs::path& lock)> plant;
    const char* says;
};
void PrintTo(const LockPlace& c, std::ostream* os) { *os << c.name; }

class InstanceLockPlace : public ::testing::TestWithParam<LockPlace> {};

TEST_P(InstanceLockPlace, RefusesToStartAndSaysWhy) {
    TempDir dir, elsewhere;
    const fs::path lockPath = dir / InstanceLock::kFileName;
    GetParam().plant(elsewhere, lockPath);
    auto entries = [&] {
        std::vector<fs::path> out(fs::directory_iterator(elsewhere.path()), {});
        return out.size();
    };
    const auto entriesBefore = entries();

    InstanceLock lock(dir.path());
    EXPECT_EQ(lock.state(), InstanceLock::State::Failed);
    EXPECT_NE(lock.error().find(GetParam().says), std::string::npos) << lock.error();
    EXPECT_NE(startRefusedText(lock).find("起動できません"), std::string::npos);
    EXPECT_EQ(entries(), entriesBefore) << "nothing was made through a link";
    EXPECT_EQ(InstanceLock(dir.path()).state(), InstanceLock::State::Failed) << "nor next time";
}

INSTANTIATE_TEST_SUITE_P(
    Places, InstanceLockPlace,
    ::testing::Values(
        LockPlace{"DanglingLink",
                  [](const TempDir& d, const fs::path& p) { fs::create_symlink(d / "made", p); },
                  "リンク"},
        LockPlace{"LinkToAFile",
                  [](const TempDir& d, const fs::path& p) {
                      writeBytes(d / "victim", "");
                      fs::create_symlink(d / "victim", p);
                  },
                  "リンク"},
        LockPlace{"Folder", [](const TempDir&, const fs::path& p) { fs::create_directory(p); },
                  "フォルダ"},
        LockPlace{"Pipe", [](const TempDir&, const fs::path& p) { ::mkfifo(p.c_str(), 0666); },
                  "通常のファイルでない"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(InstanceLockPlace, AHeldLockIsAnotherCopyNotAFailure) {
    TempDir dir;
    InstanceLock first(dir.path());
    ASSERT_TRUE(first.acquired());
    InstanceLock second(dir.path());
    EXPECT_EQ(second.state(), InstanceLock::State::HeldByAnotherCopy);
    EXPECT_TRUE(second.error().empty());
}

} // namespace
} // namespace kavro::test
