// Integrating each member's curvature and strain along it; see
// deflected_shape.h.
#include "results/deflected_shape.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "model/load_kinds.h"
#include "results/local_axes.h"
#include "section/section_force.h"

namespace {

constexpr int kUnloadedPieces = 20;
constexpr int kLoadedPieces = 40;
// The engine's displacements are 1000 x m.
constexpr double kEngineUnitsPerMetre = 1000;

// Bending moment ("M") or axial force ("N") at x, as the diagrams have it:
// the end forces' part plus each load's part. Positive moment bends the
// member towards local -y; positive axial force compresses it.
double sectionForce(const SolvedMember& member, const std::string& which, double x) {
    static const x_内力 section;
    const auto e = [&](std::size_t k) { return static_cast<float>(member.endForces[k]); };
    const auto length = static_cast<float>(member.input.axis.length);
    const auto at = static_cast<float>(x);
    double value = section.upx(length, "", 0, 0, e(0), e(1), e(2), e(3), e(4), e(5), at, which);
    for (const orv::MemberLoad& load : member.input.loads) {
        if (load.kind != orv::LoadKind::None) {
            value += section.upx(length, std::string(orv::loadKindText(load.kind)),
                                 static_cast<float>(load.a), static_cast<float>(load.q), e(0), e(1),
                                 e(2), e(3), e(4), e(5), at, which);
        }
    }
    return value;
}

// Equal pieces and every load position inside the member, ascending.
std::vector<double> samplePositions(const SolvedMember& member) {
    const double length = member.input.axis.length;
    const int pieces = member.input.loads.empty() ? kUnloadedPieces : kLoadedPieces;
    std::vector<double> xs;
    for (int k = 0; k <= pieces; ++k) {
        xs.push_back(length * k / pieces);
    }
    for (const orv::MemberLoad& load : member.input.loads) {
        if (load.a > 0 && load.a < length) {
            xs.push_back(load.a);
        }
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    return xs;
}

// Between load positions the moment is a polynomial of at most third
// degree (the triangular load), so three-point Gauss rules integrate the
// curvature times the lever (fourth degree) exactly.
constexpr std::array<double, 3> kGaussPoints{-0.7745966692414834, 0, 0.7745966692414834};
constexpr std::array<double, 3> kGaussWeights{5.0 / 9, 8.0 / 9, 5.0 / 9};

// Transverse (bending) and axial displacement in local axes, engine units,
// of the member's loads and temperature change alone: zero with zero slope
// at the first end.
struct LocalPart {
    double axial = 0;
    double transverse = 0;
};

// The strain and curvature a temperature change gives the member free to
// move (engine units, 1000 x 1 and 1000 x 1/m): its mid-depth change
// stretches it, a warmer +y face bends it with that face convex. A member
// without depth warms evenly (the run refuses anything else).
struct ThermalStrain {
    double axial = 0;
    double curvature = 0;
};

ThermalStrain thermalStrain(const orv::MemberInput& input) {
    const double alpha = kEngineUnitsPerMetre * input.expansion;
    ThermalStrain strain{alpha * (input.warmingBelow + input.warmingAbove) / 2, 0};
    if (input.depth > 0) {
        strain.curvature = -alpha * (input.warmingAbove - input.warmingBelow) / input.depth;
    }
    return strain;
}

std::vector<LocalPart> loadParts(const SolvedMember& member, const std::vector<double>& xs) {
    const double ei = member.input.e * member.input.inertia;
    const double ea = member.input.e * member.input.area;
    const ThermalStrain thermal = thermalStrain(member.input);
    std::vector<LocalPart> parts(xs.size());
    double slope = 0;
    for (std::size_t k = 1; k < xs.size(); ++k) {
        const double half = (xs[k] - xs[k - 1]) / 2;
        const double middle = (xs[k] + xs[k - 1]) / 2;
        LocalPart step{0, 2 * half * slope};
        double slopeStep = 0;
        for (std::size_t g = 0; g < 3; ++g) {
            const double x = middle + half * kGaussPoints[g];
            const double weight = half * kGaussWeights[g];
            const double curvature = thermal.curvature - sectionForce(member, "M", x) / ei;
            step.axial += weight * (thermal.axial - sectionForce(member, "N", x) / ea);
            step.transverse += weight * (xs[k] - x) * curvature;
            slopeStep += weight * curvature;
        }
        slope += slopeStep;
        parts[k] = {parts[k - 1].axial + step.axial, parts[k - 1].transverse + step.transverse};
    }
    return parts;
}

PlaneVector nodeTranslation(const SolvedFrame& frame, int node) {
    const NodeDisplacement& d = frame.nodeMoves[static_cast<std::size_t>(node - 1)];
    return {d[0], d[1]};
}

MemberCurve elasticCurve(const SolvedFrame& frame, const SolvedMember& member) {
    const orv::MemberAxis& axis = member.input.axis;
    const PlaneVector first = globalToLocal(axis, nodeTranslation(frame, endNode(member, 0)));
    const PlaneVector second = globalToLocal(axis, nodeTranslation(frame, endNode(member, 1)));
    const std::vector<double> xs = samplePositions(member);
    const std::vector<LocalPart> parts = loadParts(member, xs);
    // The load parts start at the first end's displacement; a rigid turn
    // of the whole member then brings them onto the second end's.
    const double axialTilt = (second.x - first.x - parts.back().axial) / axis.length;
    const double turn = (second.y - first.y - parts.back().transverse) / axis.length;
    MemberCurve curve{member.input.number, {}};
    for (std::size_t k = 0; k < xs.size(); ++k) {
        const PlaneVector local{first.x + parts[k].axial + xs[k] * axialTilt,
                                first.y + parts[k].transverse + xs[k] * turn};
        const PlaneVector global = localToGlobal(axis, local);
        curve.points.push_back(
            {{member.first.x + xs[k] * axis.cos, member.first.y + xs[k] * axis.sin},
             {global.x / kEngineUnitsPerMetre, global.y / kEngineUnitsPerMetre}});
    }
    return curve;
}

}  // namespace

std::vector<MemberCurve> elasticCurves(const SolvedFrame& frame) {
    std::vector<MemberCurve> curves;
    for (const SolvedMember& member : frame.members) {
        curves.push_back(elasticCurve(frame, member));
    }
    return curves;
}

std::vector<DiagramPoint> displacedPolyline(const MemberCurve& curve, double factor) {
    std::vector<DiagramPoint> line;
    for (const CurvePoint& p : curve.points) {
        line.push_back({p.at.x + factor * p.displacement.x, p.at.y + factor * p.displacement.y});
    }
    return line;
}

double automaticMagnification(const std::vector<MemberCurve>& curves) {
    DiagramPoint low{INFINITY, INFINITY};
    DiagramPoint high{-INFINITY, -INFINITY};
    double largest = 0;
    for (const MemberCurve& curve : curves) {
        for (const CurvePoint& p : curve.points) {
            low = {std::min(low.x, p.at.x), std::min(low.y, p.at.y)};
            high = {std::max(high.x, p.at.x), std::max(high.y, p.at.y)};
            largest = std::max(largest, std::hypot(p.displacement.x, p.displacement.y));
        }
    }
    const double factor = 0.1 * std::max(high.x - low.x, high.y - low.y) / largest;
    return std::isfinite(factor) && factor > 0 ? factor : 1;
}

double roundedMagnification(double value) {
    if (!(value > 0) || !std::isfinite(value)) {
        return 1;
    }
    const double unit = std::pow(10.0, std::floor(std::log10(value)) - 1);
    return std::max(unit, std::round(value / unit) * unit);
}

std::optional<LargestNodeMove> largestNodeMove(const SolvedFrame& frame) {
    std::optional<LargestNodeMove> largest;
    for (std::size_t n = 0; n < frame.nodeMoves.size(); ++n) {
        const double u = frame.nodeMoves[n][0];
        const double v = frame.nodeMoves[n][1];
        const double magnitude = std::hypot(u, v);
        if (!largest || magnitude > largest->magnitude) {
            largest = {static_cast<int>(n) + 1, magnitude,
                       std::atan2(v, u) * 180 / std::numbers::pi};
        }
    }
    return largest;
}
