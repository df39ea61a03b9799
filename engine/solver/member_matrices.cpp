// Member stiffness and transformation; see member_matrices.h.
#include "solver/member_matrices.h"

namespace orv {

namespace {

Vector6 multiply(const Matrix6& m, const Vector6& v) {
    Vector6 out{};
    for (std::size_t r = 0; r < 6; ++r) {
        for (std::size_t c = 0; c < 6; ++c) {
            out[r] += m[r][c] * v[c];
        }
    }
    return out;
}

Vector6 multiplyTransposed(const Matrix6& m, const Vector6& v) {
    Vector6 out{};
    for (std::size_t r = 0; r < 6; ++r) {
        for (std::size_t c = 0; c < 6; ++c) {
            out[c] += m[r][c] * v[r];
        }
    }
    return out;
}

}  // namespace

Matrix6 transformation(const MemberAxis& axis) {
    Matrix6 t{};
    for (std::size_t end = 0; end < 6; end += 3) {
        t[end][end] = axis.cos;
        t[end][end + 1] = axis.sin;
        t[end + 1][end] = -axis.sin;
        t[end + 1][end + 1] = axis.cos;
        t[end + 2][end + 2] = 1;
    }
    return t;
}

Matrix6 localStiffness(const MemberInput& member) {
    const double length = member.axis.length;
    const double axial = member.e * member.area / length;
    const double ei = member.e * member.inertia;
    const double shear = 12 * ei / (length * length * length);
    const double coupling = 6 * ei / (length * length);
    const double rotation = 4 * ei / length;
    const double carryOver = 2 * ei / length;
    return {{
        {axial, 0, 0, -axial, 0, 0},
        {0, shear, coupling, 0, -shear, coupling},
        {0, coupling, rotation, 0, -coupling, carryOver},
        {-axial, 0, 0, axial, 0, 0},
        {0, -shear, -coupling, 0, shear, -coupling},
        {0, coupling, carryOver, 0, -coupling, rotation},
    }};
}

Matrix6 globalStiffness(const MemberInput& member) {
    return globalStiffness(localStiffness(member), member.axis);
}

Vector6 localDisplacements(const MemberAxis& axis, const Vector6& global) {
    return multiply(transformation(axis), global);
}

Matrix6 globalStiffness(const Matrix6& k, const MemberAxis& axis) {
    const Matrix6 t = transformation(axis);
    Matrix6 kt{};  // k T
    for (std::size_t r = 0; r < 6; ++r) {
        for (std::size_t c = 0; c < 6; ++c) {
            for (std::size_t m = 0; m < 6; ++m) {
                kt[r][c] += k[r][m] * t[m][c];
            }
        }
    }
    Matrix6 global{};  // T^T (k T)
    for (std::size_t r = 0; r < 6; ++r) {
        for (std::size_t c = 0; c < 6; ++c) {
            for (std::size_t m = 0; m < 6; ++m) {
                global[r][c] += t[m][r] * kt[m][c];
            }
        }
    }
    return global;
}

Vector6 equivalentNodalLoads(const MemberInput& member, const Vector6& fixedEnd) {
    Vector6 loads = multiplyTransposed(transformation(member.axis), fixedEnd);
    for (double& value : loads) {
        value = -value;
    }
    return loads;
}

Vector6 localEndForces(const MemberInput& member, const Vector6& displacements,
                       const Vector6& fixedEnd) {
    const Vector6 local = localDisplacements(member.axis, displacements);
    Vector6 forces = multiply(localStiffness(member), local);
    for (std::size_t r = 0; r < 6; ++r) {
        forces[r] += fixedEnd[r];
    }
    return forces;
}

}  // namespace orv
