// The plain dense complete-pivoting elimination; see dense_reference.h.
#include "dense_reference.h"

#include <cmath>
#include <utility>

namespace orv::testing {

EliminationResult denseCompletePivoting(const SparseMatrix& matrix, std::vector<double> p) {
    const int n = matrix.size;
    std::vector<std::vector<double>> k(static_cast<std::size_t>(n),
                                       std::vector<double>(static_cast<std::size_t>(n), 0.0));
    std::vector<double> diagonal(static_cast<std::size_t>(n), 0.0);
    for (int r = 0; r < n; ++r) {
        for (const SparseEntry& e : matrix.rows[static_cast<std::size_t>(r)]) {
            k[static_cast<std::size_t>(r)][static_cast<std::size_t>(e.col)] = e.value;
        }
        diagonal[static_cast<std::size_t>(r)] =
            std::fabs(k[static_cast<std::size_t>(r)][static_cast<std::size_t>(r)]);
    }
    std::vector<int> perm(static_cast<std::size_t>(n));   // freedom of each column
    std::vector<int> rowId(static_cast<std::size_t>(n));  // original row of each row
    for (int h = 0; h < n; ++h) {
        perm[static_cast<std::size_t>(h)] = rowId[static_cast<std::size_t>(h)] = h;
    }
    EliminationResult result;
    const auto at = [](int i) { return static_cast<std::size_t>(i); };
    for (int piv = 0; piv < n; ++piv) {
        double largest = 0;
        int pr = -1;
        int pc = -1;
        for (int r = piv; r < n; ++r) {
            for (int j = piv; j < n; ++j) {
                if (std::fabs(k[at(r)][at(j)]) > largest) {
                    largest = std::fabs(k[at(r)][at(j)]);
                    pr = r;
                    pc = j;
                }
            }
        }
        if (pr < 0) {
            result.singular = true;
            return result;
        }
        std::swap(k[at(piv)], k[at(pr)]);
        std::swap(p[at(piv)], p[at(pr)]);
        std::swap(rowId[at(piv)], rowId[at(pr)]);
        for (int r = 0; r < n; ++r) {
            std::swap(k[at(r)][at(piv)], k[at(r)][at(pc)]);
        }
        std::swap(perm[at(piv)], perm[at(pc)]);
        const double v = k[at(piv)][at(piv)];
        const double reference = diagonal[at(perm[at(piv)])];
        if (reference == 0 || std::fabs(v) <= kZeroPivotRatio * reference) {
            result.singular = true;
            return result;
        }
        result.pivots.push_back({rowId[at(piv)], perm[at(piv)]});
        for (int r = piv + 1; r < n; ++r) {
            if (k[at(r)][at(piv)] != 0) {
                const double factor = k[at(r)][at(piv)] / v;
                for (int j = piv; j < n; ++j) {
                    k[at(r)][at(j)] = k[at(r)][at(j)] - factor * k[at(piv)][at(j)];
                }
                p[at(r)] = p[at(r)] - factor * p[at(piv)];
            }
        }
    }
    for (int r = n - 1; r >= 0; --r) {
        for (int j = r + 1; j < n; ++j) {
            p[at(r)] = p[at(r)] - k[at(r)][at(j)] * p[at(j)];
        }
        p[at(r)] = p[at(r)] / k[at(r)][at(r)];
    }
    result.x.assign(at(n), 0.0);
    for (int h = 0; h < n; ++h) {
        result.x[at(perm[at(h)])] = p[at(h)];
    }
    return result;
}

}  // namespace orv::testing
