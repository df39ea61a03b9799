// A rectangular table indexed (row, column) from 0, the shape of the solver's
// (load, member) input tables and of its result table. Element access by
// operator() is unchecked; `contains` tells whether an index pair exists so
// that callers holding data from outside can refuse it instead of reading
// past the end.
#pragma once

#include <cstddef>
#include <vector>

template <typename T>
class Table2D {
public:
    Table2D() = default;
    Table2D(std::size_t rows, std::size_t cols, const T& fill = T())
        : rows_(rows), cols_(cols), cells_(rows * cols, fill) {}

    std::size_t rows() const { return rows_; }
    std::size_t cols() const { return cols_; }
    bool contains(long row, long col) const {
        return row >= 0 && col >= 0 && static_cast<std::size_t>(row) < rows_ &&
               static_cast<std::size_t>(col) < cols_;
    }

    T& operator()(std::size_t row, std::size_t col) { return cells_[row * cols_ + col]; }
    const T& operator()(std::size_t row, std::size_t col) const {
        return cells_[row * cols_ + col];
    }

    bool operator==(const Table2D&) const = default;

private:
    std::size_t rows_ = 0;
    std::size_t cols_ = 0;
    std::vector<T> cells_;
};
