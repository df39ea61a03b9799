// Load input and load query from the editor's side: the commands and their
// refusals, the mark that F12 and a right press act on, and the load
// dialog shown and hidden with the modes.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "dialogs/form2.h"
#include "editor_fixture.h"

namespace {

class Loads : public EditorTest {
protected:
    // A portal of three members, all drawn.
    void drawPortal() { EditorTest::drawPortal(2, 6, 2, 6); }
};

TEST_F(Loads, CommandsWaitUntilEveryMemberIsDrawn) {
    choose(MenuCommand::LoadInput);  // no member total: nothing at all
    choose(MenuCommand::LoadQuery);
    EXPECT_TRUE(platform.messages().isEmpty());
    startInput(QStringLiteral("2"));
    drawMember(2, 2, 6, 2);
    choose(MenuCommand::LoadInput);
    choose(MenuCommand::LoadQuery);
    EXPECT_EQ(platform.messages(), (QStringList{QStringLiteral("杆件画完后再输入荷载!"),
                                                QStringLiteral("杆件画完后再查询荷载!")}));
    EXPECT_FALSE(document.mode == EditorMode::LoadInput);
    EXPECT_FALSE(document.mode == EditorMode::LoadQuery);
    EXPECT_FALSE(form.hasForm2() && form.form2().isVisible());
}

TEST_F(Loads, LoadInputShowsTheDialogAndEscHidesIt) {
    drawPortal();
    choose(MenuCommand::LoadInput);
    EXPECT_TRUE(document.mode == EditorMode::LoadInput);
    EXPECT_TRUE(form.editorState().hoverEnabled);
    EXPECT_TRUE(form.form2().isVisible());
    EXPECT_FALSE(menuEnabled(MenuId::Loads));
    hoverAt(4, 2);
    EXPECT_EQ(form.hintLabel()->text(),
              QStringLiteral(" 2号4.000: F12键将荷载赋予该杆件;黑短线表示局部坐标的正Y方向."));
    keyUp(Qt::Key_Escape);
    EXPECT_FALSE(document.mode == EditorMode::LoadInput);
    EXPECT_FALSE(form.form2().isVisible());
    EXPECT_TRUE(menuEnabled(MenuId::Loads));
    // The first Esc in the dialog ends the step just the same.
    choose(MenuCommand::LoadInput);
    QTest::keyClick(form.form2().Text1[1], Qt::Key_Escape);
    EXPECT_FALSE(document.mode == EditorMode::LoadInput);
    EXPECT_FALSE(form.form2().isVisible());
}

TEST_F(Loads, ARightPressOnAMemberWithoutLoadsSaysSoAndHidesTheDialog) {
    drawPortal();
    choose(MenuCommand::LoadQuery);
    EXPECT_TRUE(document.mode == EditorMode::LoadQuery);
    EXPECT_FALSE(form.hasForm2() && form.form2().isVisible());  // not before a pick
    hoverAt(2, 4);
    EXPECT_EQ(form.hintLabel()->text(),
              QStringLiteral(" 1号杆长=4.000:  移动鼠标,右键选中该杆件,然后查询修改"));
    press(2, 4, Qt::RightButton);
    EXPECT_TRUE(document.memberPicked);
    EXPECT_EQ(platform.messages(), QStringList{QStringLiteral("此杆件无荷载")});
    EXPECT_FALSE(form.hasForm2() && form.form2().isVisible());
    // A press over no member picks, but opens nothing.
    keyUp(Qt::Key_Escape);
    press(9, 9, Qt::RightButton);
    EXPECT_EQ(platform.messages().size(), 1);
}

// Loads given with F12 through the real window: the mark moves with the
// mouse, F12 gives the load to the marked member only, and its colour goes
// back to black, so each load needs the mouse on a member again.
TEST_F(Loads, F12GivesTheDialogsLoadToTheMemberUnderTheMouse) {
    drawPortal();
    choose(MenuCommand::LoadInput);
    Form2& dialog = form.form2();
    dialog.Text1[1]->setText(QStringLiteral("-12"));
    hoverAt(4, 2);
    keyUp(Qt::Key_F12);
    EXPECT_EQ(member(2).荷载数, 1);
    EXPECT_EQ(member(2).hzlx[1], "均布");
    EXPECT_EQ(member(2).q[1], -12.0f);
    EXPECT_EQ(member(1).荷载数, 0);
    EXPECT_EQ(memberLine(2).colour, kBlack);
    keyUp(Qt::Key_F12);  // nothing marked any more: a beep only
    EXPECT_EQ(member(2).荷载数, 1);
    EXPECT_EQ(platform.count(PlatformCall::Kind::Beep), 2);
    hoverAt(2, 4);
    keyUp(Qt::Key_F12);
    EXPECT_EQ(member(1).荷载数, 1);
}

TEST_F(Loads, ARightPressInLoadQueryOpensThePickedMembersLoads) {
    drawPortal();
    choose(MenuCommand::LoadInput);
    hoverAt(4, 2);
    keyUp(Qt::Key_F12);
    keyUp(Qt::Key_Escape);
    choose(MenuCommand::LoadQuery);
    hoverAt(4, 2);
    press(4, 2, Qt::RightButton);
    Form2& dialog = form.form2();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("查询修改荷载"));
    EXPECT_EQ(dialog.Combo1->count(), 1);
    EXPECT_FALSE(menuEnabled(MenuId::File));
    // An edit goes to the picked member at once.
    dialog.Text1[1]->clear();
    QTest::keyClicks(dialog.Text1[1], QStringLiteral("7"));
    EXPECT_EQ(member(2).q[1], 7.0f);
    // Released with Esc, the dialog writes nothing more.
    keyUp(Qt::Key_Escape);
    EXPECT_TRUE(document.mode == EditorMode::LoadQuery);
    QTest::keyClicks(dialog.Text1[1], QStringLiteral("5"));
    EXPECT_EQ(member(2).q[1], 7.0f);
    keyUp(Qt::Key_Escape);
    EXPECT_FALSE(document.mode == EditorMode::LoadQuery);
    EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
