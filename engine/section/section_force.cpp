// Section forces of a member: the part of the end forces and, per load, the
// simply supported span's moment with the shear and axial force of the load
// lying beyond the section (towards the second end).
#include "section/section_force.h"

#include <cmath>

#include "model/load_kinds.h"

namespace {

struct SectionForces {
    double m = 0;  // bending moment
    double v = 0;  // shear
    double n = 0;  // axial force
};

struct EndForces {
    double na, qa, ma, nb, qb, mb;
};

SectionForces endForcePart(double length, double a, const EndForces& f, double x) {
    SectionForces s;
    s.m = f.ma - (f.ma + f.mb) * x / length;
    if (x > a) {
        s.v = -f.qb;
        s.n = -f.nb;
    } else if (x < a) {
        s.v = -f.qa;
        s.n = -f.na;
    }
    return s;
}

// The part of one load of kind `kind` with parameter a and intensity q.
SectionForces loadPart(orv::LoadKind kind, double length, double a, double q, double x) {
    using orv::LoadKind;
    const double span = length;
    const bool before = x <= a;
    SectionForces s;
    switch (kind) {
        case LoadKind::Concentrated:
            s.m = before ? q * (span - a) * x / span : q * a * (span - x) / span;
            s.v = before ? -q : 0;
            break;
        case LoadKind::Uniform: {
            const double ma = q * a * a * (span - a) / (2 * span);
            s.m =
                before ? ma * x / a + q * a * x / 2 - q * x * x / 2 : ma * (span - x) / (span - a);
            s.v = before ? -q * (a - x) : 0;
            break;
        }
        case LoadKind::AxialConcentrated:
            s.n = before ? q : 0;
            break;
        case LoadKind::AxialUniform:
            s.n = before ? q * (a - x) : 0;
            break;
        case LoadKind::Triangular: {
            const double ma = q * a * a * (span - a) / (3 * span);
            s.m = before ? ma * x / a + q * a * x / 6 - q * x * x * x / (6 * a)
                         : ma * (span - x) / (span - a);
            s.v = before ? -q * (1 + x / a) * (a - x) / 2 : 0;
            break;
        }
        case LoadKind::Couple:
            s.m = before ? -q * x / span : q * (span - x) / span;
            break;
        case LoadKind::None:
            break;
    }
    return s;
}

// A quotient with a zero divisor arises only for a load of zero extent
// (a = 0 at x = 0, or a = L beyond the member's end) or a member of zero
// length; such a part is the limit 0, not a fault of the caller.
float storedOrZero(double value) {
    const float stored = static_cast<float>(value);
    return std::isfinite(stored) ? stored : 0.0f;
}

}  // namespace

float x_内力::upx(float leng, std::string lx, float xq, float q, float na, float qa, float ma,
                  float nb, float qb, float mb, float x, std::string m_q_n) const {
    SectionForces s;
    if (lx.empty()) {
        s = endForcePart(leng, xq, EndForces{na, qa, ma, nb, qb, mb}, x);
    } else {
        s = loadPart(static_cast<orv::LoadKind>(orv::loadKindCode(lx)), leng, xq, q, x);
    }
    if (m_q_n == "M") {
        return storedOrZero(s.m);
    }
    if (m_q_n == "Q") {
        return storedOrZero(s.v);
    }
    if (m_q_n == "N") {
        return storedOrZero(s.n);
    }
    return 0;
}
