// The envelope: at every section, the pointwise largest and smallest value
// over the combinations (over the cases without combinations), naming the
// set that gives each; its picture and table.
#include "results/envelope.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "load_case_frames.h"
#include "results/result_figures.h"

namespace orv::testing {
namespace {

// Checks the envelope against every set of `choices`, computed alone.
void expectPointwiseBounds(const Model& model, const std::vector<ResultChoice>& choices) {
    const 内力_位移 solved = solvedCases(model);
    std::vector<ResultSet> sets;
    for (const ResultChoice choice : choices) {
        sets.push_back(*resultSetOf(model, solved, choice));
    }
    for (const DiagramKind kind : {DiagramKind::Moment, DiagramKind::Shear, DiagramKind::Axial}) {
        const Envelope envelope = envelopeOf(envelopeSets(model, solved), kind);
        ASSERT_EQ(envelope.setNames.size(), sets.size());
        ASSERT_EQ(envelope.members.size(), 5u);
        for (std::size_t m = 0; m < 5; ++m) {
            ASSERT_GE(envelope.members[m].size(), 300u);
            // The ends themselves, where a frame's moments are largest.
            EXPECT_EQ(envelope.members[m].front().x, 0);
            EXPECT_EQ(envelope.members[m].back().x, sets.front().model.members[m + 1].leng());
            for (const EnvelopeSection& section : envelope.members[m]) {
                std::vector<double> values;
                for (const ResultSet& set : sets) {
                    values.push_back(sectionValue(set.model.members[m + 1],
                                                  endForcesOf(set.solver.a, m + 1), kind, section.x,
                                                  section.side));
                }
                const auto [low, high] = std::minmax_element(values.begin(), values.end());
                ASSERT_EQ(section.largest.value, *high)
                    << "member " << m + 1 << ", x " << section.x;
                ASSERT_EQ(section.smallest.value, *low);
                EXPECT_EQ(values[section.largest.set], *high);
                EXPECT_EQ(envelope.setNames[section.largest.set], sets[section.largest.set].name);
                EXPECT_EQ(values[section.smallest.set], *low);
            }
        }
    }
}

TEST(Envelope, IsThePointwiseBoundOverTheCombinationsNamingTheOneGivingIt) {
    const Document model = threeCaseFrame();
    expectPointwiseBounds(
        model, {{ResultChoice::Kind::Combination, 1}, {ResultChoice::Kind::Combination, 2}});
    // Case 2's point load on member 5 exists in combination 1 only: its
    // pair of sections is in the envelope all the same.
    const Envelope shear = envelopeOf(envelopeSets(model, solvedCases(model)), DiagramKind::Shear);
    const auto& beam = shear.members[4];
    const auto at = std::find_if(beam.begin(), beam.end(),
                                 [](const EnvelopeSection& s) { return s.x == 1.5f; });
    ASSERT_TRUE(at != beam.end() && at + 1 != beam.end());
    EXPECT_EQ((at + 1)->x, at->x);
    EXPECT_NE((at + 1)->largest.value, at->largest.value);
}

TEST(Envelope, RunsOverTheCasesWhenThereIsNoCombination) {
    Document model = threeCaseFrame();
    model.combinations.clear();
    expectPointwiseBounds(model, {{ResultChoice::Kind::Case, 1},
                                  {ResultChoice::Kind::Case, 2},
                                  {ResultChoice::Kind::Case, 3}});
}

TEST(Envelope, PictureDrawsBothBoundsAndTableNamesTheGoverningSet) {
    const Document model = threeCaseFrame();
    const 内力_位移 solved = solvedCases(model);
    const Figure figure = envelopeFigure(model, solved, DiagramKind::Moment);
    EXPECT_EQ(figure.polylines.size(), 10u);
    ASSERT_FALSE(figure.texts.empty());
    for (const FigureText& text : figure.texts) {
        const bool named =
            text.text.ends_with(", 1.3·1+1.5·2)") || text.text.ends_with(", 1.0·1-0.8·3)");
        EXPECT_TRUE(named) << text.text;
    }

    const ResultTable table = envelopeTable(model, solved);
    ASSERT_EQ(table.rows.size(), 5u);
    EXPECT_EQ(table.headers[16], "M最小 (kN·m)");
    EXPECT_EQ(table.headers[18], "控制组合");
    const Envelope moment = envelopeOf(envelopeSets(model, solved), DiagramKind::Moment);
    double smallest = 0;
    for (const EnvelopeSection& section : moment.members[3]) {
        smallest = std::min(smallest, section.smallest.value);
    }
    EXPECT_EQ(table.rows[3][16].value, smallest);
}

}  // namespace
}  // namespace orv::testing
