// The result tables as CSV: every number the digits of the result files,
// and the CSV form itself.
#include "results/result_tables.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

#include "solved_results.h"
#include "text/number_text.h"

namespace orv::testing {
namespace {

// The CSV's lines after the header, each split at its commas.
std::vector<std::vector<std::string>> csvRows(const ResultTable& table) {
    std::istringstream lines(csvText(table));
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        EXPECT_TRUE(line.ends_with('\r'));
        line.pop_back();
        std::istringstream fields(line);
        rows.emplace_back();
        for (std::string field; std::getline(fields, field, ',');) {
            rows.back().push_back(field);
        }
    }
    return rows;
}

std::vector<std::vector<std::string>> fileRows(const std::filesystem::path& file, bool header) {
    std::istringstream lines(readWholeFile(file));
    std::vector<std::vector<std::string>> rows;
    std::string line;
    for (bool first = true; std::getline(lines, line); first = false) {
        if (!(first && header)) {
            std::istringstream tokens(line);
            rows.push_back({std::istream_iterator<std::string>(tokens), {}});
        }
    }
    return rows;
}

TEST(ResultTables, CsvNumbersAreTheDigitsOfTheResultFiles) {
    for (const char* example :
         {"portal", "two_storey", "propped_cantilever", "continuous_beam", "triangle"}) {
        SCOPED_TRACE(example);
        内力_位移 solver = exampleSolver(std::string(example) + ".tsd");
        const SolvedFrame frame = solve(solver);
        const std::filesystem::path golden = std::filesystem::path(ORVANDEL_EXAMPLES) / example;
        EXPECT_EQ(csvRows(memberEndForceTable(frame)), fileRows(golden.string() + ".mqn", true));

        // Rotations in rad: the file's digits (1000 x rad), three more decimals.
        auto displacements = csvRows(nodeDisplacementTable(frame));
        for (auto& row : displacements) {
            ASSERT_EQ(row.at(3).size() - row[3].find('.'), 11u) << row[3];
            row[3] = formatFixed(1000 * std::stod(row[3]), 7);
        }
        EXPECT_EQ(displacements, fileRows(golden.string() + ".uva", false));
    }
}

TEST(ResultTables, ReactionRowsLeaveAbsentComponentsEmptyAndCsvQuotesSeparators) {
    内力_位移 solver = exampleSolver("continuous_beam.tsd");
    const ResultTable reactions = reactionTable(supportReactions(solve(solver)));
    const std::string csv = csvText(reactions);
    EXPECT_TRUE(csv.starts_with("\xEF\xBB\xBF节点号,支座,Rx (kN),Ry (kN),M (kN·m)\r\n")) << csv;
    EXPECT_NE(csv.find("\r\n1,双铰,0.0000,-22.5000,\r\n2,竖向单铰,,-75.0000,\r\n"),
              std::string::npos)
        << csv;
    EXPECT_EQ(csvText({{"a,b", "say \"x\""}, {{{1.0, "1"}, {std::nullopt, "2\n3"}}}}),
              "\xEF\xBB\xBF\"a,b\",\"say \"\"x\"\"\"\r\n1,\"2\n3\"\r\n");
}

}  // namespace
}  // namespace orv::testing
