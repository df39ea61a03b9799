// Pointing at drawn members: hover with its tick and hints, member query
// with the property dialog, deletion with Del, the colour displays, and the
// precedence of the keys over all the modes.
#include <QLabel>
#include <QLineEdit>
#include <functional>

#include "document/node_numbering.h"
#include "editor_fixture.h"

namespace {

class Members : public EditorTest {
protected:
    int redMembers() const {
        int red = 0;
        for (int i = 1; i <= document.membersEntered; ++i) {
            red += memberLine(i).colour == 255;
        }
        return red;
    }
    std::vector<ColourValue> colours() const {
        std::vector<ColourValue> result;
        for (int i = 1; i <= document.membersEntered; ++i) {
            result.push_back(memberLine(i).colour);
        }
        return result;
    }
};

TEST_F(Members, HoverMarksAMemberWithinHalfAUnitOfItsMidpoint) {
    drawFrame({{2, 2, 6, 2}});
    choose(MenuCommand::MemberQuery);
    hoverAt(4, 2.49f);
    EXPECT_EQ(memberLine(1).colour, 255);
    EXPECT_EQ(document.hoveredMember, 1);
    EXPECT_EQ(form.hintLabel()->text(),
              QStringLiteral(" 1号杆长=4.000:  左号 1,右号 2:  移动鼠标查询,鼠标右键选中该杆件,"
                             "然后修改;黑短线表示局部坐标的正Y方向."));
    // The tick: half a unit from the midpoint along local +y, down the canvas.
    const LineShape& tick = form.canvasModel().line(kMemberLines, 0);
    EXPECT_EQ(tick, (LineShape{4, 2, 4, 2.5f, 8, 2, true, true}));

    hoverAt(4, 2.5f);
    EXPECT_EQ(memberLine(1).colour, kBlack);
    EXPECT_EQ(document.hoveredMember, 0);
    EXPECT_EQ(form.hintLabel()->text(), QString());
}

TEST_F(Members, TheLowerNumberedMemberWinsAndOnlyOneIsRed) {
    drawFrame({{2, 2, 6, 2}, {3.8f, 2.6f, 4.2f, 2.6f}});
    choose(MenuCommand::MemberDelete);
    hoverAt(4, 2.45f);  // nearer member 2's midpoint, within 0.5 of both
    EXPECT_EQ(document.hoveredMember, 1);
    EXPECT_EQ(redMembers(), 1);
    EXPECT_EQ(form.hintLabel()->text(), QStringLiteral("捕捉到 1号杆件:   Del删除杆件"));
    hoverAt(4, 2.9f);  // only member 2 within reach
    EXPECT_EQ(document.hoveredMember, 2);
    EXPECT_EQ(colours(), (std::vector<ColourValue>{kBlack, 255}));
}

TEST_F(Members, DeletingAMemberMovesTheLastIntoItsNumberAndKeepsTheOtherSupports) {
    drawFrame({{0, 5, 0, 2}, {0, 2, 4, 2}, {4, 2, 4, 5}, {4, 2, 8, 2}, {8, 2, 8, 5}});
    document.members[5].荷载数 = 1;
    document.members[5].hzlx[1] = "集中";
    document.members[5].q[1] = 10;
    document.members[5].材料 = "Q235钢";
    fixEnds({{0, 5}, {4, 5}});
    ASSERT_EQ(document.supportsPlaced, 2);
    const gj last = member(5);

    choose(MenuCommand::MemberDelete);
    EXPECT_FALSE(menuEnabled(MenuId::Members));
    hoverAt(2, 2);
    keyUp(Qt::Key_Delete);
    EXPECT_EQ(document.membersEntered, 4);
    EXPECT_EQ(member(2).x1, last.x1);
    EXPECT_EQ(member(2).y2, last.y2);
    EXPECT_EQ(member(2).材料, "Q235钢");
    EXPECT_EQ(member(2).荷载数, 1);
    EXPECT_EQ(member(2).q[1], 10.0f);
    EXPECT_EQ(memberLine(2).x1, last.x1);
    EXPECT_FALSE(memberLine(5).loaded);
    // The nodes follow the members that are left: member 2, now from 8,5
    // up to 8,2, meets member 4 at 8,2.
    EXPECT_EQ(member(2).右号, member(4).右号);
    EXPECT_EQ(document.nodeCount, 6);
    // Both bases keep their fixed ends, on their new node numbers.
    const auto supportPoints = [this] {
        std::vector<std::array<float, 2>> points;
        for (const SupportAtPoint& support : supportsAtPoints(document)) {
            EXPECT_EQ(support.kind, SupportFixed);
            points.push_back({support.x, support.y});
        }
        return points;
    };
    EXPECT_EQ(supportPoints(), (std::vector<std::array<float, 2>>{{0, 5}, {4, 5}}));
    EXPECT_EQ(document.fixedSymbolCount, 2);
    // A support goes with the last member that reaches its node.
    hoverAt(4, 3.5f);
    keyUp(Qt::Key_Delete);
    EXPECT_EQ(supportPoints(), (std::vector<std::array<float, 2>>{{0, 5}}));
    EXPECT_EQ(document.supportsPlaced, 1);
}

TEST_F(Members, DelWithoutAMemberUnderTheMouseOrOutsideDeletionDoesNothing) {
    drawFrame({{2, 2, 6, 2}});
    choose(MenuCommand::MemberDelete);
    hoverAt(9, 9);
    keyUp(Qt::Key_Delete);
    EXPECT_EQ(document.membersEntered, 1);
    keyUp(Qt::Key_Escape);
    choose(MenuCommand::MemberQuery);
    hoverAt(4, 2);
    keyUp(Qt::Key_Delete);
    EXPECT_EQ(document.membersEntered, 1);
}

TEST_F(Members, DeletingTheOnlyMemberReopensTheMenus) {
    drawFrame({{2, 2, 6, 2}});
    choose(MenuCommand::MemberDelete);
    hoverAt(4, 2);
    keyUp(Qt::Key_Delete);
    EXPECT_EQ(document.membersEntered, 0);
    EXPECT_EQ(form.hintLabel()->text(), QString());
    EXPECT_TRUE(menuEnabled(MenuId::Members));
    EXPECT_TRUE(menuEnabled(MenuId::File));
}

TEST_F(Members, ColourDisplaysShareTheLowestMembersColour) {
    startInput(QStringLiteral("3"));
    Form3& dialog = form.form3();
    const auto material = [&dialog](int index) {
        dialog.Combo1->setCurrentIndex(index);
        emit dialog.Combo1->activated(index);
    };
    material(0);
    drawMember(2, 2, 4, 2);
    material(1);
    drawMember(4, 2, 6, 2);
    material(0);
    drawMember(6, 2, 8, 2);
    keyUp(Qt::Key_Escape);

    choose(MenuCommand::ColourByMaterial);
    EXPECT_EQ(colours(), (std::vector<ColourValue>{kBlack, 516303, kBlack}));
    choose(MenuCommand::ColourBySection);  // one shape: all take member 1's colour
    EXPECT_EQ(colours(), (std::vector<ColourValue>{kBlack, kBlack, kBlack}));
    keyUp(Qt::Key_Escape);
    EXPECT_EQ(colours(), (std::vector<ColourValue>{kBlack, kBlack, kBlack}));
}

TEST_F(Members, ColoursOfManyMembersWrapAndAreNeverTheMark) {
    std::vector<std::array<float, 4>> frame;
    for (int i = 0; i < 100; ++i) {
        frame.push_back({static_cast<float>(i), 0, static_cast<float>(i), 1});
    }
    drawFrame(frame);
    choose(MenuCommand::ColourBySize);  // one size: everything black
    EXPECT_EQ(memberLine(100).colour, kBlack);
    for (int i = 2; i <= 100; ++i) {
        document.members[static_cast<std::size_t>(i)].尺寸[0] = static_cast<float>(i);
    }
    choose(MenuCommand::ColourBySize);
    EXPECT_EQ(memberLine(3).colour, 688319);
    EXPECT_EQ(memberLine(96).colour, 97 * 172016 + 255);
    EXPECT_EQ(memberLine(97).colour, (98 * 172016 + 255) % (1 << 24));
    for (int i = 1; i <= 100; ++i) {
        EXPECT_GE(memberLine(i).colour, 0) << i;
        EXPECT_NE(memberLine(i).colour, 255) << i;
    }
}

TEST_F(Members, ARightPressFreezesTheQueriedMemberForTheDialog) {
    drawFrame({{2, 2, 6, 2}, {6, 2, 6, 6}});
    choose(MenuCommand::MemberQuery);
    Form3& dialog = form.form3();
    EXPECT_TRUE(dialog.isVisible());
    hoverAt(6, 4);
    EXPECT_EQ(dialog.Text1[1]->text(), QStringLiteral(".25"));
    // Without a pick, edits in the dialog write nothing.
    dialog.Text1[1]->setText(QStringLiteral("0.3"));
    QTest::keyClick(dialog.Text1[1], Qt::Key_0);
    EXPECT_EQ(member(2).尺寸[0], 0.25f);

    press(6, 4, Qt::RightButton);
    EXPECT_TRUE(document.memberPicked);
    hoverAt(4, 2);  // over member 1: the pick holds
    EXPECT_EQ(document.hoveredMember, 0);
    EXPECT_EQ(colours(), (std::vector<ColourValue>{kBlack, 255}));
    dialog.Text1[1]->setText(QStringLiteral("0.3"));
    QTest::keyClick(dialog.Text1[1], Qt::Key_5);
    EXPECT_EQ(member(2).尺寸[0], 0.35f);
    EXPECT_EQ(member(1).尺寸[0], 0.25f);

    keyUp(Qt::Key_Escape);  // releases the pick, the query goes on
    EXPECT_FALSE(document.memberPicked);
    EXPECT_TRUE(document.mode == EditorMode::MemberQuery);
    EXPECT_EQ(colours(), (std::vector<ColourValue>{kBlack, kBlack}));
    keyUp(Qt::Key_Escape);
    EXPECT_FALSE(document.mode == EditorMode::MemberQuery);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(menuEnabled(MenuId::Members));
}

TEST_F(Members, ChoosingAShapeGivesThePickedMemberItsDefaults) {
    drawFrame({{2, 2, 6, 2}, {6, 2, 6, 6}});
    choose(MenuCommand::MemberQuery);
    hoverAt(4, 2);
    chooseSection("T形");  // nothing picked: nothing written
    EXPECT_EQ(member(1).断面, "矩形");
    hoverAt(4, 2);
    press(4, 2, Qt::RightButton);
    chooseSection("T形");
    EXPECT_EQ(member(1).断面, "T形");
    EXPECT_EQ(member(1).尺寸, (std::vector<float>{0.2f, 0.4f, 0.15f, 0.6f, 0}));
    EXPECT_EQ(member(2).断面, "矩形");
    // Picked, but the mark is gone (Esc of an earlier step reset the
    // colours): the dialog writes nowhere.
    keyUp(Qt::Key_Escape);
    press(9, 9, Qt::RightButton);  // over no member
    ASSERT_TRUE(document.memberPicked);
    chooseSection("矩形");
    EXPECT_EQ(member(1).断面, "T形");
    EXPECT_EQ(member(2).断面, "矩形");
}

TEST_F(Members, AModeCommandEndsTheModeBeforeIt) {
    drawFrame({{2, 2, 6, 2}});
    choose(MenuCommand::MemberQuery);
    document.memberPicked = true;
    choose(MenuCommand::MemberDelete);
    EXPECT_FALSE(document.mode == EditorMode::MemberQuery);
    EXPECT_FALSE(document.memberPicked);
    EXPECT_TRUE(document.mode == EditorMode::MemberDeletion);
    choose(MenuCommand::ColourByMaterial);
    EXPECT_FALSE(document.mode == EditorMode::MemberDeletion);
    EXPECT_FALSE(form.editorState().hoverEnabled);
}

TEST_F(Members, ASupportCommandEndsMemberQueryAndOpensTheMenus) {
    drawFrame({{2, 2, 6, 2}});
    choose(MenuCommand::MemberQuery);
    ASSERT_FALSE(menuEnabled(MenuId::File));
    choose(MenuCommand::Pinned);
    EXPECT_FALSE(document.mode == EditorMode::MemberQuery);
    EXPECT_TRUE(document.mode == EditorMode::Pinned);
    EXPECT_FALSE(form.form3().isVisible());
    EXPECT_TRUE(menuEnabled(MenuId::File));
    EXPECT_TRUE(menuEnabled(MenuId::Members));
}

// A window of its own for each row of the key table.
class KeyTableWindow : public Members {
public:
    void TestBody() override {}
    using EditorTest::document;
    using EditorTest::drawFrame;
    using EditorTest::form;
    using EditorTest::hoverAt;
    using EditorTest::SetUp;
    using Members::choose;
    using Members::click;
    using Members::keyUp;
    using Members::startInput;
};

// Each row: a state to start from, a key, and what must hold after it.
struct KeyRow {
    const char* name;
    std::function<void(KeyTableWindow&)> setUp;
    Qt::Key key;
    std::function<void(KeyTableWindow&)> check;
};

void oneMember(KeyTableWindow& w) {
    w.drawFrame({{2, 2, 6, 2}});
}

TEST(KeyTable, EveryRowInItsPrecedence) {
    const std::vector<KeyRow> rows = {
        {"Space flips the direction in member query",
         [](KeyTableWindow& w) {
             oneMember(w);
             w.choose(MenuCommand::MemberQuery);
         },
         Qt::Key_Space,
         [](KeyTableWindow& w) {
             EXPECT_TRUE(w.document.supportDirection);
             EXPECT_TRUE(w.document.mode == EditorMode::MemberQuery);
         }},
        {"F3 switches the crosshair while drawing",
         [](KeyTableWindow& w) {
             w.startInput(QStringLiteral("1"));
             w.click(2, 2);
         },
         Qt::Key_F3,
         [](KeyTableWindow& w) {
             EXPECT_FALSE(w.document.crosshairOn);
             EXPECT_TRUE(w.form.editorState().memberInProgress);
         }},
        {"F8 while waiting for a first point does nothing",
         [](KeyTableWindow& w) { w.startInput(QStringLiteral("1")); }, Qt::Key_F8,
         [](KeyTableWindow& w) {
             EXPECT_FALSE(w.form.editorState().orthoMode);
             EXPECT_TRUE(w.document.mode == EditorMode::MemberInput);
         }},
        {"Esc releases a pick before it ends the mode",
         [](KeyTableWindow& w) {
             oneMember(w);
             w.choose(MenuCommand::MemberQuery);
             w.hoverAt(4, 2);
             w.document.memberPicked = true;
         },
         Qt::Key_Escape,
         [](KeyTableWindow& w) {
             EXPECT_FALSE(w.document.memberPicked);
             EXPECT_TRUE(w.document.mode == EditorMode::MemberQuery);
         }},
        {"Esc ends deletion",
         [](KeyTableWindow& w) {
             oneMember(w);
             w.choose(MenuCommand::MemberDelete);
         },
         Qt::Key_Escape,
         [](KeyTableWindow& w) {
             EXPECT_FALSE(w.document.mode == EditorMode::MemberDeletion);
             EXPECT_FALSE(w.form.editorState().hoverEnabled);
         }},
        {"Esc cancels the member being drawn",
         [](KeyTableWindow& w) {
             w.startInput(QStringLiteral("2"));
             w.click(2, 2);
         },
         Qt::Key_Escape,
         [](KeyTableWindow& w) {
             EXPECT_EQ(w.document.membersEntered, 0);
             EXPECT_TRUE(w.document.mode == EditorMode::MemberInput);
         }},
        {"Esc leaves member input waiting for a point",
         [](KeyTableWindow& w) { w.startInput(QStringLiteral("2")); }, Qt::Key_Escape,
         [](KeyTableWindow& w) { EXPECT_FALSE(w.document.mode == EditorMode::MemberInput); }},
        {"Del in deletion deletes the member under the mouse",
         [](KeyTableWindow& w) {
             oneMember(w);
             w.choose(MenuCommand::MemberDelete);
             w.hoverAt(4, 2);
         },
         Qt::Key_Delete, [](KeyTableWindow& w) { EXPECT_EQ(w.document.membersEntered, 0); }},
        {"Esc ends a support placement",
         [](KeyTableWindow& w) {
             oneMember(w);
             w.choose(MenuCommand::Pinned);
         },
         Qt::Key_Escape,
         [](KeyTableWindow& w) { EXPECT_FALSE(w.document.mode == EditorMode::Pinned); }},
        {"Esc ending a mode leaves no member marked or hovered",
         [](KeyTableWindow& w) {
             oneMember(w);
             w.choose(MenuCommand::MemberQuery);
             w.hoverAt(4, 2);
             ASSERT_EQ(w.form.canvasModel().line(kMemberLines, 1).colour, 255);
         },
         Qt::Key_Escape,
         [](KeyTableWindow& w) {
             EXPECT_EQ(w.form.canvasModel().line(kMemberLines, 1).colour, kBlack);
             EXPECT_EQ(w.document.hoveredMember, 0);
             EXPECT_FALSE(w.form.canvasModel().line(kMemberLines, 0).visible);
             EXPECT_EQ(w.form.hintLabel()->text(), QStringLiteral("提示:"));
         }},
    };
    for (const KeyRow& row : rows) {
        SCOPED_TRACE(row.name);
        KeyTableWindow window;
        window.SetUp();
        row.setUp(window);
        window.keyUp(row.key);
        row.check(window);
    }
}

}  // namespace
