// The copy of the document into the solver, and node numbering, which
// decides the node numbers the copy hands over.
#include <gtest/gtest.h>

#include "document/node_numbering.h"
#include "example_frames.h"
#include "results/solver_copy.h"

namespace orv::testing {
namespace {

TEST(SolverCopy, RefusesWhileMembersAreStillToBeDrawn) {
    Document document = exampleProject("portal.tsd");
    document.membersEntered = 2;
    内力_位移 solver;
    std::vector<std::string> messages;
    EXPECT_FALSE(gj2计算gj(document, solver,
                           [&messages](const std::string& text) { messages.push_back(text); }));
    EXPECT_EQ(messages, std::vector<std::string>{"杆件画完,荷载输完后再计算!"});
    EXPECT_EQ(solver.杆件总数, 0);
    EXPECT_TRUE(solver.左节点号.empty());
}

TEST(SolverCopy, CopiesMembersLoadsAndSupportsAsWholeArrays) {
    Document document = exampleProject("two_storey.tsd");
    gj& column = document.members[1];
    column.荷载数 = 3;
    column.hzlx[3] = "力偶";
    column.xq[3] = 1.5f;
    column.q[3] = -4;
    column.hzlx[9] = "三角";  // beyond the load count: copied all the same
    column.q[9] = 7;
    document.members[2].hzlx[1] = "均布";  // a member without loads copies nothing
    document.members[2].荷载数 = 0;
    column.hzlx[2] = "no such kind";

    内力_位移 solver;
    ASSERT_TRUE(gj2计算gj(document, solver, [](const std::string&) {}));
    EXPECT_EQ(solver.杆件总数, document.memberTotal);
    EXPECT_EQ(solver.节点总数, document.nodeCount);
    EXPECT_EQ(solver.零位移, document.supportKinds);
    EXPECT_EQ(solver.左端坐标[1], "0,0");
    EXPECT_EQ(solver.右端坐标[1], "0,-3.6");
    EXPECT_EQ(solver.弹性模量[1], 30000.0f);
    EXPECT_EQ(solver.截面积[1], column.a());
    EXPECT_EQ(solver.惯性矩[1], column.i());
    EXPECT_EQ(solver.荷载数[1], 3);

    EXPECT_EQ(solver.荷载种类(1, 1), 2);
    EXPECT_EQ(solver.荷载种类(2, 1), 0);
    EXPECT_EQ(solver.荷载种类(3, 1), 6);
    EXPECT_EQ(solver.xq(3, 1), 1.5f);
    EXPECT_EQ(solver.q(3, 1), -4.0f);
    EXPECT_EQ(solver.荷载种类(9, 1), 5);
    EXPECT_EQ(solver.q(9, 1), 7.0f);
    EXPECT_EQ(solver.荷载种类(4, 1), 0);
    EXPECT_EQ(solver.荷载种类(1, 2), 0);
    EXPECT_EQ(solver.荷载种类.rows(), 56u);
    EXPECT_EQ(solver.荷载种类.cols(), static_cast<std::size_t>(document.memberTotal) + 1);
}

Document drawn(const std::vector<std::array<float, 4>>& ends) {
    Document document;
    for (const auto& [x1, y1, x2, y2] : ends) {
        gj member;
        member.x1 = x1;
        member.y1 = y1;
        member.x2 = x2;
        member.y2 = y2;
        document.members.push_back(member);
    }
    document.memberTotal = document.membersEntered =
        static_cast<std::int16_t>(document.members.size() - 1);
    return document;
}

TEST(NodeNumbering, NodesAreNumberedInTheOrderTheirEndsAreMet) {
    // A portal drawn column, beam, column: the second column's top is the
    // beam's right end.
    Document portal = drawn({{0, 0, 0, -4}, {0, -4, 6, -4}, {6, 0, 6, -4}});
    portal.supportKinds = {7, 0};
    节点自动编号(portal);
    EXPECT_EQ(portal.nodeCount, 4);
    const std::vector<std::pair<int, int>> expected{{1, 2}, {2, 3}, {4, 3}};
    for (std::size_t i = 1; i <= 3; ++i) {
        const std::pair<int, int> numbers{portal.members[i].左号, portal.members[i].右号};
        EXPECT_EQ(numbers, expected[i - 1]);
    }
    EXPECT_EQ(portal.supportKinds, std::vector<std::int16_t>(5, 7));  // supports dropped
    EXPECT_EQ(portal.nodes.size(), 5u);

    // A closed triangle: the last member joins two numbered ends.
    Document triangle = drawn({{0, 0, 4, 0}, {0, 0, 2, -3}, {2, -3, 4, 0}});
    节点自动编号(triangle);
    EXPECT_EQ(triangle.nodeCount, 3);
    EXPECT_EQ(triangle.members[3].左号, 3);
    EXPECT_EQ(triangle.members[3].右号, 2);

    // Ends a hair apart are different nodes: there is no tolerance.
    Document apart = drawn({{0, 0, 1, 0}, {1.0000001f, 0, 2, 0}});
    节点自动编号(apart);
    EXPECT_EQ(apart.nodeCount, 4);
}

}  // namespace
}  // namespace orv::testing
