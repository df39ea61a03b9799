// The plain dense elimination; see dense_reference.h.
#include "dense_reference.h"

#include <cmath>

namespace orv::testing {

std::optional<std::vector<long double>> denseSolve(const StiffnessMatrix& lower,
                                                   const std::vector<double>& rhs) {
    const auto n = static_cast<std::size_t>(lower.rows());
    std::vector<std::vector<long double>> k(n, std::vector<long double>(n, 0.0L));
    for (int col = 0; col < lower.outerSize(); ++col) {
        for (StiffnessMatrix::InnerIterator it(lower, col); it; ++it) {
            const auto r = static_cast<std::size_t>(it.row());
            const auto c = static_cast<std::size_t>(col);
            k[r][c] = k[c][r] = it.value();
        }
    }
    std::vector<long double> p(rhs.begin(), rhs.end());
    for (std::size_t piv = 0; piv < n; ++piv) {
        const long double reference =
            std::fabs(lower.coeff(static_cast<int>(piv), static_cast<int>(piv)));
        if (reference == 0 || std::fabs(k[piv][piv]) <= 1e-12L * reference) {
            return std::nullopt;
        }
        for (std::size_t r = piv + 1; r < n; ++r) {
            if (k[r][piv] != 0) {
                const long double factor = k[r][piv] / k[piv][piv];
                for (std::size_t j = piv; j < n; ++j) {
                    k[r][j] -= factor * k[piv][j];
                }
                p[r] -= factor * p[piv];
            }
        }
    }
    for (std::size_t r = n; r-- > 0;) {
        for (std::size_t j = r + 1; j < n; ++j) {
            p[r] -= k[r][j] * p[j];
        }
        p[r] /= k[r][r];
    }
    return p;
}

}  // namespace orv::testing
