// The solver's two methods: the feasibility check and the run, step by step.
#include "solver/frame_solver.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <new>
#include <optional>
#include <string>
#include <variant>

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

// Where one case's results go: case 1's into the solver's own arrays, a
// further case's into its 工况结果.
struct CaseResults {
    Table2D<double>& a;
    std::vector<double>& 左端转角;
    std::vector<double>& 右端转角;
};

void storeResults(const orv::FrameInput& caseFrame, std::vector<double> displacements,
                  CaseResults into) {
    orv::takeNodeRotationsFromEnds(caseFrame, displacements);
    for (std::size_t g = 0; g < displacements.size(); ++g) {
        into.a(0, g + 1) = displacements[g];
    }
    for (const orv::MemberInput& member : caseFrame.members) {
        const orv::MemberEndState state = orv::memberEndState(member, displacements);
        const auto i = static_cast<std::size_t>(member.number);
        for (std::size_t r = 0; r < 6; ++r) {
            into.a(r + 1, i) = state.forces[r];
        }
        into.左端转角[i] = state.endRotations[0];
        into.右端转角[i] = state.endRotations[1];
    }
}

// Why a case cannot be computed; a further case's message names it.
std::optional<orv::Diagnostic> refusal(const orv::FrameInput& caseFrame, std::size_t loadCase) {
    auto refused = orv::refusedEffects(caseFrame);
    if (refused && loadCase > 1) {
        refused->text = "荷载工况 " + std::to_string(loadCase) + ": " + refused->text;
    }
    return refused;
}

// The displacements of every case from one factorization, along X and Y,
// or the zero-pivot message.
std::variant<std::vector<std::vector<double>>, orv::Diagnostic> solveCases(
    const std::vector<orv::FrameInput>& caseFrames) {
    orv::LinearSystem system = orv::assemble(caseFrames.front());
    std::vector<const orv::FrameInput*> frames{&caseFrames.front()};
    std::vector<std::vector<double>> loads{std::move(system.loads)};
    for (std::size_t c = 1; c < caseFrames.size(); ++c) {
        frames.push_back(&caseFrames[c]);
        loads.push_back(orv::assembleLoads(caseFrames[c]));
    }
    orv::applySupports(frames, system.stiffness, loads);
    orv::CaseSolutions solved = orv::solveDisplacements(system.stiffness, loads);
    if (solved.zeroPivotAt) {
        return zeroPivotMessage(*solved.zeroPivotAt);
    }
    for (std::vector<double>& displacements : solved.displacements) {
        orv::turnToGlobalAxes(caseFrames.front(), displacements);
    }
    return std::move(solved.displacements);
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
        其他工况结果.assign(其他工况.size(), {a, 左端转角, 右端转角});
        const std::string base = orv::resultBaseName(ffile);
        orv::deleteIfExists(base + ".mqn");
        orv::deleteIfExists(base + ".uva");
        if (节点总数 == 0 || 杆件总数 == 0) {
            return false;
        }

        std::vector<orv::FrameInput> caseFrames{orv::readFrame(*this)};
        for (const 荷载工况& loadCase : 其他工况) {
            caseFrames.push_back(orv::withLoadCase(caseFrames.front(), loadCase));
        }
        for (std::size_t c = 0; c < caseFrames.size(); ++c) {
            if (const auto refused = refusal(caseFrames[c], c + 1)) {
                if (messageHandler) {
                    messageHandler(*refused);
                }
                return false;
            }
        }
        auto solved = solveCases(caseFrames);
        if (const auto* message = std::get_if<orv::Diagnostic>(&solved)) {
            if (messageHandler) {
                messageHandler(*message);
            }
            return false;
        }
        auto& displacements = std::get<std::vector<std::vector<double>>>(solved);
        storeResults(caseFrames.front(), std::move(displacements.front()), {a, 左端转角, 右端转角});
        for (std::size_t c = 1; c < caseFrames.size(); ++c) {
            工况结果& results = 其他工况结果[c - 1];
            storeResults(caseFrames[c], std::move(displacements[c]),
                         {results.a, results.左端转角, results.右端转角});
        }

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
    for (工况结果& results : 其他工况结果) {
        results = {a, 左端转角, 右端转角};
    }
    return false;
}

namespace orv {

namespace {

// The member load arrays of case 1 (the solver's) or of a further case,
// which have the same names: no loads on members 1..size-1.
template <typename Loads>
void sizeLoadTables(Loads& loads, std::size_t size) {
    const std::size_t loadSlots = kMaxLoadsPerMember + 1;
    loads.荷载数.assign(size, 0);
    loads.荷载种类 = Table2D<std::int16_t>(loadSlots, size, 0);
    loads.xq = Table2D<float>(loadSlots, size, 0);
    loads.q = Table2D<float>(loadSlots, size, 0);
}

}  // namespace

void sizeInputArrays(内力_位移& solver, std::size_t memberCount, std::size_t nodeCount) {
    const std::size_t size = memberCount + 1;
    solver.左节点号.assign(size, 0);
    solver.右节点号.assign(size, 0);
    solver.弹性模量.assign(size, 0);
    solver.惯性矩.assign(size, 0);
    solver.截面积.assign(size, 0);
    solver.左端坐标.assign(size, "");
    solver.右端坐标.assign(size, "");
    sizeLoadTables(solver, size);
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

void sizeLoadCase(荷载工况& loadCase, std::size_t memberCount, std::size_t nodeCount) {
    const std::size_t size = memberCount + 1;
    sizeLoadTables(loadCase, size);
    loadCase.温度改变1.assign(size, 0);
    loadCase.温度改变2.assign(size, 0);
    for (auto* perNode : {&loadCase.支座位移x, &loadCase.支座位移y, &loadCase.支座转角}) {
        perNode->assign(nodeCount == 0 ? 0 : nodeCount + 1, 0);  // none: left empty
    }
}

}  // namespace orv
