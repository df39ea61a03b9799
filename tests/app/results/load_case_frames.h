// Frames with several load cases and combinations, solved, for the tests
// of result sets and envelopes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "document/load_cases.h"
#include "document_frames.h"
#include "results/solver_copy.h"
#include "solver/frame_solver.h"

namespace orv::testing {

inline void addCaseLoad(gj& member, int loadCase, const char* kind, float xq, float q) {
    MemberLoads loads = loadsIn(member, loadCase);
    const auto k = static_cast<std::size_t>(++loads.荷载数);
    loads.hzlx[k] = kind;
    loads.xq[k] = xq;
    loads.q[k] = q;
}

// One storey, two bays (members 1..3 columns, 4..5 beams) with three
// cases: every load kind in case 1, a warm beam and a settling base in
// case 2, wind in case 3; combinations with negative factors.
inline Document threeCaseFrame() {
    Document frame = buildingDocument(1, 2);
    addLoad(frame.members[4], "三角", 4, 12);
    addLoad(frame.members[4], "力偶", 2.5f, 30);
    addLoad(frame.members[5], "水平集中", 2, 15);
    addLoad(frame.members[5], "水平均布", 3, -4);
    addCaseLoad(frame.members[5], 2, "均布", 6, 8);
    addCaseLoad(frame.members[5], 2, "集中", 1.5f, 25);
    loadsIn(frame.members[4], 2).温度改变1 = -10;
    loadsIn(frame.members[4], 2).温度改变2 = 20;
    settlementIn(frame.supportExtras[static_cast<std::size_t>(frame.members[2].左号)], 2) = {
        0.004f, 0.01f, 0.001f};
    addCaseLoad(frame.members[1], 3, "均布", 3, 5);
    addCaseLoad(frame.members[3], 3, "集中", 3, 12);
    addLoadCase(frame, "恒载+");
    addLoadCase(frame, "风载");
    frame.combinations = {{"1.3·1+1.5·2", {{1, 1.3f}, {2, 1.5f}}},
                          {"1.0·1-0.8·3", {{1, 1.0f}, {3, -0.8f}}}};
    return frame;
}

inline 内力_位移 solvedCases(const Model& model) {
    内力_位移 solver;
    EXPECT_TRUE(gj2计算gj(model, solver, [](const Diagnostic& d) { ADD_FAILURE() << d.text; }));
    const auto project = std::filesystem::temp_directory_path() / "result_sets_test.tsd";
    EXPECT_TRUE(solver.korvasta(project.string()));
    return solver;
}

}  // namespace orv::testing
