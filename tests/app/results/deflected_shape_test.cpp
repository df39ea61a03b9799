// Elastic curves against the closed forms of beam theory, and the node
// that moves farthest. A beam 4 m long of kConcreteBeam; loads in kN and
// kN/m; displacements in m.
#include "results/deflected_shape.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

#include "model/supports.h"
#include "solved_results.h"

namespace orv::testing {
namespace {

constexpr double kLength = 4;
// True EI and EA (kN*m^2, kN): the section's E is in N/mm^2.
const double kEI = 1000.0 * kConcreteBeam.e * kConcreteBeam.inertia;
const double kEA = 1000.0 * kConcreteBeam.e * kConcreteBeam.area;

struct ClosedForm {
    const char* name;
    std::int16_t farEnd;  // the first end is fixed
    Load load;
    std::function<double(double)> transverse;  // local +y (down the drawing)
    std::function<double(double)> axial;       // local +x
};

const double L = kLength;
const std::vector<ClosedForm> kClosedForms{
    {"cantilever, tip load (PL^3/3EI at the tip)",
     kNoSupport,
     {1, 4, 10},
     [](double x) { return 10 * x * x * (3 * L - x) / (6 * kEI); },
     nullptr},
    {"cantilever, load at 3 m",
     kNoSupport,
     {1, 3, 10},
     [](double x) { return 10 * (x <= 3 ? x * x * (9 - x) : 9 * (3 * x - 3)) / (6 * kEI); },
     nullptr},
    {"cantilever, uniform (qL^4/8EI at the tip)",
     kNoSupport,
     {2, 4, 5},
     [](double x) { return 5 * x * x * (6 * L * L - 4 * L * x + x * x) / (24 * kEI); },
     nullptr},
    {"fixed both ends, uniform (qL^4/384EI at midspan)",
     kFixedEnd,
     {2, 4, 5},
     [](double x) { return 5 * x * x * (L - x) * (L - x) / (24 * kEI); },
     nullptr},
    {"cantilever, axial uniform towards the support",
     kNoSupport,
     {4, 4, 8},
     nullptr,
     [](double x) { return -8 * (L * x - x * x / 2) / kEA; }},
};

TEST(DeflectedShape, CurvesFollowTheClosedFormsAlongTheMember) {
    for (const ClosedForm& c : kClosedForms) {
        SCOPED_TRACE(c.name);
        内力_位移 solver = singleBeam(kLength, kFixedEnd, c.farEnd, {c.load});
        const std::vector<MemberCurve> curves = elasticCurves(solve(solver));
        ASSERT_EQ(curves.size(), 1u);
        ASSERT_GE(curves[0].points.size(), 41u);
        const auto expected = [](const auto& f, double x) { return f ? f(x) : 0.0; };
        const double scale =
            std::max(std::fabs(expected(c.transverse, L / 2)), std::fabs(expected(c.axial, L)));
        for (const CurvePoint& p : curves[0].points) {
            EXPECT_NEAR(p.displacement.y, expected(c.transverse, p.at.x), 1e-6 * scale) << p.at.x;
            EXPECT_NEAR(p.displacement.x, expected(c.axial, p.at.x), 1e-6 * scale) << p.at.x;
        }
    }
}

// A cantilever from (0, 0) to (3, 4) with 10 kN across its tip: the tip
// moves PL^3/3EI along local +y, (-0.8, 0.6).
TEST(DeflectedShape, TheFarthestNodeAndTheMagnificationOfAnInclinedCantilever) {
    FrameBuilder builder({{0, 0}, {3, 4}});
    builder.addMember(1, 2, kConcreteBeam);
    builder.addLoad(1, {1, 5, 10});
    builder.support(1, kFixedEnd);
    内力_位移 solver = builder.build();
    const SolvedFrame frame = solve(solver);

    const LargestNodeMove largest = largestNodeMove(frame).value();
    const double tip = 10 * 125 / (3 * kEI);
    EXPECT_EQ(largest.node, 2);
    EXPECT_NEAR(largest.magnitude, 1000 * tip, 1e-6 * 1000 * tip);  // mm
    EXPECT_NEAR(largest.angle, std::atan2(0.6, -0.8) * 180 / std::numbers::pi, 1e-6);

    const std::vector<MemberCurve> curves = elasticCurves(frame);
    const double factor = automaticMagnification(curves);
    const DiagramPoint end = displacedPolyline(curves[0], factor).back();
    EXPECT_NEAR(std::hypot(end.x - 3, end.y - 4), 0.4, 1e-6);  // a tenth of the 4 m height
}

}  // namespace
}  // namespace orv::testing
