// The global stiffness matrix as the factorization reads it: compressed
// columns, the lower triangle only (the matrix is symmetric). Indices are
// 0-based here: global freedom g (1-based, as the user sees it) is row and
// column g - 1.
#pragma once

#include <Eigen/SparseCore>

namespace orv {

using StiffnessMatrix = Eigen::SparseMatrix<double, Eigen::ColMajor, int>;

}  // namespace orv
