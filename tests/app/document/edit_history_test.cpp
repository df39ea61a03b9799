// The undo history on its own: every part of the model comes back on undo
// and redo, steps merge and drop as the editor needs, and a long history
// of a large frame keeps to its budget.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "document/edit_history.h"

namespace {

// Two members with a load and a fixed end: something of every kind of
// field to change.
Model smallFrame() {
    Model model;
    model.memberTotal = 2;
    model.membersEntered = 2;
    model.nodeCount = 3;
    model.members.resize(3);
    model.members[1].x2 = 3;
    model.members[1].左号 = 1;
    model.members[1].右号 = 2;
    model.members[2].x1 = 3;
    model.members[2].x2 = 6;
    model.members[2].左号 = 2;
    model.members[2].右号 = 3;
    model.members[2].荷载数 = 1;
    model.members[2].hzlx[1] = "均布荷载";
    model.members[2].q[1] = 20;
    model.nodes.resize(4);
    model.supportKinds.assign(4, 7);
    model.supportKinds[1] = 0;
    model.supportsPlaced = 1;
    model.fixedSymbolCount = 1;
    return model;
}

struct Change {
    const char* what;
    std::function<void(Model&)> make;
};

// One change of each part of the model.
const std::vector<Change>& changes() {
    static const std::vector<Change> table = {
        {"a member's end", [](Model& m) { m.members[1].y2 = -1; }},
        {"a member's section", [](Model& m) { m.members[1].尺寸[0] = 0.4f; }},
        {"a load", [](Model& m) { m.members[2].q[1] = 25; }},
        {"node numbers only", [](Model& m) { std::swap(m.members[1].左号, m.members[1].右号); }},
        {"a node", [](Model& m) { m.nodes[2].支座方向 = true; }},
        {"a support", [](Model& m) { m.supportKinds[3] = 1; }},
        {"a symbol counter", [](Model& m) { m.pinnedSymbolCount = 1; }},
        {"the member total", [](Model& m) { m.memberTotal = 5, m.members.resize(6); }},
        {"the diagram scale", [](Model& m) { m.diagramScale = 0.5f; }},
        {"the background colour", [](Model& m) { m.backColour = 0x123456; }},
        {"the crosshair colour", [](Model& m) { m.crosshairColour = 0x654321; }},
    };
    return table;
}

TEST(EditHistory, EveryPartOfTheModelComesBackOnUndoAndRedo) {
    for (const Change& change : changes()) {
        SCOPED_TRACE(change.what);
        const Model before = smallFrame();
        Model model = before;
        EditHistory history;
        history.restart(model, 2);
        history.markSaved(model, 2);
        change.make(model);
        const Model after = model;

        EXPECT_FALSE(history.isSaved(model, 2));
        ASSERT_TRUE(history.record(model, 2, "step", EditorMode::None));
        EXPECT_FALSE(history.record(model, 2, "again", EditorMode::None)) << "nothing changed";
        ASSERT_TRUE(history.undo(model));
        EXPECT_EQ(model, before);
        EXPECT_TRUE(history.isSaved(model, 2));
        ASSERT_TRUE(history.redo(model));
        EXPECT_EQ(model, after);
        EXPECT_FALSE(history.redo(model));
    }
}

TEST(EditHistory, StepsMergeDropAndKeepToTheirMode) {
    Model model = smallFrame();
    EditHistory history;
    history.restart(model, 2);

    // Two changes under one key are one step; coming back to where the
    // step started removes it.
    model.members[2].q[1] = 30;
    EXPECT_TRUE(history.record(model, 2, "荷载", EditorMode::LoadQuery, 7));
    model.members[2].q[1] = 40;
    EXPECT_TRUE(history.record(model, 2, "荷载", EditorMode::LoadQuery, 7));
    EXPECT_EQ(history.stepCount(), 1u);
    model.members[2].q[1] = 20;
    EXPECT_TRUE(history.record(model, 2, "荷载", EditorMode::LoadQuery, 7));
    EXPECT_EQ(history.stepCount(), 0u);

    // A step of a mode is undone in that mode or with none, not in another.
    model.members[1].尺寸[1] = 0.6f;
    history.record(model, 2, "杆件查询修改", EditorMode::MemberQuery);
    EXPECT_TRUE(history.canUndo(EditorMode::MemberQuery));
    EXPECT_TRUE(history.canUndo(EditorMode::None));
    EXPECT_FALSE(history.canUndo(EditorMode::LoadInput));
    EXPECT_EQ(history.undoName(), "杆件查询修改");

    // After an undo, the key merges no more, and a new step drops the redo.
    history.undo(model);
    model.diagramScale = 1;
    history.record(model, 2, "比例", EditorMode::None, 7);
    EXPECT_EQ(history.stepCount(), 1u);
    EXPECT_FALSE(history.canRedo(EditorMode::None));
    EXPECT_EQ(history.undoName(), "比例");
}

TEST(EditHistory, TheMemberBeingDrawnIsNoPartOfAState) {
    Model model = smallFrame();
    model.memberTotal = 3;
    model.members.resize(4);
    EditHistory history;
    history.restart(model, 2);
    // The third member has its first point: no step yet.
    model.membersEntered = 3;
    model.members[3].x1 = 6;
    EXPECT_FALSE(history.record(model, 2, "输入杆件", EditorMode::MemberInput));
    EXPECT_EQ(EditHistory::recordedMembers(model, true), 2);
}

TEST(EditHistory, ALongHistoryOfALargeFrameKeepsToItsBudget) {
    // 30,000 member slots: two million entries hold 66 states of them.
    Model model;
    model.memberTotal = 30'000;
    model.members.resize(30'001);
    EditHistory history;
    history.restart(model, 0);
    for (int step = 1; step <= 100; ++step) {
        model.diagramScale = static_cast<float>(step);
        history.record(model, 0, "比例", EditorMode::None);
    }
    EXPECT_LE(history.stepCount(), 66u);
    EXPECT_GE(history.stepCount(), 60u);
    ASSERT_TRUE(history.undo(model));
    EXPECT_EQ(model.diagramScale, 99.0f);

    // Small states: at most a thousand steps.
    Model small = smallFrame();
    EditHistory many;
    many.restart(small, 2);
    for (int step = 1; step <= 1200; ++step) {
        small.diagramScale = static_cast<float>(step);
        many.record(small, 2, "比例", EditorMode::None);
    }
    EXPECT_EQ(many.stepCount(), 1000u);
}

}  // namespace
