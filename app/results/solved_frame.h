// The results of one analysis gathered with the frame they belong to, in
// the form the reaction, deflected-shape and table computations read: the
// checked member records, their end points, the end forces and the node
// displacements, taken from a solver on which korvasta has succeeded.
//
// Units as the engine leaves them: forces kN, moments kN*m, lengths m;
// displacements 1000 x (m, rad), that is mm and mrad, with global Y
// downward on the drawing and rotations positive from +X towards +Y.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "results/internal_force_diagram.h"
#include "solver/frame_input.h"
#include "solver/frame_solver.h"

// A node's displacement along global X and Y (mm) and its rotation (mrad).
using NodeDisplacement = std::array<double, 3>;

struct SolvedMember {
    orv::MemberInput input;  // number, nodes, E, A, I, axis, loads, ends, temperature as read
    orv::Point first;        // world position of the first end (m)
    orv::Point second;       // world position of the second end (m)
    // Rows 1..6 of the result table: axial force, shear, moment at the
    // first end, then at the second, in local axes, exerted by the nodes
    // on the member.
    MemberEndForces endForces{};
    // The member's own rotation at its first and second end (mrad): its
    // nodes' where the end is rigid, its own where it is released.
    std::array<double, 2> endRotations{};
};

// Whether end 0 (first) or 1 (second) of the member is connected to its
// node other than rigidly, so that it turns by a rotation of its own.
inline bool isReleased(const SolvedMember& member, int end) {
    return (end == 0 ? member.input.firstEndConnection : member.input.secondEndConnection) !=
           orv::kRigidConnection;
}

struct SolvedFrame {
    std::vector<SolvedMember> members;        // members 1..M at indices 0..M-1
    std::vector<orv::NodeSupport> supports;   // nodes 1..N at indices 0..N-1
    std::vector<NodeDisplacement> nodeMoves;  // nodes 1..N at indices 0..N-1 (row 0)
};

// The solved frame of `solver`, or nothing when its input arrays do not
// describe a frame the engine could read or its result table is too small
// for that frame. The caller asks only after korvasta returned true: a
// failed run leaves a table of zeros, which reads as a frame at rest.
std::optional<SolvedFrame> readSolvedFrame(const 内力_位移& solver);

// Node number (1-based) of end 0 (first) or 1 (second) of a member.
inline int endNode(const SolvedMember& member, int end) {
    return end == 0 ? member.input.leftNode : member.input.rightNode;
}

inline orv::Point endPoint(const SolvedMember& member, int end) {
    return end == 0 ? member.first : member.second;
}
