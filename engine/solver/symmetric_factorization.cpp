// L D Lᵀ factorization of the stiffness matrix; see symmetric_factorization.h.
#include "solver/symmetric_factorization.h"

#include <Eigen/OrderingMethods>
#include <Eigen/SparseCholesky>
#include <cmath>

#include "solver/supernodal_cholesky.h"

namespace orv {

namespace {

constexpr int kFreedomsPerNode = 3;

// Minimum-degree order of the nodes, each node's three freedoms kept
// together. The freedoms of a node share all their neighbours, so the node
// graph has a ninth of the entries of the freedom graph and orders faster
// for the same fill.
struct NodeOrdering {
    using PermutationType = Eigen::PermutationMatrix<Eigen::Dynamic, Eigen::Dynamic, int>;

    template <typename MatrixType>
    void operator()(const MatrixType& full, PermutationType& perm) {
        const int n = static_cast<int>(full.rows());
        const int nodes = (n + kFreedomsPerNode - 1) / kFreedomsPerNode;
        std::vector<Eigen::Triplet<double, int>> links;
        links.reserve(static_cast<std::size_t>(full.nonZeros()) / 4);
        for (int col = 0; col < n; col += kFreedomsPerNode) {
            for (typename MatrixType::InnerIterator it(full, col); it; ++it) {
                links.emplace_back(static_cast<int>(it.row()) / kFreedomsPerNode,
                                   col / kFreedomsPerNode, 1.0);
            }
        }
        StiffnessMatrix graph(nodes, nodes);
        graph.setFromTriplets(links.begin(), links.end());
        PermutationType nodeOrder;
        Eigen::AMDOrdering<int>()(graph, nodeOrder);
        perm.resize(n);
        int position = 0;
        for (int k = 0; k < nodes; ++k) {
            const int first = nodeOrder.indices()(k) * kFreedomsPerNode;
            for (int g = first; g < first + kFreedomsPerNode && g < n; ++g) {
                perm.indices()(position++) = g;
            }
        }
    }
};

using Factorization = Eigen::SimplicialLDLT<StiffnessMatrix, Eigen::Lower, NodeOrdering>;

// First position of the factored order whose pivot is zero by the rule of
// the header, as the freedom that sits there; nothing when all are sound.
// A failed factorization stops at an exact zero pivot, which the rule
// counts as zero too, so the positions read are always computed ones.
std::optional<int> firstZeroPivot(const Factorization& ldlt, const StiffnessMatrix& lower) {
    const auto& pivots = ldlt.vectorD();
    const auto& freedomAt = ldlt.permutationPinv().indices();
    for (int k = 0; k < pivots.size(); ++k) {
        const int freedom = freedomAt(k);
        const double reference = std::fabs(lower.coeff(freedom, freedom));
        if (reference == 0 || std::fabs(pivots(k)) <= kZeroPivotRatio * reference) {
            return freedom;
        }
    }
    return std::nullopt;
}

// The freedom at each position of the order L D Lᵀ factors in.
std::vector<int> factoredOrder(const StiffnessMatrix& lower) {
    const StiffnessMatrix full = lower.selfadjointView<Eigen::Lower>();
    NodeOrdering::PermutationType order;
    NodeOrdering()(full, order);
    return {order.indices().begin(), order.indices().end()};
}

}  // namespace

FactoredCases factorAndSolveCases(const StiffnessMatrix& lower,
                                  const std::vector<std::vector<double>>& rhs, int supernodalFrom) {
    if (lower.rows() >= supernodalFrom && lower.isCompressed()) {
        if (auto x = solveSoundSystem(lower, factoredOrder(lower), rhs)) {
            return {std::move(*x), std::nullopt};
        }
    }
    Factorization ldlt(lower);
    FactoredCases result;
    result.zeroPivotAt = firstZeroPivot(ldlt, lower);
    if (!result.zeroPivotAt && ldlt.info() != Eigen::Success) {
        result.zeroPivotAt = 0;  // a failure the pivots do not show; name the first freedom
    }
    if (result.zeroPivotAt) {
        return result;
    }
    for (const std::vector<double>& loads : rhs) {
        const Eigen::Map<const Eigen::VectorXd> p(loads.data(),
                                                  static_cast<Eigen::Index>(loads.size()));
        std::vector<double>& x = result.x.emplace_back(loads.size());
        Eigen::Map<Eigen::VectorXd>(x.data(), static_cast<Eigen::Index>(x.size())) = ldlt.solve(p);
    }
    return result;
}

Factored factorAndSolve(const StiffnessMatrix& lower, const std::vector<double>& rhs,
                        int supernodalFrom) {
    FactoredCases solved = factorAndSolveCases(lower, {rhs}, supernodalFrom);
    if (solved.zeroPivotAt) {
        return {{}, solved.zeroPivotAt};
    }
    return {std::move(solved.x.front()), std::nullopt};
}

}  // namespace orv
