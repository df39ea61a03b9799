// Square sparse matrix stored by rows, the form in which the global
// stiffness matrix reaches the elimination. Indices are 0-based here: global
// freedom g (1-based, as the user sees it) is row and column g - 1.
#pragma once

#include <vector>

namespace orv {

struct SparseEntry {
    int col;
    double value;
};

struct SparseMatrix {
    int size = 0;
    std::vector<std::vector<SparseEntry>> rows;  // unordered entries, one per column at most

    explicit SparseMatrix(int n = 0) : size(n), rows(static_cast<std::size_t>(n)) {}

    // Entry (row, col), 0 when it is not stored.
    double at(int row, int col) const {
        for (const SparseEntry& e : rows[static_cast<std::size_t>(row)]) {
            if (e.col == col) {
                return e.value;
            }
        }
        return 0.0;
    }
};

}  // namespace orv
