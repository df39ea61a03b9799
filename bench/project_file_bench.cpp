// Timing of the project file (read and write of a 2,050-member project) and
// of whole batch analyses, file reading to printed results.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "batch/batch_analysis.h"
#include "document/project_file.h"
#include "document_frames.h"

namespace {

std::string scratchPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

void BM_WriteProject(benchmark::State& state) {
    const Document document = orv::testing::buildingDocument(50, 20);
    const std::string path = scratchPath("orvandel_bench_write.tsd");
    for (auto _ : state) {
        benchmark::DoNotOptimize(WriteProjectFile(document, path));
    }
    state.counters["members"] = document.memberTotal;
}

void BM_ReadProject(benchmark::State& state) {
    const std::string text = projectFileText(orv::testing::buildingDocument(50, 20));
    for (auto _ : state) {
        Document document;
        benchmark::DoNotOptimize(readProjectText(text, document));
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}

void BM_BatchAnalysis(benchmark::State& state) {
    const Document document = orv::testing::buildingDocument(static_cast<int>(state.range(0)),
                                                             static_cast<int>(state.range(1)));
    const std::string path = scratchPath("orvandel_bench_batch.tsd");
    WriteProjectFile(document, path);
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        if (analyzeProject(path, out, err) != BatchStatus::Solved) {
            state.SkipWithError(err.str().c_str());
            break;
        }
    }
    state.counters["members"] = document.memberTotal;
}

}  // namespace

BENCHMARK(BM_WriteProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BatchAnalysis)->Args({20, 10})->Args({50, 20})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
