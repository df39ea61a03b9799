// Matrices of one member in the direct stiffness method. Local end
// quantities are ordered (axial, transverse, rotation) at the first end,
// then at the second end; local = T x global.
#pragma once

#include <array>

#include "solver/frame_input.h"

namespace orv {

using Vector6 = std::array<double, 6>;
using Matrix6 = std::array<Vector6, 6>;

// Transformation T: blocks [[c, s, 0], [-s, c, 0], [0, 0, 1]] on the diagonal.
Matrix6 transformation(const MemberAxis& axis);

// Local stiffness k of a plane frame member (E, A, I unconverted: with E in
// N/mm^2 the displacements it relates to forces are 1000 x (m, rad)).
Matrix6 localStiffness(const MemberInput& member);

// Global stiffness T^T k T of the member's own k, or of a given local k.
Matrix6 globalStiffness(const MemberInput& member);
Matrix6 globalStiffness(const Matrix6& local, const MemberAxis& axis);

// Local end displacements T d from global ones.
Vector6 localDisplacements(const MemberAxis& axis, const Vector6& global);

// Fixed-end forces F of the member's loads and temperature change in local
// axes: the end forces of
// the member clamped at both ends, as the nodes exert them on the member.
Vector6 fixedEndForces(const MemberInput& member);

// Equivalent nodal loads in global axes, -T^T F.
Vector6 equivalentNodalLoads(const MemberInput& member, const Vector6& fixedEnd);

// Local end forces k (T d) + F from the member's global end displacements d.
Vector6 localEndForces(const MemberInput& member, const Vector6& displacements,
                       const Vector6& fixedEnd);

}  // namespace orv
