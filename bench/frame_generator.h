// Generated frames for benchmarks and tests, loaded straight into a solver
// object as the program would load a drawn frame.
//
// Building frames: S storeys of 3 m, B bays of 6 m, fixed bases, C30
// rectangular members (columns 0.4 x 0.4, beams 0.25 x 0.5), 20 kN/m on every
// beam and a 10 kN lateral point load at the top of each storey's left
// column. S x B gives (B + 1) S columns and B S beams.
//
// Random frames: nodes on a jittered grid, joined to near neighbours only
// (a spanning tree first, so the frame is connected, then extra members),
// a few fixed and pinned supports, random sections and loads of every kind.
#pragma once

#include <cstdint>

#include "solver/内力_位移.h"

namespace orv::testing {

内力_位移 buildingFrame(int storeys, int bays);

内力_位移 randomFrame(int memberCount, std::uint32_t seed);

}  // namespace orv::testing
