// Tests of what a real X server shows: the widgets application on the
// platform the environment names (xcb under the test command's Xvfb).
#include <gtest/gtest.h>
#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
