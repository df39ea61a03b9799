// x_内力: the internal force at a section of a member, as the diagrams need
// it. One call gives the part due to the member's end forces (empty load
// text), one call per member load gives that load's part; the caller adds
// them. Units: kN, kN*m, m. Stateless.
#pragma once

#include <string>

#include "model/load_kinds.h"

class x_内力 {
public:
    // A member's local end forces: axial force, shear and moment at the
    // first end, then at the second end.
    struct EndForces {
        double na, qa, ma, nb, qb, mb;
    };

    // Where a force jumps at a section (at a point load or couple, or the
    // end forces at the first end), which of its two values a section takes:
    // the limit from the first end's side or from the second end's side.
    enum class Side { Before, After };

    // leng: member length L; lx: load kind text, or "" for the end-force
    // part; xq, q: the load's parameter a and intensity; na..mb: the member's
    // local end forces (axial, shear, moment at the first end, then at the
    // second end); x: distance of the section from the first end; m_q_n:
    // "M" moment, "Q" shear, "N" axial force (any other text gives 0).
    float upx(float leng, std::string lx, float xq, float q, float na, float qa, float ma, float nb,
              float qb, float mb, float x, std::string m_q_n) const;

    // The same part in double precision, not rounded to single, and where
    // it jumps at x the limit from `side`. upx itself takes the value on
    // the first end's side at a load, and no shear or axial force at x = 0.
    double limit(double leng, const std::string& lx, double xq, double q, const EndForces& ends,
                 double x, Side side, const std::string& m_q_n) const;

    // The same two parts with the load kind and the force already decoded,
    // for callers that ask at many sections of one member (a diagram asks
    // at hundreds): no text is compared per section.
    enum class Force { Moment, Shear, Axial, None };
    // "M", "Q", "N"; any other text gives Force::None, whose value is 0.
    static Force forceNamed(const std::string& m_q_n);
    double endForceLimit(double leng, const EndForces& ends, double x, Side side,
                         Force force) const;
    double loadLimit(double leng, orv::LoadKind kind, double xq, double q, double x, Side side,
                     Force force) const;
};
