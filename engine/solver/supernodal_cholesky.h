// K = L Lᵀ of a large stiffness matrix in dense blocks of columns
// (supernodes, CHOLMOD), whose updates run as dense matrix products: several
// times faster than a column-by-column factorization on frames of
// thousands of nodes.
//
// It only ever answers for a system that is clearly sound: every pivot
// L(k,k)² above kSoundPivotRatio times its freedom's diagonal in K, far
// above the zero-pivot rule of symmetric_factorization.h. Anything else (a
// mechanism, a negative modulus, a nearly singular system, no memory) gives
// nothing, and the caller factors by L D Lᵀ, which decides and names the
// zero pivot exactly as for a small frame.
#pragma once

#include <optional>
#include <vector>

#include "solver/sparse_matrix.h"

namespace orv {

inline constexpr double kSoundPivotRatio = 1e-8;

// `lower` is the lower triangle of K, compressed; `order[k]` the freedom
// factored at position k; `rhs` one or more load vectors, each solved
// from the one factor.
std::optional<std::vector<std::vector<double>>> solveSoundSystem(
    const StiffnessMatrix& lower, std::vector<int> order,
    const std::vector<std::vector<double>>& rhs);

}  // namespace orv
