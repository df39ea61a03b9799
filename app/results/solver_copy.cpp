// The copy of the model into the solver; see solver_copy.h.
#include "results/solver_copy.h"

#include <algorithm>
#include <limits>
#include <string>

#include "model/load_kinds.h"

namespace {

constexpr std::size_t kLoadSlots = orv::kMaxLoadsPerMember + 1;

void copyLoads(const gj& member, std::size_t i, 内力_位移& solver) {
    if (member.荷载数 == 0) {
        return;
    }
    // All 55 slots, also those beyond the member's load count.
    for (std::size_t k = 1; k < kLoadSlots; ++k) {
        solver.荷载种类(k, i) = orv::loadKindCode(elementOr(member.hzlx, k));
        solver.xq(k, i) = elementOr(member.xq, k);
        solver.q(k, i) = elementOr(member.q, k);
    }
}

// A member whose area or second moment is not positive (a section
// dimension of 0, say) would reach the engine as a member without
// stiffness and be reported as a division by zero; it is named instead.
std::size_t firstMemberWithoutSection(const Model& model, std::size_t total) {
    for (std::size_t i = 1; i <= total && i < model.members.size(); ++i) {
        const gj& member = model.members[i];
        if (!(member.a() > 0) || !(member.i() > 0)) {
            return i;
        }
    }
    return 0;
}

}  // namespace

bool gj2计算gj(const Model& model, 内力_位移& solver, const MessageSink& say) {
    if (model.membersEntered < model.memberTotal) {
        say({kDrawingIncompleteMessage, orv::MessageIcon::None, ""});
        return false;
    }
    const auto total = static_cast<std::size_t>(std::max<int>(model.memberTotal, 0));
    if (const std::size_t weak = firstMemberWithoutSection(model, total)) {
        say({std::to_string(weak) + kNoSectionMessage, orv::MessageIcon::None, ""});
        return false;
    }
    orv::sizeInputArrays(solver, total);
    constexpr float rigid = std::numeric_limits<float>::infinity();
    for (std::size_t i = 1; i <= total && i < model.members.size(); ++i) {
        const gj& member = model.members[i];
        solver.左节点号[i] = member.左号;
        solver.右节点号[i] = member.右号;
        solver.弹性模量[i] = member.e();
        solver.惯性矩[i] = member.i();
        solver.截面积[i] = member.a();
        solver.左端坐标[i] = member.左端坐标();
        solver.右端坐标[i] = member.右端坐标();
        solver.荷载数[i] = member.荷载数;
        solver.左端转动刚度[i] = member.左端转动刚度.value_or(rigid);
        solver.右端转动刚度[i] = member.右端转动刚度.value_or(rigid);
        copyLoads(member, i, solver);
    }
    solver.杆件总数 = model.memberTotal;
    solver.节点总数 = model.nodeCount;
    solver.零位移 = model.supportKinds;
    return true;
}
