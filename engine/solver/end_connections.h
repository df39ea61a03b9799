// Members whose ends are connected to their nodes through rotational
// springs. A hinge is a spring of zero stiffness, a rigid joint one of
// infinite stiffness. The member is treated in its basic system: the end
// rotations measured from its chord, whose flexibility L/(6EI)[[2,-1],[-1,2]]
// each spring adds 1/k to. Inverting that sum gives the moments the member
// end carries; a hinged end's row and column are zero exactly, so its
// moment, and the fixed-end moment of every load kind there, are zero
// exactly and not to round-off. The same flexibility recovers the member's
// own end rotations after the solve.
#pragma once

#include <array>

#include "solver/member_matrices.h"

namespace orv {

inline bool isHinge(double connection) {
    return connection == 0;
}

// Whether either end of the member is connected other than rigidly.
bool hasReleasedEnd(const MemberInput& member);

// Local stiffness over the six node freedoms and fixed-end forces (the
// forces clamped nodes exert on the member through its connections).
struct ConnectedMember {
    Matrix6 stiffness{};
    Vector6 fixedEnd{};
};
ConnectedMember connectedMember(const MemberInput& member);

// What a member does once its nodes have moved by the local displacements
// `local` (T d): its local end forces, and the rotation of each of its own
// ends (first, second), the node's where the end is rigid.
struct MemberEndState {
    Vector6 forces{};
    std::array<double, 2> endRotations{};
};
MemberEndState connectedEndState(const MemberInput& member, const Vector6& local);

}  // namespace orv
