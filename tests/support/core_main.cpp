#include <gtest/gtest.h>
#include <QCoreApplication>

// Rules tests run inside a QCoreApplication so that timers and events work as in the program.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
