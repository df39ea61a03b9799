// Turning plane vectors between a member's local axes and the global axes:
// local x runs from the first end to the second, local y is local x turned
// by +90 degrees (towards +Y from +X), as the engine's transformation has it.
#pragma once

#include "model/member_axis.h"

struct PlaneVector {
    double x = 0;
    double y = 0;
};

inline PlaneVector localToGlobal(const orv::MemberAxis& axis, PlaneVector local) {
    return {axis.cos * local.x - axis.sin * local.y, axis.sin * local.x + axis.cos * local.y};
}

inline PlaneVector globalToLocal(const orv::MemberAxis& axis, PlaneVector global) {
    return {axis.cos * global.x + axis.sin * global.y, -axis.sin * global.x + axis.cos * global.y};
}
