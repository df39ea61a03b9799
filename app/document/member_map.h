// A member carried to another place of the plane, by a shift and possibly
// a mirror, with everything it carries: a copy, an array element or a
// mirror image keeps the whole record, and a member stays stored in the
// drawing order the diagrams rely on (first end left, or below when
// vertical).
#pragma once

#include <optional>

#include "model/gj.h"

// A map of the plane: a mirror about the vertical line x = c or the
// horizontal line y = c (or none), then a shift by (dx, dy).
struct PlaneMap {
    enum class Mirror { None, AboutVertical, AboutHorizontal };
    Mirror mirror = Mirror::None;
    double c = 0;
    double dx = 0;
    double dy = 0;

    float mapX(float x) const;
    float mapY(float y) const;
};

// Whether the member's ends are in drawing order: left to right, and for a
// vertical member first end at the larger y.
bool inDrawingOrder(const gj& member);

// The member with its ends swapped, its loads, end connections and
// temperature faces going with them, so that it carries what it carried
// before. Nothing when a load cannot follow: a distributed load over part
// of the member is measured from the first end and would change its place.
std::optional<gj> reversed(const gj& member);

// The member carried by `map` and put in drawing order; nothing when it
// would have to be reversed and cannot be (see reversed).
std::optional<gj> mapped(const gj& member, const PlaneMap& map);
