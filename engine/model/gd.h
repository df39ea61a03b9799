// gd: the record of one node. The engine reads none of it; the editor keeps
// the node's position, number and the orientation of its support symbol.
#pragma once

#include <cstdint>

class gd {
public:
    bool 支座方向 = false;    // orientation of the support symbol (drawing only)
    float x = 0;              // world X (m)
    float y = 0;              // world Y (m), downward on the drawing
    std::int16_t 节点号 = 0;  // node number 1..N

    bool operator==(const gd&) const = default;
};
