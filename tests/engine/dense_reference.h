// The plain dense elimination the engine's sparse factorization is compared
// with, written the way the textbook describes it: the whole symmetric
// matrix rebuilt from its lower triangle, rows below the pivot reduced by
// the pivot row in the natural order of the freedoms, back substitution.
// Long double, so that it is also the more exact of the two. No pivoting:
// the stiffness matrix of a stable frame is positive definite.
#pragma once

#include <optional>
#include <vector>

#include "solver/sparse_matrix.h"

namespace orv::testing {

// Nothing when a pivot is zero by the engine's rule (at most 1e-12 times
// its freedom's diagonal).
std::optional<std::vector<long double>> denseSolve(const StiffnessMatrix& lower,
                                                   const std::vector<double>& rhs);

}  // namespace orv::testing
