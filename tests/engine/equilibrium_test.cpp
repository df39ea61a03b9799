// Generated frames in equilibrium: at every free freedom of every node the
// end forces of the members meeting there, turned into global axes, cancel
// (the frame carries member loads only, so no load acts on a node).
#include <gtest/gtest.h>

#include <cmath>

#include "model/supports.h"
#include "run_support.h"
#include "solver/frame_input.h"
#include "solver/member_matrices.h"

namespace orv::testing {
namespace {

void expectFreeNodesInEquilibrium(内力_位移& solver) {
    ScratchFolder folder;
    MessageLog log(solver);
    ASSERT_TRUE(solver.korvasta(folder.path("frame.tsd").string()));
    ASSERT_TRUE(log.messages.empty());

    const std::size_t freedoms = 3 * static_cast<std::size_t>(solver.节点总数);
    std::vector<double> sum(freedoms + 1, 0.0);
    double largest = 0;
    for (int i = 1; i <= solver.杆件总数; ++i) {
        const Matrix6 t = transformation(memberAxisOf(solver, i));
        const auto member = static_cast<std::size_t>(i);
        const long ends[2] = {solver.左节点号[member], solver.右节点号[member]};
        for (std::size_t e = 0; e < 6; ++e) {
            double global = 0;  // (T^T f)(e)
            for (std::size_t d = 0; d < 6; ++d) {
                global += t[d][e] * solver.a(d + 1, member);
            }
            const auto g = static_cast<std::size_t>(firstFreedomOfNode(ends[e / 3])) + e % 3;
            sum[g] += global;
            largest = std::max(largest, std::fabs(global));
        }
    }
    ASSERT_GT(largest, 0);
    for (int node = 1; node <= solver.节点总数; ++node) {
        const auto restrained = restrainedFreedoms(solver.零位移[static_cast<std::size_t>(node)]);
        for (std::size_t d = 0; d < 3; ++d) {
            if (!restrained[d]) {
                const auto g = static_cast<std::size_t>(firstFreedomOfNode(node)) + d;
                EXPECT_LE(std::fabs(sum[g]), 1e-9 * largest) << "node " << node << " freedom " << d;
            }
        }
    }
}

TEST(Equilibrium, BuildingFramesBalanceAtEveryFreeNode) {
    for (const auto& [storeys, bays] : {std::pair{1, 1}, {3, 2}, {10, 5}, {20, 10}}) {
        SCOPED_TRACE(std::to_string(storeys) + " x " + std::to_string(bays));
        内力_位移 solver = buildingFrame(storeys, bays);
        expectFreeNodesInEquilibrium(solver);
    }
}

TEST(Equilibrium, RandomFramesWithEveryLoadKindBalanceAtEveryFreeNode) {
    for (const auto& [members, seed] : {std::pair{5, 1u}, {40, 2u}, {300, 3u}, {1500, 4u}}) {
        SCOPED_TRACE(members);
        内力_位移 solver = randomFrame(members, seed);
        expectFreeNodesInEquilibrium(solver);
    }
}

}  // namespace
}  // namespace orv::testing
