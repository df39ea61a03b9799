// The fast elimination against the plain dense one: same pivots, same
// numbers bit for bit, same verdict on singular systems, on frames and on
// random matrices full of equal entries. Then the resources of the dense
// phase: the helper thread that takes half of each step, and the scratch
// block kept between runs. The counters handed between threads are plain
// ints on purpose: a hand-over without ordering is a data race that the
// ThreadSanitizer pass of the tests reports.
#include <gtest/gtest.h>

#include <chrono>
#include <new>
#include <random>
#include <thread>

#include "dense_reference.h"
#include "frame_generator.h"
#include "solver/analysis.h"
#include "solver/complete_pivoting.h"
#include "solver/dense_block.h"
#include "solver/step_worker.h"

namespace orv {
namespace {

LinearSystem frameSystem(const 内力_位移& solver) {
    const FrameInput frame = readFrame(solver);
    LinearSystem system = assemble(frame);
    applySupports(frame, system);
    return system;
}

void expectSameAsDense(const SparseMatrix& matrix, const std::vector<double>& rhs) {
    const EliminationResult fast = solveWithCompletePivoting(matrix, rhs);
    const EliminationResult dense = testing::denseCompletePivoting(matrix, rhs);
    ASSERT_EQ(fast.singular, dense.singular);
    if (fast.singular) {
        return;
    }
    ASSERT_EQ(fast.pivots.size(), dense.pivots.size());
    for (std::size_t k = 0; k < fast.pivots.size(); ++k) {
        ASSERT_EQ(fast.pivots[k], dense.pivots[k]) << "pivot step " << k;
    }
    ASSERT_EQ(fast.x.size(), dense.x.size());
    for (std::size_t g = 0; g < fast.x.size(); ++g) {
        ASSERT_EQ(fast.x[g], dense.x[g]) << "unknown " << g;  // bit for bit
    }
}

// A random matrix whose entries are small integers, so that equal
// magnitudes (ties in the pivot search) are everywhere.
SparseMatrix tiedMatrix(int n, double density, std::mt19937& random) {
    SparseMatrix m(n);
    std::uniform_real_distribution<double> chance(0, 1);
    std::uniform_int_distribution<int> value(-3, 3);
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            if (chance(random) < density || r == c) {
                m.rows[static_cast<std::size_t>(r)].push_back(
                    {c, static_cast<double>(value(random))});
            }
        }
    }
    return m;
}

TEST(CompletePivoting, BuildingFramesMatchDenseEliminationBitForBit) {
    for (const auto& [storeys, bays] : {std::pair{1, 1}, {3, 2}, {10, 5}, {20, 10}}) {
        SCOPED_TRACE(std::to_string(storeys) + " x " + std::to_string(bays));
        const LinearSystem system = frameSystem(testing::buildingFrame(storeys, bays));
        expectSameAsDense(system.stiffness, system.loads);
    }
}

TEST(CompletePivoting, RandomFramesMatchDenseEliminationBitForBit) {
    for (const auto& [members, seed] : {std::pair{12, 1u}, {60, 2u}, {300, 3u}, {700, 4u}}) {
        SCOPED_TRACE(members);
        const LinearSystem system = frameSystem(testing::randomFrame(members, seed));
        expectSameAsDense(system.stiffness, system.loads);
    }
}

TEST(CompletePivoting, TiedRandomMatricesMatchDenseElimination) {
    std::mt19937 random(11);
    for (const int n : {1, 2, 5, 20, 70, 150}) {
        for (const double density : {0.02, 0.1, 0.5, 1.0}) {
            SCOPED_TRACE(std::to_string(n) + " " + std::to_string(density));
            const SparseMatrix m = tiedMatrix(n, density, random);
            std::vector<double> rhs(static_cast<std::size_t>(n));
            for (double& v : rhs) {
                v = static_cast<double>(random() % 7) - 3;
            }
            expectSameAsDense(m, rhs);
        }
    }
}

// Large enough that the dense phase shares its steps with a second thread.
TEST(CompletePivoting, LargeBlocksSharedBetweenThreadsMatchDenseElimination) {
    std::mt19937 random(5);
    SparseMatrix m = tiedMatrix(850, 0.01, random);
    for (int r = 0; r < 850; ++r) {
        for (SparseEntry& e : m.rows[static_cast<std::size_t>(r)]) {
            if (e.col == r && e.value == 0) {
                e.value = 1;  // a zero diagonal would make the freedom singular
            }
        }
    }
    ASSERT_FALSE(solveWithCompletePivoting(m, std::vector<double>(850, 1.0)).singular);
    std::vector<double> rhs(850);
    for (double& v : rhs) {
        v = static_cast<double>(random() % 7) - 3;
    }
    expectSameAsDense(m, rhs);
}

