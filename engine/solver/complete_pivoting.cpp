// Complete-pivoting elimination; see complete_pivoting.h.
//
// A frame's stiffness matrix starts very sparse, but the magnitude order of
// the pivots ignores the frame's connectivity, so the remaining block fills
// in until it is practically dense. The elimination therefore runs in two
// phases with the same arithmetic: sparse rows while the remaining block is
// thin, then a dense block with contiguous, vectorised row operations
// (dense_block.cpp). Each entry receives the same subtractions in the same
// order in both phases, so the phase change alters no bit of the result.
//
// The pivot search needs the largest entry of the remaining block with the
// smallest row position: every active row keeps its largest magnitude up to
// date (only rows touched by an elimination change), a tournament tree over
// row positions yields the leftmost greatest, and within that row the
// smallest column position among its greatest entries is taken.
#include "solver/complete_pivoting.h"

#include <algorithm>
#include <cmath>

#include "solver/dense_block.h"
#include "solver/elimination_state.h"

namespace orv {

namespace {

using detail::EliminationState;

double largestMagnitude(const std::vector<SparseEntry>& row) {
    double largest = 0;
    for (const SparseEntry& e : row) {
        largest = std::max(largest, std::fabs(e.value));
    }
    return largest;
}

class SparsePhase {
public:
    SparsePhase(EliminationState& state, std::vector<std::vector<SparseEntry>> rows)
        : s_(state), rows_(std::move(rows)), where_(s_.at(s_.n), -1), colRows_(s_.at(s_.n)) {
        for (int i = 0; i < s_.n; ++i) {
            for (const SparseEntry& e : rows_[s_.at(i)]) {
                colRows_[s_.at(e.col)].push_back(i);
                if (e.col == i) {
                    s_.diagonal[s_.at(i)] = std::fabs(e.value);
                }
            }
            activeEntries_ += rows_[s_.at(i)].size();
            s_.tree.set(i, largestMagnitude(rows_[s_.at(i)]));
        }
    }

    // Worth handing over to the dense block once a sixteenth of the
    // remaining block is filled in: contiguous vectorised rows outrun
    // scattered sparse ones long before the block is full (measured on
    // building frames of 420 and 2,050 members).
    bool denseEnough(int p) const {
        const auto remaining = static_cast<std::size_t>(s_.n - p);
        return remaining >= kMinimumDenseBlock && 16 * activeEntries_ >= remaining * remaining;
    }

    // One elimination step; false when the pivot is zero.
    bool step(int p) {
        const PivotChoice pivot = choosePivot();
        if (pivot.row < 0) {
            return false;
        }
        const double value = valueAt(pivot.row, pivot.col);
        if (s_.isZeroPivot(pivot, value)) {
            return false;
        }
        s_.exchangeInto(p, pivot, value);
        retirePivotRow(pivot.row);
        for (const int row : colRows_[s_.at(pivot.col)]) {
            if (!s_.rowRetired[s_.at(row)]) {
                reduceRow(row, pivot, value);
            }
        }
        return true;
    }

    std::vector<std::vector<SparseEntry>>& rows() { return rows_; }

private:
    static constexpr std::size_t kMinimumDenseBlock = 64;

    PivotChoice choosePivot() const {
        const double largest = s_.tree.bestValue();
        if (!(largest > 0)) {
            return {-1, -1};
        }
        const int row = s_.rowAt[s_.at(s_.tree.bestPosition())];
        int col = -1;
        for (const SparseEntry& e : rows_[s_.at(row)]) {
            if (s_.colActive[s_.at(e.col)] && std::fabs(e.value) == largest &&
                (col < 0 || s_.colPos[s_.at(e.col)] < s_.colPos[s_.at(col)])) {
                col = e.col;
            }
        }
        return {row, col};
    }

    double valueAt(int row, int col) const {
        for (const SparseEntry& e : rows_[s_.at(row)]) {
            if (e.col == col) {
                return e.value;
            }
        }
        return 0.0;
    }

    // Keeps the pivot row right of the pivot for back substitution; it
    // stays in rows_ as the operand of this step's reductions.
    void retirePivotRow(int row) {
        for (const SparseEntry& e : rows_[s_.at(row)]) {
            if (s_.colActive[s_.at(e.col)]) {
                s_.keepUpperEntry(e.col, e.value);
            }
        }
        s_.closeUpperRow();
        activeEntries_ -= rows_[s_.at(row)].size();
    }

    void reduceRow(int row, const PivotChoice& pivot, double pivotValue) {
        auto& target = rows_[s_.at(row)];
        double entry = 0;
        for (std::size_t k = 0; k < target.size(); ++k) {
            where_[s_.at(target[k].col)] = static_cast<int>(k);
            if (target[k].col == pivot.col) {
                entry = target[k].value;
            }
        }
        if (entry != 0) {
            const double factor = entry / pivotValue;
            subtractPivotRow(row, target, pivot.row, factor);
            s_.rhs[s_.at(row)] -= factor * s_.rhs[s_.at(pivot.row)];
        }
        for (const SparseEntry& e : target) {
            where_[s_.at(e.col)] = -1;
        }
        if (entry != 0) {
            const std::size_t before = target.size();
            std::erase_if(target,
                          [this](const SparseEntry& e) { return !s_.colActive[s_.at(e.col)]; });
            activeEntries_ -= before - target.size();
            s_.tree.set(s_.rowPos[s_.at(row)], largestMagnitude(target));
        }
    }

    void subtractPivotRow(int row, std::vector<SparseEntry>& target, int pivotRow, double factor) {
        for (const SparseEntry& e : rows_[s_.at(pivotRow)]) {
            if (e.value == 0 || !s_.colActive[s_.at(e.col)]) {
                continue;
            }
            const int k = where_[s_.at(e.col)];
            if (k >= 0) {
                target[s_.at(k)].value -= factor * e.value;
            } else {
                where_[s_.at(e.col)] = static_cast<int>(target.size());
                target.push_back({e.col, 0.0 - factor * e.value});
                colRows_[s_.at(e.col)].push_back(row);
                ++activeEntries_;
            }
        }
    }

    EliminationState& s_;
    std::vector<std::vector<SparseEntry>> rows_;
    std::vector<int> where_;                 // scatter map of the row being reduced
    std::vector<std::vector<int>> colRows_;  // rows that hold an entry, per column
    std::size_t activeEntries_ = 0;          // entries stored in active rows
};

}  // namespace

EliminationResult solveWithCompletePivoting(SparseMatrix matrix, std::vector<double> rhs) {
    EliminationState state(matrix.size, std::move(rhs));
    SparsePhase sparse(state, std::move(matrix.rows));
    EliminationResult result;
    int p = 0;
    for (; p < state.n && !sparse.denseEnough(p); ++p) {
        if (!sparse.step(p)) {
            result.singular = true;
            return result;
        }
    }
    if (p < state.n && !detail::eliminateDenseBlock(state, p, sparse.rows())) {
        result.singular = true;
        return result;
    }
    result.x = state.backSubstitute();
    result.pivots = std::move(state.pivots);
    return result;
}

}  // namespace orv
