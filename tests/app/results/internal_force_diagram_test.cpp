// The diagram of one member: where its points lie for given end forces and
// loads, and which values it labels. Forces in kN, moments in kN*m,
// lengths in m; scales in world units per kN or kN*m.
#include "results/internal_force_diagram.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "document_frames.h"
#include "model/load_kinds.h"
#include "results/result_figures.h"
#include "text/number_text.h"

namespace {

constexpr float kStep = 0.01f;
constexpr double kTolerance = 1e-5;  // world units

gj memberFrom(float x1, float y1, float x2, float y2) {
    gj member;
    member.x1 = x1;
    member.y1 = y1;
    member.x2 = x2;
    member.y2 = y2;
    return member;
}

using orv::testing::addLoad;

std::vector<std::string> texts(const MemberDiagram& diagram) {
    std::vector<std::string> result;
    for (const DiagramLabel& label : diagram.labels) {
        result.push_back(label.text);
    }
    return result;
}

void expectNear(const DiagramPoint& actual, double x, double y) {
    EXPECT_NEAR(actual.x, x, kTolerance);
    EXPECT_NEAR(actual.y, y, kTolerance);
}

// A horizontal member 4 m long with end moments 10 and 10 (both turning
// the same way) and no loads: the moment runs straight from 10 to -10.
TEST(MemberDiagram, AnUnloadedMemberGivesAStraightMomentLineAndOnlyEndLabels) {
    const gj beam = memberFrom(1, 2, 5, 2);
    const MemberEndForces forces = {0, -5, 10, 0, 5, 10};
    const float scale = 0.1f;
    const MemberDiagram diagram = memberDiagram(beam, forces, DiagramKind::Moment, scale, kStep);

    ASSERT_EQ(diagram.polyline.size(), 400u + 3);  // first end, 400 sections, end, second end
    expectNear(diagram.polyline.front(), 1, 2);
    expectNear(diagram.polyline[1], 1.0001, 2 + 0.1 * 9.9995);  // the first section, 0.0001 m
    // Every section on the line from (1, 3) to (5, 1).
    for (std::size_t k = 1; k + 2 < diagram.polyline.size(); ++k) {
        const double along = diagram.polyline[k].x - 1;
        EXPECT_NEAR(diagram.polyline[k].y - 2, scale * (10 - 20 * along / 4), 1e-4) << along;
    }
    const DiagramPoint& end = diagram.polyline[diagram.polyline.size() - 2];
    EXPECT_NEAR(end.x, 5, kTolerance);
    // The end point carries the value of the last section, 3.9901 m, not
    // the value at the second end.
    EXPECT_EQ(end.y, diagram.polyline[diagram.polyline.size() - 3].y);
    expectNear(diagram.polyline.back(), 5, 2);
    // The largest and smallest values between the tenths sit on the tenths.
    EXPECT_EQ(texts(diagram), (std::vector<std::string>{"10.000", "10.000"}));
    EXPECT_EQ(diagram.labels[0].at, diagram.polyline[1]);
    EXPECT_EQ(diagram.labels[1].at, end);
}

// A simply supported span of 4 m with 10 kN at 1 m (local +y): the
// supports push back 7.5 kN and 2.5 kN against the load.
struct PointLoadedSpan : ::testing::Test {
    gj beam = memberFrom(0, 0, 4, 0);
    MemberEndForces forces = {0, -7.5, 0, 0, -2.5, 0};
    void SetUp() override { addLoad(beam, "集中", 1, 10); }
};

TEST_F(PointLoadedSpan, TheShearStepsByTheLoadAtTheLoad) {
    const float before = sectionValue(beam, forces, DiagramKind::Shear, 0.99f);
    const float after = sectionValue(beam, forces, DiagramKind::Shear, 1.01f);
    EXPECT_FLOAT_EQ(before, -7.5f);
    EXPECT_FLOAT_EQ(after, 2.5f);
    EXPECT_FLOAT_EQ(after - before, 10);
    EXPECT_FLOAT_EQ(sectionValue(beam, forces, DiagramKind::Axial, 2), 0);

    const MemberDiagram diagram = memberDiagram(beam, forces, DiagramKind::Shear, 1, kStep);
    // End values, then the largest value, just after the load; the smallest
    // (-7.5) is met first at the tenth and is not labelled.
    EXPECT_EQ(texts(diagram), (std::vector<std::string>{"7.500", "2.500", "2.500(1.00处)"}));
    expectNear(diagram.labels[2].at, 1, 2.5);
    // The step is drawn straight across the member, from the value before
    // the load to the one after it.
    const auto step = std::adjacent_find(
        diagram.polyline.begin(), diagram.polyline.end(),
        [](const DiagramPoint& p, const DiagramPoint& q) { return p.x == 1 && q.x == 1; });
    ASSERT_NE(step, diagram.polyline.end());
    EXPECT_EQ(step->y, -7.5);
    EXPECT_EQ((step + 1)->y, 2.5);
}

// The supports push up, the load down: the part before the load turns
// clockwise (textbook positive, drawn on the local -y side), the part after
// it anticlockwise. Half-way to the curve, mid-stretch.
TEST_F(PointLoadedSpan, ShearPartsCarryTheTextbookSignAndMomentsNone) {
    const MemberDiagram diagram = memberDiagram(beam, forces, DiagramKind::Shear, 0.1f, kStep);
    ASSERT_EQ(diagram.signs.size(), 2u);
    EXPECT_TRUE(diagram.signs[0].positive);
    EXPECT_NEAR(diagram.signs[0].from, 0, 1e-3);
    EXPECT_NEAR(diagram.signs[0].to, 1, 0.011);
    EXPECT_NEAR(diagram.signs[0].at.y, -7.5 * 0.1 / 2, 1e-4);
    EXPECT_FALSE(diagram.signs[1].positive);
    EXPECT_NEAR(diagram.signs[1].at.x, 2.5, 0.011);
    EXPECT_NEAR(diagram.signs[1].at.y, 2.5 * 0.1 / 2, 1e-4);
    EXPECT_TRUE(memberDiagram(beam, forces, DiagramKind::Moment, 1, kStep).signs.empty());
    // A member in tension: one positive part; none without a force.
    const MemberEndForces tension = {-12, 0, 0, 12, 0, 0};
    const auto axial = memberDiagram(beam, tension, DiagramKind::Axial, 1, kStep).signs;
    ASSERT_EQ(axial.size(), 1u);
    EXPECT_TRUE(axial[0].positive);
    EXPECT_TRUE(memberDiagram(beam, {}, DiagramKind::Axial, 1, kStep).signs.empty());
}

TEST_F(PointLoadedSpan, TheMomentPeaksUnderTheLoadOnThePositiveSide) {
    const MemberDiagram diagram = memberDiagram(beam, forces, DiagramKind::Moment, 0.02f, kStep);
    // Moments 0 at both ends: only the peak, Q(L - a)a/L = 7.5 kN*m.
    ASSERT_EQ(texts(diagram), (std::vector<std::string>{"7.500(1.00处)"}));
    EXPECT_NEAR(diagram.labels[0].at.y, 7.5 * 0.02, 1e-4);
}

TEST(MemberDiagram, ExtremeLabelsGiveTheValueAndWhereItIs) {
    // 3.9504 kN/m over a 5 m span: q L^2 / 8 = 12.345 kN*m at 2.50 m.
    gj beam = memberFrom(0, 0, 5, 0);
    addLoad(beam, "均布", 5, 3.9504f);
    const MemberEndForces forces = {0, -9.876, 0, 0, -9.876, 0};
    EXPECT_EQ(texts(memberDiagram(beam, forces, DiagramKind::Moment, 0.02f, kStep)),
              std::vector<std::string>{"12.345(2.50处)"});
    // Hogging ends as well: end values show without sign, the peak is the
    // largest value and the smallest is at a tenth.
    const MemberEndForces fixed = {0, -9.876, -8.23, 0, -9.876, 8.23};
    EXPECT_EQ(texts(memberDiagram(beam, fixed, DiagramKind::Moment, 0.02f, kStep)),
              (std::vector<std::string>{"8.230", "8.230", "4.115(2.50处)"}));
}

// A point load's peak is the value the end forces give under the load, to
// the printed digit: for a beam fixed at both ends 2 P a^2 b^2 / L^3, here
// 23.7037 kN*m (the section 0.0001 m past the load has 23.7027).
TEST(MemberDiagram, ThePeakUnderAPointLoadIsItsExactValue) {
    const double p = 40, a = 2, b = 4, l = 6;
    gj beam = memberFrom(0, 0, 6, 0);
    addLoad(beam, "集中", 2, 40);
    const MemberEndForces fixed = {
        0, -p * b * b * (3 * a + b) / (l * l * l), -p * a * b * b / (l * l),
        0, -p * a * a * (a + 3 * b) / (l * l * l), p * a * a * b / (l * l)};
    const std::string peak = orv::formatFixed(2 * p * a * a * b * b / (l * l * l), 3);
    EXPECT_EQ(texts(memberDiagram(beam, fixed, DiagramKind::Moment, 0.02f, kStep)),
              (std::vector<std::string>{"35.556", "17.778", peak + "(2.00处)"}));

    // Just past the tenth (0.40 m of 4 m), within two steps of it, a peak
    // at a load is still labelled: P a b / L on a simply supported span.
    gj span = memberFrom(0, 0, 4, 0);
    addLoad(span, "集中", 0.41f, 10);
    const double near = 0.41f;
    const MemberEndForces simple = {0, -10 * (4 - near) / 4, 0, 0, -10 * near / 4, 0};
    EXPECT_EQ(
        texts(memberDiagram(span, simple, DiagramKind::Moment, 0.02f, kStep)),
        std::vector<std::string>{orv::formatFixed(10 * near * (4 - near) / 4, 3) + "(0.41处)"});
}

// A pinned end's moment is rounding off zero: "0.000" would read as a value.
TEST(MemberDiagram, EndValuesThatPrintAsZeroAreNotLabelled) {
    const gj beam = memberFrom(0, 0, 2, 0);
    const MemberEndForces forces = {-0.0004, 0, 0, 0.0006, 0, 0};
    EXPECT_EQ(texts(memberDiagram(beam, forces, DiagramKind::Axial, 1, kStep)),
              (std::vector<std::string>{"0.001"}));
    const MemberEndForces tension = {-12.3454, 0, 0, 12.3454, 0, 0};
    EXPECT_EQ(texts(memberDiagram(beam, tension, DiagramKind::Axial, 1, kStep)),
              (std::vector<std::string>{"12.345", "12.345"}));
    EXPECT_TRUE(memberDiagram(beam, {}, DiagramKind::Axial, 1, kStep).labels.empty());
}

// 50 kN*m at scale 0.02 lies 1 world unit off the axis, on the local +y
// side: below a beam (y runs down), right of a column drawn upwards, and
// at right angles to an inclined member.
TEST(MemberDiagram, AValueLiesItsScaledSizeOffTheAxisOnTheLocalPlusYSide) {
    const MemberEndForces constant = {0, 0, 50, 0, 0, -50};
    const auto midPoint = [&](const gj& member) {
        const MemberDiagram diagram =
            memberDiagram(member, constant, DiagramKind::Moment, 0.02f, kStep);
        return diagram.polyline[diagram.polyline.size() / 2];
    };
    const DiagramPoint beam = midPoint(memberFrom(2, 2, 6, 2));
    EXPECT_NEAR(beam.y, 3, 1e-6);
    const DiagramPoint column = midPoint(memberFrom(2, 6, 2, 2));
    EXPECT_NEAR(column.x, 3, 1e-6);
    EXPECT_GT(column.y, 2);
    EXPECT_LT(column.y, 6);
    // From (0, 0) to (3, 4): local +y is (-0.8, 0.6).
    const DiagramPoint inclined = midPoint(memberFrom(0, 0, 3, 4));
    const double along = inclined.x * 0.6 + inclined.y * 0.8;
    EXPECT_NEAR(-inclined.x * 0.8 + inclined.y * 0.6, 1, 1e-6);
    EXPECT_GT(along, 2);
    // Local x runs from the first end to the second however the member is
    // stored: right to left, +y is up; top to bottom, it is to the left.
    EXPECT_NEAR(midPoint(memberFrom(6, 2, 2, 2)).x, 4, 0.01);
    EXPECT_NEAR(midPoint(memberFrom(6, 2, 2, 2)).y, 1, 1e-6);
    EXPECT_NEAR(midPoint(memberFrom(2, 2, 2, 6)).x, 1, 1e-6);
    EXPECT_NEAR(midPoint(memberFrom(2, 2, 2, 6)).y, 4, 0.01);
}

// A member of 300 km would need 30 million sections at 0.01 m, and a sum of
// 0.01 m steps in single precision stops growing at 262,144 m.
TEST(MemberDiagram, AVeryLongMemberIsSampledToItsSecondEndInBoundedSections) {
    const gj beam = memberFrom(0, 0, 300000, 0);
    const MemberEndForces forces = {0, 0, 50, 0, 0, 50};
    const MemberDiagram diagram = memberDiagram(beam, forces, DiagramKind::Moment, 0.02f, kStep);
    ASSERT_LE(diagram.polyline.size(), 100000u + 3);
    const DiagramPoint& lastSection = diagram.polyline[diagram.polyline.size() - 3];
    EXPECT_NEAR(lastSection.x, 300000, 3.1);
    EXPECT_NEAR(lastSection.y, -1, 1e-3);  // -50 kN*m at the second end
    EXPECT_EQ(texts(diagram), (std::vector<std::string>{"50.000", "50.000"}));
}

TEST(MemberDiagram, AMemberShorterThanTheFirstSectionGivesOnlyTheClosingLines) {
    const gj stub = memberFrom(1, 1, 1.00005f, 1);
    const MemberEndForces forces = {3, 4, 5, -3, -4, 6};
    const MemberDiagram diagram = memberDiagram(stub, forces, DiagramKind::Moment, 0.02f, kStep);
    ASSERT_EQ(diagram.polyline.size(), 3u);
    expectNear(diagram.polyline[0], 1, 1);
    expectNear(diagram.polyline[1], 1.00005, 1);
    expectNear(diagram.polyline[2], 1.00005, 1);
    EXPECT_EQ(texts(diagram), (std::vector<std::string>{"5.000", "6.000"}));
    EXPECT_EQ(diagram.labels[0].at, diagram.polyline[0]);
}

TEST(MemberDiagram, EachLoadAddsItsPart) {
    gj beam = memberFrom(0, 0, 4, 0);
    addLoad(beam, "力偶", 2, 8);
    addLoad(beam, "水平集中", 3, 6);
    addLoad(beam, "不明", 1, 100);  // no kind: contributes nothing
    const MemberEndForces forces = {-6, 2, 0, 0, -2, 0};
    // Couple: -Q x / L before it, Q (L - x) / L after it.
    EXPECT_FLOAT_EQ(sectionValue(beam, forces, DiagramKind::Moment, 1), -2);
    EXPECT_FLOAT_EQ(sectionValue(beam, forces, DiagramKind::Moment, 3), 2);
    // Axial: the end part -nb = 0 beyond x = 0, and the force beyond the section.
    EXPECT_FLOAT_EQ(sectionValue(beam, forces, DiagramKind::Axial, 2), 6);
    EXPECT_FLOAT_EQ(sectionValue(beam, forces, DiagramKind::Axial, 3.5f), 0);
}

// A large frame's members are sampled on two cores: its figure is each
// member's own diagram, in member order, whatever the kind.
TEST(MemberDiagram, ALargeFramesFigureIsEachMembersDiagramInOrder) {
    const Document building = orv::testing::buildingDocument(10, 10);  // 210 members
    const auto members = static_cast<std::size_t>(building.membersEntered);
    Table2D<double> forces(7, members + 1, 0.0);
    for (std::size_t i = 1; i <= members; ++i) {
        for (std::size_t r = 1; r <= 6; ++r) {
            forces(r, i) = static_cast<double>(i % 13) - 1.5 * static_cast<double>(r);
        }
    }
    for (const DiagramKind kind : {DiagramKind::Moment, DiagramKind::Shear, DiagramKind::Axial}) {
        std::vector<MemberDiagram> each;
        for (std::size_t i = 1; i <= members; ++i) {
            each.push_back(memberDiagram(building.members[i], endForcesOf(forces, i), kind,
                                         building.diagramScale, kDiagramStep));
        }
        const Figure expected =
            diagramFigure(std::span(building.members).subspan(1, members), each);
        const Figure figure = diagramsOf(building, forces, kind);
        EXPECT_TRUE(figure.polylines == expected.polylines);
        EXPECT_TRUE(figure.texts == expected.texts);
        EXPECT_FALSE(figure.texts.empty());
    }
}

}  // namespace
