// The deflected shape of a solved frame: every member's elastic curve,
// from the displacements of its two nodes (settlements of supports
// included) and the bending and stretching its own loads and temperature
// change cause in between, for drawing over the frame at a chosen
// magnification. Positions and displacements in m along global X and Y
// (Y downward on the drawing); a magnification of 1 is the true scale.
#pragma once

#include <optional>
#include <vector>

#include "results/internal_force_diagram.h"
#include "results/solved_frame.h"

struct CurvePoint {
    DiagramPoint at;            // the point of the undeformed member (m)
    DiagramPoint displacement;  // where it moves, along X and Y (m)
};

// Sampled from the first end to the second: 20 equal pieces for a member
// without loads (its curve is a cubic), 40 for a loaded one, and at every
// load position, where the curve changes its formula.
struct MemberCurve {
    int member = 0;  // 1..M
    std::vector<CurvePoint> points;
};

// The curve of linear beam theory: the section moment and axial force
// (x_内力, as the diagrams take them, single precision) over EI and EA,
// plus the curvature -a (t2 - t1)/h and strain a (t1 + t2)/2 of the
// member's temperature change, integrated exactly between the sample
// points and matched to the node displacements at both ends. A member that the engine could not
// have solved (no stiffness) gives values that are not finite, never a fault.
std::vector<MemberCurve> elasticCurves(const SolvedFrame& frame);

// The curve's points moved by `factor` x their displacement.
std::vector<DiagramPoint> displacedPolyline(const MemberCurve& curve, double factor);

// The magnification at which the largest displacement of any curve point
// is a tenth of the frame's larger extent; 1 for a frame that does not move.
double automaticMagnification(const std::vector<MemberCurve>& curves);
// `value` to two significant digits, a magnification the user can read
// and retype; 1 for one that is not positive and finite.
double roundedMagnification(double value);

// The node that moves farthest, its translation in mm and its direction:
// the angle in degrees from +X towards +Y (90 is straight down the drawing).
struct LargestNodeMove {
    int node = 0;  // 1..N; the first of equals
    double magnitude = 0;
    double angle = 0;
};

// Nothing for a frame without nodes.
std::optional<LargestNodeMove> largestNodeMove(const SolvedFrame& frame);
