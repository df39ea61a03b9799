// Whole runs against closed-form structural results: the fixed-end forces of
// every load kind, a cantilever's tip displacement, the feasibility rules and
// the refusal of mechanisms.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <optional>

#include "model/supports.h"
#include "run_support.h"
#include "solver/frame_input.h"
#include "solver/member_matrices.h"

namespace orv::testing {
namespace {

void expectNear(double actual, double expected, double tolerance = 1e-12) {
    EXPECT_NEAR(actual, expected, tolerance * std::max(1.0, std::fabs(expected)));
}

// End forces of member 1 after a successful run.
std::array<double, 6> endForcesOfFirstMember(内力_位移& solver, const ScratchFolder& folder) {
    MessageLog log(solver);
    EXPECT_TRUE(solver.korvasta(folder.path("beam.tsd").string()));
    EXPECT_TRUE(log.messages.empty());
    std::array<double, 6> forces{};
    for (std::size_t r = 1; r <= 6; ++r) {
        forces[r - 1] = solver.a(r, 1);
    }
    return forces;
}

struct FixedEndCase {
    const char* name;
    Load load;
    std::array<double, 6> expected;  // for L = 6, Q = 12
};

// A member clamped at both ends takes exactly its fixed-end forces.
TEST(Analysis, ClampedMemberTakesTheFixedEndForcesOfEveryLoadKind) {
    constexpr double L = 6;
    constexpr double Q = 12;
    const double a = L / 3;
    const double b = L - a;
    const FixedEndCase cases[] = {
        {"point load at mid-span", {1, 3, 12}, {0, -Q / 2, -Q * L / 8, 0, -Q / 2, Q * L / 8}},
        {"point load at a third",
         {1, 2, 12},
         {0, -Q * b * b * (3 * a + b) / (L * L * L), -Q * a * b * b / (L * L), 0,
          -Q * a * a * (a + 3 * b) / (L * L * L), Q * a * a * b / (L * L)}},
        {"uniform load over the span",
         {2, 6, 12},
         {0, -Q * L / 2, -Q * L * L / 12, 0, -Q * L / 2, Q * L * L / 12}},
        {"axial point load at a quarter", {3, 1.5, 12}, {0.75 * Q, 0, 0, 0.25 * Q, 0, 0}},
        {"axial uniform load over the span", {4, 6, 12}, {Q * L / 2, 0, 0, Q * L / 2, 0, 0}},
        {"triangular load over the span",
         {5, 6, 12},
         {0, -0.15 * Q * L, -Q * L * L / 30, 0, -0.35 * Q * L, Q * L * L / 20}},
        {"couple at mid-span", {6, 3, 12}, {0, 1.5 * Q / L, Q / 4, 0, -1.5 * Q / L, Q / 4}},
        {"unknown kind adds nothing", {9, 3, 12}, {0, 0, 0, 0, 0, 0}},
    };
    ScratchFolder folder;
    for (const FixedEndCase& c : cases) {
        SCOPED_TRACE(c.name);
        内力_位移 solver = singleBeam(L, kFixedEnd, kFixedEnd, {c.load});
        const auto forces = endForcesOfFirstMember(solver, folder);
        for (std::size_t r = 0; r < 6; ++r) {
            expectNear(forces[r], c.expected[r]);
        }
    }
}

// At any position, the fixed-end forces of a load balance it: forces and
// moments about the first end, in local axes.
TEST(Analysis, FixedEndForcesBalanceTheirLoadAnywhereOnTheSpan) {
    constexpr double L = 5;
    constexpr double Q = 7;
    for (const double a : {0.0, 0.3, 1.7, 2.5, 4.9, 5.0}) {
        SCOPED_TRACE(a);
        struct Resultant {
            int kind;
            double transverse;  // along local +y
            double axial;       // along local -x
            double moment;      // about the first end, positive rotation sense
        };
        const Resultant resultants[] = {
            {1, Q, 0, a * Q}, {2, Q * a, 0, Q * a * a / 2},     {3, 0, Q, 0},
            {4, 0, Q * a, 0}, {5, Q * a / 2, 0, Q * a * a / 3}, {6, 0, 0, Q},
        };
        for (const Resultant& load : resultants) {
            SCOPED_TRACE(load.kind);
            MemberInput member;
            member.axis = memberAxis(0, 0, static_cast<float>(L), 0);
            member.loads = {{static_cast<LoadKind>(load.kind), a, Q}};
            const Vector6 f = fixedEndForces(member);
            expectNear(f[1] + f[4] + load.transverse, 0, 1e-12);
            expectNear(f[0] + f[3] - load.axial, 0, 1e-12);
            expectNear(f[2] + f[5] + L * f[4] + load.moment, 0, 1e-12);
        }
    }
}

// Tip load Q on a cantilever: deflection Q L^3 / (3 E I) and rotation
// Q L^2 / (2 E I) in the engine's units (E in N/mm^2 unconverted), along the
// member's transverse axis whatever its direction.
TEST(Analysis, CantileverTipLoadGivesTheClosedFormDisplacements) {
    constexpr double Q = 10;
    const Section section = kConcreteBeam;
    const double ei = double{section.e} * double{section.inertia};
    ScratchFolder folder;
    struct Direction {
        float dx, dy;
    };
    for (const Direction d :
         {Direction{4, 0}, Direction{3, 4}, Direction{0, -5}, Direction{-3, 4}}) {
        SCOPED_TRACE(std::to_string(d.dx) + "," + std::to_string(d.dy));
        FrameBuilder frame({{0, 0}, {d.dx, d.dy}});
        const int member = frame.addMember(1, 2, section);
        const float length = frame.length(member);
        frame.addLoad(member, {1, length, static_cast<float>(Q)});
        frame.support(1, kFixedEnd);
        内力_位移 solver = frame.build();
        ASSERT_TRUE(solver.korvasta(folder.path("cantilever.tsd").string()));

        const double L = length;
        const double deflection = Q * L * L * L / (3 * ei);
        const double c = d.dx / L;
        const double s = d.dy / L;
        expectNear(solver.a(0, 4), -s * deflection, 1e-9);
        expectNear(solver.a(0, 5), c * deflection, 1e-9);
        expectNear(solver.a(0, 6), Q * L * L / (2 * ei), 1e-9);
        for (std::size_t g = 1; g <= 3; ++g) {
            EXPECT_EQ(solver.a(0, g), 0.0);  // the fixed end does not move
        }
        // The fixed end carries the load: shear Q and moment Q L.
        expectNear(solver.a(2, 1), -Q, 1e-9);
        expectNear(solver.a(3, 1), -Q * L, 1e-9);
    }
}

TEST(Analysis, FeasibilityNeedsTwoRestraintsAlongOneAxisAndOneAlongTheOther) {
    struct Case {
        const char* name;
        std::int16_t left, right;
        bool feasible;
    };
    const Case cases[] = {
        {"one fixed end", kFixedEnd, kNoSupport, true},
        {"two pinned supports", kPinned, kPinned, true},
        {"pinned and horizontal link", kPinned, kHorizontalLink, true},
        {"pinned and vertical link", kPinned, kVerticalLink, true},
        {"two horizontal links", kHorizontalLink, kHorizontalLink, false},
        {"two vertical links", kVerticalLink, kVerticalLink, false},
        {"horizontal and vertical link", kHorizontalLink, kVerticalLink, false},
        {"one pinned support", kPinned, kNoSupport, false},
        {"no supports", kNoSupport, kNoSupport, false},
        {"unknown codes restrain nothing", 2, 4, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        内力_位移 solver = singleBeam(6, c.left, c.right);
        MessageLog log(solver);
        EXPECT_EQ(solver.能否计算(), c.feasible);
        EXPECT_TRUE(log.messages.empty());
    }
}

TEST(Analysis, InfeasibleModelsAreRefusedBeforeTouchingTheResultFiles) {
    ScratchFolder folder;
    writeWholeFile(folder.path("frame.mqn"), "old");
    writeWholeFile(folder.path("frame.uva"), "old");

    内力_位移 zeroLength = singleBeam(6, kFixedEnd, kFixedEnd);
    zeroLength.右端坐标[1] = zeroLength.左端坐标[1];
    EXPECT_FALSE(zeroLength.能否计算());
    EXPECT_FALSE(zeroLength.korvasta(folder.path("frame.tsd").string()));

    内力_位移 unsupported = singleBeam(6, kNoSupport, kNoSupport);
    EXPECT_FALSE(unsupported.korvasta(folder.path("frame.tsd").string()));

    EXPECT_EQ(readWholeFile(folder.path("frame.mqn")), "old");
    EXPECT_EQ(readWholeFile(folder.path("frame.uva")), "old");
}

// Frames that pass the feasibility check but can move without straining a
// member: the run says so once, naming where the frame gives way, and
// writes nothing. Where several freedoms are free to move together, which
// one is named depends on the factoring order; only the first line is
// fixed then.
TEST(Analysis, MechanismsAreRefusedWithTheZeroPivotMessage) {
    struct Case {
        const char* name;
        内力_位移 solver;
        std::optional<Diagnostic> message;
    };
    std::vector<Case> cases;
    cases.push_back({"beam on a horizontal link and a pin",
                     singleBeam(6, kHorizontalLink, kPinned, {{1, 3, 10}}), std::nullopt});
    {
        FrameBuilder frame({{0, 0}, {0, -3}, {6, -3}});
        frame.addMember(1, 2, kConcreteBeam);
        frame.addMember(2, 3, {0, 0.125f, 0.0026f});  // unknown material: E = 0
        frame.addLoad(2, {2, 6, 20});
        frame.support(1, kFixedEnd);
        cases.push_back(
            {"member of unknown material", frame.build(), zeroPivotMessage(3, "沿 X 方向移动")});
    }
    {
        FrameBuilder frame({{0, 0}, {0, -3}, {6, 0}, {6, -3}});
        frame.addMember(1, 2, kConcreteBeam);
        frame.addMember(3, 4, kConcreteBeam);
        frame.addLoad(1, {1, 3, 10});
        frame.support(1, kPinned);
        frame.support(3, kPinned);
        cases.push_back({"two pinned columns without a beam", frame.build(), std::nullopt});
    }
    {
        FrameBuilder frame({{0, 0}, {6, 0}, {12, 0}});
        frame.addMember(1, 2, kConcreteBeam);
        frame.support(1, kFixedEnd);
        cases.push_back(
            {"node joined by no member", frame.build(), zeroPivotMessage(3, "沿 X 方向移动")});
    }
    {
        // Axial stiffness only: nothing holds the pinned end's rotation.
        FrameBuilder frame({{0, 0}, {6, 0}});
        frame.addMember(1, 2, {30000, 0.125f, 0});
        frame.support(1, kFixedEnd);
        frame.support(2, kPinned);
        cases.push_back(
            {"member without bending stiffness", frame.build(), zeroPivotMessage(2, "转动")});
    }
    ScratchFolder folder;
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeWholeFile(folder.path("frame.mqn"), "old");
        MessageLog log(c.solver);
        EXPECT_TRUE(c.solver.能否计算());
        EXPECT_FALSE(c.solver.korvasta(folder.path("frame.tsd").string()));
        ASSERT_EQ(log.messages.size(), 1u);
        const Diagnostic& shown = log.messages.front();
        if (c.message) {
            EXPECT_EQ(shown, *c.message);
        } else {
            const Diagnostic anyNode = zeroPivotMessage(0, "");
            EXPECT_EQ(shown.text.substr(0, shown.text.find(' ')),
                      anyNode.text.substr(0, anyNode.text.find(' ')));
            EXPECT_EQ(shown.icon, anyNode.icon);
            EXPECT_EQ(shown.caption, anyNode.caption);
        }
        EXPECT_FALSE(std::filesystem::exists(folder.path("frame.mqn")));
        EXPECT_FALSE(std::filesystem::exists(folder.path("frame.uva")));
    }
}

// The well-posed neighbours of those mechanisms solve.
TEST(Analysis, StableFramesOfTheSameShapesSolve) {
    ScratchFolder folder;
    内力_位移 propped = singleBeam(6, kFixedEnd, kVerticalLink, {{2, 6, 10}});
    EXPECT_TRUE(propped.korvasta(folder.path("propped.tsd").string()));
    // Propped cantilever under a uniform load: the prop carries 3 q L / 8.
    expectNear(propped.a(5, 1), -3.0 * 10 * 6 / 8, 1e-9);

    FrameBuilder portal({{0, 0}, {0, -3}, {6, -3}, {6, 0}});
    portal.addMember(1, 2, kConcreteBeam);
    portal.addMember(2, 3, kConcreteBeam);
    portal.addMember(3, 4, kConcreteBeam);
    portal.addLoad(1, {1, 3, 10});
    portal.support(1, kPinned);
    portal.support(4, kPinned);
    内力_位移 solver = portal.build();
    EXPECT_TRUE(solver.korvasta(folder.path("portal.tsd").string()));
}

}  // namespace
}  // namespace orv::testing
