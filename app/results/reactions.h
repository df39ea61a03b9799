// Support reactions of a solved frame and the check that they balance the
// loads. A reaction is the force the support exerts on the frame, in
// global axes: Rx along +X, Ry along +Y (downward on the drawing, so an
// upward reaction is negative), M positive from +X towards +Y. Units kN
// and kN*m.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "results/solved_frame.h"

struct SupportReaction {
    int node = 0;                // 1..N
    std::int16_t supportCode{};  // orv::SupportCode of the node
    orv::Point at;               // position of the node (m)
    // Rx, Ry, M: only the components the support restrains; a fixed end
    // all three, a pinned support Rx and Ry, a link the one along it.
    std::array<std::optional<double>, 3> components;
};

// Every supported node that a member reaches, by ascending node number:
// the sum over the member ends at the node of their end forces turned into
// global axes (what the node exerts on the members, which the support
// provides, no load acting on a node itself).
std::vector<SupportReaction> supportReactions(const SolvedFrame& frame);

// What is left of the whole frame's equilibrium (kN, kN, kN*m about the
// world origin): the reactions plus every member load as its global
// resultant. Round-off of the solution's size for a sound analysis.
struct EquilibriumResidual {
    double x = 0;
    double y = 0;
    double moment = 0;
};

EquilibriumResidual equilibriumResidual(const SolvedFrame& frame,
                                        const std::vector<SupportReaction>& reactions);
