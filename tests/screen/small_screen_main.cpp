// Window tests on offscreen screens of given sizes: Qt's offscreen platform reads them from
// a configuration file named in QT_QPA_PLATFORM before the application starts.
#include "window/fonts.h"

#include <QApplication>
#include <QTemporaryFile>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // A desktop screen, a laptop's screen less the desktop's bar, one too small to hold
    // the window at any legible size; each window test picks its screen by name. The
    // platform gives the windows a frame of its own.
    QTemporaryFile config;
    if (!config.open())
        return 1;
    config.write(R"({"windowFrameMargins": true, "screens": [
        {"name": "desktop", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96},
        {"name": "laptop", "x": 1920, "y": 0, "width": 1366, "height": 700, "logicalDpi": 96},
        {"name": "tiny", "x": 3286, "y": 0, "width": 640, "height": 480, "logicalDpi": 96}]})");
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    kavro::installFontSubstitutions();
    return RUN_ALL_TESTS();
}
