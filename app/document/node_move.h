// A node moved to another place: every member end numbered with it
// follows, and its support with its springs, turn and settlement stays on
// it. Members are kept the way the editor stores them (first end left, or
// lower when vertical), so a member the move turns around has its ends
// swapped with their connections.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>

#include "document/document.h"

// Whether a member from (x1, y1) to (x2, y2) runs as the editor stores
// members: left to right, or bottom to top when vertical (y runs down).
// The inclination, and with it each diagram's side, relies on it.
bool runsInDrawingOrder(float x1, float y1, float x2, float y2);

// Where a drawn member end numbered `node` lies; none for no such node.
std::optional<std::pair<float, float>> nodePoint(const Document& document, std::int16_t node);

// Why a move is refused, and the node or member it names.
struct NodeMoveRefusal {
    enum class Reason {
        None,
        OntoNode,    // another node lies at the new place: `number` is it
        ZeroLength,  // member `number` would have no length
        // Member `number` would turn around, and its loads or temperature
        // change, measured from its first end and on its faces, would not
        // mean what they said.
        TurnsLoadedMember,
    };
    Reason reason = Reason::None;
    std::int16_t number = 0;
};

NodeMoveRefusal checkNodeMove(const Document& document, std::int16_t node, float x, float y);

// Moves the ends at `node` (one checkNodeMove accepts) and its record to
// (x, y). Every node keeps its number, so supports, springs, turns and
// settlements stay where they are.
void moveNodeEnds(Document& document, std::int16_t node, float x, float y);
