// Turned support axes and the checks of springs, settlements and
// temperature; see node_supports.h.
#include "solver/node_supports.h"

#include <string>

#include "model/supports.h"

namespace orv {

namespace {

// Rotates the pair (x, y) at `first` of a vector or of matrix rows into
// the support axes: x' = c x + s y, y' = -s x + c y.
template <typename Get>
void turnPair(const NodeSupport& support, Get&& at) {
    double& x = at(0);
    double& y = at(1);
    const double turnedX = support.cos * x + support.sin * y;
    const double turnedY = -support.sin * x + support.cos * y;
    x = turnedX;
    y = turnedY;
}

const NodeSupport& supportOf(const FrameInput& frame, int node) {
    return frame.supports[static_cast<std::size_t>(node - 1)];
}

}  // namespace

void turnToSupportAxes(const FrameInput& frame, const MemberInput& member, Matrix6& stiffness,
                       Vector6& loads) {
    const std::array<int, 2> nodes{member.leftNode, member.rightNode};
    for (std::size_t end = 0; end < 2; ++end) {
        const NodeSupport& support = supportOf(frame, nodes[end]);
        if (!support.turned) {
            continue;
        }
        const std::size_t first = 3 * end;
        turnPair(support, [&](std::size_t k) -> double& { return loads[first + k]; });
        for (std::size_t c = 0; c < 6; ++c) {  // rows: K' = L K
            turnPair(support, [&](std::size_t k) -> double& { return stiffness[first + k][c]; });
        }
        for (std::size_t r = 0; r < 6; ++r) {  // columns: K' L^T
            turnPair(support, [&](std::size_t k) -> double& { return stiffness[r][first + k]; });
        }
    }
}

void turnToGlobalAxes(const FrameInput& frame, std::vector<double>& displacements) {
    for (int node = 1; node <= frame.nodeCount; ++node) {
        const NodeSupport& support = supportOf(frame, node);
        if (support.turned) {
            const auto first = static_cast<std::size_t>(firstFreedomOfNode(node) - 1);
            const double along = displacements[first];
            const double across = displacements[first + 1];
            displacements[first] = support.cos * along - support.sin * across;
            displacements[first + 1] = support.sin * along + support.cos * across;
        }
    }
}

std::array<bool, 3> heldFreedoms(const NodeSupport& support) {
    std::array<bool, 3> held = restrainedFreedoms(support.code);
    for (std::size_t d = 0; d < 3; ++d) {
        held[d] = held[d] || support.springs[d] > 0;
    }
    return held;
}

std::optional<Diagnostic> refusedEffects(const FrameInput& frame) {
    for (const MemberInput& member : frame.members) {
        if (member.depth == 0 && member.warmingBelow != member.warmingAbove) {
            return Diagnostic{std::to_string(member.number) +
                                  "号杆件直接输入截面积和惯性矩,没有截面高度,"
                                  "不能计算两面不同的温度改变",
                              MessageIcon::Exclamation, ""};
        }
    }
    for (int node = 1; node <= frame.nodeCount; ++node) {
        const NodeSupport& support = supportOf(frame, node);
        const std::array<bool, 3> restrained = restrainedFreedoms(support.code);
        for (std::size_t d = 0; d < 3; ++d) {
            if (support.settlement[d] != 0 && !restrained[d]) {
                return Diagnostic{
                    "节点 " + std::to_string(node) + " 的支座位移给在了支座不约束的方向上,不能计算",
                    MessageIcon::Exclamation, ""};
            }
        }
    }
    return std::nullopt;
}

}  // namespace orv
