// The sparse factorization against the plain dense elimination in long
// double: the same displacements to 1e-9 of the largest and the same
// printed end forces on building and random frames, and the same verdict
// on small singular, tiny and indefinite systems; each both column by
// column and, as large frames are, in blocks first.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "dense_reference.h"
#include "frame_generator.h"
#include "model/supports.h"
#include "solver/analysis.h"
#include "solver/symmetric_factorization.h"
#include "text/number_text.h"

namespace orv {
namespace {

// Where the factorization is tried in blocks first: from the size large
// frames are, or always.
constexpr int kBlocksFrom[] = {kSupernodalFromFreedoms, 0};

void expectSameAsDense(const 内力_位移& solver, int blocksFrom) {
    const FrameInput frame = readFrame(solver);
    LinearSystem system = assemble(frame);
    applySupports(frame, system);
    const Factored factored = factorAndSolve(system.stiffness, system.loads, blocksFrom);
    const Solution sparse{factored.x, factored.zeroPivotAt};
    const auto dense = testing::denseSolve(system.stiffness, system.loads);
    ASSERT_FALSE(sparse.zeroPivotAt);
    ASSERT_TRUE(dense);
    long double largest = 0;
    for (const long double value : *dense) {
        largest = std::max(largest, std::fabs(value));
    }
    std::vector<double> reference(dense->size());
    for (std::size_t g = 0; g < reference.size(); ++g) {
        reference[g] = static_cast<double>((*dense)[g]);
        ASSERT_LE(std::fabs(sparse.displacements[g] - (*dense)[g]), 1e-9L * largest) << g;
    }
    for (const MemberInput& member : frame.members) {
        const Vector6 forces = memberEndState(member, sparse.displacements).forces;
        const Vector6 expected = memberEndState(member, reference).forces;
        for (std::size_t r = 0; r < 6; ++r) {
            ASSERT_EQ(formatFixed(forces[r], 4), formatFixed(expected[r], 4))
                << "member " << member.number << " force " << r;
        }
    }
}

TEST(SymmetricFactorization, BuildingFramesMatchDenseElimination) {
    for (const auto& [storeys, bays] : {std::pair{1, 1}, {3, 2}, {10, 5}, {20, 10}}) {
        for (const int blocksFrom : kBlocksFrom) {
            SCOPED_TRACE(std::to_string(storeys) + " x " + std::to_string(bays) + " blocks from " +
                         std::to_string(blocksFrom));
            expectSameAsDense(testing::buildingFrame(storeys, bays), blocksFrom);
        }
    }
}

TEST(SymmetricFactorization, RandomFramesMatchDenseElimination) {
    for (const auto& [members, seed] : {std::pair{12, 1u}, {60, 2u}, {300, 3u}, {1000, 4u}}) {
        for (const int blocksFrom : kBlocksFrom) {
            SCOPED_TRACE(std::to_string(members) + " blocks from " + std::to_string(blocksFrom));
            expectSameAsDense(testing::randomFrame(members, seed), blocksFrom);
        }
    }
}

StiffnessMatrix lowerOf(int n, const std::vector<Eigen::Triplet<double, int>>& entries) {
    StiffnessMatrix m(n, n);
    m.setFromTriplets(entries.begin(), entries.end());
    return m;
}

TEST(SymmetricFactorization, ZeroPivotsAreFoundAtTheirFreedom) {
    for (const int blocksFrom : kBlocksFrom) {
        SCOPED_TRACE(blocksFrom);
        // A freedom nothing holds, stored as an explicit zero.
        EXPECT_EQ(
            factorAndSolve(lowerOf(2, {{0, 0, 1}, {1, 1, 0}}), {1, 1}, blocksFrom).zeroPivotAt, 1);
        // Rank one: the second pivot is round-off of the first.
        EXPECT_EQ(
            factorAndSolve(lowerOf(2, {{0, 0, 0.1}, {1, 0, 0.3}, {1, 1, 0.9}}), {1, 1}, blocksFrom)
                .zeroPivotAt,
            1);
    }
}

TEST(SymmetricFactorization, AFrameWithoutSupportsIsNamedAtTheSameFreedomInBlocks) {
    // The whole frame moves as a rigid body: its last pivots are round-off,
    // which the blocks leave to the column-by-column factorization to name.
    内力_位移 solver = testing::buildingFrame(20, 10);
    std::fill(solver.零位移.begin(), solver.零位移.end(), kNoSupport);
    const FrameInput frame = readFrame(solver);
    LinearSystem system = assemble(frame);
    applySupports(frame, system);
    const auto columnByColumn = factorAndSolve(system.stiffness, system.loads).zeroPivotAt;
    ASSERT_TRUE(columnByColumn);
    EXPECT_EQ(factorAndSolve(system.stiffness, system.loads, 0).zeroPivotAt, columnByColumn);
}

TEST(SymmetricFactorization, SmallAndIndefinitePivotsAreNotZero) {
    for (const int blocksFrom : kBlocksFrom) {
        SCOPED_TRACE(blocksFrom);
        // The rule is relative to the freedom's own diagonal: a soft freedom
        // beside a stiff one solves.
        const Factored soft =
            factorAndSolve(lowerOf(2, {{0, 0, 1e9}, {1, 1, 1e-9}}), {1, 1}, blocksFrom);
        ASSERT_FALSE(soft.zeroPivotAt);
        EXPECT_DOUBLE_EQ(soft.x[1], 1e9);
        // A negative pivot (a member of negative modulus) is not a zero one.
        const Factored indefinite =
            factorAndSolve(lowerOf(2, {{0, 0, -2}, {1, 0, 1}, {1, 1, 3}}), {1, 0}, blocksFrom);
        ASSERT_FALSE(indefinite.zeroPivotAt);
        EXPECT_DOUBLE_EQ(indefinite.x[0], -3.0 / 7);
        EXPECT_DOUBLE_EQ(indefinite.x[1], 1.0 / 7);
    }
}

}  // namespace
}  // namespace orv
