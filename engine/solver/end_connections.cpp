// The basic system of a member with connected ends; see end_connections.h.
#include "solver/end_connections.h"

namespace orv {

namespace {

using Vector2 = std::array<double, 2>;
using Matrix2 = std::array<Vector2, 2>;

// Indices into the local end quantities.
enum : std::size_t { N1, V1, M1, N2, V2, M2 };

Vector2 multiply(const Matrix2& m, const Vector2& v) {
    return {m[0][0] * v[0] + m[0][1] * v[1], m[1][0] * v[0] + m[1][1] * v[1]};
}

// End-rotation flexibility of the member (clamped-end moments to end
// rotations from the chord).
Matrix2 memberFlexibility(const MemberInput& member) {
    const double f = member.axis.length / (6 * member.e * member.inertia);
    return {{{2 * f, -f}, {-f, 2 * f}}};
}

double springFlexibility(double connection) {
    return connection == kRigidConnection ? 0 : 1 / connection;
}

// End moments per end rotation from the chord, with each spring in series
// with its end; a hinged end carries nothing.
Matrix2 basicStiffness(const MemberInput& member, const Matrix2& flexibility) {
    Matrix2 g = flexibility;
    g[0][0] += springFlexibility(member.firstEndConnection);
    g[1][1] += springFlexibility(member.secondEndConnection);
    const bool firstHinged = isHinge(member.firstEndConnection);
    const bool secondHinged = isHinge(member.secondEndConnection);
    if (firstHinged && secondHinged) {
        return {};
    }
    if (firstHinged) {
        return {{{0, 0}, {0, 1 / g[1][1]}}};
    }
    if (secondHinged) {
        return {{{1 / g[0][0], 0}, {0, 0}}};
    }
    const double det = g[0][0] * g[1][1] - g[0][1] * g[1][0];
    return {{{g[1][1] / det, -g[0][1] / det}, {-g[1][0] / det, g[0][0] / det}}};
}

// Rows of B: end rotations from the chord, theta - (v2 - v1)/L, per local
// node displacement. B transposed turns end moments into end forces.
std::array<Vector6, 2> chordRotationRows(double length) {
    return {{{0, 1 / length, 1, 0, -1 / length, 0}, {0, 1 / length, 0, 0, -1 / length, 1}}};
}

// Adds B^T m to the end forces: moments m at the ends and the shears that
// balance them.
void addMoments(Vector6& forces, const Vector2& moments, double length) {
    const double shear = (moments[0] + moments[1]) / length;
    forces[V1] += shear;
    forces[M1] += moments[0];
    forces[V2] -= shear;
    forces[M2] += moments[1];
}

struct BasicMember {
    Matrix2 flexibility;
    Matrix2 stiffness;
    Vector2 clampedMoments;    // fixed-end moments of the rigidly clamped member
    Vector2 connectedMoments;  // the same through the connections
    Vector6 clampedForces;
};

BasicMember basicMember(const MemberInput& member) {
    BasicMember basic;
    basic.flexibility = memberFlexibility(member);
    basic.stiffness = basicStiffness(member, basic.flexibility);
    basic.clampedForces = fixedEndForces(member);
    basic.clampedMoments = {basic.clampedForces[M1], basic.clampedForces[M2]};
    basic.connectedMoments =
        multiply(basic.stiffness, multiply(basic.flexibility, basic.clampedMoments));
    return basic;
}

}  // namespace

bool hasReleasedEnd(const MemberInput& member) {
    return member.firstEndConnection != kRigidConnection ||
           member.secondEndConnection != kRigidConnection;
}

ConnectedMember connectedMember(const MemberInput& member) {
    const BasicMember basic = basicMember(member);
    const double length = member.axis.length;
    const double axial = member.e * member.area / length;
    const auto b = chordRotationRows(length);
    ConnectedMember result;
    for (std::size_t r = 0; r < 6; ++r) {
        for (std::size_t c = 0; c < 6; ++c) {
            double sum = 0;
            for (std::size_t u = 0; u < 2; ++u) {
                for (std::size_t w = 0; w < 2; ++w) {
                    sum += b[u][r] * basic.stiffness[u][w] * b[w][c];
                }
            }
            result.stiffness[r][c] = sum;
        }
    }
    result.stiffness[N1][N1] = result.stiffness[N2][N2] = axial;
    result.stiffness[N1][N2] = result.stiffness[N2][N1] = -axial;
    result.fixedEnd = basic.clampedForces;
    addMoments(result.fixedEnd,
               {basic.connectedMoments[0] - basic.clampedMoments[0],
                basic.connectedMoments[1] - basic.clampedMoments[1]},
               length);
    return result;
}

MemberEndState connectedEndState(const MemberInput& member, const Vector6& local) {
    const BasicMember basic = basicMember(member);
    const double length = member.axis.length;
    const auto b = chordRotationRows(length);
    Vector2 chordRotations{};
    for (std::size_t u = 0; u < 2; ++u) {
        for (std::size_t c = 0; c < 6; ++c) {
            chordRotations[u] += b[u][c] * local[c];
        }
    }
    Vector2 moments = multiply(basic.stiffness, chordRotations);
    moments[0] += basic.connectedMoments[0];
    moments[1] += basic.connectedMoments[1];
    // A hinge carries no moment: zero, not the round-off of a zero row.
    const std::array<double, 2> connections{member.firstEndConnection, member.secondEndConnection};
    for (std::size_t end = 0; end < 2; ++end) {
        if (isHinge(connections[end])) {
            moments[end] = 0;
        }
    }
    MemberEndState state;
    state.forces = basic.clampedForces;
    const double axial = member.e * member.area / length * (local[N1] - local[N2]);
    state.forces[N1] += axial;
    state.forces[N2] -= axial;
    const Vector2 change{moments[0] - basic.clampedMoments[0],
                         moments[1] - basic.clampedMoments[1]};
    addMoments(state.forces, change, length);
    state.forces[M1] = moments[0];
    state.forces[M2] = moments[1];
    // The member's own end rotations: the chord's turn plus its bending.
    const double chord = (local[V2] - local[V1]) / length;
    const Vector2 bending = multiply(basic.flexibility, change);
    state.endRotations = {local[M1], local[M2]};
    for (std::size_t end = 0; end < 2; ++end) {
        if (connections[end] != kRigidConnection) {
            state.endRotations[end] = chord + bending[end];
        }
    }
    return state;
}

}  // namespace orv
