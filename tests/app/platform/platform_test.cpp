// The platform layer's pure parts and the scripted platform the window
// tests rely on.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/qt_platform.h"
#include "platform/test_platform.h"

namespace {

TEST(Platform, ClassicFiltersBecomeQtFilters) {
    EXPECT_EQ(qtFileFilter("数据文件(*.tsd)|*.tsd"), "数据文件(*.tsd)");
    EXPECT_EQ(qtFileFilter("Projects|*.tsd|All files|*.*"), "Projects (*.tsd);;All files (*.*)");
    EXPECT_EQ(qtFileFilter(""), "");
}

TEST(Platform, ColourValuesKeepRedInTheLowByte) {
    EXPECT_EQ(toQColor(255), QColor(255, 0, 0));
    EXPECT_EQ(toQColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(toQColor(0x123456), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(toColourValue(QColor(0x56, 0x34, 0x12)), 0x123456);
    // A system colour reference maps to the palette, never to garbage.
    const QColor face = toQColor(static_cast<std::int32_t>(0x8000000F));
    EXPECT_TRUE(face.isValid());
    EXPECT_EQ(face, QApplication::palette().color(QPalette::Button));
}

TEST(Platform, TestPlatformRecordsCallsAndAnswersFromItsScript) {
    TestPlatform platform;
    platform.answers = {MessageAnswer::No};
    platform.inputs = {"12"};
    EXPECT_EQ(platform.messageBox("你真的不保存现有数据吗?", MessageButtons::YesNo,
                                  MessageIcon::Question, ""),
              MessageAnswer::No);
    EXPECT_EQ(platform.messageBox("next", MessageButtons::YesNo, MessageIcon::None, ""),
              MessageAnswer::Yes);  // unscripted: the default button
    EXPECT_EQ(platform.inputBox("杆件总数", "", ""), "12");
    EXPECT_EQ(platform.openFileName("数据文件(*.tsd)|*.tsd"), "");  // cancelled
    EXPECT_FALSE(platform.chooseColour(0));
    platform.beep();
    EXPECT_EQ(platform.messages(), (QStringList{"你真的不保存现有数据吗?", "next"}));
    EXPECT_EQ(platform.count(PlatformCall::Kind::Beep), 1);
    EXPECT_EQ(platform.calls.size(), 6u);
}

}  // namespace
