// The solver's two methods: the feasibility check and the run, step by step.
#include "solver/frame_solver.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <new>
#include <string>

#include "model/load_kinds.h"
#include "model/supports.h"
#include "solver/analysis.h"
#include "solver/engine_error.h"
#include "solver/frame_input.h"
#include "solver/node_supports.h"
#include "solver/result_files.h"

namespace {

// Caption of the run-time error messages: the engine's name.
constexpr const char* kEngineCaption = "korvasta";

// The message of a singular system, with its critical-stop icon and a
// caption of one blank. Its first line is the one users know; the second
// says where the frame gives way: the node and direction of the freedom
// whose pivot was zero.
orv::Diagnostic zeroPivotMessage(int freedom) {
    static constexpr const char* kDirections[] = {"沿 X 方向移动", "沿 Y 方向移动", "转动"};
    const int node = freedom / 3 + 1;
    return {"出现除零错误,请检查参数,数据\n节点 " + std::to_string(node) + " 可无阻力地" +
                kDirections[freedom % 3] + "(机构,或有杆件没有刚度)",
            orv::MessageIcon::Critical, " "};
}

void report(const orv::MessageHandler& handler, const orv::EngineError& error) {
    if (handler) {
        handler({error.what(), orv::MessageIcon::Exclamation, kEngineCaption});
    }
}

// Whether the supports and springs can hold the frame in place: two
// restraints with a part along X and one with a part along Y, or one and
// two, or a node held along both and in rotation.
bool supportsHoldFrame(const 内力_位移& solver) {
    constexpr double kNoPart = 1e-12;
    int horizontal = 0;
    int vertical = 0;
    bool fixedEnd = false;
    for (int n = 1; n <= solver.节点总数; ++n) {
        const orv::NodeSupport support = orv::nodeSupportOf(solver, n);
        const std::array<bool, 3> held = orv::heldFreedoms(support);
        const std::array<std::array<double, 2>, 2> axes{
            {{support.cos, support.sin}, {-support.sin, support.cos}}};
        for (std::size_t d = 0; d < 2; ++d) {
            horizontal += held[d] && std::fabs(axes[d][0]) > kNoPart;
            vertical += held[d] && std::fabs(axes[d][1]) > kNoPart;
        }
        fixedEnd = fixedEnd || (held[0] && held[1] && held[2]);
    }
    return (horizontal >= 2 && vertical >= 1) || (horizontal >= 1 && vertical >= 2) || fixedEnd;
}

// Number of freedoms 3N; the freedom numbers must stay within 16 bits.
int freedomCount(std::int16_t nodeCount) {
    const int freedoms = 3 * int{nodeCount};
    if (freedoms > 32767) {
        throw orv::EngineError(orv::RunTimeError::Overflow);
    }
    if (freedoms < 0) {
        throw orv::EngineError(orv::RunTimeError::SubscriptOutOfRange);
    }
    return freedoms;
}

void storeResults(内力_位移& solver, const orv::FrameInput& frame,
                  std::vector<double> displacements) {
    orv::takeNodeRotationsFromEnds(frame, displacements);
    for (std::size_t g = 0; g < displacements.size(); ++g) {
        solver.a(0, g + 1) = displacements[g];
    }
    for (const orv::MemberInput& member : frame.members) {
        const orv::MemberEndState state = orv::memberEndState(member, displacements);
        const auto i = static_cast<std::size_t>(member.number);
        for (std::size_t r = 0; r < 6; ++r) {
            solver.a(r + 1, i) = state.forces[r];
        }
        solver.左端转角[i] = state.endRotations[0];
        solver.右端转角[i] = state.endRotations[1];
    }
}

}  // namespace

bool 内力_位移::能否计算() {
    try {
        for (int i = 1; i <= 杆件总数; ++i) {
            if (orv::memberAxisOf(*this, i).length == 0) {
                return false;
            }
        }
        return supportsHoldFrame(*this);
    } catch (const orv::EngineError& error) {
        report(messageHandler, error);
        return false;
    }
}

