// Turning plane vectors between a member's local axes and the global axes:
// local x runs from the first end to the second, local y is local x turned
// by +90 degrees (towards +Y from +X), as the engine's transformation has it.
// A support's turned axes are axes of the same kind.
#pragma once

#include "model/member_axis.h"

struct PlaneVector {
    double x = 0;
    double y = 0;
};

// A vector given along axes whose x axis is (cos, sin) in global axes.
inline PlaneVector turnedToGlobal(double cos, double sin, PlaneVector along) {
    return {cos * along.x - sin * along.y, sin * along.x + cos * along.y};
}

// A global vector along axes whose x axis is (cos, sin).
inline PlaneVector globalToTurned(double cos, double sin, PlaneVector global) {
    return {cos * global.x + sin * global.y, -sin * global.x + cos * global.y};
}

inline PlaneVector localToGlobal(const orv::MemberAxis& axis, PlaneVector local) {
    return turnedToGlobal(axis.cos, axis.sin, local);
}

inline PlaneVector globalToLocal(const orv::MemberAxis& axis, PlaneVector global) {
    return globalToTurned(axis.cos, axis.sin, global);
}