TEST(CompletePivoting, FirstOfEqualMaximaInRowMajorOrderIsThePivot) {
    // Two entries of magnitude 4: row 0 comes first in the scan, and within
    // row 1 the leftmost column would win.
    SparseMatrix m(3);
    m.rows[0] = {{0, 1}, {2, -4}};
    m.rows[1] = {{0, 4}, {1, 4}};
    m.rows[2] = {{2, 1}};
    const EliminationResult result = solveWithCompletePivoting(m, {1, 2, 3});
    ASSERT_FALSE(result.singular);
    EXPECT_EQ(result.pivots.front(), (PivotChoice{0, 2}));
}

TEST(CompletePivoting, SingularSystemsAreRefused) {
    SparseMatrix zero(2);
    zero.rows[0] = {{0, 1}};
    EXPECT_TRUE(solveWithCompletePivoting(zero, {1, 1}).singular);

    // Rank one: the second pivot is round-off of the first.
    SparseMatrix rankOne(2);
    rankOne.rows[0] = {{0, 0.1}, {1, 0.3}};
    rankOne.rows[1] = {{0, 0.3}, {1, 0.9}};
    EXPECT_TRUE(solveWithCompletePivoting(rankOne, {1, 1}).singular);
}

using detail::StepWorker;

// Work of varying length for the caller's own half of a step, so that the
// helper thread claims some tasks and the caller others.
void callerHalf(int length) {
    volatile int sink = 0;
    for (int i = 0; i < length; ++i) {
        sink = sink + i;
    }
}

TEST(StepWorker, EachTaskRunsOnceAndIsDoneWhenFinishReturns) {
    StepWorker worker;
    int runs = 0;
    for (int task = 1; task <= 20000; ++task) {
        worker.start([&runs] { ++runs; });
        callerHalf((task % 16) * 50);
        worker.finish();
        ASSERT_EQ(runs, task);
    }
}

// The helper thread may wake up for a task that the caller has claimed and
// run itself, and the worker be destroyed next: the thread must still see
// the stop, without a data race on the way. The pauses make that order
// likely (the thread is asleep when the task is posted and awake when the
// worker goes); the verdict does not depend on them.
TEST(StepWorker, StopsAfterWakingForATaskTheCallerClaimed) {
    using namespace std::chrono_literals;
    for (int round = 0; round < 20; ++round) {
        int runs = 0;
        {
            StepWorker worker;
            std::this_thread::sleep_for(5ms);  // past its spinning, it sleeps
            worker.start([&runs] { ++runs; });
            worker.finish();
            std::this_thread::sleep_for(5ms);  // it has woken and found the task taken
        }
        ASSERT_EQ(runs, 1);
    }
}

// A square system that is dense enough to go to the dense phase at once:
// every row holds its diagonal and every sixteenth column after it.
SparseMatrix immediatelyDense(int n) {
    SparseMatrix m(n);
    const int perRow = n / 16 + 1;
    for (int r = 0; r < n; ++r) {
        for (int k = 0; k < perRow; ++k) {
            const double value = k == 0 ? 8.0 : static_cast<double>(k % 3) - 1.0;
            m.rows[static_cast<std::size_t>(r)].push_back({(r + 16 * k) % n, value});
        }
    }
    return m;
}

// Makes every dense step on this thread throw, as running out of memory
// midway would, while it exists.
class FailingDenseSteps {
public:
    FailingDenseSteps()
        : previous_(detail::setDenseStepHook([](int) { throw std::bad_alloc(); })) {}
    ~FailingDenseSteps() { detail::setDenseStepHook(previous_); }
    FailingDenseSteps(const FailingDenseSteps&) = delete;
    FailingDenseSteps& operator=(const FailingDenseSteps&) = delete;

private:
    detail::DenseStepHook previous_;
};

TEST(DensePhase, FailedRunOnALargeBlockReleasesItsScratch) {
    // 2,900 x 2,900 doubles (67 MB) is above what is kept between runs, and
    // large enough for the helper thread, which must be stopped as well.
    const int n = 2900;
    {
        const FailingDenseSteps failing;
        EXPECT_THROW(solveWithCompletePivoting(immediatelyDense(n), std::vector<double>(n, 1.0)),
                     std::bad_alloc);
    }
    EXPECT_EQ(detail::denseScratchSize(), 0u);
}

TEST(DensePhase, SmallBlockIsKeptForTheNextRun) {
    const int n = 200;
    const EliminationResult result =
        solveWithCompletePivoting(immediatelyDense(n), std::vector<double>(n, 1.0));
    ASSERT_FALSE(result.singular);
    EXPECT_GE(detail::denseScratchSize(), static_cast<std::size_t>(n) * n);
}

}  // namespace
}  // namespace orv
