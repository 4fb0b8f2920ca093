// GoogleTest inside a QCoreApplication: the desk model has no widget, but its summary keeper
// runs timers and a worker thread.
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
