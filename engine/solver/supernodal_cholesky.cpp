// Supernodal L Lᵀ through CHOLMOD; see supernodal_cholesky.h.
#include "solver/supernodal_cholesky.h"

#include <cholmod.h>
#include <omp.h>

#include <cmath>
#include <memory>

namespace orv {

namespace {

// CHOLMOD's OpenMP loops ask for a team of four threads to copy and clear
// columns: work too small to be worth a thread on a frame, and threads that
// only wait on a busy machine. The engine runs on its caller's thread, so
// for one solution the teams are one thread, then as they were.
class OneThreadTeams {
public:
    OneThreadTeams() : saved_(omp_get_max_active_levels()) { omp_set_max_active_levels(0); }
    ~OneThreadTeams() { omp_set_max_active_levels(saved_); }
    OneThreadTeams(const OneThreadTeams&) = delete;
    OneThreadTeams& operator=(const OneThreadTeams&) = delete;

private:
    int saved_;
};

// One CHOLMOD workspace for one solution: silent (the engine reports
// through its own diagnostics; the batch mode's output is the result
// file), in the given order, supernodal, stopping at the first pivot that
// is not positive.
class Workspace {
public:
    Workspace() {
        cholmod_start(&common_);
        common_.print = 0;
        common_.nmethods = 1;
        common_.method[0].ordering = CHOLMOD_GIVEN;
        common_.supernodal = CHOLMOD_SUPERNODAL;
        common_.quick_return_if_not_posdef = true;
    }
    ~Workspace() { cholmod_finish(&common_); }
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    cholmod_common* operator->() { return &common_; }
    cholmod_common* get() { return &common_; }

private:
    cholmod_common common_{};
};

cholmod_sparse viewOf(const StiffnessMatrix& lower) {
    cholmod_sparse view{};
    view.nrow = view.ncol = static_cast<std::size_t>(lower.rows());
    view.nzmax = static_cast<std::size_t>(lower.nonZeros());
    view.p = const_cast<int*>(lower.outerIndexPtr());
    view.i = const_cast<int*>(lower.innerIndexPtr());
    view.x = const_cast<double*>(lower.valuePtr());
    view.stype = -1;  // the lower triangle of a symmetric matrix
    view.itype = CHOLMOD_INT;
    view.xtype = CHOLMOD_REAL;
    view.dtype = CHOLMOD_DOUBLE;
    view.sorted = true;
    view.packed = true;
    return view;
}

// `columns` right-hand sides of `rows` each, one after the other.
cholmod_dense viewOf(const std::vector<double>& values, std::size_t rows, std::size_t columns) {
    cholmod_dense view{};
    view.nrow = view.d = rows;
    view.nzmax = values.size();
    view.ncol = columns;
    view.x = const_cast<double*>(values.data());
    view.xtype = CHOLMOD_REAL;
    view.dtype = CHOLMOD_DOUBLE;
    return view;
}

// Every pivot L(k,k)² of the supernodal factor well above its freedom's
// diagonal in K.
bool pivotsAreSound(const cholmod_factor& factor, const StiffnessMatrix& lower) {
    const auto* first = static_cast<const int*>(factor.super);
    const auto* rowStart = static_cast<const int*>(factor.pi);
    const auto* valueStart = static_cast<const int*>(factor.px);
    const auto* freedomAt = static_cast<const int*>(factor.Perm);
    const auto* values = static_cast<const double*>(factor.x);
    for (std::size_t s = 0; s < factor.nsuper; ++s) {
        const int rows = rowStart[s + 1] - rowStart[s];
        for (int k = first[s]; k < first[s + 1]; ++k) {
            const int j = k - first[s];
            const double diagonal =
                values[valueStart[s] + j + static_cast<std::ptrdiff_t>(j) * rows];
            const int freedom = freedomAt[k];
            const double reference = std::fabs(lower.coeff(freedom, freedom));
            if (!(diagonal * diagonal > kSoundPivotRatio * reference)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

std::optional<std::vector<std::vector<double>>> solveSoundSystem(
    const StiffnessMatrix& lower, std::vector<int> order,
    const std::vector<std::vector<double>>& rhs) {
    const OneThreadTeams oneThread;
    Workspace workspace;
    cholmod_sparse matrix = viewOf(lower);
    const auto freeFactor = [&workspace](cholmod_factor* f) {
        cholmod_free_factor(&f, workspace.get());
    };
    const std::unique_ptr<cholmod_factor, decltype(freeFactor)> factor(
        cholmod_analyze_p(&matrix, order.data(), nullptr, 0, workspace.get()), freeFactor);
    if (!factor || !cholmod_factorize(&matrix, factor.get(), workspace.get()) ||
        workspace->status != CHOLMOD_OK || !factor->is_super || !pivotsAreSound(*factor, lower)) {
        return std::nullopt;
    }
    const auto rows = static_cast<std::size_t>(lower.rows());
    std::vector<double> packed;
    packed.reserve(rows * rhs.size());
    for (const std::vector<double>& column : rhs) {
        packed.insert(packed.end(), column.begin(), column.end());
    }
    cholmod_dense loads = viewOf(packed, rows, rhs.size());
    cholmod_dense* solution = cholmod_solve(CHOLMOD_A, factor.get(), &loads, workspace.get());
    if (!solution) {
        return std::nullopt;
    }
    const auto* x = static_cast<const double*>(solution->x);
    std::vector<std::vector<double>> result;
    for (std::size_t c = 0; c < rhs.size(); ++c) {
        result.emplace_back(x + c * solution->d, x + c * solution->d + rows);
    }
    cholmod_free_dense(&solution, workspace.get());
    return result;
}

}  // namespace orv
