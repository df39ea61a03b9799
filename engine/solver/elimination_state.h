// Book-keeping shared by the two phases of the complete-pivoting
// elimination (complete_pivoting.cpp): the positions of rows and columns in
// the exchanged order, the search structure of row maxima, the retired pivot
// rows kept for back substitution, and the right-hand side.
//
// Rows keep their original index for life; where a dense elimination would
// exchange rows and columns, the exchange is recorded as positions, which
// decide the scan order of the pivot search and nothing else.
#pragma once

#include <cstddef>
#include <vector>

#include "solver/complete_pivoting.h"

namespace orv::detail {

// Tournament tree over positions 0..n-1 holding one value per position (the
// largest magnitude of the row at that position, -1 once retired); the root
// names the position of the greatest value, the leftmost on ties.
class LeftmostMaxTree {
public:
    explicit LeftmostMaxTree(int n);
    void set(int position, double value);
    int bestPosition() const { return winner_[1]; }
    double bestValue() const { return value_[static_cast<std::size_t>(winner_[1])]; }
    double valueAt(int position) const { return value_[static_cast<std::size_t>(position)]; }

private:
    int better(int left, int right) const;

    int leaves_;
    std::vector<double> value_;
    std::vector<int> winner_;
};

struct EliminationState {
    EliminationState(int n, std::vector<double> rhs);

    int n;
    std::vector<double> rhs;  // by original row
    LeftmostMaxTree tree;
    std::vector<int> rowAt, rowPos, colAt, colPos;
    std::vector<bool> colActive, rowRetired;
    std::vector<double> diagonal;     // |original diagonal| per column (freedom)
    std::vector<PivotChoice> pivots;  // in the order chosen
    std::vector<double> pivotValues;
    std::vector<SparseEntry> upper;  // pivot rows right of their pivots
    std::vector<std::size_t> upperStart{0};

    std::size_t at(int index) const { return static_cast<std::size_t>(index); }

    // A pivot at most kZeroPivotRatio times its freedom's diagonal is zero.
    bool isZeroPivot(const PivotChoice& pivot, double value) const;

    // Exchanges the pivot row and column into position p, retires them and
    // records the pivot.
    void exchangeInto(int p, const PivotChoice& pivot, double value);

    // Records one entry of the current pivot row (right of the pivot).
    void keepUpperEntry(int col, double value) {
        if (value != 0) {
            upper.push_back({col, value});
        }
    }
    void closeUpperRow() { upperStart.push_back(upper.size()); }

    // Solves the triangular system from the last pivot up, each row's terms
    // taken in the final column order as a dense back substitution takes
    // them, so that the rounding is the same.
    std::vector<double> backSubstitute();
};

}  // namespace orv::detail
