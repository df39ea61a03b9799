// Solution of K x = P by Gaussian elimination with complete pivoting.
//
// The pivot of each step is the entry of largest magnitude in the remaining
// block, and among equal magnitudes the first one met scanning the block row
// by row (rows top to bottom, each row left to right, in the current order
// of the exchanged rows and columns). The chosen row and column are
// exchanged into the pivot position and every row below with a nonzero
// entry in the pivot column is reduced by (K(r,p) / K(p,p)) times the pivot
// row. This fixes the pivot sequence completely, so the result does not
// depend on how the matrix is stored: the sparse implementation here and a
// plain dense elimination give the same pivots and the same numbers, bit for
// bit.
//
// A pivot counts as zero, and the system as singular, when it is at most
// kZeroPivotRatio times the magnitude of the original diagonal entry of its
// column's freedom, or when that entry is 0: elimination of a mechanism
// leaves round-off of that order instead of an exact zero.
#pragma once

#include <vector>

#include "solver/sparse_matrix.h"

namespace orv {

inline constexpr double kZeroPivotRatio = 1e-12;

struct PivotChoice {
    int row;  // original row (equation) index
    int col;  // original column (freedom) index
    bool operator==(const PivotChoice&) const = default;
};

struct EliminationResult {
    bool singular = false;
    std::vector<double> x;            // solution by freedom, when not singular
    std::vector<PivotChoice> pivots;  // the pivots in the order chosen
};

EliminationResult solveWithCompletePivoting(SparseMatrix matrix, std::vector<double> rhs);

}  // namespace orv
