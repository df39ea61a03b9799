// Springs, inclined supports, settlements and temperature changes against
// closed forms of beam theory. E = 30000 N/mm^2 is 3e7 kN/m^2.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "model/supports.h"
#include "run_support.h"

namespace orv::testing {
namespace {

// The coefficient as the engine reads it, in single precision.
const double kAlpha = static_cast<float>(1e-5);

// The concrete beam's section: 0.25 x 0.5, E I in kN*m^2, E A in kN.
const double kEI = 1000.0 * kConcreteBeam.e * kConcreteBeam.inertia;
const double kEA = 1000.0 * kConcreteBeam.e * kConcreteBeam.area;

// Displacement of node n along X (0), Y (1) or its rotation (2), engine units.
double move(const 内力_位移& solver, int node, int freedom) {
    return solver.a(0, static_cast<std::size_t>(3 * (node - 1) + freedom + 1));
}

void warm(内力_位移& solver, int member, float below, float above, float depth = 0.5f) {
    const auto i = static_cast<std::size_t>(member);
    solver.温度改变1[i] = below;
    solver.温度改变2[i] = above;
    solver.线膨胀系数[i] = static_cast<float>(kAlpha);
    solver.截面高度[i] = depth;
}

TEST(Settlements, RestrainedFreedomsMoveByExactlyTheirSettlement) {
    constexpr double L = 6;
    const double delta = static_cast<float>(0.01);  // m, downward, as the engine reads it
    // A propped cantilever whose prop settles: M = 3 E I delta / L^2.
    内力_位移 propped = singleBeam(6, kFixedEnd, kVerticalLink);
    propped.支座位移y[2] = static_cast<float>(delta);
    solveQuietly(propped);
    expectRelativelyNear(std::fabs(endForce(propped, 1, 3)), 3 * kEI * delta / (L * L));
    EXPECT_EQ(move(propped, 2, 1), 1000 * delta);

    // Two spans whose middle support settles: M = 3 E I delta / L^2 there.
    FrameBuilder frame({{0, 0}, {6, 0}, {12, 0}});
    frame.addMember(1, 2, kConcreteBeam);
    frame.addMember(2, 3, kConcreteBeam);
    frame.support(1, kPinned);
    frame.support(2, kVerticalLink);
    frame.support(3, kVerticalLink);
    内力_位移 twoSpans = frame.build();
    twoSpans.支座位移y[2] = static_cast<float>(delta);
    solveQuietly(twoSpans);
    expectRelativelyNear(std::fabs(endForce(twoSpans, 1, 6)), 3 * kEI * delta / (L * L), 1e-7);
}

TEST(Settlements, AStaticallyDeterminateFrameFollowsWithoutForces) {
    FrameBuilder frame({{0, 0}, {0, -4}, {3, -4}, {6, -4}, {6, 0}});
    frame.addMember(1, 2, kConcreteBeam);
    frame.addMember(2, 3, kConcreteBeam);
    frame.addMember(3, 4, kConcreteBeam);
    frame.addMember(5, 4, kConcreteBeam);
    frame.support(1, kPinned);
    frame.support(5, kPinned);
    内力_位移 solver = frame.build();
    solver.右端转动刚度[2] = 0;
    solver.支座位移x[5] = 0.02f;
    solver.支座位移y[5] = 0.03f;
    solveQuietly(solver);
    for (int i = 1; i <= 4; ++i) {
        for (std::size_t r = 1; r <= 6; ++r) {
            EXPECT_NEAR(endForce(solver, i, r), 0, 1e-9) << i << " " << r;
        }
    }
    EXPECT_NEAR(move(solver, 5, 0), 20, 1e-4);
}

TEST(Settlements, OnAFreeFreedomAreRefusedNamingTheNode) {
    内力_位移 solver = singleBeam(6, kFixedEnd, kVerticalLink, {{2, 6, 10}});
    solver.支座位移x[2] = 0.01f;  // the roller is free along X
    ScratchFolder folder;
    MessageLog log(solver);
    EXPECT_FALSE(solver.korvasta(folder.path("beam.tsd").string()));
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages.front().text, "节点 2 的支座位移给在了支座不约束的方向上,不能计算");
    EXPECT_FALSE(std::filesystem::exists(folder.path("beam.mqn")));
}

TEST(Springs, TakeTheirShareOfTheLoad) {
    constexpr double L = 4;
    constexpr double P = 10;
    const double bending = 3 * kEI / (L * L * L);
    // A cantilever on a spring at its tip: v = P / (k + 3EI/L^3).
    for (const double k : {0.0, 1000.0, 1e5}) {
        SCOPED_TRACE(k);
        内力_位移 solver = singleBeam(4, kFixedEnd, kNoSupport, {{1, 4, 10}});
        solver.y向弹簧刚度[2] = static_cast<float>(k);
        solveQuietly(solver);
        const double kUsed = static_cast<float>(k);
        expectRelativelyNear(std::fabs(move(solver, 2, 1)), 1000 * P / (kUsed + bending));
    }
    // A rotational spring at a pin, a roller at the far end, q over the
    // span: M = (qL^2/8) kL / (kL + 3EI), half of it for k = 3EI/L.
    内力_位移 solver = singleBeam(6, kPinned, kVerticalLink, {{2, 6, 10}});
    solver.转动弹簧刚度[1] = static_cast<float>(3 * kEI / 6);
    solveQuietly(solver);
    expectRelativelyNear(std::fabs(endForce(solver, 1, 3)), 10.0 * 36 / 16, 1e-7);
}

TEST(Springs, CountAsRestraintsForTheFeasibilityCheck) {
    内力_位移 solver = singleBeam(6, kNoSupport, kNoSupport, {{2, 6, 10}});
    EXPECT_FALSE(solver.能否计算());
    solver.x向弹簧刚度[1] = 1e4f;
    solver.y向弹簧刚度[1] = 1e4f;
    solver.y向弹簧刚度[2] = 1e4f;
    EXPECT_TRUE(solver.能否计算());
    solveQuietly(solver);
    expectRelativelyNear(std::fabs(move(solver, 1, 1)), 1000 * 30 / 1e4);
}

// A simply supported beam whose roller runs on a slope of beta: the
// roller's reaction is square to the slope, so it pushes the beam along
// with (P/2) tan beta; the roller moves along the slope only.
TEST(InclinedSupports, RollerReactsSquareToItsSlope) {
    for (const double beta : {30.0, -20.0, 45.0}) {
        SCOPED_TRACE(beta);
        内力_位移 solver = singleBeam(6, kPinned, kVerticalLink, {{1, 3, 10}});
        solver.支座倾角[2] = static_cast<float>(beta);
        solveQuietly(solver);
        const double radians = beta * std::numbers::pi / 180;
        expectRelativelyNear(std::fabs(endForce(solver, 1, 1)), 5 * std::fabs(std::tan(radians)),
                             1e-7);
        // The move of node 2 is along the turned x axis (cos, sin).
        EXPECT_NEAR(move(solver, 2, 0) * std::sin(radians) - move(solver, 2, 1) * std::cos(radians),
                    0, 1e-12);
    }
}

TEST(Temperature, ClampedMemberTakesTheThermalForces) {
    // A uniform rise: the compression E A alpha t.
    内力_位移 rise = singleBeam(6, kFixedEnd, kFixedEnd);
    warm(rise, 1, 20, 20);
    solveQuietly(rise);
    expectRelativelyNear(endForce(rise, 1, 1), kEA * kAlpha * 20);
    expectRelativelyNear(endForce(rise, 1, 4), -kEA * kAlpha * 20);
    EXPECT_NEAR(endForce(rise, 1, 3), 0, 1e-9);
    // A gradient: the moment E I alpha (t2 - t1) / h, constant along it.
    内力_位移 gradient = singleBeam(6, kFixedEnd, kFixedEnd);
    warm(gradient, 1, -10, 10);
    solveQuietly(gradient);
    const double moment = kEI * kAlpha * 20 / 0.5;
    expectRelativelyNear(endForce(gradient, 1, 3), -moment);
    expectRelativelyNear(endForce(gradient, 1, 6), moment);
    EXPECT_NEAR(endForce(gradient, 1, 1), 0, 1e-9);
}

TEST(Temperature, FreeAndProppedCantileversBend) {
    constexpr double L = 6;
    constexpr double h = 0.5;
    const double curvature = kAlpha * 30 / h;
    // A free cantilever bows without forces: its +y face convex, so the tip
    // moves towards -y by alpha dt L^2 / (2h).
    内力_位移 free = singleBeam(6, kFixedEnd, kNoSupport);
    warm(free, 1, 0, 30);
    solveQuietly(free);
    expectRelativelyNear(move(free, 2, 1), -1000 * curvature * L * L / 2);
    expectRelativelyNear(move(free, 2, 0), 1000 * kAlpha * 15 * L);
    for (std::size_t r = 1; r <= 6; ++r) {
        EXPECT_NEAR(endForce(free, 1, r), 0, 1e-9);
    }
    // Propped, or hinged at a clamped far end: M = 3 E I alpha dt / (2h).
    内力_位移 propped = singleBeam(6, kFixedEnd, kVerticalLink);
    warm(propped, 1, 0, 30);
    内力_位移 hinged = singleBeam(6, kFixedEnd, kFixedEnd);
    warm(hinged, 1, 0, 30);
    hinged.右端转动刚度[1] = 0;
    hinged.截面积[1] = 1e3f;  // the clamps would add the uniform part's thrust
    for (内力_位移* solver : {&propped, &hinged}) {
        solveQuietly(*solver);
        expectRelativelyNear(std::fabs(endForce(*solver, 1, 3)), 1.5 * kEI * curvature, 1e-7);
        EXPECT_EQ(endForce(*solver, 1, 6), 0.0 * (solver == &hinged));
    }
}

// A portal on pins whose beam warms by t: the beam's free lengthening
// alpha t L is taken back by the thrust H over the portal's flexibility
// 2h^3/(3EI) + h^2 L/EI + L/EA (the columns' shortening is nil: H alone
// gives them no axial force).
TEST(Temperature, TwoHingedPortalWhoseBeamWarms) {
    constexpr double h = 4;
    constexpr double L = 6;
    FrameBuilder frame({{0, 0}, {0, -4}, {6, -4}, {6, 0}});
    frame.addMember(1, 2, kConcreteBeam);
    frame.addMember(2, 3, kConcreteBeam);
    frame.addMember(4, 3, kConcreteBeam);
    frame.support(1, kPinned);
    frame.support(4, kPinned);
    内力_位移 solver = frame.build();
    warm(solver, 2, 25, 25);
    solveQuietly(solver);
    const double flexibility = 2 * h * h * h / (3 * kEI) + h * h * L / kEI + L / kEA;
    expectRelativelyNear(std::fabs(endForce(solver, 1, 2)), kAlpha * 25 * L / flexibility, 1e-7);
    EXPECT_NEAR(endForce(solver, 1, 1), 0, 1e-9);
}

TEST(Temperature, AGradientOnAMemberWithoutDepthIsRefused) {
    内力_位移 solver = singleBeam(6, kFixedEnd, kFixedEnd);
    warm(solver, 1, 0, 30, 0);
    ScratchFolder folder;
    MessageLog log(solver);
    EXPECT_FALSE(solver.korvasta(folder.path("beam.tsd").string()));
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages.front().text,
              "1号杆件直接输入截面积和惯性矩,没有截面高度,不能计算两面不同的温度改变");
    warm(solver, 1, 30, 30, 0);  // a uniform change needs no depth
    solveQuietly(solver);
    expectRelativelyNear(endForce(solver, 1, 1), kEA * kAlpha * 30);
}

TEST(SupportEffects, InputTheEngineCannotUseIsARunTimeError) {
    const std::pair<std::vector<float> 内力_位移::*, float> cases[] = {
        {&内力_位移::x向弹簧刚度, -1.0f},
        {&内力_位移::支座倾角, 181.0f},
        {&内力_位移::支座倾角, -180.0f},
        {&内力_位移::支座位移y, std::numeric_limits<float>::infinity()},
    };
    for (const auto& [array, value] : cases) {
        内力_位移 solver = singleBeam(6, kFixedEnd, kPinned, {{2, 6, 10}});
        (solver.*array)[2] = value;
        ScratchFolder folder;
        MessageLog log(solver);
        EXPECT_FALSE(solver.korvasta(folder.path("beam.tsd").string()));
        ASSERT_EQ(log.messages.size(), 1u);
        EXPECT_EQ(log.messages.front().caption, "korvasta") << value;
    }
}

}  // namespace
}  // namespace orv::testing
