// Building frames as documents, the way the editor would hold them after
// drawing: for benchmarks of the project file and of batch analysis.
#pragma once

#include <array>
#include <vector>

#include "document/document.h"

namespace orv::testing {

// A C30 concrete member of rectangular section b x h (m) from (x1, y1) to
// (x2, y2), without loads.
gj concreteMember(float x1, float y1, float x2, float y2, float b, float h);

// Members from (x1, y1) to (x2, y2), each of `material` and without a
// section, all drawn and the nodes not yet numbered.
Document drawnMembers(const std::vector<std::array<float, 4>>& ends, const char* material = "");

// Adds load number 荷载数 + 1 to the member.
void addLoad(gj& member, const char* kind, float xq, float q);

// S storeys of 3 m and B bays of 6 m, fixed bases, C30 rectangular members,
// 20 kN/m on every beam and 10 kN of wind at each storey's left column.
Document buildingDocument(int storeys, int bays);

}  // namespace orv::testing
