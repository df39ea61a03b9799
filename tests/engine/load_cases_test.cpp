// Load cases beyond the first: each is solved on the one factorization of
// the frame's stiffness and must give exactly what a run with its loads as
// case 1 gives.
#include <gtest/gtest.h>

#include "model/supports.h"
#include "run_support.h"
#include "solver/frame_solver.h"

namespace orv::testing {
namespace {

// The loads, temperature changes and settlements of case 1 moved into a
// further case, the frame's own arrays cleared.
荷载工况 takeCaseOne(内力_位移& solver) {
    荷载工况 moved;
    moved.荷载数 = std::exchange(solver.荷载数, std::vector<std::int16_t>(solver.荷载数.size()));
    moved.荷载种类 = solver.荷载种类;
    moved.xq = solver.xq;
    moved.q = solver.q;
    moved.温度改变1 = std::exchange(solver.温度改变1, std::vector<float>(solver.温度改变1.size()));
    moved.温度改变2 = std::exchange(solver.温度改变2, std::vector<float>(solver.温度改变2.size()));
    moved.支座位移x = std::exchange(solver.支座位移x, std::vector<float>(solver.支座位移x.size()));
    moved.支座位移y = std::exchange(solver.支座位移y, std::vector<float>(solver.支座位移y.size()));
    moved.支座转角 = std::exchange(solver.支座转角, std::vector<float>(solver.支座转角.size()));
    return moved;
}

// A building whose case 1 has its own loads, with a warm beam and a
// settling column base (factor 2 of what the engine needs to take).
内力_位移 loadedBuilding(int storeys, int bays) {
    内力_位移 solver = buildingFrame(storeys, bays);
    const std::size_t nodes = static_cast<std::size_t>(solver.节点总数) + 1;
    for (auto* perNode : {&solver.支座位移x, &solver.支座位移y, &solver.支座转角}) {
        perNode->assign(nodes, 0);
    }
    solver.支座位移y[1] = 0.012f;
    solver.支座转角[2] = -0.002f;
    solver.温度改变1[2] = -10;
    solver.温度改变2[2] = 25;
    solver.线膨胀系数.assign(solver.线膨胀系数.size(), 1e-5f);
    solver.截面高度.assign(solver.截面高度.size(), 0.5f);
    return solver;
}

void expectSameResults(const 工况结果& further, const 内力_位移& alone, double tolerance) {
    ASSERT_EQ(further.a.rows(), alone.a.rows());
    ASSERT_EQ(further.a.cols(), alone.a.cols());
    for (std::size_t r = 0; r < alone.a.rows(); ++r) {
        for (std::size_t c = 0; c < alone.a.cols(); ++c) {
            expectRelativelyNear(further.a(r, c), alone.a(r, c), tolerance);
        }
    }
    for (std::size_t i = 0; i < alone.左端转角.size(); ++i) {
        expectRelativelyNear(further.左端转角[i], alone.左端转角[i], tolerance);
        expectRelativelyNear(further.右端转角[i], alone.右端转角[i], tolerance);
    }
}

// Case 2 carries the building's loads, settlements and temperature; case 1
// has none, case 3 the loads again with every intensity turned over.
void expectEveryCaseAsIfAlone(int storeys, int bays, double tolerance) {
    内力_位移 alone = loadedBuilding(storeys, bays);
    solveQuietly(alone);

    内力_位移 cases = loadedBuilding(storeys, bays);
    cases.其他工况.push_back(takeCaseOne(cases));
    荷载工况 reversed = cases.其他工况.front();
    for (std::size_t k = 0; k < reversed.q.rows(); ++k) {
        for (std::size_t i = 0; i < reversed.q.cols(); ++i) {
            reversed.q(k, i) = -reversed.q(k, i);
        }
    }
    reversed.支座位移x.clear();  // empty arrays: nothing of that kind
    reversed.支座位移y.clear();
    reversed.支座转角.clear();
    reversed.温度改变1.clear();
    reversed.温度改变2.clear();
    cases.其他工况.push_back(reversed);
    solveQuietly(cases);

    ASSERT_EQ(cases.其他工况结果.size(), 2u);
    expectSameResults(cases.其他工况结果[0], alone, tolerance);
    for (std::size_t c = 0; c < cases.a.cols(); ++c) {
        EXPECT_EQ(cases.a(0, c), 0.0) << "case 1 has no loads: the frame is at rest";
    }

    内力_位移 reversedAlone = buildingFrame(storeys, bays);
    for (std::size_t k = 0; k < reversedAlone.q.rows(); ++k) {
        for (std::size_t i = 0; i < reversedAlone.q.cols(); ++i) {
            reversedAlone.q(k, i) = -reversedAlone.q(k, i);
        }
    }
    solveQuietly(reversedAlone);
    expectSameResults(cases.其他工况结果[1], reversedAlone, tolerance);
}

TEST(LoadCases, EachCaseGivesWhatItsLoadsGiveAlone) {
    expectEveryCaseAsIfAlone(3, 2, 1e-13);   // factored column by column
    expectEveryCaseAsIfAlone(50, 20, 1e-9);  // factored in blocks
}

TEST(LoadCases, AFurtherCaseThatCannotBeComputedIsNamed) {
    内力_位移 solver = singleBeam(6, kFixedEnd, kVerticalLink);
    荷载工况 settling;
    sizeLoadCase(settling, 1, 2);
    settling.支座位移x[2] = 0.01f;  // the link does not hold x
    solver.其他工况 = {荷载工况{}, settling};
    MessageLog log(solver);
    ScratchFolder folder;
    EXPECT_FALSE(solver.korvasta(folder.path("beam.tsd").string()));
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages.front().text,
              "荷载工况 3: 节点 2 的支座位移给在了支座不约束的方向上,不能计算");

    settling.支座位移x[2] = 0;
    settling.荷载数 = {0, 56};  // more loads than a member may carry
    solver.其他工况 = {settling};
    EXPECT_FALSE(solver.korvasta(folder.path("beam.tsd").string()));
    EXPECT_EQ(log.messages.back(), runTimeError("下标越界"));
}

}  // namespace
}  // namespace orv::testing
