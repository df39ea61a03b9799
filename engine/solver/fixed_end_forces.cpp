// Fixed-end forces of the six member load kinds and of a temperature change
// (local axes, the forces the clamped ends exert on the member). For each
// load: a its position or extent from the first end, Q its intensity, L the
// member length.
#include "solver/member_matrices.h"

namespace orv {

namespace {

// Indices into F: axial, shear and moment at the first end, then the second.
enum : std::size_t { N1, V1, M1, N2, V2, M2 };

void addConcentrated(Vector6& f, double a, double q, double length) {
    const double r = a / length;
    const double firstShare = (1 + 2 * r) * (1 - r) * (1 - r);
    f[V1] -= q * firstShare;
    f[M1] -= q * a * (1 - r) * (1 - r);
    f[V2] += -q + q * firstShare;
    f[M2] += q * a * a * (length - a) / (length * length);
}

void addUniform(Vector6& f, double a, double q, double length) {
    const double r = a / length;
    const double firstShare = 1 - r * r + r * r * r / 2;
    f[V1] -= q * a * firstShare;
    f[M1] -= q * a * a * (6 - 8 * r + 3 * r * r) / 12;
    f[V2] += -q * a + q * a * firstShare;
    f[M2] += q * a * a * a * (4 - 3 * r) / (12 * length);
}

void addAxialConcentrated(Vector6& f, double a, double q, double length) {
    const double r = a / length;
    f[N1] += q * (1 - r);
    f[N2] += q - q * (1 - r);
}

void addAxialUniform(Vector6& f, double a, double q, double length) {
    f[N1] += q * a - q * a * a / (2 * length);
    f[N2] += q * a * a / (2 * length);
}

void addTriangular(Vector6& f, double a, double q, double length) {
    const double r = a / length;
    const double firstShare = (2 - 3 * r * r + 1.6 * r * r * r) / 4;
    f[V1] -= q * a * firstShare;
    f[M1] -= q * a * a * (2 - 3 * r + 1.2 * r * r) / 6;
    f[V2] += -q * a / 2 + q * a * firstShare;
    f[M2] += q * a * a * a * (1 - 0.8 * r) / (4 * length);
}

void addCouple(Vector6& f, double a, double q, double length) {
    const double r = a / length;
    const double shear = 6 * q * (1 - r) * a / (length * length);
    f[V1] += shear;
    f[M1] += q * (1 - r) * (3 * r - 1);
    f[V2] -= shear;
    f[M2] += q * a * (2 * length - 3 * a) / (length * length);
}

// A temperature change: its uniform part t0 = (t1 + t2)/2 would lengthen
// the free member by a t0 L, its gradient bend it with the curvature
// -a (t2 - t1)/h (the warmer +y face convex). Clamped, the member takes the
// compression E A a t0 and a constant moment instead. E in N/mm^2 is
// 1000 kN/m^2. A member without depth takes the uniform part only (the
// run refuses a gradient on it beforehand).
void addTemperature(Vector6& f, const MemberInput& member) {
    const double modulus = 1000 * member.e;
    const double strain = member.expansion * (member.warmingBelow + member.warmingAbove) / 2;
    f[N1] += modulus * member.area * strain;
    f[N2] -= modulus * member.area * strain;
    if (member.depth > 0) {
        const double curvature =
            -member.expansion * (member.warmingAbove - member.warmingBelow) / member.depth;
        f[M1] += modulus * member.inertia * curvature;
        f[M2] -= modulus * member.inertia * curvature;
    }
}

}  // namespace

Vector6 fixedEndForces(const MemberInput& member) {
    Vector6 f{};
    const double length = member.axis.length;
    for (const MemberLoad& load : member.loads) {
        switch (load.kind) {
            case LoadKind::Concentrated:
                addConcentrated(f, load.a, load.q, length);
                break;
            case LoadKind::Uniform:
                addUniform(f, load.a, load.q, length);
                break;
            case LoadKind::AxialConcentrated:
                addAxialConcentrated(f, load.a, load.q, length);
                break;
            case LoadKind::AxialUniform:
                addAxialUniform(f, load.a, load.q, length);
                break;
            case LoadKind::Triangular:
                addTriangular(f, load.a, load.q, length);
                break;
            case LoadKind::Couple:
                addCouple(f, load.a, load.q, length);
                break;
            case LoadKind::None:
                break;
        }
    }
    if (member.warmingBelow != 0 || member.warmingAbove != 0) {
        addTemperature(f, member);
    }
    return f;
}

}  // namespace orv
