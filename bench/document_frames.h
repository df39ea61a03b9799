// Building frames as documents, the way the editor would hold them after
// drawing: for benchmarks of the project file and of batch analysis.
#pragma once

#include "document/document.h"

namespace orv::testing {

// S storeys of 3 m and B bays of 6 m, fixed bases, C30 rectangular members,
// 20 kN/m on every beam and 10 kN of wind at each storey's left column.
Document buildingDocument(int storeys, int bays);

}  // namespace orv::testing
