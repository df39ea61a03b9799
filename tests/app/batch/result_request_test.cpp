// The result set of a batch run: a combination's result files and printed
// end forces are its own, the envelope prints its table, and --csv writes
// every case, combination and the envelope.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "batch/batch_export.h"
#include "results/load_case_frames.h"
#include "results/result_sets.h"
#include "results/result_tables.h"
#include "run_support.h"
#include "solver/result_files.h"

namespace orv::testing {
namespace {

SolvedProject solvedProject(const Document& model, const std::filesystem::path& path) {
    SolvedProject project{model, std::make_unique<内力_位移>(solvedCases(model))};
    project.document.projectPath = path.string();
    return project;
}

std::size_t lineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(BatchResultSets, ACombinationsFilesAndPrintedForcesAreItsOwnAndCsvHoldsEverySet) {
    const ScratchFolder folder;
    const SolvedProject project = solvedProject(threeCaseFrame(), folder.path("frame.tsd"));
    const ResultRequest combination{{ResultChoice::Kind::Combination, 2}, false};
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_TRUE(writeResultFilesOfSet(projectOfSet(project, combination), combination, err));
    ASSERT_EQ(printRequestedResults(project, combination, out, err), BatchStatus::Solved);

    const auto set = resultSetOf(project.document, *project.solver, combination.choice);
    const 内力_位移& solver = set->solver;
    const std::string forces =
        memberForcesText(solver.a, solver.杆件总数, solver.左节点号, solver.右节点号);
    EXPECT_EQ(readWholeFile(folder.path("frame.mqn")), forces);
    EXPECT_EQ(readWholeFile(folder.path("frame.uva")),
              displacementsText(solver.a, solver.节点总数));
    EXPECT_EQ(out.str(), forces);

    std::ostringstream envelope;
    ASSERT_EQ(printRequestedResults(project, {{}, true}, envelope, err), BatchStatus::Solved);
    EXPECT_TRUE(envelope.str().starts_with("杆号\tN最大 (kN)\t位置 (m)\t控制组合\t"));
    EXPECT_EQ(lineCount(envelope.str()), 6u);

    // --csv: every set and the envelope; one case as before.
    BatchExport request;
    request.csvFolder = QString::fromStdString(folder.path("tables").string());
    std::ostringstream named;
    ASSERT_EQ(exportResults(project, request, named, err), BatchStatus::Solved) << err.str();
    EXPECT_EQ(lineCount(named.str()), 4u);
    const std::string csv = readWholeFile(folder.path("tables/frame_forces.csv"));
    EXPECT_TRUE(csv.starts_with("\xEF\xBB\xBF工况/组合,杆号,左号,")) << csv;
    EXPECT_EQ(lineCount(csv), 1u + 5 * 5);  // 3 cases and 2 combinations of 5 members
    EXPECT_NE(csv.find("\r\n1.0·1-0.8·3,5,"), std::string::npos);
    EXPECT_EQ(lineCount(readWholeFile(folder.path("tables/frame_envelope.csv"))), 6u);

    const SolvedProject single = solvedProject(buildingDocument(1, 2), folder.path("one.tsd"));
    ASSERT_EQ(exportResults(single, request, named, err), BatchStatus::Solved) << err.str();
    EXPECT_EQ(readWholeFile(folder.path("tables/one_forces.csv")),
              csvText(memberEndForceTable(*readSolvedFrame(*single.solver))));
    EXPECT_FALSE(std::filesystem::exists(folder.path("tables/one_envelope.csv")));
}

}  // namespace
}  // namespace orv::testing
