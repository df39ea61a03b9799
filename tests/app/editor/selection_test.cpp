// 编辑 → 选择 and the operations on the selection, through real events,
// checked by the document and the project text 保存 writes.
#include "document/member_selection.h"
#include "document/project_file.h"
#include "editor_fixture.h"

#include <QLabel>

namespace {

class Selection : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        drawPortal(2, 6, 2, 5);  // columns 1 and 3 from y = 5 up to the beam 2 at y = 2
    }
    void mouseWith(QEvent::Type type, float x, float y, Qt::KeyboardModifiers modifiers) {
        const QPointF pixel = form.canvasModel().toPixel(x, y);
        QMouseEvent event(type, pixel, form.canvasWidget()->mapToGlobal(pixel), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          modifiers);
        clock_ += 1000;
        event.setTimestamp(clock_);
        QCoreApplication::sendEvent(form.canvasWidget(), &event);
    }
    void drag(float x1, float y1, float x2, float y2, Qt::KeyboardModifiers modifiers = {}) {
        move(x1, y1);
        mouseWith(QEvent::MouseButtonPress, x1, y1, modifiers);
        mouseWith(QEvent::MouseMove, (x1 + x2) / 2, (y1 + y2) / 2, modifiers);
        mouseWith(QEvent::MouseMove, x2, y2, modifiers);
        mouseWith(QEvent::MouseButtonRelease, x2, y2, modifiers);
    }
    void pick(float x, float y, Qt::KeyboardModifiers modifiers = {}) {
        drag(x, y, x, y, modifiers);
    }
    void run(MenuCommand command, const char* answer) {
        platform.inputs.push_back(QString::fromUtf8(answer));
        choose(command);
    }
};

TEST_F(Selection, BoxesClicksAndCtrlSelectAndEscClears) {
    choose(MenuCommand::Select);
    drag(1, 1, 7, 6);
    EXPECT_EQ(document.selectedMembers, (MemberNumbers{1, 2, 3}));
    EXPECT_TRUE(form.hintLabel()->text().startsWith(QStringLiteral("已选中3根杆件")));
    EXPECT_EQ(memberLine(2).colour, kSelectionColour);
    drag(1, 1, 5, 6);  // left to right: only the left column lies inside
    EXPECT_EQ(document.selectedMembers, (MemberNumbers{1}));
    drag(3, 3, 1, 1);  // right to left: what it touches
    EXPECT_EQ(document.selectedMembers, (MemberNumbers{1, 2}));
    pick(4, 2.02f);
    EXPECT_EQ(document.selectedMembers, (MemberNumbers{2}));
    pick(6, 4, Qt::ControlModifier);
    EXPECT_EQ(document.selectedMembers, (MemberNumbers{2, 3}));
    pick(4, 2, Qt::ControlModifier);
    EXPECT_EQ(document.selectedMembers, (MemberNumbers{3}));
    EXPECT_EQ(memberLine(2).colour, kBlack);
    keyUp(Qt::Key_Escape);
    EXPECT_TRUE(document.selectedMembers.empty());
    EXPECT_EQ(document.mode, EditorMode::None);
    EXPECT_EQ(memberLine(3).colour, kBlack);
}

TEST_F(Selection, ArrayJoinsNodesKeepsSupportsAndIsOneUndoStep) {
    fixEnds({{2, 5}, {6, 5}});
    choose(MenuCommand::Select);
    drag(7, 6, 5, 1);  // the beam and the right column
    const std::string before = projectFileText(document);
    run(MenuCommand::ArraySelection, "2, 4, 0");
    EXPECT_EQ(document.membersEntered, 7);
    EXPECT_EQ(document.memberTotal, 7);
    EXPECT_EQ(document.nodeCount, 8);  // each bay adds a beam end and a column foot
    EXPECT_EQ(document.fixedSymbolCount, 2);
    EXPECT_EQ(member(7).x1, 14);
    const std::string after = projectFileText(document);
    run(MenuCommand::CopySelection, "4, 0");  // onto the first copies
    EXPECT_TRUE(platform.messages().back().contains(QStringLiteral("重合")));
    EXPECT_EQ(projectFileText(document), after);
    choose(MenuCommand::Undo);
    EXPECT_EQ(projectFileText(document), before);
    choose(MenuCommand::Redo);
    EXPECT_EQ(projectFileText(document), after);
}

TEST_F(Selection, MoveStretchesMirrorCopiesAndDeleteKeepsSupports) {
    fixEnds({{2, 5}, {6, 5}});
    choose(MenuCommand::Select);
    pick(4, 2);
    run(MenuCommand::MoveSelection, "0, -1");
    EXPECT_EQ(member(1).y2, 1);  // the columns stretch to the moved beam
    EXPECT_EQ(member(3).y2, 1);
    EXPECT_EQ(document.fixedSymbolCount, 2);
    drag(1, 0, 7, 6);
    run(MenuCommand::MirrorSelection, "x=6");  // the right column is its own image
    EXPECT_EQ(document.membersEntered, 5);
    EXPECT_EQ(document.nodeCount, 6);
    EXPECT_EQ(document.fixedSymbolCount, 2);
    pick(4, 1);
    choose(MenuCommand::DeleteSelection);
    EXPECT_EQ(document.membersEntered, 4);
    EXPECT_EQ(document.fixedSymbolCount, 2);
    EXPECT_TRUE(document.selectedMembers.empty());
    choose(MenuCommand::Undo);
    EXPECT_EQ(document.membersEntered, 5);
}

TEST_F(Selection, PropertiesAndLoadsGoToEverySelectedMember) {
    choose(MenuCommand::Select);
    pick(2, 4);
    pick(6, 4, Qt::ControlModifier);
    choose(MenuCommand::MemberQuery);
    hoverAt(2, 3.5f);
    press(2, 3.5f, Qt::RightButton);
    chooseSection("实心圆");
    EXPECT_EQ(member(3).断面, "实心圆");
    EXPECT_NE(member(2).断面, "实心圆");
    keyUp(Qt::Key_Escape);
    keyUp(Qt::Key_Escape);
    choose(MenuCommand::LoadInput);
    giveLoad("集中", "1", "5", 6, 3.5f);
    EXPECT_EQ(member(1).荷载数, 1);
    EXPECT_EQ(member(3).荷载数, 1);
    EXPECT_EQ(member(2).荷载数, 0);
}

}  // namespace
