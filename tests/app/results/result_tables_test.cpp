// Reactions and the result tables on the example projects: the frame's
// balance, and every number of the CSV the digits of the result files.
#include "results/result_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>
#include <sstream>

#include "document/project_file.h"
#include "model/supports.h"
#include "results/solver_copy.h"
#include "solved_results.h"
#include "text/number_text.h"

namespace orv::testing {
namespace {

const std::vector<std::string> kExamples{"portal", "two_storey", "propped_cantilever",
                                         "continuous_beam", "triangle"};

std::string examplePath(const std::string& example, const char* extension) {
    return std::string(ORVANDEL_EXAMPLES) + "/" + example + extension;
}

// Read from its file as batch mode reads it: the results are those of examples/.
内力_位移 exampleSolver(const std::string& example) {
    Document document;
    EXPECT_FALSE(readProjectFile(examplePath(example, ".tsd"), document));
    内力_位移 solver;
    EXPECT_TRUE(gj2计算gj(document, solver, [](const Diagnostic&) {}));
    return solver;
}

// Reactions and loads cancel to round-off: every load kind's resultant,
// each member end force turned into global axes.
void expectBalanced(const SolvedFrame& frame) {
    const std::vector<SupportReaction> reactions = supportReactions(frame);
    double force = 0;  // the sizes of the sums, for their round-off
    double moment = 0;
    for (const SupportReaction& r : reactions) {
        for (const auto& c : r.components) {
            force += std::fabs(c.value_or(0));
            moment += std::fabs(c.value_or(0)) * (1 + std::fabs(r.at.x) + std::fabs(r.at.y));
        }
    }
    ASSERT_GT(force, 0);
    const EquilibriumResidual residual = equilibriumResidual(frame, reactions);
    EXPECT_NEAR(residual.x, 0, 1e-10 * force);
    EXPECT_NEAR(residual.y, 0, 1e-10 * force);
    EXPECT_NEAR(residual.moment, 0, 1e-10 * moment);
}

TEST(Reactions, BalanceTheLoadsOfExamplesAndRandomFrames) {
    for (const std::string& example : kExamples) {
        SCOPED_TRACE(example);
        expectBalanced(solve(exampleSolver(example)));
    }
    for (const auto& [members, seed] : {std::pair{5, 1u}, {40, 2u}, {300, 3u}}) {
        SCOPED_TRACE(members);
        expectBalanced(solve(randomFrame(members, seed)));
    }
    EXPECT_FALSE(readSolvedFrame(singleBeam(4, 0, 7)));  // not run: no results to read
}

// A 6 m beam under 10 kN/m on a pin and a roller turned by 30°: the roller
// pushes along its y axis, qL/(2 cos 30°), the pin takes (qL/2) tan 30°.
TEST(Reactions, AnInclinedRollerPushesAlongItsTurnedAxis) {
    内力_位移 solver = singleBeam(6, kPinned, kVerticalLink, {{2, 6, 10}});
    solver.支座倾角[2] = 30;
    const std::vector<SupportReaction> reactions = supportReactions(solve(solver));
    EXPECT_NEAR(reactions[0].components[0].value(), -30 * std::tan(std::numbers::pi / 6), 1e-9);
    EXPECT_NEAR(reactions[0].components[1].value(), -30, 1e-9);
    EXPECT_FALSE(reactions.at(1).components[0]);
    EXPECT_NEAR(reactions[1].components[1].value(), -30 / std::cos(std::numbers::pi / 6), 1e-9);
    const std::string csv = csvText(reactionTable(reactions));
    EXPECT_TRUE(
        csv.starts_with("\xEF\xBB\xBF节点号,支座,支座轴转角 (°),Rx 沿支座 x 轴 (kN),"
                        "Ry 沿支座 y 轴 (kN),M (kN·m)\r\n1,双铰,0,-17.3205,-30.0000,\r\n"
                        "2,竖向单铰,30,,-34.6410,\r\n"))
        << csv;
}

// A 4 m cantilever on a 5000 kN/m spring under 10 kN at its tip moves
// P/(k + 3EI/L^3); -k v is the reaction of a node without support kind.
TEST(Reactions, ASpringsForceIsTheReactionOfItsNode) {
    内力_位移 solver = singleBeam(4, kFixedEnd, kNoSupport, {{1, 4, 10}});
    solver.y向弹簧刚度[2] = 5000;
    const SolvedFrame frame = solve(solver);
    const double v = 10 / (5000 + 3000.0 * kConcreteBeam.e * kConcreteBeam.inertia / 64);
    EXPECT_NEAR(frame.nodeMoves[1][1] / 1000, v, 1e-9 * v);
    const std::vector<SupportReaction> reactions = supportReactions(frame);
    EXPECT_NEAR(reactions.at(1).components[1].value(), -5000 * v, 1e-9);
    EXPECT_FALSE(reactions[1].components[0] || reactions[1].components[2]);
    EXPECT_EQ(reactionTable(reactions).rows[1][1].text, "弹性支座");
}

// A fixed end that settles and turns, a turned roller on springs at the
// other end and an uneven warming: loads, reactions and springs balance.
TEST(Reactions, BalanceWithSpringsInclinedSupportsSettlementsAndTemperature) {
    内力_位移 solver = singleBeam(6, kFixedEnd, kVerticalLink, {{1, 2, 20}, {4, 6, 3}});
    solver.支座位移y[1] = 0.01f;
    solver.支座转角[1] = 0.001f;
    solver.支座倾角[2] = -20;
    solver.x向弹簧刚度[2] = 8000;
    solver.转动弹簧刚度[2] = 3000;
    solver.温度改变1[1] = -10;
    solver.温度改变2[1] = 25;
    solver.线膨胀系数[1] = 1e-5f;
    solver.截面高度[1] = 0.5f;
    const SolvedFrame frame = solve(solver);
    expectBalanced(frame);
    EXPECT_EQ(reactionTable(supportReactions(frame)).rows.at(1).at(1).text, "竖向单铰+弹簧");
}

// The words of each line of `text` after the first `skip`; commas count
// as blanks, so CSV rows of numbers split like the result files' columns.
std::vector<std::vector<std::string>> wordsOfLines(std::string text, int skip) {
    std::replace(text.begin(), text.end(), ',', ' ');
    std::istringstream lines(text);
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        if (skip-- <= 0) {
            rows.push_back({std::istream_iterator<std::string>(words), {}});
        }
    }
    return rows;
}

TEST(ResultTables, CsvNumbersAreTheDigitsOfTheResultFiles) {
    for (const std::string& example : kExamples) {
        SCOPED_TRACE(example);
        const SolvedFrame frame = solve(exampleSolver(example));
        const auto golden = [&](const char* extension, int skip) {
            return wordsOfLines(readWholeFile(examplePath(example, extension)), skip);
        };
        EXPECT_EQ(wordsOfLines(csvText(memberEndForceTable(frame)), 1), golden(".mqn", 1));

        // Rotations in rad: the file's digits (1000 x rad), three more decimals.
        auto displacements = wordsOfLines(csvText(nodeDisplacementTable(frame)), 1);
        for (auto& row : displacements) {
            ASSERT_EQ(row.at(3).size() - row[3].find('.'), 11u) << row[3];
            row[3] = formatFixed(1000 * std::stod(row[3]), 7);
        }
        EXPECT_EQ(displacements, golden(".uva", 0));
    }
}

// A hinge inside a fixed-fixed beam: the node turns with the rigid end,
// the hinged end by its own rotation, listed after the nodes.
TEST(ResultTables, ReleasedEndsFollowTheNodesWithTheirOwnRotation) {
    FrameBuilder builder({{0, 0}, {3, 0}, {6, 0}});
    builder.addMember(1, 2, kConcreteBeam);
    builder.addMember(2, 3, kConcreteBeam);
    builder.addLoad(1, {2, 3, 10});
    builder.support(1, kFixedEnd);
    builder.support(3, kFixedEnd);
    内力_位移 solver = builder.build();
    solver.右端转动刚度[1] = 0;
    const SolvedFrame frame = solve(solver);
    const ResultTable table = nodeDisplacementTable(frame);
    ASSERT_EQ(table.rows.size(), 4u);
    const std::vector<TableCell>& end = table.rows[3];
    EXPECT_EQ(end[0].text, "2 (杆件 1 右端)");
    EXPECT_EQ(end[0].value, 2);
    EXPECT_EQ(end[1].text, "");
    EXPECT_EQ(end[3].value, frame.members[0].endRotations[1] / 1000);
    EXPECT_EQ(table.rows[1][3].value, frame.members[1].endRotations[0] / 1000);
    EXPECT_GT(std::fabs(*end[3].value - *table.rows[1][3].value), 1e-4);
}

// A pin gives Rx and Ry, a vertical link Ry (3/8 and 10/8 of 12 kN/m x 5 m).
TEST(ResultTables, ReactionRowsLeaveAbsentComponentsEmptyAndCsvQuotesSeparators) {
    const std::string csv =
        csvText(reactionTable(supportReactions(solve(exampleSolver("continuous_beam")))));
    EXPECT_TRUE(
        csv.starts_with("\xEF\xBB\xBF节点号,支座,Rx (kN),Ry (kN),M (kN·m)\r\n"
                        "1,双铰,0.0000,-22.5000,\r\n2,竖向单铰,,-75.0000,\r\n"))
        << csv;
    EXPECT_EQ(csvText({{"a,b", "say \"x\""}, {{{1.0, "1"}, {std::nullopt, "2\n3"}}}, {}}),
              "\xEF\xBB\xBF\"a,b\",\"say \"\"x\"\"\"\r\n1,\"2\n3\"\r\n");
}

}  // namespace
}  // namespace orv::testing
