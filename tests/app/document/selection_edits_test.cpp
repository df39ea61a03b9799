// Selection by box and click, and the operations on a selection, on the
// model's member records.
#include <gtest/gtest.h>

#include <array>

#include "document/selection_edits.h"
#include "document_frames.h"
#include "model/load_kinds.h"

namespace orv::testing {
namespace {

Model frameOf(const std::vector<std::array<float, 4>>& ends) {
    return drawnMembers(ends, "C30");
}

// Column 1 from (0, 0) up to (0, -4), beam 2 to (6, -4), column 3 down.
Model portal() {
    return frameOf({{0, 0, 0, -4}, {0, -4, 6, -4}, {6, 0, 6, -4}});
}

std::array<float, 4> endsOf(const Model& model, int i) {
    const gj& m = model.members[static_cast<std::size_t>(i)];
    return {m.x1, m.y1, m.x2, m.y2};
}

TEST(MemberSelection, BoxesTakeWhatTheyHoldOrTouchAndClicksTheNearest) {
    const Model frame = portal();
    struct Case {
        SelectionBox box;
        bool touching;
        MemberNumbers expected;
    };
    const std::vector<Case> cases{
        {{-1, 1, 1, -5}, false, {1}},    // the left column only lies wholly inside
        {{-1, 1, 3, -5}, true, {1, 2}},  // touching: the beam too
        {{2, -3, 4, -5}, true, {2}},     // crossing the beam, no end inside
        {{2, -3, 4, -5}, false, {}},    {{7, 1, -1, -5}, false, {1, 2, 3}},  // corners in any order
    };
    for (const Case& c : cases) {
        EXPECT_EQ(membersInBox(frame, c.box, c.touching), c.expected);
    }
    EXPECT_EQ(memberNearest(frame, 3, -3.9f, 0.2f), 2);
    EXPECT_EQ(memberNearest(frame, 3, -3.0f, 0.2f), 0);
    EXPECT_EQ(toggled({1, 3}, {3, 4}), (MemberNumbers{1, 4}));
}

TEST(MemberSelection, FollowsDeletionsAndMembersThatWent) {
    struct Case {
        MemberNumbers before;
        std::int16_t deleted;
        std::int16_t last;
        MemberNumbers after;
    };
    const std::vector<Case> cases{
        {{2, 5}, 2, 5, {2}},     // the last, selected, takes number 2
        {{1, 3}, 2, 5, {1, 3}},  // neither selected: unchanged
        {{1, 2}, 2, 5, {1}},     // the deleted one goes
        {{5}, 5, 5, {}},         // the last deleted itself
        {{1, 5}, 3, 5, {1, 3}},
    };
    for (Case c : cases) {
        forgetDeletedMember(c.before, c.deleted, c.last);
        EXPECT_EQ(c.before, c.after);
    }
    MemberNumbers selection{1, 4, 9};
    dropMembersBeyond(selection, 4);
    EXPECT_EQ(selection, (MemberNumbers{1, 4}));
}

gj beamWithLoads() {
    gj beam = frameOf({{0, 0, 6, 0}}).members[1];
    beam.荷载数 = 3;
    beam.hzlx[1] = "集中";
    beam.xq[1] = 1;
    beam.q[1] = 10;
    beam.hzlx[2] = "力偶";
    beam.xq[2] = 2;
    beam.q[2] = 5;
    beam.hzlx[3] = "水平集中";
    beam.xq[3] = 3;
    beam.q[3] = 7;
    beam.左端转动刚度 = 0.0f;
    beam.温度改变1 = 10;
    return beam;
}

TEST(MemberMap, MirrorImagesCarryTheirLoadsAndStayInDrawingOrder) {
    // About x = 10 the beam runs from 14 to 20 and is turned end for end:
    // a force across keeps its direction on the screen, a couple turns the
    // other way, an axial force towards the old first end now points away
    // from the new one.
    const std::optional<gj> image =
        mapped(beamWithLoads(), {PlaneMap::Mirror::AboutVertical, 10, 0, 0});
    ASSERT_TRUE(image);
    EXPECT_EQ((std::array{image->x1, image->x2}), (std::array{14.0f, 20.0f}));
    EXPECT_EQ((std::array{image->xq[1], image->xq[2], image->xq[3]}),
              (std::array{5.0f, 4.0f, 3.0f}));
    EXPECT_EQ((std::array{image->q[1], image->q[2], image->q[3]}),
              (std::array{10.0f, -5.0f, -7.0f}));
    EXPECT_FALSE(image->左端转动刚度);
    EXPECT_EQ(image->右端转动刚度, 0.0f);
    EXPECT_EQ(image->温度改变1, 10);  // mirrored and turned: the same face

    // A shift keeps everything but the ends.
    const std::optional<gj> shifted = mapped(beamWithLoads(), {PlaneMap::Mirror::None, 0, 1, 2});
    ASSERT_TRUE(shifted);
    gj expected = beamWithLoads();
    expected.x1 = 1;
    expected.x2 = 7;
    expected.y1 = expected.y2 = 2;
    EXPECT_EQ(*shifted, expected);

    // A distributed load over part of the member cannot follow a turn.
    gj partial = beamWithLoads();
    partial.hzlx[1] = "均布";
    partial.xq[1] = 2;
    EXPECT_FALSE(mapped(partial, {PlaneMap::Mirror::AboutVertical, 0, 0, 0}));
    partial.xq[1] = 6;  // over the whole member it can
    EXPECT_TRUE(mapped(partial, {PlaneMap::Mirror::AboutVertical, 0, 0, 0}));
}

TEST(SelectionEdits, CopiesJoinExistingEndsAndDuplicatesAreRefused) {
    // An array of the portal's beam and right column two bays on: the new
    // members start at the old right column's top.
    Model frame = portal();
    EXPECT_TRUE(addMappedCopies(frame, {2, 3}, arrayMaps(2, 6, 0)).done());
    EXPECT_EQ(frame.membersEntered, 7);
    EXPECT_EQ(frame.memberTotal, 7);
    EXPECT_EQ(endsOf(frame, 4), (std::array{6.0f, -4.0f, 12.0f, -4.0f}));
    EXPECT_EQ(endsOf(frame, 7), (std::array{18.0f, 0.0f, 18.0f, -4.0f}));
    EXPECT_EQ(frame.members[7].材料, "C30");

    // A copy onto itself names the members it would repeat; nothing changes.
    const Model before = frame;
    const SelectionEdit refused =
        addMappedCopies(frame, {1, 3}, {{PlaneMap::Mirror::None, 0, 6, 0}});
    EXPECT_EQ(refused.refusal, "新杆件将与已有杆件重合: 3号, 5号杆件。操作未执行");
    EXPECT_EQ(frame, before);

    // A mirror leaves out members that are their own image.
    Model half = frameOf({{0, 0, 0, -4}, {0, -4, 6, -4}, {6, 0, 6, -4}});
    EXPECT_TRUE(
        addMappedCopies(half, {1, 2, 3}, {{PlaneMap::Mirror::AboutVertical, 6, 0, 0}}).done());
    EXPECT_EQ(half.membersEntered, 5);
    EXPECT_EQ(endsOf(half, 4), (std::array{12.0f, 0.0f, 12.0f, -4.0f}));
    EXPECT_EQ(endsOf(half, 5), (std::array{6.0f, -4.0f, 12.0f, -4.0f}));

    // A rounding away from an existing end joins it.
    Model offGrid = frameOf({{0, 0, 0.1f, 0}, {0.3f, 0, 0.4f, 0}});
    EXPECT_TRUE(addMappedCopies(offGrid, {1}, {{PlaneMap::Mirror::None, 0, 0.20005, 0}}).done());
    EXPECT_EQ(offGrid.members[3].x2, 0.3f);
}

TEST(SelectionEdits, MovesStretchNeighboursAndCarrySupports) {
    // The beam moved up one metre: both columns stretch to follow, the
    // supports at their feet stay, a support at a moved node moves.
    Model frame = portal();
    std::vector<SupportAtPoint> supports{{0, 0, 0, {}, {}}, {0, -4, 1, {}, {}}};
    EXPECT_TRUE(moveMembers(frame, {2}, 0, -1, supports).done());
    EXPECT_EQ(endsOf(frame, 1), (std::array{0.0f, 0.0f, 0.0f, -5.0f}));
    EXPECT_EQ(endsOf(frame, 2), (std::array{0.0f, -5.0f, 6.0f, -5.0f}));
    EXPECT_EQ(endsOf(frame, 3), (std::array{6.0f, 0.0f, 6.0f, -5.0f}));
    EXPECT_EQ((std::array{supports[0].y, supports[1].y}), (std::array{0.0f, -5.0f}));

    // Moving the beam down onto the feet would shrink the columns to nothing.
    const Model before = frame;
    std::vector<SupportAtPoint> none;
    EXPECT_EQ(moveMembers(frame, {2}, 0, 5, none).refusal, "移动后1号杆件长度为零。操作未执行");
    EXPECT_EQ(frame, before);
}

TEST(SelectionEdits, DeletionMovesTheLastMembersIntoTheGaps) {
    Model frame = frameOf({{0, 0, 1, 0}, {1, 0, 2, 0}, {2, 0, 3, 0}, {3, 0, 4, 0}, {4, 0, 5, 0}});
    deleteMembers(frame, {1, 4});
    EXPECT_EQ(frame.membersEntered, 3);
    EXPECT_EQ(frame.memberTotal, 3);
    EXPECT_EQ(frame.members.size(), 4u);
    EXPECT_EQ(frame.members[1].x1, 4);  // 5 into 4's place, then the last into 1's
    EXPECT_EQ(frame.members[2].x1, 1);
    EXPECT_EQ(frame.members[3].x1, 2);
}

}  // namespace
}  // namespace orv::testing
