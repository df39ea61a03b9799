// Length and direction of a member from its end coordinates, formed in
// double precision from the stored single-precision coordinates. Local x runs
// from the first end to the second; local y is local x turned by +90 degrees.
#pragma once

#include <cmath>

namespace orv {

struct MemberAxis {
    double length = 0;  // m
    double cos = 0;     // (x2 - x1) / L
    double sin = 0;     // (y2 - y1) / L
};

// For coincident ends the length is exactly 0 and the direction 0/0 (NaN).
inline MemberAxis memberAxis(float x1, float y1, float x2, float y2) {
    const double dx = double{x2} - x1;
    const double dy = double{y2} - y1;
    const double length = std::sqrt(dx * dx + dy * dy);
    return {length, dx / length, dy / length};
}

}  // namespace orv
