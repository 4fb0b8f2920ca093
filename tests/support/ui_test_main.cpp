// GoogleTest inside a QApplication, offscreen.
#include "window/fonts.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    kavro::installFontSubstitutions();
    return RUN_ALL_TESTS();
}
