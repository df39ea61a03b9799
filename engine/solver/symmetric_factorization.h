// Solution of K x = P for the symmetric stiffness matrix K by K = L D Lᵀ in
// a fill-reducing order of the nodes, so that the factor of a frame stays
// about as sparse as the frame itself.
//
// A pivot D(k) counts as zero, and the system as singular, when its
// magnitude is at most kZeroPivotRatio times that of the diagonal entry of
// its freedom in K before factoring, or when that entry is 0: factoring a
// mechanism leaves round-off of that order instead of an exact zero.
#pragma once

#include <optional>
#include <vector>

#include "solver/sparse_matrix.h"

namespace orv {

inline constexpr double kZeroPivotRatio = 1e-12;

struct Factored {
    std::vector<double> x;           // solution by freedom, when not singular
    std::optional<int> zeroPivotAt;  // 0-based freedom of the first zero pivot met
};

// Systems of at least this many freedoms are first factored in blocks
// (supernodal_cholesky.h), in the same order; smaller ones, and those the
// blocks do not clearly solve, by L D Lᵀ, which alone names a zero pivot.
inline constexpr int kSupernodalFromFreedoms = 6000;

// `lower` is the lower triangle of K, compressed, every diagonal entry stored.
Factored factorAndSolve(const StiffnessMatrix& lower, const std::vector<double>& rhs,
                        int supernodalFrom = kSupernodalFromFreedoms);

struct FactoredCases {
    std::vector<std::vector<double>> x;  // per right-hand side, when not singular
    std::optional<int> zeroPivotAt;      // as Factored's
};

// The same for several load vectors (load cases) from one factorization.
FactoredCases factorAndSolveCases(const StiffnessMatrix& lower,
                                  const std::vector<std::vector<double>>& rhs,
                                  int supernodalFrom = kSupernodalFromFreedoms);

}  // namespace orv
