// The dense phase of the complete-pivoting elimination: the remaining block,
// once filled in, is held as a dense array and reduced with contiguous
// vectorised row operations; see complete_pivoting.cpp.
#pragma once

#include <vector>

#include "solver/elimination_state.h"

namespace orv::detail {

// Eliminates steps firstStep..n-1 on the active rows of `rows` (sparse rows
// by original index, released on entry). False when a pivot is zero.
bool eliminateDenseBlock(EliminationState& state, int firstStep,
                         std::vector<std::vector<SparseEntry>>& rows);

}  // namespace orv::detail
