// The internal-force diagram of one member: the curve of the bending
// moment, shear or axial force beside the member, in world coordinates,
// with the texts that name its end values and its extremes. Units: kN,
// kN*m, m; `scale` is world units per unit of force.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/gj.h"
#include "section/section_force.h"

// Which internal force a diagram shows, as the section-force routine names
// it: "M" bending moment, "Q" shear, "N" axial force.
enum class DiagramKind { Moment, Shear, Axial };

struct DiagramPoint {
    double x = 0;
    double y = 0;
    bool operator==(const DiagramPoint&) const = default;
};

// A text whose top-left corner sits at `at`.
struct DiagramLabel {
    DiagramPoint at;
    std::string text;
};

// The sign of one part of a shear or axial diagram (a stretch where the
// value keeps its sign), as textbooks mark it: tension, and shear turning
// the part clockwise on the screen, are positive. Section values have the
// opposite sign (compression and such shear lie on the local +y side).
struct DiagramSign {
    DiagramPoint at;        // halfway between the axis and the curve, mid-stretch
    bool positive = false;  // "⊕" rather than "⊖"
    double from = 0;        // the stretch, m from the first end
    double to = 0;
};

struct MemberDiagram {
    // From the member's first end through the sections (the sampled ones and
    // a pair at each load's position) to the end point and back onto the
    // member's second end.
    std::vector<DiagramPoint> polyline;
    std::vector<DiagramLabel> labels;
    std::vector<DiagramSign> signs;  // shear and axial diagrams only
};

// A member's end forces in its local axes as the analysis leaves them:
// axial force, shear and moment at the first end, then at the second end.
using MemberEndForces = std::array<double, 6>;

// The value at distance x from the first end: the end forces' part plus
// each load's part. Where the value jumps at x (a point load or couple
// there), `side` chooses the value just before x or just after it.
double sectionValue(const gj& member, const MemberEndForces& forces, DiagramKind kind, double x,
                    x_内力::Side side = x_内力::Side::Before);

// A section a diagram samples: its distance from the first end and the side
// of it whose value counts (a load's position comes twice, just before and
// just after it).
struct SectionPlace {
    double x = 0;
    x_内力::Side side = x_内力::Side::Before;
    bool atLoad = false;
};

// The positions strictly inside a member of length `length` of its loads,
// in order, once each: a point load or couple (the curve jumps there), the
// end of a distributed load (it bends there).
std::vector<double> loadPositions(const gj& member, double length);

// The sections memberDiagram samples on a member of length `length`, in
// order along it: every `step` (as below) and a pair at each of
// `positions` (sorted, once each).
std::vector<SectionPlace> diagramSections(float length, float step,
                                          const std::vector<double>& positions);

// A value of a curve along a member at distance x from its first end.
struct CurveSection {
    double x = 0;
    double value = 0;
};

// The point of a member's diagram at distance x with `value`: off the axis
// on the local +y side for a positive value, value x scale away.
DiagramPoint diagramPoint(const gj& member, float scale, double x, double value);

// A diagram's polyline through `sections` (in order along the member): from
// the first end through the sections, level with the last one to the end
// point, then onto the second end.
std::vector<DiagramPoint> diagramCurve(const gj& member, float scale,
                                       const std::vector<CurveSection>& sections);

// Samples the member every `step` (world units) from x = 0.0001 while
// x <= L, at a wider step where that would exceed 100,000 sections, and at
// each load's position inside the member just before and just after it.
// The member's axis runs from its first end to its second, as the analysis
// takes it; a positive value lies on the member's local +y side, value x
// scale away from the axis. Values are labelled without sign (the side
// tells it) and only where they do not print as zero: the end values, and
// the largest and smallest value between the tenths of the member when it
// is a peak of the curve (see isPeak). Shear and axial diagrams carry the
// sign of every stretch of at least two sections.
MemberDiagram memberDiagram(const gj& member, const MemberEndForces& forces, DiagramKind kind,
                            float scale, float step);
