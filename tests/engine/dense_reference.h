// The plain dense elimination with complete pivoting, written the way the
// textbook describes it (row-major search of the remaining block, rows and
// columns exchanged, the permutation recorded, rows below reduced by the
// unchanged pivot row). The engine's fast elimination must choose the same
// pivots and give the same numbers, bit for bit.
#pragma once

#include <vector>

#include "solver/complete_pivoting.h"

namespace orv::testing {

EliminationResult denseCompletePivoting(const SparseMatrix& matrix, std::vector<double> rhs);

}  // namespace orv::testing
