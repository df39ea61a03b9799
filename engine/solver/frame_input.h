// The solver's input properties read into checked, typed records. Reading
// is where data from outside is refused: an index outside an input array, a
// node number outside 1..N, a coordinate text that is not a number, a value
// that is not finite. Each is thrown as the run-time error the run reports.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "model/load_kinds.h"
#include "model/member_axis.h"

class 内力_位移;
struct 荷载工况;

namespace orv {

struct MemberLoad {
    LoadKind kind = LoadKind::None;
    double a = 0;  // position or extent from the first end (m)
    double q = 0;  // intensity
};

// The rotational stiffness of a rigid connection of a member end to its
// node. Connections are kept in engine units: the connection's kN*m/rad
// over 1000, like the member stiffness with E in N/mm^2, so that rotations
// come out as 1000 x rad. A hinge is 0.
inline constexpr double kRigidConnection = std::numeric_limits<double>::infinity();

struct MemberInput {
    int number = 0;      // member number 1..M
    int leftNode = 0;    // node of the first end, 1..N
    int rightNode = 0;   // node of the second end, 1..N
    double e = 0;        // N/mm^2
    double area = 0;     // m^2
    double inertia = 0;  // m^4
    MemberAxis axis;
    std::vector<MemberLoad> loads;
    double firstEndConnection = kRigidConnection;
    double secondEndConnection = kRigidConnection;
    // Temperature change at the local -y and +y faces (degrees C), the
    // coefficient of expansion (1/degree C) and the section depth (m; 0
    // for a section without one).
    double warmingBelow = 0;
    double warmingAbove = 0;
    double expansion = 0;
    double depth = 0;
};

// What holds a node beside the members: its support code, the direction of
// its support axes, springs along them and prescribed movements.
struct NodeSupport {
    std::int16_t code = 7;
    // The support's x axis (cos a, sin a); its y axis is (-sin a, cos a).
    double cos = 1;
    double sin = 0;
    bool turned = false;  // a != 0: the node's freedoms are solved along the turned axes
    // Springs along x, y and in rotation, in engine units (kN/m and
    // kN*m/rad over 1000, like the member stiffness).
    std::array<double, 3> springs{};
    // Prescribed movement along x, y (1000 x m) and turn (1000 x rad).
    std::array<double, 3> settlement{};
};

// A member end: member number 1..M, end 0 (first) or 1 (second).
struct MemberEnd {
    int member = 0;
    int end = 0;
};

struct FrameInput {
    int nodeCount = 0;
    std::vector<MemberInput> members;        // members 1..M at indices 0..M-1
    std::vector<std::int16_t> supportCodes;  // codes of nodes 1..N at indices 0..N-1
    std::vector<NodeSupport> supports;       // nodes 1..N at indices 0..N-1
    // Nodes 1..N at indices 0..N-1: where every member end at the node is a
    // hinge and its support leaves it free to turn, the node has no rotation
    // of its own (its freedom is left out of the solve) and reports that of
    // the lowest-numbered member's end there; member 0 for every other node.
    std::vector<MemberEnd> rotationTakenFrom;
};

struct Point {
    float x = 0;
    float y = 0;
};

// Reads an end-coordinate text "x,y": x before the first comma, y after it,
// each a number within single-precision range.
Point parseCoordinateText(const std::string& text);

// Axis of member i (1-based) from its two coordinate texts.
MemberAxis memberAxisOf(const 内力_位移& solver, int member);

// Support code of node n (1-based).
std::int16_t supportCodeOf(const 内力_位移& solver, int node);

// Support of node n (1-based): code, axes, springs and settlement, checked.
NodeSupport nodeSupportOf(const 内力_位移& solver, int node);

FrameInput readFrame(const 内力_位移& solver);

// The frame of case 1 with the member loads, temperature changes and
// settlements of a further load case in place of case 1's, checked as
// case 1's are.
FrameInput withLoadCase(const FrameInput& frame, const 荷载工况& loadCase);

}  // namespace orv
