// The lists of load cases and combinations as the window changes them:
// names, factors, and the refusals that keep every combination one the
// analysis can sum.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "document/load_cases.h"

namespace {

using Term = LoadCombination::Term;

Model threeCases() {
    Model model;
    addLoadCase(model, "活载");
    addLoadCase(model, "风载");
    return model;
}

TEST(LoadCases, RenameRefusesEmptyNamesAndUnknownCases) {
    Model model = threeCases();
    EXPECT_TRUE(renameLoadCase(model, 1, "恒载"));
    EXPECT_FALSE(renameLoadCase(model, 2, ""));
    EXPECT_FALSE(renameLoadCase(model, 4, "雪载"));
    EXPECT_EQ(model.loadCaseNames, (std::vector<std::string>{"恒载", "活载", "风载"}));
}

TEST(LoadCombinations, TermsAreRefusedByTable) {
    const Model model = threeCases();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        std::vector<Term> terms;
        bool valid;
    } rows[] = {
        {{{1, 1.3f}, {2, 1.5f}}, true},
        {{{1, 1.0f}, {3, -0.8f}}, true},  // uplift: a negative factor
        {{}, false},                      // sums nothing
        {{{1, 1.0f}, {1, 2.0f}}, false},  // a case used twice
        {{{4, 1.0f}}, false},
        {{{1, nan}}, false},
        {{{1, inf}}, false},
    };
    for (const auto& row : rows) {
        Model changed = model;
        EXPECT_EQ(validCombinationTerms(model, row.terms), row.valid);
        EXPECT_EQ(addCombination(changed, "组合", row.terms), row.valid ? 1 : 0);
    }
    Model unnamed = model;
    EXPECT_EQ(addCombination(unnamed, "", {{1, 1.0f}}), 0);
}

TEST(LoadCombinations, FactorsAreSetReplacedAndTakenOut) {
    Model model = threeCases();
    ASSERT_EQ(addCombination(model, "基本", {{1, 1.3f}}), 1);
    EXPECT_TRUE(setCombinationFactor(model, 1, 2, 1.5f));
    EXPECT_TRUE(setCombinationFactor(model, 1, 1, 1.2f));
    EXPECT_EQ(model.combinations[0].terms, (std::vector<Term>{{1, 1.2f}, {2, 1.5f}}));
    EXPECT_EQ(combinationFactor(model, 1, 2), 1.5f);
    EXPECT_EQ(combinationFactor(model, 1, 3), std::nullopt);

    EXPECT_FALSE(setCombinationFactor(model, 1, 3, std::nanf("")));
    EXPECT_FALSE(setCombinationFactor(model, 1, 4, 1.0f));
    EXPECT_TRUE(setCombinationFactor(model, 1, 1, std::nullopt));
    EXPECT_TRUE(setCombinationFactor(model, 1, 3, std::nullopt));   // not in it: no change
    EXPECT_FALSE(setCombinationFactor(model, 1, 2, std::nullopt));  // the last term stays
    EXPECT_EQ(model.combinations[0].terms, (std::vector<Term>{{2, 1.5f}}));
}

TEST(LoadCombinations, RenameAndDeleteRenumber) {
    Model model = threeCases();
    addCombination(model, "A", {{1, 1.0f}});
    addCombination(model, "B", {{2, 1.0f}});
    EXPECT_FALSE(renameCombination(model, 2, ""));
    EXPECT_TRUE(renameCombination(model, 2, "C"));
    EXPECT_FALSE(deleteCombination(model, 3));
    EXPECT_TRUE(deleteCombination(model, 1));
    EXPECT_EQ(model.combinations, (std::vector<LoadCombination>{{"C", {{2, 1.0f}}}}));
}

}  // namespace
