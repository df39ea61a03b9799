// Hinged and semi-rigid member ends against closed forms and against a
// reference that models each released end as a rotation of its own,
// joined to its node by a spring, solved by dense elimination.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "dense_reference.h"
#include "model/supports.h"
#include "run_support.h"
#include "solver/analysis.h"

namespace orv::testing {
namespace {

constexpr float kHinge = 0;

// Connects end 0 (first) or 1 (second) of member i with stiffness k (kN*m/rad).
void connect(内力_位移& solver, int member, int end, float k) {
    auto& connections = end == 0 ? solver.左端转动刚度 : solver.右端转动刚度;
    connections[static_cast<std::size_t>(member)] = k;
}

// A fixed-fixed beam of two members with a hinge at mid-span, uniformly
// loaded: two cantilevers that share no shear by symmetry.
内力_位移 beamWithMidspanHinge(int hingedMember) {
    FrameBuilder frame({{0, 0}, {3, 0}, {6, 0}});
    frame.addMember(1, 2, kConcreteBeam);
    frame.addMember(2, 3, kConcreteBeam);
    frame.addLoad(1, {2, 3, 10});
    frame.addLoad(2, {2, 3, 10});
    frame.support(1, kFixedEnd);
    frame.support(3, kFixedEnd);
    内力_位移 solver = frame.build();
    connect(solver, hingedMember, hingedMember == 1 ? 1 : 0, kHinge);
    return solver;
}

TEST(EndConnections, MidspanHingeGivesTheSameResultsWhicheverMemberCarriesIt) {
    内力_位移 onFirst = beamWithMidspanHinge(1);
    内力_位移 onSecond = beamWithMidspanHinge(2);
    solveQuietly(onFirst);
    solveQuietly(onSecond);
    for (std::size_t row = 0; row <= 6; ++row) {
        for (std::size_t col = 1; col <= 9; ++col) {
            if (row == 0 && col == 6) {
                continue;  // the node's rotation is that of its rigid end: the other member's
            }
            expectRelativelyNear(onFirst.a(row, col), onSecond.a(row, col));
        }
    }
    EXPECT_EQ(endForce(onFirst, 1, 6), 0.0);
    EXPECT_EQ(endForce(onSecond, 2, 3), 0.0);
    expectRelativelyNear(std::fabs(endForce(onFirst, 1, 3)), 10 * 3 * 3 / 2.0);
    // The hinge's two sides turn by the same amount in opposite senses.
    expectRelativelyNear(onFirst.右端转角[1], -onFirst.左端转角[2]);
    expectRelativelyNear(onFirst.a(0, 6), onFirst.左端转角[2]);
    expectRelativelyNear(onSecond.a(0, 6), onSecond.右端转角[1]);
}

// Pinned bases at (0, 0) and (L, 0), columns of height h up to the beam,
// whose two halves meet in the crown hinge; q on the whole beam.
内力_位移 threeHingedFrame(const Section& columns, const Section& beam) {
    FrameBuilder frame({{0, 0}, {0, -4}, {3, -4}, {6, -4}, {6, 0}});
    frame.addMember(1, 2, columns);
    frame.addMember(2, 3, beam);
    frame.addMember(3, 4, beam);
    frame.addMember(5, 4, columns);
    frame.addLoad(2, {2, 3, 12});
    frame.addLoad(3, {2, 3, 12});
    frame.support(1, kPinned);
    frame.support(5, kPinned);
    内力_位移 solver = frame.build();
    connect(solver, 2, 1, kHinge);
    return solver;
}

TEST(EndConnections, ThreeHingedFrameThrustIsIndependentOfTheStiffness) {
    const double thrust = 12.0 * 6 * 6 / (8 * 4);
    for (const Section& beam : {kConcreteBeam, Section{200000, 0.01f, 0.0002f}}) {
        内力_位移 solver = threeHingedFrame(kConcreteBeam, beam);
        solveQuietly(solver);
        // The columns' shear is the horizontal thrust; the moment at their
        // tops is thrust x h, and the crown carries none.
        expectRelativelyNear(std::fabs(endForce(solver, 1, 2)), thrust);
        expectRelativelyNear(std::fabs(endForce(solver, 4, 5)), thrust);
        expectRelativelyNear(std::fabs(endForce(solver, 1, 6)), thrust * 4);
        EXPECT_EQ(endForce(solver, 2, 6), 0.0);
        EXPECT_NEAR(endForce(solver, 3, 3), 0.0, 1e-9);
    }
}

// The beam hinged at both ends is a link between two cantilevers of
// stiffness 3EI/h^3 each; stretching by F/(EA/L), it passes
// F = P / (2 + (3EI/h^3) / (EA/L)) to the far column: half the load for a
// beam rigid along its axis.
TEST(EndConnections, PortalWithABeamHingedAtBothEndsSharesTheLateralLoad) {
    FrameBuilder frame({{0, 0}, {0, -4}, {6, -4}, {6, 0}});
    frame.addMember(1, 2, kConcreteBeam);
    frame.addMember(2, 3, kConcreteBeam);
    frame.addMember(4, 3, kConcreteBeam);
    frame.addLoad(1, {1, 4, 10});  // 10 kN at the top of the left column
    frame.support(1, kFixedEnd);
    frame.support(4, kFixedEnd);
    内力_位移 solver = frame.build();
    connect(solver, 2, 0, kHinge);
    connect(solver, 2, 1, kHinge);
    solveQuietly(solver);
    const double column = 3.0 * kConcreteBeam.e * kConcreteBeam.inertia / (4 * 4 * 4);
    const double link = double(kConcreteBeam.e) * kConcreteBeam.area / 6;
    const double passed = 10 / (2 + column / link);
    expectRelativelyNear(std::fabs(endForce(solver, 2, 1)), passed);
    expectRelativelyNear(std::fabs(endForce(solver, 1, 3)), (10 - passed) * 4);
    expectRelativelyNear(std::fabs(endForce(solver, 3, 3)), passed * 4);
    EXPECT_NEAR(passed, 5, 0.02);
    EXPECT_EQ(endForce(solver, 2, 3), 0.0);
    EXPECT_EQ(endForce(solver, 2, 6), 0.0);
}

// Two bars hinged at both ends from pinned supports to an apex loaded by
// P downwards: N = P / (2 sin theta). P reaches the apex through a third
// bar standing on it, whose top is held sideways only, as an axial point
// load at its foot. No node has a rotation of its own, and none is a
// mechanism for that.
TEST(EndConnections, TrussBarsCarryTheAxialForceOfTheStatics) {
    FrameBuilder frame({{0, 0}, {4, -3}, {8, 0}, {4, -5}});
    frame.addMember(1, 2, kConcreteBeam);
    frame.addMember(2, 3, kConcreteBeam);
    frame.addMember(2, 4, kConcreteBeam);
    frame.addLoad(3, {3, 0, 30});
    frame.support(1, kPinned);
    frame.support(3, kPinned);
    frame.support(4, kHorizontalLink);
    内力_位移 solver = frame.build();
    for (int i = 1; i <= 3; ++i) {
        connect(solver, i, 0, kHinge);
        connect(solver, i, 1, kHinge);
    }
    solveQuietly(solver);
    const double sinTheta = 3.0 / 5;
    expectRelativelyNear(std::fabs(endForce(solver, 1, 1)), 30 / (2 * sinTheta));
    expectRelativelyNear(std::fabs(endForce(solver, 2, 4)), 30 / (2 * sinTheta));
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(endForce(solver, i, 3), 0.0);
        EXPECT_EQ(endForce(solver, i, 6), 0.0);
    }
    // Each node reports the rotation of the lowest-numbered member's end there.
    EXPECT_EQ(solver.a(0, 3), solver.左端转角[1]);
    EXPECT_EQ(solver.a(0, 6), solver.右端转角[1]);
    EXPECT_EQ(solver.a(0, 12), solver.右端转角[3]);
    EXPECT_NE(solver.a(0, 6), 0.0);
}

// A beam on a pin at its second end and clamped at its first through a
// spring k: M = (qL^2/8) kL / (kL + 3EI), half of it for k = 3EI/L.
TEST(EndConnections, SemiRigidEndCarriesTheMomentOfTheClosedForm) {
    constexpr double L = 6;
    constexpr double q = 10;
    const double ei = 1000.0 * kConcreteBeam.e * kConcreteBeam.inertia;  // kN*m^2
    for (const double factor : {0.0, 0.5, 1.0, 3.0, 1e6}) {
        SCOPED_TRACE(factor);
        内力_位移 solver = singleBeam(6, kFixedEnd, kPinned, {{2, 6, 10}});
        const double k = factor * 3 * ei / L;
        connect(solver, 1, 0, static_cast<float>(k));
        solveQuietly(solver);
        const double kUsed = static_cast<float>(k);
        const double expected = q * L * L / 8 * kUsed * L / (kUsed * L + 3 * ei);
        expectRelativelyNear(std::fabs(endForce(solver, 1, 3)), expected, 1e-7);
        // The spring's moment is k x (node rotation - end rotation).
        if (factor > 0) {
            expectRelativelyNear(std::fabs(endForce(solver, 1, 3)),
                                 kUsed * std::fabs(solver.左端转角[1]) / 1000, 1e-7);
        }
    }
}

TEST(EndConnections, MechanismIsRefusedNamingWhereItGivesWay) {
    // A beam hinged at both ends on columns hinged at their pinned bases.
    FrameBuilder frame({{0, 0}, {0, -4}, {6, -4}, {6, 0}});
    frame.addMember(1, 2, kConcreteBeam);
    frame.addMember(2, 3, kConcreteBeam);
    frame.addMember(4, 3, kConcreteBeam);
    frame.addLoad(2, {2, 6, 10});
    frame.support(1, kPinned);
    frame.support(4, kPinned);
    内力_位移 solver = frame.build();
    connect(solver, 2, 0, kHinge);
    connect(solver, 2, 1, kHinge);
    ScratchFolder folder;
    MessageLog log(solver);
    EXPECT_FALSE(solver.korvasta(folder.path("frame.tsd").string()));
    ASSERT_EQ(log.messages.size(), 1u);
    const std::string text = log.messages.front().text;
    EXPECT_EQ(text.substr(0, text.find('\n')), "出现除零错误,请检查参数,数据");
    // The columns turn about their bases, their tops swaying with them:
    // which of those freedoms is named depends on the factoring order.
    EXPECT_TRUE(text.find("节点 2 ") != std::string::npos ||
                text.find("节点 3 ") != std::string::npos)
        << text;
    EXPECT_FALSE(std::filesystem::exists(folder.path("frame.mqn")));
}

TEST(EndConnections, ConnectionsTheEngineCannotUseAreRunTimeErrors) {
    const std::pair<float, const char*> cases[] = {
        {-1.0f, "无效的过程调用或参数"},
        {std::numeric_limits<float>::quiet_NaN(), "溢出"},
    };
    for (const auto& [k, description] : cases) {
        内力_位移 solver = singleBeam(6, kFixedEnd, kPinned, {{2, 6, 10}});
        connect(solver, 1, 1, k);
        ScratchFolder folder;
        MessageLog log(solver);
        EXPECT_FALSE(solver.korvasta(folder.path("beam.tsd").string()));
        ASSERT_EQ(log.messages.size(), 1u);
        EXPECT_EQ(log.messages.front(), runTimeError(description));
    }
}

// The reference: every released end gets a rotation freedom of its own,
// joined to its node's by the spring (nothing for a hinge); the members
// keep their ordinary clamped stiffness and fixed-end forces.
struct Reference {
    std::vector<long double> displacements;
    std::vector<std::array<int, 6>> freedoms;  // per member
};

Reference referenceSolution(const FrameInput& frame) {
    const int nodeFreedoms = 3 * frame.nodeCount;
    int extra = nodeFreedoms;
    Reference ref;
    std::vector<std::array<double, 3>> springs;  // node freedom, own freedom, k
    for (const MemberInput& m : frame.members) {
        const auto first = static_cast<int>(firstFreedomOfNode(m.leftNode)) - 1;
        const auto second = static_cast<int>(firstFreedomOfNode(m.rightNode)) - 1;
        std::array<int, 6> f{first, first + 1, first + 2, second, second + 1, second + 2};
        const double connections[2] = {m.firstEndConnection, m.secondEndConnection};
        for (int end = 0; end < 2; ++end) {
            if (connections[end] != kRigidConnection) {
                const int own = extra++;
                springs.push_back({double(f[3 * end + 2]), double(own), connections[end]});
                f[3 * end + 2] = own;
            }
        }
        ref.freedoms.push_back(f);
    }
    std::vector<Eigen::Triplet<double, int>> entries;
    std::vector<double> loads(static_cast<std::size_t>(extra), 0.0);
    for (int g = 0; g < extra; ++g) {
        entries.emplace_back(g, g, 0.0);
    }
    for (std::size_t i = 0; i < frame.members.size(); ++i) {
        const MemberInput& m = frame.members[i];
        const Matrix6 k = globalStiffness(m);
        const Vector6 nodal = equivalentNodalLoads(m, fixedEndForces(m));
        const auto& f = ref.freedoms[i];
        for (std::size_t r = 0; r < 6; ++r) {
            loads[static_cast<std::size_t>(f[r])] += nodal[r];
            for (std::size_t c = 0; c < 6; ++c) {
                if (f[r] >= f[c]) {
                    entries.emplace_back(f[r], f[c], k[r][c]);
                }
            }
        }
    }
    for (const auto& [node, own, k] : springs) {
        entries.emplace_back(int(node), int(node), k);
        entries.emplace_back(int(own), int(own), k);
        entries.emplace_back(int(std::max(node, own)), int(std::min(node, own)), -k);
    }
    StiffnessMatrix lower(extra, extra);
    lower.setFromTriplets(entries.begin(), entries.end());
    for (int node = 1; node <= frame.nodeCount; ++node) {
        const auto restrains = restrainedFreedoms(frame.supportCodes[std::size_t(node - 1)]);
        for (int d = 0; d < 3; ++d) {
            const int g = int(firstFreedomOfNode(node)) - 1 + d;
            const bool free = d == 2 && lower.coeff(g, g) == 0;  // every end there hinged
            if (restrains[std::size_t(d)] || free) {
                lower.prune([g](int r, int c, double) { return r != g && c != g; });
                lower.coeffRef(g, g) = 1;
                loads[std::size_t(g)] = 0;
            }
        }
    }
    ref.displacements = *denseSolve(lower, loads);
    return ref;
}

// Every load kind on members released in every way, in a two-bay portal
// that stays stable.
TEST(EndConnections, ReleasesOfEveryLoadKindMatchTheReference) {
    FrameBuilder frame({{0, 0}, {0, -4}, {6, -4}, {12, -4}, {12, 0}, {6, 0}});
    const int columns[] = {frame.addMember(1, 2, kConcreteBeam),
                           frame.addMember(6, 3, kConcreteBeam),
                           frame.addMember(5, 4, kConcreteBeam)};
    const int beams[] = {frame.addMember(2, 3, kConcreteBeam),
                         frame.addMember(3, 4, kConcreteBeam)};
    const Load loads[] = {{1, 2, 15}, {2, 4, 8}, {5, 5, 12}, {6, 2.5f, 20}, {3, 1, 7}, {4, 6, 3}};
    for (const int beam : beams) {
        for (const Load& load : loads) {
            frame.addLoad(beam, load);
        }
    }
    frame.addLoad(columns[0], {1, 1.5f, 9});
    frame.addLoad(columns[2], {2, 4, 5});
    frame.support(1, kFixedEnd);
    frame.support(5, kPinned);
    frame.support(6, kFixedEnd);
    内力_位移 solver = frame.build();
    connect(solver, beams[0], 0, kHinge);
    connect(solver, beams[0], 1, 2.0e4f);
    connect(solver, beams[1], 0, kHinge);
    connect(solver, beams[1], 1, 5.0e3f);
    connect(solver, columns[1], 1, kHinge);
    connect(solver, columns[2], 0, 8.0e3f);
    solveQuietly(solver);

    const FrameInput input = readFrame(solver);
    const Reference ref = referenceSolution(input);
    long double largest = 0;
    for (const long double value : ref.displacements) {
        largest = std::max(largest, std::fabs(value));
    }
    for (std::size_t g = 0; g < 3 * std::size_t(input.nodeCount); ++g) {
        if (g % 3 != 2 || input.rotationTakenFrom[g / 3].member == 0) {
            EXPECT_NEAR(solver.a(0, g + 1), double(ref.displacements[g]), 1e-9 * double(largest))
                << g;
        }
    }
    for (std::size_t i = 0; i < input.members.size(); ++i) {
        SCOPED_TRACE(i + 1);
        const MemberInput& m = input.members[i];
        Vector6 d{};
        for (std::size_t k = 0; k < 6; ++k) {
            d[k] = double(ref.displacements[std::size_t(ref.freedoms[i][k])]);
        }
        const Vector6 expected = localEndForces(m, d, fixedEndForces(m));
        for (std::size_t r = 0; r < 6; ++r) {
            EXPECT_NEAR(endForce(solver, m.number, r + 1), expected[r],
                        1e-8 * std::max(1.0, std::fabs(expected[r])));
        }
        EXPECT_NEAR(solver.左端转角[i + 1], d[2], 1e-9 * double(largest));
        EXPECT_NEAR(solver.右端转角[i + 1], d[5], 1e-9 * double(largest));
    }
}

}  // namespace
}  // namespace orv::testing
