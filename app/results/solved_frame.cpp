// Gathering a solver's input and results into one solved frame; see
// solved_frame.h.
#include "results/solved_frame.h"

#include <algorithm>

#include "model/supports.h"
#include "solver/engine_error.h"

namespace {

// The result table holds row 0 (every freedom) and rows 1..6 (every
// member's end forces), columns from 1.
bool resultTableFits(const Table2D<double>& results, const orv::FrameInput& frame) {
    const std::size_t freedoms = 3 * static_cast<std::size_t>(frame.nodeCount);
    const std::size_t columns = std::max(freedoms, frame.members.size()) + 1;
    return results.rows() >= 7 && results.cols() >= columns;
}

SolvedMember solvedMember(const 内力_位移& solver, orv::MemberInput input) {
    const auto i = static_cast<std::size_t>(input.number);
    SolvedMember member{std::move(input), orv::parseCoordinateText(solver.左端坐标[i]),
                        orv::parseCoordinateText(solver.右端坐标[i])};
    for (std::size_t r = 0; r < 6; ++r) {
        member.endForces[r] = solver.a(r + 1, i);
    }
    // A solver filled by hand may lack them: then its ends turn with their nodes.
    const auto nodeRotation = [&](int node) {
        return solver.a(0, static_cast<std::size_t>(orv::firstFreedomOfNode(node) + 2));
    };
    member.endRotations = {
        i < solver.左端转角.size() ? solver.左端转角[i] : nodeRotation(member.input.leftNode),
        i < solver.右端转角.size() ? solver.右端转角[i] : nodeRotation(member.input.rightNode)};
    return member;
}

}  // namespace

std::optional<SolvedFrame> readSolvedFrame(const 内力_位移& solver) {
    orv::FrameInput frame;
    try {
        // The same checks as the run: indices, node numbers, coordinate
        // texts and values, so that everything below reads sound data.
        frame = orv::readFrame(solver);
    } catch (const orv::EngineError&) {
        return std::nullopt;
    }
    if (frame.nodeCount < 0 || !resultTableFits(solver.a, frame)) {
        return std::nullopt;
    }
    SolvedFrame solved;
    solved.supports = std::move(frame.supports);
    for (orv::MemberInput& input : frame.members) {
        solved.members.push_back(solvedMember(solver, std::move(input)));
    }
    for (int node = 1; node <= frame.nodeCount; ++node) {
        const auto first = static_cast<std::size_t>(orv::firstFreedomOfNode(node));
        solved.nodeMoves.push_back(
            {solver.a(0, first), solver.a(0, first + 1), solver.a(0, first + 2)});
    }
    return solved;
}
