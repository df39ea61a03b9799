// Assembly, supports, solution and end forces; see analysis.h.
#include "solver/analysis.h"

#include <cmath>

#include "model/supports.h"
#include "solver/engine_error.h"
#include "solver/node_supports.h"
#include "solver/symmetric_factorization.h"

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

using Triplet = Eigen::Triplet<double, int>;

// The lower triangle of a member matrix, each entry checked. The global
// matrix sums the entries of one position in the order they are listed,
// that is member by member.
void addMemberStiffness(std::vector<Triplet>& entries, const std::array<int, 6>& freedoms,
                        const Matrix6& kg) {
    for (std::size_t u = 0; u < 6; ++u) {
        for (std::size_t w = 0; w < 6; ++w) {
            requireFinite(kg[u][w]);
            if (freedoms[u] >= freedoms[w]) {
                entries.emplace_back(freedoms[u], freedoms[w], kg[u][w]);
            }
        }
    }
}

void addNodalLoads(std::vector<double>& loads, const std::array<int, 6>& freedoms,
                   const Vector6& nodal) {
    for (std::size_t d = 0; d < 6; ++d) {
        requireFinite(nodal[d]);
        loads[static_cast<std::size_t>(freedoms[d])] += nodal[d];
    }
}

std::vector<bool> restrainedByFreedom(const FrameInput& frame) {
    std::vector<bool> restrained(3 * static_cast<std::size_t>(frame.nodeCount), false);
    for (int node = 1; node <= frame.nodeCount; ++node) {
        const auto restrains =
            restrainedFreedoms(frame.supportCodes[static_cast<std::size_t>(node - 1)]);
        for (std::size_t d = 0; d < 3; ++d) {
            restrained[static_cast<std::size_t>(firstFreedomOfNode(node) - 1) + d] = restrains[d];
        }
        if (frame.rotationTakenFrom[static_cast<std::size_t>(node - 1)].member != 0) {
            restrained[static_cast<std::size_t>(firstFreedomOfNode(node) + 1)] = true;
        }
    }
    return restrained;
}

// Springs on the diagonal of the node's freedoms along its support axes.
void addSupportSprings(const FrameInput& frame, std::vector<Triplet>& entries) {
    for (int node = 1; node <= frame.nodeCount; ++node) {
        const NodeSupport& support = frame.supports[static_cast<std::size_t>(node - 1)];
        for (std::size_t d = 0; d < 3; ++d) {
            if (support.springs[d] != 0) {
                const int g = static_cast<int>(firstFreedomOfNode(node) - 1 + static_cast<long>(d));
                entries.emplace_back(g, g, support.springs[d]);
            }
        }
    }
}

std::vector<double> settlementsByFreedom(const FrameInput& frame) {
    std::vector<double> prescribed(3 * static_cast<std::size_t>(frame.nodeCount), 0.0);
    for (int node = 1; node <= frame.nodeCount; ++node) {
        const NodeSupport& support = frame.supports[static_cast<std::size_t>(node - 1)];
        for (std::size_t d = 0; d < 3; ++d) {
            prescribed[static_cast<std::size_t>(firstFreedomOfNode(node) - 1) + d] =
                support.settlement[d];
        }
    }
    return prescribed;
}

// K_ff u_f = F_f - K_fp u_p: the free freedoms' loads take what the
// prescribed movements of restrained ones push on them.
void moveSettlementsToLoads(const StiffnessMatrix& k, std::vector<double>& loads,
                            const std::vector<bool>& restrained,
                            const std::vector<double>& prescribed) {
    for (int col = 0; col < k.outerSize(); ++col) {
        for (StiffnessMatrix::InnerIterator it(k, col); it; ++it) {
            const auto r = static_cast<std::size_t>(it.row());
            const auto c = static_cast<std::size_t>(col);
            if (r == c) {
                continue;
            }
            if (restrained[c] && !restrained[r] && prescribed[c] != 0) {
                loads[r] -= it.value() * prescribed[c];
            }
            if (restrained[r] && !restrained[c] && prescribed[r] != 0) {
                loads[c] -= it.value() * prescribed[r];
            }
        }
    }
}

}  // namespace

LinearSystem assemble(const FrameInput& frame) {
    const int freedoms = 3 * frame.nodeCount;
    LinearSystem system{StiffnessMatrix(freedoms, freedoms),
                        std::vector<double>(static_cast<std::size_t>(freedoms), 0.0)};
    std::vector<Triplet> entries;
    entries.reserve(static_cast<std::size_t>(freedoms) + 21 * frame.members.size());
    // Every diagonal is stored, even of a freedom no member reaches, so
    // that the supports and the zero-pivot rule find it.
    for (int g = 0; g < freedoms; ++g) {
        entries.emplace_back(g, g, 0.0);
    }
    for (const MemberInput& member : frame.members) {
        const auto dofs = memberFreedoms(member);
        Vector6 nodal{};
        Matrix6 stiffness{};
        if (hasReleasedEnd(member)) {
            const ConnectedMember connected = connectedMember(member);
            stiffness = globalStiffness(connected.stiffness, member.axis);
            nodal = equivalentNodalLoads(member, connected.fixedEnd);
        } else {
            stiffness = globalStiffness(member);
            nodal = equivalentNodalLoads(member, fixedEndForces(member));
        }
        turnToSupportAxes(frame, member, stiffness, nodal);
        addMemberStiffness(entries, dofs, stiffness);
        addNodalLoads(system.loads, dofs, nodal);
    }
    addSupportSprings(frame, entries);
    system.stiffness.setFromTriplets(entries.begin(), entries.end());
    return system;
}

