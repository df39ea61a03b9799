// Node numbers derived from the member ends: two ends with exactly the same
// coordinates are the same node, numbered 1, 2, 3, ... in the order in which
// members and their ends are met.
#pragma once

#include <cstdint>

#include "document/document.h"

// Node numbers are 16-bit in the document and in the project file.
inline constexpr int kMaxNodeCount = INT16_MAX;

// Numbers the ends of members 1..membersEntered (左号, 右号), sets
// nodeCount and starts nodes and supportKinds afresh (every kind 7), which
// drops every support placed before.
//
// Returns false, and leaves the document exactly as it was, when the members
// need more than kMaxNodeCount (32,767) nodes.
bool 节点自动编号(Document& document);
