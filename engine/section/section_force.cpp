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

using EndForces = x_内力::EndForces;

// Where a section lies against a load's position a (0 for the end forces'
// part). At a itself upx counts a load as lying beyond the section.
enum class Place { Before, At, After };

Place placeOf(double x, double a) {
    return x < a ? Place::Before : (x > a ? Place::After : Place::At);
}

// The limit from one side of a: a section at a takes the load's part as
// just before or just after it.
Place placeOf(double x, double a, x_内力::Side side) {
    const Place place = placeOf(x, a);
    if (place != Place::At) {
        return place;
    }
    return side == x_内力::Side::Before ? Place::Before : Place::After;
}

SectionForces endForcePart(double length, const EndForces& f, double x, Place place) {
    SectionForces s;
    s.m = f.ma - (f.ma + f.mb) * x / length;
    if (place == Place::After) {
        s.v = -f.qb;
        s.n = -f.nb;
    } else if (place == Place::Before) {
        s.v = -f.qa;
        s.n = -f.na;
    }
    return s;
}

// The part of one load of kind `kind` with parameter a and intensity q.
SectionForces loadPart(orv::LoadKind kind, double length, double a, double q, double x,
                       Place place) {
    using orv::LoadKind;
    const double span = length;
    const bool before = place != Place::After;
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
double finiteOrZero(double value) {
    return std::isfinite(value) ? value : 0.0;
}

SectionForces partAt(double length, const std::string& lx, double a, double q,
                     const EndForces& ends, double x, Place place) {
    if (lx.empty()) {
        return endForcePart(length, ends, x, place);
    }
    return loadPart(static_cast<orv::LoadKind>(orv::loadKindCode(lx)), length, a, q, x, place);
}

double chosen(const SectionForces& s, x_内力::Force force) {
    switch (force) {
        case x_内力::Force::Moment:
            return finiteOrZero(s.m);
        case x_内力::Force::Shear:
            return finiteOrZero(s.v);
        case x_内力::Force::Axial:
            return finiteOrZero(s.n);
        case x_内力::Force::None:
            break;
    }
    return 0;
}

}  // namespace

float x_内力::upx(float leng, std::string lx, float xq, float q, float na, float qa, float ma,
                  float nb, float qb, float mb, float x, std::string m_q_n) const {
    const SectionForces s =
        partAt(leng, lx, xq, q, EndForces{na, qa, ma, nb, qb, mb}, x, placeOf(x, xq));
    const float stored = static_cast<float>(chosen(s, forceNamed(m_q_n)));
    return std::isfinite(stored) ? stored : 0.0f;
}

double x_内力::limit(double leng, const std::string& lx, double xq, double q, const EndForces& ends,
                     double x, Side side, const std::string& m_q_n) const {
    return chosen(partAt(leng, lx, xq, q, ends, x, placeOf(x, xq, side)), forceNamed(m_q_n));
}

x_内力::Force x_内力::forceNamed(const std::string& m_q_n) {
    if (m_q_n == "M") {
        return Force::Moment;
    }
    if (m_q_n == "Q") {
        return Force::Shear;
    }
    return m_q_n == "N" ? Force::Axial : Force::None;
}

// The end forces' part jumps at the first end, a = 0.
double x_内力::endForceLimit(double leng, const EndForces& ends, double x, Side side,
                             Force force) const {
    return chosen(endForcePart(leng, ends, x, placeOf(x, 0.0, side)), force);
}

double x_内力::loadLimit(double leng, orv::LoadKind kind, double xq, double q, double x, Side side,
                         Force force) const {
    return chosen(loadPart(kind, leng, xq, q, x, placeOf(x, xq, side)), force);
}
