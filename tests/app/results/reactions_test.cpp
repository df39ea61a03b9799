// Support reactions: the components each support kind provides, their
// values against statics, and the whole frame's balance. kN, kN*m, m.
#include "results/reactions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "model/supports.h"
#include "solved_results.h"

namespace orv::testing {
namespace {

// An inclined member (3, 4) long 5, pinned at its first end and held along
// X at its second, with 10 kN across it at mid-length: moments about the
// pin give the link 2.5 * 10 / 4.
TEST(Reactions, EachSupportGivesTheComponentsItRestrainsInGlobalAxes) {
    FrameBuilder builder({{0, 0}, {3, 4}});
    builder.addMember(1, 2, kConcreteBeam);
    builder.addLoad(1, {1, 2.5f, 10});
    builder.support(1, kPinned);
    builder.support(2, kHorizontalLink);
    内力_位移 solver = builder.build();
    const std::vector<SupportReaction> reactions = supportReactions(solve(solver));

    ASSERT_EQ(reactions.size(), 2u);
    const double link = 25.0 / 4;  // the load is (-8, 6) in global axes
    EXPECT_EQ(reactions[0].node, 1);
    EXPECT_NEAR(reactions[0].components[0].value(), 8 - link, 1e-9);
    EXPECT_NEAR(reactions[0].components[1].value(), -6, 1e-9);
    EXPECT_FALSE(reactions[0].components[2]);
    EXPECT_EQ(reactions[1].supportCode, kHorizontalLink);
    EXPECT_NEAR(reactions[1].components[0].value(), link, 1e-9);
    EXPECT_FALSE(reactions[1].components[1] || reactions[1].components[2]);
    EXPECT_FLOAT_EQ(reactions[1].at.x, 3);
}

void expectBalanced(const SolvedFrame& frame) {
    const std::vector<SupportReaction> reactions = supportReactions(frame);
    double force = 0;  // the size of the sums, for their round-off
    double extent = 1;
    for (const SupportReaction& r : reactions) {
        for (const auto& c : r.components) {
            force += std::fabs(c.value_or(0));
        }
        extent = std::max({extent, std::fabs(double{r.at.x}), std::fabs(double{r.at.y})});
    }
    ASSERT_GT(force, 0);
    const EquilibriumResidual residual = equilibriumResidual(frame, reactions);
    EXPECT_NEAR(residual.x, 0, 1e-10 * force);
    EXPECT_NEAR(residual.y, 0, 1e-10 * force);
    EXPECT_NEAR(residual.moment, 0, 1e-10 * force * extent);
}

TEST(Reactions, BalanceEveryLoadKindOnExamplesAndRandomFrames) {
    for (const char* example : {"portal.tsd", "two_storey.tsd", "propped_cantilever.tsd",
                                "continuous_beam.tsd", "triangle.tsd"}) {
        SCOPED_TRACE(example);
        内力_位移 solver = exampleSolver(example);
        expectBalanced(solve(solver));
    }
    for (const auto& [members, seed] : {std::pair{5, 1u}, {40, 2u}, {300, 3u}}) {
        SCOPED_TRACE(members);
        内力_位移 solver = randomFrame(members, seed);
        expectBalanced(solve(solver));
    }
}

}  // namespace
}  // namespace orv::testing
