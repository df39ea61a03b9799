// Book-keeping of the complete-pivoting elimination; see elimination_state.h.
#include "solver/elimination_state.h"

#include <algorithm>
#include <cmath>

namespace orv::detail {

LeftmostMaxTree::LeftmostMaxTree(int n) : leaves_(1) {
    while (leaves_ < n) {
        leaves_ *= 2;
    }
    value_.assign(static_cast<std::size_t>(leaves_), -1.0);
    winner_.resize(2 * static_cast<std::size_t>(leaves_));
    for (int i = 0; i < leaves_; ++i) {
        winner_[static_cast<std::size_t>(leaves_ + i)] = i;
    }
    for (int node = leaves_ - 1; node >= 1; --node) {
        winner_[static_cast<std::size_t>(node)] = better(2 * node, 2 * node + 1);
    }
}

void LeftmostMaxTree::set(int position, double value) {
    value_[static_cast<std::size_t>(position)] = value;
    for (int node = (leaves_ + position) / 2; node >= 1; node /= 2) {
        winner_[static_cast<std::size_t>(node)] = better(2 * node, 2 * node + 1);
    }
}

int LeftmostMaxTree::better(int left, int right) const {
    const int l = winner_[static_cast<std::size_t>(left)];
    const int r = winner_[static_cast<std::size_t>(right)];
    return value_[static_cast<std::size_t>(r)] > value_[static_cast<std::size_t>(l)] ? r : l;
}

EliminationState::EliminationState(int size, std::vector<double> rightHandSide)
    : n(size),
      rhs(std::move(rightHandSide)),
      tree(std::max(size, 1)),
      rowAt(at(size)),
      rowPos(at(size)),
      colAt(at(size)),
      colPos(at(size)),
      colActive(at(size), true),
      rowRetired(at(size), false),
      diagonal(at(size), 0.0) {
    for (int i = 0; i < n; ++i) {
        rowAt[at(i)] = rowPos[at(i)] = colAt[at(i)] = colPos[at(i)] = i;
    }
}

bool EliminationState::isZeroPivot(const PivotChoice& pivot, double value) const {
    const double reference = diagonal[at(pivot.col)];
    return reference == 0 || std::fabs(value) <= kZeroPivotRatio * reference;
}

void EliminationState::exchangeInto(int p, const PivotChoice& pivot, double value) {
    const int rowPosition = rowPos[at(pivot.row)];
    const int displacedRow = rowAt[at(p)];
    std::swap(rowAt[at(p)], rowAt[at(rowPosition)]);
    rowPos[at(displacedRow)] = rowPosition;
    rowPos[at(pivot.row)] = p;
    if (rowPosition != p) {
        // The displaced row keeps its maximum, now at the pivot row's place.
        tree.set(rowPosition, tree.valueAt(p));
    }
    tree.set(p, -1.0);
    rowRetired[at(pivot.row)] = true;

    const int colPosition = colPos[at(pivot.col)];
    const int displacedCol = colAt[at(p)];
    std::swap(colAt[at(p)], colAt[at(colPosition)]);
    colPos[at(displacedCol)] = colPosition;
    colPos[at(pivot.col)] = p;
    colActive[at(pivot.col)] = false;

    pivots.push_back(pivot);
    pivotValues.push_back(value);
}

std::vector<double> EliminationState::backSubstitute() {
    std::vector<double> x(at(n), 0.0);
    for (int p = n - 1; p >= 0; --p) {
        const auto first = upper.begin() + static_cast<std::ptrdiff_t>(upperStart[at(p)]);
        const auto last = upper.begin() + static_cast<std::ptrdiff_t>(upperStart[at(p) + 1]);
        std::sort(first, last, [this](const SparseEntry& a, const SparseEntry& b) {
            return colPos[at(a.col)] < colPos[at(b.col)];
        });
        const PivotChoice& pivot = pivots[at(p)];
        double sum = rhs[at(pivot.row)];
        for (auto it = first; it != last; ++it) {
            sum -= it->value * x[at(it->col)];
        }
        x[at(pivot.col)] = sum / pivotValues[at(p)];
    }
    return x;
}

}  // namespace orv::detail
