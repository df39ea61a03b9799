// Assembly, supports, solution and end forces; see analysis.h.
#include "solver/analysis.h"

#include <algorithm>
#include <cmath>

#include "model/supports.h"
#include "solver/complete_pivoting.h"
#include "solver/engine_error.h"

namespace orv {

namespace {

// 0-based global freedoms of the member's six end freedoms.
std::array<int, 6> memberFreedoms(const MemberInput& member) {
    const int left = static_cast<int>(firstFreedomOfNode(member.leftNode)) - 1;
    const int right = static_cast<int>(firstFreedomOfNode(member.rightNode)) - 1;
    return {left, left + 1, left + 2, right, right + 1, right + 2};
}

void requireFinite(double value) {
    if (!std::isfinite(value)) {
        throw EngineError(RunTimeError::Overflow);
    }
}

// Adds a member matrix to the rows of the global matrix, accumulating into
// an existing entry of the same column. Rows of a frame hold a few dozen
// entries, so a linear search is the quickest look-up.
void addMemberStiffness(SparseMatrix& k, const std::array<int, 6>& freedoms, const Matrix6& kg) {
    for (std::size_t u = 0; u < 6; ++u) {
        auto& row = k.rows[static_cast<std::size_t>(freedoms[u])];
        for (std::size_t w = 0; w < 6; ++w) {
            requireFinite(kg[u][w]);
            const int col = freedoms[w];
            const auto found = std::find_if(row.begin(), row.end(),
                                            [col](const SparseEntry& e) { return e.col == col; });
            if (found == row.end()) {
                row.push_back({col, kg[u][w]});
            } else {
                found->value += kg[u][w];
            }
        }
    }
}

}  // namespace

LinearSystem assemble(const FrameInput& frame) {
    const int freedoms = 3 * frame.nodeCount;
    LinearSystem system{SparseMatrix(freedoms),
                        std::vector<double>(static_cast<std::size_t>(freedoms), 0.0)};
    for (const MemberInput& member : frame.members) {
        const auto dofs = memberFreedoms(member);
        addMemberStiffness(system.stiffness, dofs, globalStiffness(member));
        const Vector6 nodal = equivalentNodalLoads(member, fixedEndForces(member));
        for (std::size_t d = 0; d < 6; ++d) {
            requireFinite(nodal[d]);
            system.loads[static_cast<std::size_t>(dofs[d])] += nodal[d];
        }
    }
    return system;
}

void applySupports(const FrameInput& frame, LinearSystem& system) {
    std::vector<bool> restrained(system.loads.size(), false);
    for (int node = 1; node <= frame.nodeCount; ++node) {
        const auto restrains =
            restrainedFreedoms(frame.supportCodes[static_cast<std::size_t>(node - 1)]);
        for (std::size_t d = 0; d < 3; ++d) {
            if (restrains[d]) {
                restrained[static_cast<std::size_t>(firstFreedomOfNode(node) - 1) + d] = true;
            }
        }
    }
    for (std::size_t g = 0; g < restrained.size(); ++g) {
        auto& row = system.stiffness.rows[g];
        if (restrained[g]) {
            row.assign(1, {static_cast<int>(g), 1.0});
            system.loads[g] = 0;
        } else {
            std::erase_if(row, [&](const SparseEntry& e) {
                return restrained[static_cast<std::size_t>(e.col)];
            });
        }
    }
}

std::optional<std::vector<double>> solveDisplacements(LinearSystem system) {
    EliminationResult result =
        solveWithCompletePivoting(std::move(system.stiffness), std::move(system.loads));
    if (result.singular) {
        return std::nullopt;
    }
    for (const double value : result.x) {
        requireFinite(value);
    }
    return std::move(result.x);
}

Vector6 memberEndForces(const MemberInput& member, const std::vector<double>& displacements) {
    const auto dofs = memberFreedoms(member);
    Vector6 d{};
    for (std::size_t k = 0; k < 6; ++k) {
        d[k] = displacements[static_cast<std::size_t>(dofs[k])];
    }
    Vector6 forces = localEndForces(member, d, fixedEndForces(member));
    for (const double value : forces) {
        requireFinite(value);
    }
    return forces;
}

}  // namespace orv
