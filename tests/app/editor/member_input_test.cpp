// Member input through the real window: member total, points pressed,
// captured and typed, ortho mode, cancelling and completing members.
#include <QLabel>
#include <QLineEdit>

#include <array>

#include "document/node_numbering.h"
#include "editor_fixture.h"

namespace {

using MemberInput = EditorTest;

// A total is a whole number in 1..32767; anything else is refused with a
// message (a negative total used to claim every member drawn), a cancel
// without one.
TEST_F(MemberInput, MemberTotalRefusesWhatIsNoWholeCount) {
    platform.inputs.push_back(QString());
    choose(MenuCommand::MemberTotal);
    EXPECT_TRUE(platform.messages().isEmpty());
    EXPECT_EQ(platform.calls.front().text, QStringLiteral("请输入杆件总数"));
    EXPECT_EQ(platform.calls.front().caption, QStringLiteral("注意:此总数在使用过程中不可更改"));
    for (const char* answer : {"abc", "40000", "99999", "1,5", "3x", "-5", "0", "2.5"}) {
        platform.calls.clear();
        platform.inputs.push_back(QString::fromUtf8(answer));
        choose(MenuCommand::MemberTotal);
        EXPECT_EQ(document.memberTotal, 0) << answer;
        EXPECT_EQ(platform.messages(),
                  QStringList{QStringLiteral("杆件总数应为1到32767之间的整数")})
            << answer;
        EXPECT_TRUE(itemEnabled(MenuCommand::MemberTotal)) << answer;
    }
    platform.inputs.push_back(QStringLiteral(" 32767 "));
    choose(MenuCommand::MemberTotal);
    EXPECT_EQ(document.memberTotal, 32767);
    EXPECT_TRUE(itemEnabled(MenuCommand::MemberTotal));
}

TEST_F(MemberInput, InputNeedsATotalAndDrawingBeyondItRaisesIt) {
    choose(MenuCommand::MemberInput);
    EXPECT_EQ(platform.messages(), QStringList{QStringLiteral("先输入杆件总数")});

    startInput(QStringLiteral("3"));
    EXPECT_TRUE(document.mode == EditorMode::MemberInput);
    EXPECT_TRUE(form.hasForm3() && form.form3().isVisible());
    EXPECT_FALSE(menuEnabled(MenuId::File));
    EXPECT_FALSE(menuEnabled(MenuId::Analysis));
    EXPECT_TRUE(menuEnabled(MenuId::Window));

    drawMember(1, 5, 4, 5);
    drawMember(4, 5, 4, 2);
    drawMember(1, 5, 1, 2);
    EXPECT_EQ(document.memberTotal, 3);
    // A member begun beyond the total and cancelled leaves the total.
    click(6, 6);
    keyUp(Qt::Key_Escape);
    EXPECT_EQ(document.membersEntered, 3);
    EXPECT_EQ(document.memberTotal, 3);
    EXPECT_EQ(document.members.size(), 4u);
    click(1, 2);
    click(4, 2);
    EXPECT_EQ(document.membersEntered, 4);
    EXPECT_EQ(document.memberTotal, 4);
    EXPECT_EQ(member(4).右号, member(2).右号);  // joined like any other member
    EXPECT_TRUE(platform.messages().size() == 1);

    // A deleted member is drawn again with 输入杆件 alone.
    keyUp(Qt::Key_Escape);
    choose(MenuCommand::MemberDelete);
    hoverAt(2.5f, 2);
    keyUp(Qt::Key_Delete);
    EXPECT_EQ(document.memberTotal, 3);
    choose(MenuCommand::MemberInput);
    drawMember(1, 2, 4, 2);
    EXPECT_EQ(document.memberTotal, 4);
    EXPECT_EQ(platform.messages().size(), 1);
}

TEST_F(MemberInput, FirstPointOfTheFirstMemberOnlyIsCutToTwoDecimals) {
    startInput(QStringLiteral("2"));
    drawMember(1.2345f, 1.6789f, 3.5f, 1.6789f);
    EXPECT_EQ(member(1).x1, 1.23f);
    EXPECT_EQ(member(1).y1, 1.67f);
    // The pressed second point is taken as it is.
    EXPECT_EQ(member(1).x2, 3.5f);
    EXPECT_EQ(member(1).y2, 1.6789f);

    drawMember(7.777f, 3.333f, 9.5f, 3.333f);
    EXPECT_EQ(member(2).x1, 7.777f);
    EXPECT_EQ(member(2).y1, 3.333f);
}

TEST_F(MemberInput, EndsWithinTheCaptureDistanceAreJoinedExactly) {
    startInput(QStringLiteral("3"));
    drawMember(2, 2, 5, 2);
    // 0.19999981 from the end (5.2 as a single): captured onto the end.
    drawMember(5.2f, 2, 5.2f, 4);
    EXPECT_EQ(member(2).x1, 5.0f);
    EXPECT_EQ(member(2).y1, 2.0f);
    EXPECT_EQ(member(2).左号, member(1).右号);
    // 0.21 away: a new point.
    drawMember(5.21f, 2, 5.21f, 6);
    EXPECT_EQ(member(3).x1, 5.21f);
    EXPECT_EQ(document.nodeCount, 5);
}

TEST_F(MemberInput, TheLowerNumberedMemberWinsACapture) {
    startInput(QStringLiteral("3"));
    drawMember(2, 2, 5, 2);
    drawMember(5.3f, 2, 8, 2);
    // 0.18 from member 1's end, 0.12 from member 2's: member 1 wins.
    move(5.18f, 2);
    move(5.18f, 2);  // a move captures at the position of the move before
    EXPECT_EQ(form.canvasModel().line(kBoxTop).colour, 255);
    press(5.18f, 2);
    click(5.18f, 4);
    EXPECT_EQ(member(3).x1, 5.0f);
    EXPECT_EQ(member(3).y1, 2.0f);
}

TEST_F(MemberInput, NoCaptureWithTheCrosshairOff) {
    startInput(QStringLiteral("2"));
    drawMember(2, 2, 5, 2);
    keyUp(Qt::Key_F3);
    EXPECT_FALSE(document.crosshairOn);
    drawMember(5.1f, 2, 5.1f, 4);
    EXPECT_FALSE(document.endCaptured);
    EXPECT_EQ(member(2).x1, 5.1f);
    EXPECT_EQ(form.canvasModel().line(kBoxTop).colour, kBlack);
}

TEST_F(MemberInput, OrthoModeKeepsTheMemberHorizontalOrVertical) {
    startInput(QStringLiteral("2"));
    click(2, 2);
    keyUp(Qt::Key_F8);
    EXPECT_TRUE(form.editorState().orthoMode);
    EXPECT_EQ(form.hintLabel()->text(), QStringLiteral("正交方式,按F8取消正交"));
    // dx = dy: vertical.
    move(3, 3);
    EXPECT_EQ(memberLine(1).x2, 2.0f);
    EXPECT_EQ(memberLine(1).y2, 3.0f);
    EXPECT_EQ(form.xBox()->text(), QStringLiteral("0"));
    EXPECT_EQ(form.yBox()->text(), QStringLiteral("1"));
    // Mostly horizontal: the rubber band snaps to 0.01.
    move(4.123f, 2.5f);
    EXPECT_EQ(memberLine(1).x2, 4.12f);
    EXPECT_EQ(memberLine(1).y2, 2.0f);
    EXPECT_EQ(form.xBox()->text(), QStringLiteral("2.123"));
    press(4.123f, 2.5f);
    EXPECT_EQ(member(1).x2, 4.123f);
    EXPECT_EQ(member(1).y2, 2.0f);
    // Ortho stays on for the next member; F8 switches it off again.
    click(6, 6);
    move(7, 6.5f);
    keyUp(Qt::Key_F8);
    EXPECT_FALSE(form.editorState().orthoMode);
    EXPECT_EQ(form.hintLabel()->text(), QStringLiteral("非正交方式,按F8正交"));
    EXPECT_EQ(memberLine(2).x2, 7.0f);
    EXPECT_EQ(memberLine(2).y2, 6.5f);
}

TEST_F(MemberInput, F8WhileWaitingForAFirstPointDoesNothing) {
    startInput(QStringLiteral("2"));
    keyUp(Qt::Key_F8);
    EXPECT_FALSE(form.editorState().orthoMode);
}

TEST_F(MemberInput, MembersAreOrientedLeftToRightAndBottomToTop) {
    startInput(QStringLiteral("3"));
    drawMember(5, 2, 2, 2);  // right to left: swapped
    EXPECT_EQ(member(1).x1, 2.0f);
    EXPECT_EQ(member(1).x2, 5.0f);
    drawMember(8, 6, 8, 3);  // upward: kept, the first end is the lower one
    EXPECT_EQ(member(2).y1, 6.0f);
    EXPECT_EQ(member(2).y2, 3.0f);
    drawMember(10, 3, 10, 6);  // downward: swapped
    EXPECT_EQ(member(3).y1, 6.0f);
    EXPECT_EQ(member(3).y2, 3.0f);
    EXPECT_EQ(memberLine(3).y1, 6.0f);
}

TEST_F(MemberInput, TypedRelativeCoordinatesCompleteAMemberWithEnter) {
    startInput(QStringLiteral("2"));
    // Enter before any member is being drawn changes nothing.
    QTest::keyClick(form.xBox(), Qt::Key_Return);
    EXPECT_EQ(document.membersEntered, 0);

    click(2, 2);
    form.xBox()->clear();
    form.yBox()->clear();
    QTest::keyClicks(form.xBox(), QStringLiteral("3a"));  // the letter is dropped
    QTest::keyClicks(form.yBox(), QStringLiteral("0"));
    EXPECT_EQ(form.xBox()->text(), QStringLiteral("3"));
    QTest::keyClick(form.yBox(), Qt::Key_Return);
    EXPECT_EQ(document.membersEntered, 1);
    EXPECT_FALSE(form.editorState().memberInProgress);
    EXPECT_EQ(member(1).x1, 2.0f);
    EXPECT_EQ(member(1).x2, 5.0f);
    EXPECT_EQ(member(1).y2, 2.0f);
}

// Waiting for a first point, the boxes take its world coordinates: the
// pointer no longer overwrites them once typed into, and Enter places the
// point exactly there (no cutting to two decimals); the second point is
// then relative as before.
TEST_F(MemberInput, AFirstPointTypedIntoTheBoxesStartsTheMemberThere) {
    startInput(QStringLiteral("1"));
    move(7.777f, 3);
    form.xBox()->clear();
    form.yBox()->clear();
    QTest::keyClicks(form.xBox(), QStringLiteral("0.125a"));  // the letter is dropped
    move(5, 5);
    EXPECT_EQ(form.xBox()->text(), QStringLiteral("0.125"));
    QTest::keyClicks(form.yBox(), QStringLiteral("-3"));
    QTest::keyClick(form.yBox(), Qt::Key_Return);
    EXPECT_TRUE(form.editorState().memberInProgress);
    form.xBox()->clear();
    form.yBox()->clear();
    QTest::keyClicks(form.xBox(), QStringLiteral("6"));
    QTest::keyClicks(form.yBox(), QStringLiteral("0"));
    QTest::keyClick(form.yBox(), Qt::Key_Return);
    EXPECT_EQ(document.membersEntered, 1);
    EXPECT_EQ(member(1).x1, 0.125f);
    EXPECT_EQ(member(1).y1, -3.0f);
    EXPECT_EQ(member(1).x2, 6.125f);
    EXPECT_EQ(member(1).y2, -3.0f);
}

TEST_F(MemberInput, EscCancelsTheMemberThenLeavesInput) {
    startInput(QStringLiteral("2"));
    click(2, 2);
    move(4, 4);
    keyUp(Qt::Key_Escape);
    EXPECT_EQ(document.membersEntered, 0);
    EXPECT_EQ(form.canvasModel().lineCount(kMemberLines), 1);
    EXPECT_EQ(form.hintLabel()->text(), QStringLiteral("重新输入杆件"));
    EXPECT_TRUE(document.mode == EditorMode::MemberInput);
    EXPECT_TRUE(form.editorState().awaitingFirstPoint);
    EXPECT_TRUE(menuEnabled(MenuId::File));

    keyUp(Qt::Key_Escape);
    EXPECT_FALSE(document.mode == EditorMode::MemberInput);
    EXPECT_FALSE(form.form3().isVisible());
    EXPECT_EQ(form.hintLabel()->text(), QStringLiteral("提示:"));
    EXPECT_TRUE(itemEnabled(MenuCommand::MemberTotal));
    click(3, 3);
    EXPECT_EQ(document.membersEntered, 0);
}

TEST_F(MemberInput, MembersTakeTheDialogValuesAndFailTheSectionCheckOnAPress) {
    startInput(QStringLiteral("2"));
    chooseSection("T形");
    drawMember(2, 2, 5, 2);
    EXPECT_EQ(member(1).断面, "T形");
    EXPECT_EQ(member(1).材料, "C30混凝土");
    EXPECT_EQ(member(1).尺寸, (std::vector<float>{0.2f, 0.4f, 0.15f, 0.6f, 0}));

    // A web wider than the flange fails the check: the member goes again.
    chooseFailingSection();
    drawMember(5, 2, 5, 5);
    EXPECT_EQ(platform.messages().back(), QStringLiteral("断面尺寸校核发现错误"));
    EXPECT_EQ(document.membersEntered, 1);
    EXPECT_EQ(form.canvasModel().lineCount(kMemberLines), 2);
    // Completed with Enter, the same member meets the same check.
    platform.calls.clear();
    click(5, 2);
    form.xBox()->setText(QStringLiteral("0"));
    form.yBox()->setText(QStringLiteral("-3"));
    QTest::keyClick(form.yBox(), Qt::Key_Return);
    EXPECT_EQ(platform.messages(), QStringList{QStringLiteral("断面尺寸校核发现错误")});
    EXPECT_EQ(document.membersEntered, 1);
    EXPECT_EQ(form.canvasModel().lineCount(kMemberLines), 2);
    EXPECT_TRUE(form.editorState().awaitingFirstPoint);
}

TEST_F(MemberInput, AMemberThatWouldNeedNode32768IsRefused) {
    // 16,383 separate members hold 32,766 nodes; one more separate member
    // would need 32,768.
    document.memberTotal = 16385;
    resizeMembers(document, document.memberTotal);
    for (int i = 1; i <= 16383; ++i) {
        gj& record = document.members[static_cast<std::size_t>(i)];
        record.x1 = static_cast<float>(i);
        record.y1 = 100;
        record.x2 = static_cast<float>(i);
        record.y2 = 101;
    }
    document.membersEntered = 16383;
    ASSERT_TRUE(::节点自动编号(document));
    ASSERT_EQ(document.nodeCount, 32766);
    choose(MenuCommand::MemberInput);
    drawMember(2, 2, 5, 2);
    EXPECT_EQ(platform.messages(),
              QStringList{QStringLiteral("节点总数不能超过32767个,此杆件不能输入")});
    EXPECT_EQ(document.membersEntered, 16383);
    EXPECT_EQ(document.nodeCount, 32766);
    EXPECT_EQ(member(16384).x2, 0.0f);
    EXPECT_FALSE(memberLine(16384).loaded);
    EXPECT_TRUE(form.editorState().awaitingFirstPoint);
}

// The rubber band's free end snaps to Int(v x 100 + 0.005) / 100, Int
// rounding toward minus infinity, in both directions of both axes.
TEST_F(MemberInput, TheRubberBandSnapsToHundredthsRoundingDown) {
    startInput(QStringLiteral("1"));
    click(1, 1);
    struct Case {
        float mouse;  // at (mouse, -mouse)
        float x;
        float y;
    };
    const std::array<Case, 5> cases = {{
        {3.23496f, 3.23f, -3.24f},  // 323.501 down to 323; -323.491 down to -324
        {3.23996f, 3.24f, -3.24f},  // 324.001 down to 324
        {-1.2345f, -1.24f, 1.23f},  // -123.445 down to -124; 123.455 down to 123
        {-0.004f, -0.01f, 0.0f},
        {7.0f, 7.0f, -7.0f},
    }};
    for (const Case& c : cases) {
        move(c.mouse, -c.mouse);
        EXPECT_EQ(memberLine(1).x2, c.x) << c.mouse;
        EXPECT_EQ(memberLine(1).y2, c.y) << c.mouse;
    }
}

}  // namespace
