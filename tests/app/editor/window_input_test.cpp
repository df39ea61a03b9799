// Keys and presses as they really arrive: releases whose press went to a
// menu, a message box or a dialog; double-clicks; presses on the legend and
// the hint label; the coordinate boxes; and the window's start-up scale
// and resizing.
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>

#include "editor_fixture.h"

namespace {

class WindowInput : public EditorTest {
protected:
    // Member input with the first point of member 1 placed at (2, 2).
    void startDrawing() {
        startInput(QStringLiteral("3"));
        click(2, 2);
        ASSERT_TRUE(form.editorState().memberInProgress);
    }
    bool drawing() const {
        return form.editorState().memberInProgress && !form.editorState().awaitingFirstPoint;
    }
};

TEST_F(WindowInput, EscThatClosedAMenuLeavesTheMemberBeingDrawn) {
    startDrawing();
    QMenu* window = form.menu(MenuId::Window);
    window->popup(form.mapToGlobal(QPoint(40, 40)));
    ASSERT_TRUE(window->isVisible());
    QTest::keyPress(window, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    QTest::keyRelease(form.canvasWidget(), Qt::Key_Escape);
    EXPECT_TRUE(drawing());
    EXPECT_NE(form.hintLabel()->text(), QStringLiteral("重新输入杆件"));
    // A key pressed and released on the canvas still acts.
    keyUp(Qt::Key_Escape);
    EXPECT_FALSE(drawing());
    EXPECT_EQ(form.hintLabel()->text(), QStringLiteral("重新输入杆件"));
}

TEST_F(WindowInput, EscThatDismissedAMessageBoxKeepsMemberInput) {
    startDrawing();
    chooseFailingSection();
    click(5, 2);
    ASSERT_EQ(platform.messages(), QStringList{QStringLiteral("断面尺寸校核发现错误")});
    // The box took the press; only the release reaches the window.
    QTest::keyRelease(form.canvasWidget(), Qt::Key_Escape);
    EXPECT_TRUE(document.mode == EditorMode::MemberInput);
    EXPECT_TRUE(form.form3().isVisible());
}

// The first Esc in the dialog is the window's Esc: it takes back the
// member being drawn, and its release is not a second one.
TEST_F(WindowInput, EscInAPropertyFieldEndsTheStepAsInTheWindow) {
    startDrawing();
    QLineEdit* field = form.form3().Text1[1];
    QTest::keyPress(field, Qt::Key_Escape);
    QTest::keyRelease(form.canvasWidget(), Qt::Key_Escape);
    EXPECT_FALSE(drawing());
    EXPECT_TRUE(document.mode == EditorMode::MemberInput);
    // The editor has the keyboard again: the next Esc leaves member input.
    keyUp(Qt::Key_Escape);
    EXPECT_TRUE(document.mode == EditorMode::None);
}

TEST_F(WindowInput, ADoubleClickIsOnePoint) {
    startInput(QStringLiteral("2"));
    doubleClick(2, 2);
    EXPECT_EQ(document.membersEntered, 1);
    EXPECT_TRUE(drawing());
    click(5, 2);
    EXPECT_EQ(member(1).x1, 2.0f);
    EXPECT_EQ(member(1).x2, 5.0f);
    EXPECT_EQ(document.nodeCount, 2);
    // A second click elsewhere at once is a point of its own.
    doubleClick(5, 2);
    mouse(QEvent::MouseMove, 5, 6, Qt::NoButton, 50);
    mouse(QEvent::MouseButtonPress, 5, 6, Qt::LeftButton, 50);
    EXPECT_EQ(member(2).y1, 6.0f);
}

TEST_F(WindowInput, PressesOnTheLegendAndTheHintTextAreNoPoints) {
    startDrawing();
    keyUp(Qt::Key_Escape);  // a short hint: "重新输入杆件"
    move(3, 3);
    QTest::mouseClick(form.xAxisLabel(), Qt::LeftButton);  // the "X" of the legend
    QTest::mouseClick(form.legend(), Qt::LeftButton, {}, QPoint(150, 10));
    QTest::mouseClick(form.hintLabel(), Qt::LeftButton, {}, QPoint(5, 10));
    EXPECT_EQ(document.membersEntered, 0);
    // Beyond the end of the hint's text the band belongs to the canvas.
    const int band = form.canvasWidget()->width() - form.hintLabel()->x() - 20;
    ASSERT_GT(band, form.hintLabel()->sizeHint().width());
    QTest::mouseClick(form.hintLabel(), Qt::LeftButton, {}, QPoint(band, 10));
    EXPECT_EQ(document.membersEntered, 1);
}

TEST_F(WindowInput, ZoomingWhileDrawingKeepsTheFirstEnd) {
    startDrawing();
    choose(MenuCommand::ZoomIn);
    click(5, 2);
    choose(MenuCommand::ZoomOut);
    EXPECT_EQ(member(1).x1, 2.0f);
    EXPECT_EQ(member(1).y1, 2.0f);
    EXPECT_EQ(member(1).x2, 5.0f);
    EXPECT_EQ(document.nodeCount, 2);
}

TEST_F(WindowInput, TabMovesFromTheXBoxToTheYBox) {
    startDrawing();
    form.activateWindow();
    form.xBox()->clear();
    form.yBox()->clear();
    form.xBox()->setFocus();
    QTest::keyClicks(form.xBox(), QStringLiteral("6"));
    QTest::keyClick(form.xBox(), Qt::Key_Tab);
    ASSERT_TRUE(form.yBox()->hasFocus());
    QTest::keyClicks(form.yBox(), QStringLiteral("0"));
    QTest::keyClick(form.yBox(), Qt::Key_Return);
    EXPECT_EQ(form.xBox()->text(), QStringLiteral("6"));
    EXPECT_EQ(member(1).x2, 8.0f);
    EXPECT_EQ(member(1).y2, 2.0f);
    EXPECT_FALSE(form.xBox()->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_FALSE(form.yBox()->testAttribute(Qt::WA_InputMethodEnabled));
}

TEST_F(WindowInput, AnOffsetBeyondTheSingleRangeIsRefusedWithABeep) {
    startDrawing();
    move(4, 3);
    const LineShape before = memberLine(1);
    form.xBox()->setText(QStringLiteral("1") + QString(40, QLatin1Char('0')));
    form.yBox()->setText(QStringLiteral("0"));
    QTest::keyClick(form.yBox(), Qt::Key_Return);
    EXPECT_EQ(platform.count(PlatformCall::Kind::Beep), 1);
    EXPECT_TRUE(drawing());
    EXPECT_EQ(memberLine(1), before);
    EXPECT_EQ(document.membersEntered, 1);
}

TEST_F(WindowInput, StartUpScaleFollowsTheClientAreaUntilTheUserActs) {
    form.setWindowState(Qt::WindowNoState);
    form.resize(900, 500);
    QCoreApplication::processEvents();
    const float perPixel = document.world.scaleHeight / form.canvasWidget()->height();
    form.resize(900, 700);
    QCoreApplication::processEvents();
    EXPECT_FLOAT_EQ(document.world.scaleHeight / form.canvasWidget()->height(), perPixel);
    // One scale on both axes: a square bay is drawn square.
    EXPECT_FLOAT_EQ(document.world.scaleWidth / form.canvasWidget()->width(), perPixel);
    press(1, 1);
    // Once the user acts, a new size keeps the scale, one on both axes,
    // and the world point at the centre.
    const WorldWindow settled = document.world;
    const QSize before = form.canvasWidget()->size();
    form.resize(700, 600);
    QCoreApplication::processEvents();
    const QSize after = form.canvasWidget()->size();
    ASSERT_NE(after, before);
    EXPECT_FLOAT_EQ(document.world.scaleWidth / after.width(), perPixel);
    EXPECT_FLOAT_EQ(document.world.scaleHeight / after.height(), perPixel);
    EXPECT_FLOAT_EQ(document.world.scaleLeft + document.world.scaleWidth / 2,
                    settled.scaleLeft + settled.scaleWidth / 2);
    EXPECT_FLOAT_EQ(document.world.scaleTop + document.world.scaleHeight / 2,
                    settled.scaleTop + settled.scaleHeight / 2);
}

TEST_F(WindowInput, PastedTextPassesTheBoxesKeyFilter) {
    startInput(QStringLiteral("1"));
    form.xBox()->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("5x"));
    form.xBox()->paste();  // waiting for a first point: its coordinate only
    EXPECT_EQ(form.xBox()->text(), QString());
    QGuiApplication::clipboard()->setText(QStringLiteral("5"));
    form.xBox()->paste();
    EXPECT_EQ(form.xBox()->text(), QStringLiteral("5"));
    click(2, 2);
    form.xBox()->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("3e5"));
    form.xBox()->paste();
    EXPECT_EQ(form.xBox()->text(), QString());
    QGuiApplication::clipboard()->setText(QStringLiteral("-3.5"));
    form.xBox()->paste();
    EXPECT_EQ(form.xBox()->text(), QStringLiteral("-3.5"));
}

}  // namespace
