#include "app/instance_lock.h"
#include "support/temp_dir.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kavro::test {
namespace {

TEST(InstanceLock, ASecondCopyIsRefusedUntilTheFirstEnds) {
    TempDir dir;
    auto first = std::make_unique<InstanceLock>(dir.path());
    EXPECT_TRUE(first->acquired());
    EXPECT_FALSE(InstanceLock(dir.path()).acquired());
    first.reset();
    EXPECT_TRUE(InstanceLock(dir.path()).acquired());
}

TEST(InstanceLock, AKilledCopyLeavesNoStaleLock) {
    TempDir dir;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        InstanceLock lock(dir.path());
        char ok = lock.acquired() ? '1' : '0';
        (void)!::write(ready[1], &ok, 1);
        ::pause();
        ::_exit(0);
    }
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    EXPECT_EQ(ok, '1');
    EXPECT_FALSE(InstanceLock(dir.path()).acquired());
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_TRUE(InstanceLock(dir.path()).acquired());
    ::close(ready[0]);
    ::close(ready[1]);
}

} // namespace
} // namespace kavro::test
