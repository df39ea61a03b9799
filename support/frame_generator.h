// Frames for benchmarks and tests, loaded straight into a solver object as
// the program would load a drawn frame.
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
#include <string>
#include <vector>

#include "solver/frame_solver.h"

namespace orv::testing {

struct NodePoint {
    float x;
    float y;
};

struct Section {
    float e;        // N/mm^2
    float area;     // m^2
    float inertia;  // m^4
};

struct Load {
    std::int16_t kind;
    float xq;
    float q;
};

// Collects nodes, members, loads and supports, then fills the solver's
// arrays in one go; nodes without a support get code 7.
class FrameBuilder {
public:
    explicit FrameBuilder(std::vector<NodePoint> nodes);

    // Returns the new member's number.
    int addMember(int left, int right, const Section& section);
    void addLoad(int member, const Load& load);
    void support(int node, std::int16_t code);
    float length(int member) const;

    内力_位移 build() const;

private:
    struct MemberData {
        int left;
        int right;
        Section section;
        std::vector<Load> loads;
    };
    std::string coordinateText(int node) const;

    std::vector<NodePoint> nodes_;
    std::vector<MemberData> members_;
    std::vector<std::int16_t> supports_;  // by node, index 0 unused
};

内力_位移 buildingFrame(int storeys, int bays);

内力_位移 randomFrame(int memberCount, std::uint32_t seed);

}  // namespace orv::testing
