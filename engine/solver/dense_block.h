// The dense phase of the complete-pivoting elimination: the remaining block,
// once filled in, is held as a dense array and reduced with contiguous
// vectorised row operations; see complete_pivoting.cpp.
#pragma once

#include <cstddef>
#include <vector>

#include "solver/elimination_state.h"

namespace orv::detail {

// Eliminates steps firstStep..n-1 on the active rows of `rows` (sparse rows
// by original index, released on entry). False when a pivot is zero.
bool eliminateDenseBlock(EliminationState& state, int firstStep,
                         std::vector<std::vector<SparseEntry>>& rows);

// For tests: the number of doubles of dense storage the calling thread
// keeps for its next run.
std::size_t denseScratchSize();

// For tests: a function called before each dense step of the runs on the
// calling thread (nullptr for none), which may throw to make a run fail
// midway. Returns the function set before.
using DenseStepHook = void (*)(int step);
DenseStepHook setDenseStepHook(DenseStepHook hook);

}  // namespace orv::detail
