// A second start brings the running window to the front: the listening copy and the one that
// asks, in one process.
#include "app/front_request.h"
#include "support/temp_dir.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace kavro::test {
namespace {

namespace fs = std::filesystem;

TEST(FrontRequest, BringsTheMinimizedWindowBackToTheFront) {
    TempDir dir;
    const QString name = frontRequestName(dir.path());
    QWidget window;
    window.showMinimized();
    ASSERT_TRUE(window.isMinimized());
    ASSERT_TRUE(listenForFrontRequests(name, &window));

    EXPECT_TRUE(requestFront(name));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isMinimized(); }, 5000));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(fs::is_empty(dir.path())) << "the socket lives in no folder";
}

TEST(FrontRequest, OneListenerPerUserAndFolder) {
    TempDir dir, other;
    QWidget window;
    const QString name = frontRequestName(dir.path());
    EXPECT_EQ(frontRequestName(dir.path() / "."), name);
    EXPECT_NE(frontRequestName(other.path()), name);
    ASSERT_TRUE(listenForFrontRequests(name, &window));
    QWidget second;
    EXPECT_FALSE(listenForFrontRequests(name, &second));
    EXPECT_FALSE(requestFront(frontRequestName(other.path()), 200)) << "nobody listens there";
}

} // namespace
} // namespace kavro::test
