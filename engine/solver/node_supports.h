// What holds the nodes beside the members: inclined support axes, springs
// and settlements, and the checks a run makes of them and of temperature
// changes before it assembles anything.
//
// A node whose support axes are turned is solved along them: its two
// translation freedoms are the movements along the turned x and y axes, so
// that a link restrains one of them exactly, as a support along X or Y
// does, with no penalty stiffness. The members' matrices and loads are
// turned into those axes at assembly and the displacements turned back to
// X and Y after the solve.
#pragma once

#include <optional>
#include <vector>

#include "solver/analysis.h"
#include "solver/diagnostic.h"
#include "solver/frame_input.h"

namespace orv {

// The member's global stiffness and nodal loads with the freedoms of each
// node whose support axes are turned expressed along those axes.
void turnToSupportAxes(const FrameInput& frame, const MemberInput& member, Matrix6& stiffness,
                       Vector6& loads);

// Displacements of all freedoms from the support axes back to X and Y.
void turnToGlobalAxes(const FrameInput& frame, std::vector<double>& displacements);

// Which of the node's support x, y and rotation the support code or a
// spring holds.
std::array<bool, 3> heldFreedoms(const NodeSupport& support);

// Why the run cannot go on with these effects, or nothing: a member given
// by area and second moment only that warms unevenly (it has no depth), a
// settlement of a freedom the support code does not restrain.
std::optional<Diagnostic> refusedEffects(const FrameInput& frame);

}  // namespace orv
