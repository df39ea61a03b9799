// Support reactions of a solved frame and the check that they balance the
// loads. A reaction is the force the support and its springs exert on the
// frame, along the support's axes: Rx along +X, Ry along +Y (downward on
// the drawing, so an upward reaction is negative), M positive from +X
// towards +Y; at an inclined support Rx and Ry lie along its turned x and
// y axes instead, the directions its links restrain. Units kN and kN*m.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "results/solved_frame.h"

struct SupportReaction {
    int node = 0;              // 1..N
    orv::NodeSupport support;  // the node's kind, axes and springs as the engine read them
    orv::Point at;             // position of the node (m)
    // Rx, Ry, M: only the components the support restrains or a spring
    // holds; a fixed end all three, a pinned support Rx and Ry, a link the
    // one along it, and beside them each component with a spring.
    std::array<std::optional<double>, 3> components;
};

// Every node that a member reaches and that a support kind or a spring
// holds, by ascending node number: the sum over the member ends at the
// node of their end forces turned into the support's axes (what the node
// exerts on the members, which the support and its springs provide, no
// load acting on a node itself).
std::vector<SupportReaction> supportReactions(const SolvedFrame& frame);

// Whether springs hold the node along any of its axes.
bool hasSprings(const orv::NodeSupport& support);

// Whether any reaction lies along turned axes, or has a spring's part.
bool anyTurnedSupport(const std::vector<SupportReaction>& reactions);
bool anySpring(const std::vector<SupportReaction>& reactions);

// What is left of the whole frame's equilibrium (kN, kN, kN*m about the
// world origin): the reactions (spring forces included, inclined ones
// turned back into global axes) plus every member load as its global
// resultant. Round-off of the solution's size for a sound analysis.
struct EquilibriumResidual {
    double x = 0;
    double y = 0;
    double moment = 0;
};

EquilibriumResidual equilibriumResidual(const SolvedFrame& frame,
                                        const std::vector<SupportReaction>& reactions);