bool 内力_位移::korvasta(const std::string& ffile) {
    if (!能否计算()) {
        return false;
    }
    try {
        const int freedoms = freedomCount(节点总数);
        if (杆件总数 < 0) {
            throw orv::EngineError(orv::RunTimeError::SubscriptOutOfRange);
        }
        a = Table2D<double>(7, static_cast<std::size_t>(std::max<int>(freedoms, 杆件总数)) + 1,
                            0.0);
        左端转角.assign(static_cast<std::size_t>(杆件总数) + 1, 0.0);
        右端转角.assign(static_cast<std::size_t>(杆件总数) + 1, 0.0);
        const std::string base = orv::resultBaseName(ffile);
        orv::deleteIfExists(base + ".mqn");
        orv::deleteIfExists(base + ".uva");
        if (节点总数 == 0 || 杆件总数 == 0) {
            return false;
        }

        const orv::FrameInput frame = orv::readFrame(*this);
        if (const auto refusal = orv::refusedEffects(frame)) {
            if (messageHandler) {
                messageHandler(*refusal);
            }
            return false;
        }
        orv::LinearSystem system = orv::assemble(frame);
        orv::applySupports(frame, system);
        const orv::Solution solution = orv::solveDisplacements(system);
        if (solution.zeroPivotAt) {
            if (messageHandler) {
                messageHandler(zeroPivotMessage(*solution.zeroPivotAt));
            }
            return false;
        }
        std::vector<double> displacements = solution.displacements;
        orv::turnToGlobalAxes(frame, displacements);
        storeResults(*this, frame, std::move(displacements));

        const std::string mqn = base + ".mqn";
        orv::writeTextFile(mqn, orv::memberForcesText(a, 杆件总数, 左节点号, 右节点号));
        try {
            orv::writeTextFile(base + ".uva", orv::displacementsText(a, 节点总数));
        } catch (const orv::EngineError&) {
            orv::deleteIfExists(mqn);
            throw;
        }
        return true;
    } catch (const orv::EngineError& error) {
        report(messageHandler, error);
    } catch (const std::bad_alloc&) {
        report(messageHandler, orv::EngineError(orv::RunTimeError::OutOfMemory));
    }
    a = Table2D<double>(a.rows(), a.cols(), 0.0);
    std::fill(左端转角.begin(), 左端转角.end(), 0.0);
    std::fill(右端转角.begin(), 右端转角.end(), 0.0);
    return false;
}

namespace orv {

void sizeInputArrays(内力_位移& solver, std::size_t memberCount, std::size_t nodeCount) {
    const std::size_t size = memberCount + 1;
    const std::size_t loadSlots = kMaxLoadsPerMember + 1;
    solver.左节点号.assign(size, 0);
    solver.右节点号.assign(size, 0);
    solver.弹性模量.assign(size, 0);
    solver.惯性矩.assign(size, 0);
    solver.截面积.assign(size, 0);
    solver.左端坐标.assign(size, "");
    solver.右端坐标.assign(size, "");
    solver.荷载数.assign(size, 0);
    solver.荷载种类 = Table2D<std::int16_t>(loadSlots, size, 0);
    solver.xq = Table2D<float>(loadSlots, size, 0);
    solver.q = Table2D<float>(loadSlots, size, 0);
    solver.左端转动刚度.assign(size, std::numeric_limits<float>::infinity());
    solver.右端转动刚度.assign(size, std::numeric_limits<float>::infinity());
    for (auto* perMember :
         {&solver.温度改变1, &solver.温度改变2, &solver.线膨胀系数, &solver.截面高度}) {
        perMember->assign(size, 0);
    }
    for (auto* perNode :
         {&solver.x向弹簧刚度, &solver.y向弹簧刚度, &solver.转动弹簧刚度, &solver.支座倾角,
          &solver.支座位移x, &solver.支座位移y, &solver.支座转角}) {
        perNode->assign(nodeCount == 0 ? 0 : nodeCount + 1, 0);  // none: left empty
    }
}

}  // namespace orv
