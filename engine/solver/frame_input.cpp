// Reading and checking the solver's input arrays; see frame_input.h.
#include "solver/frame_input.h"

#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <type_traits>

#include "model/supports.h"
#include "solver/engine_error.h"
#include "solver/frame_solver.h"
#include "text/number_text.h"

namespace orv {

namespace {

template <typename T>
const T& element(const std::vector<T>& array, long index) {
    if (index < 0 || static_cast<std::size_t>(index) >= array.size()) {
        throw EngineError(RunTimeError::SubscriptOutOfRange);
    }
    return array[static_cast<std::size_t>(index)];
}

template <typename T>
const T& element(const Table2D<T>& table, long row, long col) {
    if (!table.contains(row, col)) {
        throw EngineError(RunTimeError::SubscriptOutOfRange);
    }
    return table(static_cast<std::size_t>(row), static_cast<std::size_t>(col));
}

double finite(double value) {
    if (!std::isfinite(value)) {
        throw EngineError(RunTimeError::Overflow);
    }
    return value;
}

float coordinate(std::string_view text) {
    const auto value = parseNumber(text);
    if (!value) {
        throw EngineError(RunTimeError::TypeMismatch);
    }
    if (std::fabs(*value) > std::numeric_limits<float>::max()) {
        throw EngineError(RunTimeError::Overflow);
    }
    return static_cast<float>(*value);
}

int nodeNumber(std::int16_t node, int nodeCount) {
    if (node < 1 || node > nodeCount) {
        throw EngineError(RunTimeError::SubscriptOutOfRange);
    }
    return node;
}

LoadKind kindOfCode(std::int16_t code) {
    return code >= 1 && code <= 6 ? static_cast<LoadKind>(code) : LoadKind::None;
}

// The loads of a member in case 1 (the solver's own arrays) or in a
// further case (a 荷载工况, whose arrays have the same names); none where
// a further case leaves its arrays empty.
template <typename Loads>
std::vector<MemberLoad> readLoads(const Loads& solver, int member) {
    if (solver.荷载数.empty() && !std::is_same_v<Loads, 内力_位移>) {
        return {};
    }
    // The load tables' rows bound the count: 55 loads a member as the
    // program fills them, more where the loads of a load combination's
    // cases are gathered on one member.
    const std::int16_t count = element(solver.荷载数, member);
    std::vector<MemberLoad> loads;
    for (int k = 1; k <= count; ++k) {
        loads.push_back({kindOfCode(element(solver.荷载种类, k, member)),
                         finite(element(solver.xq, k, member)),
                         finite(element(solver.q, k, member))});
    }
    return loads;
}

// A connection as the engine keeps it (see kRigidConnection) from its
// input value in kN*m/rad: +infinity is rigid, 0 a hinge. An input array
// left empty makes every end rigid.
double connectionOf(const std::vector<float>& connections, int member) {
    if (connections.empty()) {
        return kRigidConnection;
    }
    const double value = element(connections, member);
    if (std::isnan(value)) {
        throw EngineError(RunTimeError::Overflow);
    }
    if (value < 0) {
        throw EngineError(RunTimeError::InvalidArgument);
    }
    return value / 1000;
}

// Element i of an optional input array: 0 where the array is left empty.
double optionalValue(const std::vector<float>& values, int i) {
    return values.empty() ? 0 : finite(element(values, i));
}

double nonNegative(double value) {
    if (value < 0) {
        throw EngineError(RunTimeError::InvalidArgument);
    }
    return value;
}

MemberInput readMember(const 内力_位移& solver, int member, int nodeCount) {
    MemberInput input;
    input.number = member;
    input.leftNode = nodeNumber(element(solver.左节点号, member), nodeCount);
    input.rightNode = nodeNumber(element(solver.右节点号, member), nodeCount);
    input.e = finite(element(solver.弹性模量, member));
    input.inertia = finite(element(solver.惯性矩, member));
    input.area = finite(element(solver.截面积, member));
    input.axis = memberAxisOf(solver, member);
    input.loads = readLoads(solver, member);
    input.firstEndConnection = connectionOf(solver.左端转动刚度, member);
    input.secondEndConnection = connectionOf(solver.右端转动刚度, member);
    input.warmingBelow = optionalValue(solver.温度改变1, member);
    input.warmingAbove = optionalValue(solver.温度改变2, member);
    input.expansion = nonNegative(optionalValue(solver.线膨胀系数, member));
    input.depth = nonNegative(optionalValue(solver.截面高度, member));
    return input;
}

// See FrameInput::rotationTakenFrom.
std::vector<MemberEnd> rotationsTaken(const FrameInput& frame) {
    std::vector<MemberEnd> taken(static_cast<std::size_t>(frame.nodeCount));
    std::vector<bool> heldByAnEnd(taken.size(), false);
    for (const MemberInput& member : frame.members) {
        const std::array<int, 2> nodes{member.leftNode, member.rightNode};
        const std::array<double, 2> connections{member.firstEndConnection,
                                                member.secondEndConnection};
        for (int end = 0; end < 2; ++end) {
            const auto node = static_cast<std::size_t>(nodes[static_cast<std::size_t>(end)] - 1);
            if (connections[static_cast<std::size_t>(end)] != 0) {
                heldByAnEnd[node] = true;
            } else if (taken[node].member == 0) {
                taken[node] = {member.number, end};
            }
        }
    }
    for (std::size_t node = 0; node < taken.size(); ++node) {
        const NodeSupport& support = frame.supports[node];
        if (heldByAnEnd[node] || restrainedFreedoms(support.code)[2] || support.springs[2] > 0) {
            taken[node] = {};
        }
    }
    return taken;
}

}  // namespace

Point parseCoordinateText(const std::string& text) {
    const auto comma = text.find(',');
    if (comma == std::string::npos) {
        throw EngineError(RunTimeError::TypeMismatch);
    }
    return {coordinate(std::string_view(text).substr(0, comma)),
            coordinate(std::string_view(text).substr(comma + 1))};
}

MemberAxis memberAxisOf(const 内力_位移& solver, int member) {
    const Point first = parseCoordinateText(element(solver.左端坐标, member));
    const Point second = parseCoordinateText(element(solver.右端坐标, member));
    return memberAxis(first.x, first.y, second.x, second.y);
}

std::int16_t supportCodeOf(const 内力_位移& solver, int node) {
    return element(solver.零位移, node);
}

NodeSupport nodeSupportOf(const 内力_位移& solver, int node) {
    NodeSupport support;
    support.code = supportCodeOf(solver, node);
    const double degrees = optionalValue(solver.支座倾角, node);
    if (degrees <= -180 || degrees > 180) {
        throw EngineError(RunTimeError::InvalidArgument);
    }
    if (degrees != 0) {
        const double radians = degrees * std::numbers::pi / 180;
        support.cos = std::cos(radians);
        support.sin = std::sin(radians);
        support.turned = true;
    }
    support.springs = {nonNegative(optionalValue(solver.x向弹簧刚度, node)) / 1000,
                       nonNegative(optionalValue(solver.y向弹簧刚度, node)) / 1000,
                       nonNegative(optionalValue(solver.转动弹簧刚度, node)) / 1000};
    support.settlement = {1000 * optionalValue(solver.支座位移x, node),
                          1000 * optionalValue(solver.支座位移y, node),
                          1000 * optionalValue(solver.支座转角, node)};
    return support;
}

FrameInput readFrame(const 内力_位移& solver) {
    FrameInput frame;
    frame.nodeCount = solver.节点总数;
    for (int n = 1; n <= solver.节点总数; ++n) {
        frame.supportCodes.push_back(supportCodeOf(solver, n));
        frame.supports.push_back(nodeSupportOf(solver, n));
    }
    for (int i = 1; i <= solver.杆件总数; ++i) {
        frame.members.push_back(readMember(solver, i, solver.节点总数));
    }
    frame.rotationTakenFrom = rotationsTaken(frame);
    return frame;
}

FrameInput withLoadCase(const FrameInput& frame, const 荷载工况& loadCase) {
    FrameInput caseFrame = frame;
    for (MemberInput& member : caseFrame.members) {
        member.loads = readLoads(loadCase, member.number);
        member.warmingBelow = optionalValue(loadCase.温度改变1, member.number);
        member.warmingAbove = optionalValue(loadCase.温度改变2, member.number);
    }
    for (int node = 1; node <= caseFrame.nodeCount; ++node) {
        caseFrame.supports[static_cast<std::size_t>(node - 1)].settlement = {
            1000 * optionalValue(loadCase.支座位移x, node),
            1000 * optionalValue(loadCase.支座位移y, node),
            1000 * optionalValue(loadCase.支座转角, node)};
    }
    return caseFrame;
}

}  // namespace orv