std::vector<double> assembleLoads(const FrameInput& frame) {
    std::vector<double> loads(3 * static_cast<std::size_t>(frame.nodeCount), 0.0);
    for (const MemberInput& member : frame.members) {
        Vector6 nodal =
            equivalentNodalLoads(member, hasReleasedEnd(member) ? connectedMember(member).fixedEnd
                                                                : fixedEndForces(member));
        Matrix6 unused{};
        turnToSupportAxes(frame, member, unused, nodal);
        addNodalLoads(loads, memberFreedoms(member), nodal);
    }
    return loads;
}

void applySupports(const std::vector<const FrameInput*>& caseFrames, StiffnessMatrix& stiffness,
                   std::vector<std::vector<double>>& caseLoads) {
    // Support codes, springs and axes are the frame's, the same in every
    // case; only the settlements differ.
    const std::vector<bool> restrained = restrainedByFreedom(*caseFrames.front());
    std::vector<std::vector<double>> prescribed;
    for (std::size_t c = 0; c < caseFrames.size(); ++c) {
        prescribed.push_back(settlementsByFreedom(*caseFrames[c]));
        moveSettlementsToLoads(stiffness, caseLoads[c], restrained, prescribed.back());
    }
    stiffness.prune([&restrained](int row, int col, double) {
        return row == col || !(restrained[static_cast<std::size_t>(row)] ||
                               restrained[static_cast<std::size_t>(col)]);
    });
    for (std::size_t g = 0; g < restrained.size(); ++g) {
        if (restrained[g]) {
            const int freedom = static_cast<int>(g);
            stiffness.coeffRef(freedom, freedom) = 1.0;
            for (std::size_t c = 0; c < caseLoads.size(); ++c) {
                caseLoads[c][g] = prescribed[c][g];
            }
        }
    }
}

void applySupports(const FrameInput& frame, LinearSystem& system) {
    std::vector<std::vector<double>> loads{std::move(system.loads)};
    applySupports({&frame}, system.stiffness, loads);
    system.loads = std::move(loads.front());
}

CaseSolutions solveDisplacements(const StiffnessMatrix& stiffness,
                                 const std::vector<std::vector<double>>& caseLoads) {
    FactoredCases result = factorAndSolveCases(stiffness, caseLoads);
    if (result.zeroPivotAt) {
        return {{}, result.zeroPivotAt};
    }
    for (const std::vector<double>& x : result.x) {
        for (const double value : x) {
            requireFinite(value);
        }
    }
    return {std::move(result.x), std::nullopt};
}

Solution solveDisplacements(const LinearSystem& system) {
    CaseSolutions solved = solveDisplacements(system.stiffness, {system.loads});
    if (solved.zeroPivotAt) {
        return {{}, solved.zeroPivotAt};
    }
    return {std::move(solved.displacements.front()), std::nullopt};
}

MemberEndState memberEndState(const MemberInput& member, const std::vector<double>& displacements) {
    const auto dofs = memberFreedoms(member);
    Vector6 d{};
    for (std::size_t k = 0; k < 6; ++k) {
        d[k] = displacements[static_cast<std::size_t>(dofs[k])];
    }
    MemberEndState state;
    if (hasReleasedEnd(member)) {
        state = connectedEndState(member, localDisplacements(member.axis, d));
    } else {
        state = {localEndForces(member, d, fixedEndForces(member)), {d[2], d[5]}};
    }
    for (const double value : state.forces) {
        requireFinite(value);
    }
    for (const double value : state.endRotations) {
        requireFinite(value);
    }
    return state;
}

void takeNodeRotationsFromEnds(const FrameInput& frame, std::vector<double>& displacements) {
    for (int node = 1; node <= frame.nodeCount; ++node) {
        const MemberEnd from = frame.rotationTakenFrom[static_cast<std::size_t>(node - 1)];
        if (from.member != 0) {
            const MemberInput& member = frame.members[static_cast<std::size_t>(from.member - 1)];
            displacements[static_cast<std::size_t>(firstFreedomOfNode(node) + 1)] =
                memberEndState(member, displacements)
                    .endRotations[static_cast<std::size_t>(from.end)];
        }
    }
}

}  // namespace orv
