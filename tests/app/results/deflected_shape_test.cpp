// Elastic curves against the closed forms of beam theory, and the node
// that moves farthest, on the inclined member (3, 4), L = 5 m, fixed at its
// first end. Loads in kN and kN/m; displacements in m.
#include "results/deflected_shape.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/supports.h"
#include "solved_results.h"

namespace orv::testing {
namespace {

内力_位移 inclinedMember(std::int16_t secondSupport, const Load& load) {
    FrameBuilder builder({{0, 0}, {3, 4}});
    builder.addLoad(builder.addMember(1, 2, kConcreteBeam), load);
    builder.support(1, kFixedEnd);
    builder.support(2, secondSupport);
    return builder.build();
}

// True EI and EA (kN*m^2, kN): the section's E is in N/mm^2.
const double kEI = 1000.0 * kConcreteBeam.e * kConcreteBeam.inertia;
const double kEA = 1000.0 * kConcreteBeam.e * kConcreteBeam.area;

// EA x the displacement along the member for the axial load, else EI x
// the displacement across it (local y), at x from the first end; a is the
// load's position or extent.
struct ClosedForm {
    std::int16_t farEnd;
    Load load;
    double (*stiffnessTimesDisplacement)(double x, double a);
};

// P = 10 at a on a cantilever, P (3a x^2 - x^3 + <x - a>^3) / 6: PL^3/3EI
// at the tip for a = L.
double pointLoadOnCantilever(double x, double a) {
    return 10 * (3 * a * x * x - x * x * x + std::pow(std::max(0.0, x - a), 3)) / 6;
}

const ClosedForm kClosedForms[] = {
    {kNoSupport, {1, 5, 10}, pointLoadOnCantilever},
    {kNoSupport, {1, 2.95f, 10}, pointLoadOnCantilever},  // between the sample points
    // q = 4 on a cantilever (qL^4/8EI at the tip), fixed at both ends (qL^4/384EI mid).
    {kNoSupport, {2, 5, 4}, [](double x, double) { return x * x * (150 - 20 * x + x * x) / 6; }},
    {kFixedEnd, {2, 5, 4}, [](double x, double) { return x * x * (5 - x) * (5 - x) / 6; }},
    // 8 kN/m along the cantilever towards its support shortens it.
    {kNoSupport, {4, 5, 8}, [](double x, double) { return -8 * (5 * x - x * x / 2); }},
};

TEST(DeflectedShape, CurvesFollowTheClosedFormsAlongTheMember) {
    for (const ClosedForm& c : kClosedForms) {
        SCOPED_TRACE(&c - kClosedForms);  // the row
        const std::vector<MemberCurve> curves =
            elasticCurves(solve(inclinedMember(c.farEnd, c.load)));
        ASSERT_GE(curves.at(0).points.size(), 41u);
        const bool axial = c.load.kind == 4;
        const auto expected = [&](double x) {
            return c.stiffnessTimesDisplacement(x, c.load.xq) / (axial ? kEA : kEI);
        };
        const double tolerance = 1e-6 * std::fabs(expected(axial ? 5 : 2.5));
        for (const CurvePoint& p : curves[0].points) {
            const DiagramPoint& d = p.displacement;
            const double along = 0.6 * d.x + 0.8 * d.y, across = -0.8 * d.x + 0.6 * d.y;
            EXPECT_NEAR(axial ? along : across, expected(p.at.x / 0.6), tolerance) << p.at.x;
            EXPECT_NEAR(axial ? across : along, 0, tolerance) << p.at.x;
        }
    }
}

// The tip under 10 kN moves PL^3/3EI along local +y, (-0.8, 0.6).
TEST(DeflectedShape, TheFarthestNodeAndTheMagnification) {
    const SolvedFrame frame = solve(inclinedMember(kNoSupport, {1, 5, 10}));
    const LargestNodeMove largest = largestNodeMove(frame).value();
    const double tip = 10 * 125 / (3 * kEI);
    EXPECT_EQ(largest.node, 2);
    EXPECT_NEAR(largest.magnitude, 1000 * tip, 1e-6 * 1000 * tip);  // mm
    EXPECT_NEAR(largest.angle, std::atan2(0.6, -0.8) * 180 / std::numbers::pi, 1e-6);
    const std::vector<MemberCurve> curves = elasticCurves(frame);
    const DiagramPoint end = displacedPolyline(curves[0], automaticMagnification(curves)).back();
    EXPECT_NEAR(std::hypot(end.x - 3, end.y - 4), 0.4, 1e-6);  // a tenth of the 4 m height
}

}  // namespace
}  // namespace orv::testing

namespace orv::testing {
namespace {

// Each member's curve leaves its ends at the member's own end rotation, so
// the shape kinks at a hinge: two cantilevers of a fixed-fixed beam meet
// at the hinge turned in opposite senses.
TEST(DeflectedShape, KinksAtAHingeWithEachMembersOwnEndRotation) {
    FrameBuilder builder({{0, 0}, {3, 0}, {6, 0}});
    builder.addMember(1, 2, kConcreteBeam);
    builder.addMember(2, 3, kConcreteBeam);
    builder.addLoad(1, {2, 3, 10});
    builder.addLoad(2, {2, 3, 10});
    builder.support(1, kFixedEnd);
    builder.support(3, kFixedEnd);
    内力_位移 solver = builder.build();
    solver.右端转动刚度[1] = 0;
    const SolvedFrame frame = solve(solver);
    const std::vector<MemberCurve> curves = elasticCurves(frame);
    const auto slopeAt = [](const MemberCurve& curve, bool last) {
        const std::size_t n = curve.points.size();
        const CurvePoint& a = curve.points[last ? n - 2 : 0];
        const CurvePoint& b = curve.points[last ? n - 1 : 1];
        return 1000 * (b.displacement.y - a.displacement.y) / (b.at.x - a.at.x);
    };
    const double left = frame.members[0].endRotations[1];
    const double right = frame.members[1].endRotations[0];
    EXPECT_NEAR(left, -right, 1e-9 * std::fabs(left));
    EXPECT_NEAR(slopeAt(curves[0], true), left, 0.05 * std::fabs(left));
    EXPECT_NEAR(slopeAt(curves[1], false), right, 0.05 * std::fabs(right));
}

// A 4 m member, depth 0.5 m, warming by 5 °C at its -y face and 25 °C at
// its +y face: free, it bows with that face convex, v = -a dt x^2/2h (a dt
// L^2/2h = 3.2 mm at the tip), and stretches by a t0 x; clamped, it stays.
TEST(DeflectedShape, ATemperatureChangeBowsAFreeMemberAndNotAClampedOne) {
    for (const bool free : {true, false}) {
        内力_位移 solver = singleBeam(4, kFixedEnd, free ? kNoSupport : kFixedEnd);
        solver.温度改变1[1] = 5;
        solver.温度改变2[1] = 25;
        solver.线膨胀系数[1] = 1e-5f;
        solver.截面高度[1] = 0.5f;
        const std::vector<MemberCurve> curves = elasticCurves(solve(solver));
        for (const CurvePoint& p : curves.at(0).points) {
            const double x = p.at.x;
            EXPECT_NEAR(p.displacement.y, free ? -3.2e-3 * x * x / 16 : 0, 1e-8) << free << x;
            EXPECT_NEAR(p.displacement.x, free ? 1.5e-4 * x : 0, 1e-8) << free << x;
        }
    }
}

}  // namespace
}  // namespace orv::testing
