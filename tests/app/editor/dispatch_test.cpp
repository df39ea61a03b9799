// Key releases on the window: Space and F3 always act, Esc ends the
// innermost running step first.
#include <QLineEdit>

#include "editor_fixture.h"

namespace {

using Dispatch = EditorTest;

TEST_F(Dispatch, SpaceFlipsTheSupportDirectionInAnyMode) {
    keyUp(Qt::Key_Space);
    EXPECT_TRUE(document.supportDirection);
    startInput(QStringLiteral("1"));
    keyUp(Qt::Key_Space);
    EXPECT_FALSE(document.supportDirection);
    // The command keys act from a coordinate box too: the box keeps only
    // what is typed into it.
    QTest::keyClick(form.xBox(), Qt::Key_Space);
    EXPECT_TRUE(document.supportDirection);
    QTest::keyClick(form.xBox(), Qt::Key_Escape);
    EXPECT_FALSE(document.mode == EditorMode::MemberInput);
}

TEST_F(Dispatch, EscFirstReleasesAPickThenEndsTheHoverMode) {
    startInput(QStringLiteral("2"));
    drawMember(2, 2, 5, 2);
    keyUp(Qt::Key_Escape);  // leaves member input
    choose(MenuCommand::MemberQuery);
    hoverAt(3.5f, 2);
    press(3.5f, 2, Qt::RightButton);
    ASSERT_TRUE(document.memberPicked);
    ASSERT_EQ(memberLine(1).colour, 255);

    keyUp(Qt::Key_Escape);
    EXPECT_FALSE(document.memberPicked);
    EXPECT_TRUE(document.mode == EditorMode::MemberQuery);
    EXPECT_EQ(memberLine(1).colour, kBlack);

    keyUp(Qt::Key_Escape);
    EXPECT_FALSE(document.mode == EditorMode::MemberQuery);
    EXPECT_FALSE(form.editorState().hoverEnabled);
    EXPECT_FALSE(form.form3().isVisible());
    EXPECT_TRUE(menuEnabled(MenuId::File));
}

TEST_F(Dispatch, EscEndsASupportPlacement) {
    startInput(QStringLiteral("1"));
    drawMember(2, 2, 5, 2);
    choose(MenuCommand::Pinned);
    move(3, 3);
    ASSERT_TRUE(form.canvasModel().line(10, 0).visible);
    keyUp(Qt::Key_Escape);  // member input waits for nothing: the placement ends
    EXPECT_FALSE(document.mode == EditorMode::Pinned);
    EXPECT_FALSE(form.canvasModel().line(10, 0).visible);
}

TEST_F(Dispatch, AutoRepeatedReleasesAreIgnored) {
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QString(), true);
    QCoreApplication::sendEvent(form.canvasWidget(), &repeat);
    EXPECT_FALSE(document.supportDirection);
}

TEST_F(Dispatch, EscEndsMemberDeletion) {
    startInput(QStringLiteral("1"));
    drawMember(2, 2, 5, 2);
    keyUp(Qt::Key_Escape);
    form.关闭菜单();
    form.form3().show();
    document.mode = EditorMode::MemberDeletion;
    keyUp(Qt::Key_Escape);
    EXPECT_FALSE(document.mode == EditorMode::MemberDeletion);
    EXPECT_FALSE(form.form3().isVisible());
    EXPECT_TRUE(menuEnabled(MenuId::File));
    EXPECT_EQ(document.membersEntered, 1);
}

TEST_F(Dispatch, AHigherMemberTotalKeepsTheNodesAndTheirSupports) {
    startInput(QStringLiteral("1"));
    drawMember(2, 2, 5, 2);
    gd node;
    node.x = 2;
    node.y = 2;
    placeSupport(document, 1, SupportPinned, node);
    platform.inputs.push_back(QStringLiteral("2"));
    choose(MenuCommand::MemberTotal);
    EXPECT_EQ(document.nodeCount, 2);
    EXPECT_EQ(document.supportKinds[1], SupportPinned);
    EXPECT_EQ(document.membersEntered, 1);
}

}  // namespace
