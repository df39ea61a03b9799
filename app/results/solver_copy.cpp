// The copy of the model into the solver; see solver_copy.h.
#include "results/solver_copy.h"

#include <algorithm>
#include <limits>
#include <string>

#include "document/load_cases.h"
#include "model/load_kinds.h"
#include "results/work_halves.h"

namespace {

constexpr std::size_t kLoadSlots = orv::kMaxLoadsPerMember + 1;

// A member's loads and temperature change of one case into the arrays of
// case 1 (the solver's) or of a further case (a 荷载工况), which have the
// same names.
template <typename Loads>
void copyLoads(ConstMemberLoads loads, std::size_t i, Loads& into) {
    into.荷载数[i] = loads.荷载数;
    into.温度改变1[i] = loads.温度改变1;
    into.温度改变2[i] = loads.温度改变2;
    if (loads.荷载数 == 0) {
        return;
    }
    // Every slot of the tables, also those beyond the member's load count.
    for (std::size_t k = 1; k < into.荷载种类.rows(); ++k) {
        into.荷载种类(k, i) = orv::loadKindCode(elementOr(loads.hzlx, k));
        into.xq(k, i) = elementOr(loads.xq, k);
        into.q(k, i) = elementOr(loads.q, k);
    }
}

// A node's settlement of one case into the arrays of case 1 or of a
// further case.
template <typename Loads>
void copySettlement(const Settlement& settlement, std::size_t n, Loads& into) {
    into.支座位移x[n] = settlement[0];
    into.支座位移y[n] = settlement[1];
    into.支座转角[n] = settlement[2];
}

// A combination's set gathers the loads of all its cases on a member,
// which may be more than the 55 of one case: the load tables grow to hold
// them.
void makeRoomForLoads(const Model& model, std::size_t total, 内力_位移& solver) {
    std::size_t most = 0;
    for (std::size_t i = 1; i <= total && i < model.members.size(); ++i) {
        most = std::max<std::size_t>(most, std::max<int>(model.members[i].荷载数, 0));
    }
    if (most + 1 > kLoadSlots) {
        solver.荷载种类 = Table2D<std::int16_t>(most + 1, total + 1, 0);
        solver.xq = Table2D<float>(most + 1, total + 1, 0);
        solver.q = Table2D<float>(most + 1, total + 1, 0);
    }
}

std::size_t nodesOf(const Model& model) {
    return static_cast<std::size_t>(std::max<int>(model.nodeCount, 0));
}

// Cases 2..K, each with its loads, temperature changes and settlements.
void copyLaterCases(const Model& model, std::size_t total, 内力_位移& solver) {
    solver.其他工况.clear();
    for (int c = 2; c <= loadCaseCount(model); ++c) {
        荷载工况& loadCase = solver.其他工况.emplace_back();
        orv::sizeLoadCase(loadCase, total, nodesOf(model));
        for (std::size_t i = 1; i <= total && i < model.members.size(); ++i) {
            copyLoads(loadsIn(model.members[i], c), i, loadCase);
        }
        for (std::size_t n = 1; n <= nodesOf(model) && n < model.supportExtras.size(); ++n) {
            copySettlement(settlementIn(model.supportExtras[n], c), n, loadCase);
        }
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

// Springs, turned axes and case 1's settlements of every node that has
// them.
void copySupportExtras(const Model& model, 内力_位移& solver) {
    for (std::size_t n = 1; n <= nodesOf(model) && n < model.supportExtras.size(); ++n) {
        const SupportExtras& extras = model.supportExtras[n];
        solver.x向弹簧刚度[n] = extras.springs[0];
        solver.y向弹簧刚度[n] = extras.springs[1];
        solver.转动弹簧刚度[n] = extras.springs[2];
        solver.支座倾角[n] = extras.angle;
        copySettlement(extras.settlement, n, solver);
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
    orv::sizeInputArrays(solver, total, nodesOf(model));
    makeRoomForLoads(model, total, solver);
    constexpr float rigid = std::numeric_limits<float>::infinity();
    // Each member fills its own slots; the coordinate texts of a large
    // frame are worth two cores.
    const std::size_t copied =
        model.members.empty() ? 0 : std::min(total, model.members.size() - 1);
    inHalves(copied, kMembersWorthTwoCores, [&](std::size_t first, std::size_t last) {
        for (std::size_t i = first + 1; i <= last; ++i) {
            const gj& member = model.members[i];
            solver.左节点号[i] = member.左号;
            solver.右节点号[i] = member.右号;
            solver.弹性模量[i] = member.e();
            solver.惯性矩[i] = member.i();
            solver.截面积[i] = member.a();
            solver.左端坐标[i] = member.左端坐标();
            solver.右端坐标[i] = member.右端坐标();
            solver.左端转动刚度[i] = member.左端转动刚度.value_or(rigid);
            solver.右端转动刚度[i] = member.右端转动刚度.value_or(rigid);
            solver.线膨胀系数[i] = member.线膨胀系数();
            solver.截面高度[i] = member.截面高度();
            copyLoads(loadsIn(member, 1), i, solver);
        }
    });
    solver.杆件总数 = model.memberTotal;
    solver.节点总数 = model.nodeCount;
    solver.零位移 = model.supportKinds;
    copySupportExtras(model, solver);
    copyLaterCases(model, total, solver);
    return true;
}
