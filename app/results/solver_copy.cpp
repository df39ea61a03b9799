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

// Springs, turned axes and settlements of every node that has them.
void copySupportExtras(const Model& model, 内力_位移& solver) {
    const auto nodes = static_cast<std::size_t>(std::max<int>(model.nodeCount, 0));
    for (std::size_t n = 1; n <= nodes && n < model.supportExtras.size(); ++n) {
        const SupportExtras& extras = model.supportExtras[n];
        solver.x向弹簧刚度[n] = extras.springs[0];
        solver.y向弹簧刚度[n] = extras.springs[1];
        solver.转动弹簧刚度[n] = extras.springs[2];
        solver.支座倾角[n] = extras.angle;
        solver.支座位移x[n] = extras.settlement[0];
        solver.支座位移y[n] = extras.settlement[1];
        solver.支座转角[n] = extras.settlement[2];
    }
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
    orv::sizeInputArrays(solver, total,
                         static_cast<std::size_t>(std::max<int>(model.nodeCount, 0)));
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
        solver.线膨胀系数[i] = member.线膨胀系数();
        solver.截面高度[i] = member.截面高度();
        solver.温度改变1[i] = member.温度改变1;
        solver.温度改变2[i] = member.温度改变2;
        copyLoads(member, i, solver);
    }
    solver.杆件总数 = model.memberTotal;
    solver.节点总数 = model.nodeCount;
    solver.零位移 = model.supportKinds;
    copySupportExtras(model, solver);
    return true;
}
