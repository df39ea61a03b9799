// Reactions from the member end forces and the statics of the member
// loads; see reactions.h.
#include "results/reactions.h"

#include <algorithm>
#include <map>

#include "results/local_axes.h"
#include "solver/node_supports.h"

namespace {

// The forces the members at one node receive from it, summed globally.
struct NodeSum {
    orv::Point at;
    std::array<double, 3> force{};  // X, Y, moment
};

std::map<int, NodeSum> endForcesByNode(const SolvedFrame& frame) {
    std::map<int, NodeSum> sums;
    for (const SolvedMember& member : frame.members) {
        for (const int end : {0, 1}) {
            const std::size_t first = 3 * static_cast<std::size_t>(end);
            const PlaneVector global = localToGlobal(
                member.input.axis, {member.endForces[first], member.endForces[first + 1]});
            NodeSum& sum = sums.try_emplace(endNode(member, end), NodeSum{endPoint(member, end)})
                               .first->second;
            sum.force[0] += global.x;
            sum.force[1] += global.y;
            sum.force[2] += member.endForces[first + 2];
        }
    }
    return sums;
}

// One load as a force through a point of the member's axis (at, m from
// the first end) plus a couple, in local axes.
struct LocalResultant {
    PlaneVector force;
    double at = 0;
    double couple = 0;
};

LocalResultant resultantOf(const orv::MemberLoad& load) {
    using orv::LoadKind;
    const double a = load.a;
    const double q = load.q;
    switch (load.kind) {
        case LoadKind::Concentrated:
            return {{0, q}, a};
        case LoadKind::Uniform:
            return {{0, q * a}, a / 2};
        case LoadKind::AxialConcentrated:  // positive towards the first end
            return {{-q, 0}, a};
        case LoadKind::AxialUniform:
            return {{-q * a, 0}, a / 2};
        case LoadKind::Triangular:  // 0 at the first end up to q at a
            return {{0, q * a / 2}, 2 * a / 3};
        case LoadKind::Couple:
            return {{}, 0, q};
        case LoadKind::None:
            break;
    }
    return {};
}

void addForceAt(EquilibriumResidual& sum, double x, double y, PlaneVector force, double couple) {
    sum.x += force.x;
    sum.y += force.y;
    sum.moment += x * force.y - y * force.x + couple;
}

void addMemberLoads(EquilibriumResidual& sum, const SolvedMember& member) {
    const orv::MemberAxis& axis = member.input.axis;
    for (const orv::MemberLoad& load : member.input.loads) {
        const LocalResultant local = resultantOf(load);
        addForceAt(sum, member.first.x + local.at * axis.cos, member.first.y + local.at * axis.sin,
                   localToGlobal(axis, local.force), local.couple);
    }
}

// The node's force along the support's axes. A support that is not
// turned keeps the global sums untouched, bit for bit.
std::array<double, 3> alongSupportAxes(const orv::NodeSupport& support,
                                       const std::array<double, 3>& global) {
    if (!support.turned) {
        return global;
    }
    const PlaneVector along = globalToTurned(support.cos, support.sin, {global[0], global[1]});
    return {along.x, along.y, global[2]};
}

PlaneVector globalForce(const SupportReaction& reaction) {
    const auto& c = reaction.components;
    const PlaneVector along{c[0].value_or(0), c[1].value_or(0)};
    const orv::NodeSupport& support = reaction.support;
    return support.turned ? turnedToGlobal(support.cos, support.sin, along) : along;
}

}  // namespace

std::vector<SupportReaction> supportReactions(const SolvedFrame& frame) {
    std::vector<SupportReaction> reactions;
    for (const auto& [node, sum] : endForcesByNode(frame)) {
        const orv::NodeSupport& support = frame.supports[static_cast<std::size_t>(node - 1)];
        // A spring's force is a reaction like the support's: the node's
        // sum is what both provide together.
        const std::array<bool, 3> held = orv::heldFreedoms(support);
        if (held == std::array<bool, 3>{}) {
            continue;
        }
        const std::array<double, 3> force = alongSupportAxes(support, sum.force);
        SupportReaction reaction{node, support, sum.at, {}};
        for (std::size_t d = 0; d < 3; ++d) {
            if (held[d]) {
                reaction.components[d] = force[d];
            }
        }
        reactions.push_back(reaction);
    }
    return reactions;
}

bool anyTurnedSupport(const std::vector<SupportReaction>& reactions) {
    return std::ranges::any_of(reactions,
                               [](const SupportReaction& r) { return r.support.turned; });
}

bool hasSprings(const orv::NodeSupport& support) {
    return std::ranges::any_of(support.springs, [](double k) { return k > 0; });
}

bool anySpring(const std::vector<SupportReaction>& reactions) {
    return std::ranges::any_of(reactions,
                               [](const SupportReaction& r) { return hasSprings(r.support); });
}

EquilibriumResidual equilibriumResidual(const SolvedFrame& frame,
                                        const std::vector<SupportReaction>& reactions) {
    EquilibriumResidual sum;
    for (const SupportReaction& r : reactions) {
        addForceAt(sum, r.at.x, r.at.y, globalForce(r), r.components[2].value_or(0));
    }
    for (const SolvedMember& member : frame.members) {
        addMemberLoads(sum, member);
    }
    return sum;
}
