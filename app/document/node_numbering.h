// Node numbers derived from the member ends: two ends with exactly the same
// coordinates are the same node, numbered 1, 2, 3, ... in the order in which
// members and their ends are met.
#pragma once

#include <cstdint>
#include <vector>

#include "document/document.h"

// Node numbers are 16-bit in the document and in the project file.
inline constexpr int kMaxNodeCount = INT16_MAX;

// Numbers the ends of members 1..membersEntered (左号, 右号), sets
// nodeCount and starts nodes and supportKinds afresh (every kind 7), which
// drops every support placed before (the editor places them again with
// supportsAtPoints / placeSupportsAtPoints).
//
// Returns false, and leaves the document exactly as it was, when the members
// need more than kMaxNodeCount (32,767) nodes.
bool 节点自动编号(Document& document);

// A key per point: equal coordinates, the same node, the same key.
std::uint64_t pointKey(float x, float y);

// A support as the node it stands on is known apart from node numbers: by
// the node's coordinates. Its springs, turn and settlement go with it.
struct SupportAtPoint {
    float x = 0;
    float y = 0;
    std::int16_t kind = 7;
    gd record;
    SupportExtras extras;
};

// Every placed support of the drawn members' nodes, each at its node's
// coordinates (the first member end numbered with that node); a node with
// springs but no support kind counts as supported.
std::vector<SupportAtPoint> supportsAtPoints(const Document& document);

// Places each support again on the node that now lies at its point, after
// the nodes were numbered anew; a support whose point no drawn member
// reaches any more is dropped.
void placeSupportsAtPoints(Document& document, const std::vector<SupportAtPoint>& supports);
