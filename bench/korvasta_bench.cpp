// Timing of whole analysis runs (assembly to both result files written) and
// of the solution step alone, on building frames and a random frame.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <utility>

#include "frame_generator.h"
#include "solver/analysis.h"
#include "solver/frame_input.h"

namespace {

std::string scratchProject() {
    return (std::filesystem::temp_directory_path() / "orvandel_bench.tsd").string();
}

void wholeRun(benchmark::State& state, 内力_位移 solver) {
    const std::string project = scratchProject();
    for (auto _ : state) {
        if (!solver.korvasta(project)) {
            state.SkipWithError("the run failed");
            break;
        }
    }
    state.counters["members"] = solver.杆件总数;
    state.counters["freedoms"] = 3 * solver.节点总数;
}

void solutionOnly(benchmark::State& state, const 内力_位移& solver) {
    const orv::FrameInput frame = orv::readFrame(solver);
    orv::LinearSystem system = orv::assemble(frame);
    orv::applySupports(frame, system);
    for (auto _ : state) {
        benchmark::DoNotOptimize(orv::solveDisplacements(system));
    }
}

void BM_BuildingRun(benchmark::State& state) {
    wholeRun(state, orv::testing::buildingFrame(static_cast<int>(state.range(0)),
                                                static_cast<int>(state.range(1))));
}

void BM_BuildingSolution(benchmark::State& state) {
    solutionOnly(state, orv::testing::buildingFrame(static_cast<int>(state.range(0)),
                                                    static_cast<int>(state.range(1))));
}

// The same building with every beam hinged at both ends (the columns stay
// continuous on their fixed bases): the price of the connections.
内力_位移 hingedBeamBuilding(int storeys, int bays) {
    内力_位移 solver = orv::testing::buildingFrame(storeys, bays);
    for (std::size_t i = 1; i <= static_cast<std::size_t>(solver.杆件总数); ++i) {
        const orv::MemberAxis axis = orv::memberAxisOf(solver, static_cast<int>(i));
        if (axis.sin == 0) {
            solver.左端转动刚度[i] = 0;
            solver.右端转动刚度[i] = 0;
        }
    }
    return solver;
}

void BM_HingedBeamBuildingRun(benchmark::State& state) {
    wholeRun(state, hingedBeamBuilding(static_cast<int>(state.range(0)),
                                       static_cast<int>(state.range(1))));
}

// The building with nine further load cases, each its loads again with
// the intensities scaled: the stiffness is factored once for all ten, so
// that the run should take well under twice a run of one case.
内力_位移 tenCaseBuilding(int storeys, int bays) {
    内力_位移 solver = orv::testing::buildingFrame(storeys, bays);
    for (int c = 2; c <= 10; ++c) {
        荷载工况 loadCase{solver.荷载数, solver.荷载种类, solver.xq, solver.q, {}, {}, {}, {}, {}};
        for (std::size_t k = 0; k < loadCase.q.rows(); ++k) {
            for (std::size_t i = 0; i < loadCase.q.cols(); ++i) {
                loadCase.q(k, i) *= static_cast<float>(c);
            }
        }
        solver.其他工况.push_back(std::move(loadCase));
    }
    return solver;
}

void BM_TenCaseBuildingRun(benchmark::State& state) {
    wholeRun(state,
             tenCaseBuilding(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
}

void BM_RandomRun(benchmark::State& state) {
    wholeRun(state, orv::testing::randomFrame(static_cast<int>(state.range(0)), 7));
}

void BM_RandomSolution(benchmark::State& state) {
    solutionOnly(state, orv::testing::randomFrame(static_cast<int>(state.range(0)), 7));
}

}  // namespace

// From 55 members to 20,100 (10,201 nodes, near the engine's limit).
void buildingSizes(benchmark::internal::Benchmark* b) {
    for (const auto& [storeys, bays] :
         {std::pair{10, 5}, {20, 10}, {50, 20}, {100, 25}, {100, 100}}) {
        b->Args({storeys, bays});
    }
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_BuildingRun)->Apply(buildingSizes);
BENCHMARK(BM_BuildingSolution)->Apply(buildingSizes);
BENCHMARK(BM_HingedBeamBuildingRun)->Args({50, 20})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TenCaseBuildingRun)->Args({50, 20})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RandomRun)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RandomSolution)->Arg(2000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
