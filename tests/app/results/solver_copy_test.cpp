// The copy of the document into the solver.
#include <gtest/gtest.h>

#include <limits>

#include "example_frames.h"
#include "results/solver_copy.h"

namespace orv::testing {
namespace {

TEST(SolverCopy, RefusesWhileMembersAreStillToBeDrawn) {
    Document document = exampleProject("portal.tsd");
    document.membersEntered = 2;
    内力_位移 solver;
    std::vector<orv::Diagnostic> messages;
    EXPECT_FALSE(gj2计算gj(document, solver, [&messages](const orv::Diagnostic& message) {
        messages.push_back(message);
    }));
    EXPECT_EQ(
        messages,
        (std::vector<orv::Diagnostic>{{"杆件画完,荷载输完后再计算!", orv::MessageIcon::None, ""}}));
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
    document.members[2].左端转动刚度 = 0.0f;
    document.members[2].右端转动刚度 = 2500.0f;

    内力_位移 solver;
    ASSERT_TRUE(gj2计算gj(document, solver, [](const orv::Diagnostic&) {}));
    EXPECT_EQ(solver.杆件总数, document.memberTotal);
    EXPECT_EQ(solver.节点总数, document.nodeCount);
    EXPECT_EQ(solver.零位移, document.supportKinds);
    EXPECT_EQ(solver.左端坐标[1], "0,0");
    EXPECT_EQ(solver.右端坐标[1], "0,-3.6");
    EXPECT_EQ(solver.弹性模量[1], 30000.0f);
    EXPECT_EQ(solver.截面积[1], column.a());
    EXPECT_EQ(solver.惯性矩[1], column.i());
    EXPECT_EQ(solver.荷载数[1], 3);
    EXPECT_EQ(solver.左端转动刚度[2], 0.0f);
    EXPECT_EQ(solver.右端转动刚度[2], 2500.0f);
    EXPECT_EQ(solver.左端转动刚度[1], std::numeric_limits<float>::infinity());  // rigid

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

}  // namespace
}  // namespace orv::testing
