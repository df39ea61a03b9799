// Result sets of load cases and combinations: a combination is the
// factored sum of its cases at every section of every diagram, member
// loads of every kind, temperature changes and settlements included.
#include "results/result_sets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "document_frames.h"
#include "load_case_frames.h"
#include "results/internal_force_diagram.h"
#include "results/solved_frame.h"
#include "results/solver_copy.h"

namespace orv::testing {
namespace {

MemberEndForces endForcesOf(const ResultSet& set, std::size_t i) {
    MemberEndForces forces{};
    for (std::size_t r = 0; r < 6; ++r) {
        forces[r] = set.solver.a(r + 1, i);
    }
    return forces;
}

TEST(ResultSets, ACombinationIsTheFactoredSumOfItsCasesAtEverySection) {
    const Document model = threeCaseFrame();
    const 内力_位移 solved = solvedCases(model);
    std::vector<ResultSet> cases;
    for (int c = 1; c <= 3; ++c) {
        cases.push_back(*resultSetOf(model, solved, {ResultChoice::Kind::Case, c}));
    }
    for (int k = 1; k <= 2; ++k) {
        const LoadCombination& combination = model.combinations[static_cast<std::size_t>(k - 1)];
        const ResultSet set = *resultSetOf(model, solved, {ResultChoice::Kind::Combination, k});
        EXPECT_EQ(set.name, combination.name);
        for (std::size_t i = 1; i <= 5; ++i) {
            const gj& member = set.model.members[i];
            for (const DiagramKind kind :
                 {DiagramKind::Moment, DiagramKind::Shear, DiagramKind::Axial}) {
                // Every 5 cm and at every load position, just before and after.
                for (double x = 0; x <= member.leng(); x += 0.05) {
                    for (const auto side : {x_内力::Side::Before, x_内力::Side::After}) {
                        double sum = 0;
                        for (const auto& term : combination.terms) {
                            const ResultSet& part =
                                cases[static_cast<std::size_t>(term.loadCase - 1)];
                            sum += term.factor * sectionValue(part.model.members[i],
                                                              endForcesOf(part, i), kind, x, side);
                        }
                        const double value =
                            sectionValue(member, endForcesOf(set, i), kind, x, side);
                        EXPECT_NEAR(value, sum, 1e-9 * (1 + std::fabs(sum)))
                            << "combination " << k << ", member " << i << ", x = " << x;
                    }
                }
            }
        }
    }
}

TEST(ResultSets, ACaseIsItsOwnLoadsAndResultsUnchanged) {
    const Document model = threeCaseFrame();
    const 内力_位移 solved = solvedCases(model);
    const ResultSet first = *resultSetOf(model, solved, {ResultChoice::Kind::Case, 1});
    EXPECT_EQ(first.solver.a, solved.a);
    EXPECT_EQ(first.model.members[4].q, model.members[4].q);
    EXPECT_EQ(first.name, "工况1");

    const ResultSet second = *resultSetOf(model, solved, {ResultChoice::Kind::Case, 2});
    EXPECT_EQ(second.solver.a, solved.其他工况结果[0].a);
    EXPECT_EQ(second.model.members[4].温度改变2, 20);
    EXPECT_EQ(second.model.members[4].荷载数, 0);

    EXPECT_FALSE(resultSetOf(model, solved, {ResultChoice::Kind::Case, 4}));
    EXPECT_FALSE(resultSetOf(model, solved, {ResultChoice::Kind::Combination, 3}));
    EXPECT_FALSE(resultSetOf(model, 内力_位移{}, {ResultChoice::Kind::Case, 2}));
}

TEST(ResultSets, ACombinationMayGatherMoreLoadsThanOneCaseHolds) {
    Document model = buildingDocument(1, 1);
    addLoadCase(model, "活载");
    for (int k = 0; k < 55; ++k) {
        if (k < 54) {  // beside the building's own 20 kN/m
            addCaseLoad(model.members[3], 1, "集中", 0.1f * static_cast<float>(k + 1), 1);
        }
        addCaseLoad(model.members[3], 2, "集中", 0.1f * static_cast<float>(k + 1), 2);
    }
    model.combinations = {{"全部", {{1, 1}, {2, 1}}}};
    const 内力_位移 solved = solvedCases(model);
    const auto set = resultSetOf(model, solved, {ResultChoice::Kind::Combination, 1});
    ASSERT_TRUE(set);
    EXPECT_EQ(set->model.members[3].荷载数, 110);
    EXPECT_TRUE(readSolvedFrame(set->solver));
    EXPECT_NEAR(set->solver.a(3, 3) - solved.a(3, 3), solved.其他工况结果[0].a(3, 3), 1e-9);
}

}  // namespace
}  // namespace orv::testing
