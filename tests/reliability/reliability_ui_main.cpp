// The window's fault tests: a private mount namespace first (while the process has one
// thread), then GoogleTest inside a QApplication, offscreen.
#include "reliability/mount_namespace.h"
#include "window/fonts.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    kavro::test::enterPrivateMountNamespace();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    kavro::installFontSubstitutions();
    return RUN_ALL_TESTS();
}
