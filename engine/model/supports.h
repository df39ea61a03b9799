// Support kinds and the freedoms of a node. Node n (1-based) owns the global
// freedoms 3(n-1)+1 (translation along X), 3(n-1)+2 (translation along Y,
// downward on the drawing) and 3(n-1)+3 (rotation).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace orv {

// Support codes as stored per node and handed to the solver.
enum SupportCode : std::int16_t {
    kFixedEnd = 0,        // "固端": X, Y and rotation restrained
    kPinned = 1,          // "双铰": X and Y restrained
    kHorizontalLink = 3,  // "水平单铰": X restrained
    kVerticalLink = 5,    // "竖向单铰": Y restrained
    kNoSupport = 7,       // free in all three freedoms
};

struct SupportKindInfo {
    SupportCode code;
    std::string_view menuName;
    std::array<bool, 3> restrains;  // X, Y, rotation
};

inline constexpr std::array<SupportKindInfo, 4> kSupportKinds{{
    {kFixedEnd, "固端", {true, true, true}},
    {kPinned, "双铰", {true, true, false}},
    {kHorizontalLink, "水平单铰", {true, false, false}},
    {kVerticalLink, "竖向单铰", {false, true, false}},
}};

// Which of X, Y, rotation a code restrains; any code other than the four
// support kinds (7 included) restrains nothing.
constexpr std::array<bool, 3> restrainedFreedoms(std::int16_t code) {
    for (const SupportKindInfo& info : kSupportKinds) {
        if (info.code == code) {
            return info.restrains;
        }
    }
    return {false, false, false};
}

// First global freedom (X) of node n; the node's freedoms are this, +1, +2.
constexpr long firstFreedomOfNode(long node) {
    return 3 * (node - 1) + 1;
}

}  // namespace orv
