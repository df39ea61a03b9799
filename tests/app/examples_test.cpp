// The example projects: each file is exactly what the writer makes of its
// document, each analysis writes the committed result files, and agrees
// with a hand calculation.
//
// Set ORVANDEL_WRITE_EXAMPLES=1 to write the files afresh after changing a
// document in example_frames.cpp (and check the new results by hand).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>

#include "batch/batch_analysis.h"
#include "document/project_file.h"
#include "example_frames.h"
#include "model/supports.h"
#include "results/internal_force_diagram.h"
#include "results/result_sets.h"
#include "results/solver_copy.h"
#include "run_support.h"
#include "solver/frame_input.h"
#include "solver/member_matrices.h"
#include "text/number_text.h"

namespace orv::testing {
namespace {

const std::filesystem::path kExamples = ORVANDEL_EXAMPLES;

TEST(Examples, FilesAreWhatTheWriterMakesOfTheirDocuments) {
    const bool rewrite = std::getenv("ORVANDEL_WRITE_EXAMPLES") != nullptr;
    for (const ExampleProject& example : exampleProjects()) {
        SCOPED_TRACE(example.fileName);
        const std::filesystem::path file = kExamples / example.fileName;
        if (rewrite) {
            ASSERT_TRUE(WriteProjectFile(example.document, file.string()));
        }
        EXPECT_EQ(readWholeFile(file), projectFileText(example.document));
    }
}

// The result files of each example, analysed from its project file as batch
// mode does, byte for byte against the files in examples/ (checked by hand
// against the closed-form values below when they were made).
TEST(Examples, AnalysisWritesTheCommittedResultFiles) {
    const bool rewrite = std::getenv("ORVANDEL_WRITE_EXAMPLES") != nullptr;
    ScratchFolder folder;
    for (const ExampleProject& example : exampleProjects()) {
        SCOPED_TRACE(example.fileName);
        const std::filesystem::path project = folder.path(example.fileName);
        std::filesystem::copy_file(kExamples / example.fileName, project);
        std::ostringstream out;
        std::ostringstream err;
        ASSERT_EQ(analyzeProject(project.string(), out, err), BatchStatus::Solved) << err.str();
        for (const char* extension : {".mqn", ".uva"}) {
            const std::filesystem::path golden =
                (kExamples / example.fileName).replace_extension(extension);
            const std::string written =
                readWholeFile(std::filesystem::path(project).replace_extension(extension));
            if (rewrite) {
                writeWholeFile(golden, written);
            }
            EXPECT_EQ(written, readWholeFile(golden)) << extension;
        }
    }
}

// Support reactions in global axes, by node: the sum of the end forces the
// node exerts on its members.
struct Reaction {
    double x = 0, y = 0, moment = 0;
};

class SolvedExample {
public:
    explicit SolvedExample(const std::string& fileName) : document_(exampleProject(fileName)) {
        MessageLog log(solver_);
        EXPECT_TRUE(gj2计算gj(document_, solver_, [](const orv::Diagnostic&) {}));
        EXPECT_TRUE(solver_.korvasta(folder_.path(fileName).string()));
        EXPECT_TRUE(log.messages.empty());
    }

    double endForce(std::size_t r, std::size_t member) const { return solver_.a(r, member); }

    Reaction reactionAt(int node) const {
        Reaction sum;
        for (int i = 1; i <= solver_.杆件总数; ++i) {
            const auto member = static_cast<std::size_t>(i);
            for (const int end : {0, 1}) {
                const int at = end == 0 ? solver_.左节点号[member] : solver_.右节点号[member];
                if (at == node) {
                    add(sum, i, static_cast<std::size_t>(3 * end));
                }
            }
        }
        return sum;
    }

    Reaction totalReaction() const {
        Reaction total;
        for (int node = 1; node <= solver_.节点总数; ++node) {
            if (solver_.零位移[static_cast<std::size_t>(node)] != kNoSupport) {
                const Reaction r = reactionAt(node);
                total.x += r.x;
                total.y += r.y;
            }
        }
        return total;
    }

private:
    void add(Reaction& sum, int member, std::size_t first) const {
        const Matrix6 t = transformation(memberAxisOf(solver_, member));
        double global[3] = {0, 0, 0};
        for (std::size_t e = 0; e < 3; ++e) {
            for (std::size_t d = 0; d < 6; ++d) {
                global[e] += t[d][first + e] * solver_.a(d + 1, static_cast<std::size_t>(member));
            }
        }
        sum.x += global[0];
        sum.y += global[1];
        sum.moment += global[2];
    }

    ScratchFolder folder_;
    Document document_;
    内力_位移 solver_;
};

constexpr double kTolerance = 1e-6;

TEST(Examples, ProppedCantileverCarriesThreeEighthsOnTheProp) {
    const SolvedExample beam("propped_cantilever.tsd");
    EXPECT_NEAR(beam.endForce(5, 1), -3.0 * 10 * 6 / 8, kTolerance);  // prop, upward
    EXPECT_NEAR(beam.endForce(3, 1), -10.0 * 36 / 8, kTolerance);     // fixed-end moment
    EXPECT_NEAR(beam.endForce(6, 1), 0, kTolerance);
}

TEST(Examples, ContinuousBeamTakesFiveEighthsOfEachSpanAtTheMiddleSupport) {
    const SolvedExample beam("continuous_beam.tsd");
    constexpr double qL = 12.0 * 5;
    EXPECT_NEAR(beam.reactionAt(2).y, -1.25 * qL, kTolerance);
    EXPECT_NEAR(beam.reactionAt(1).y, -0.375 * qL, kTolerance);
    EXPECT_NEAR(beam.reactionAt(3).y, -0.375 * qL, kTolerance);
    EXPECT_NEAR(beam.endForce(6, 1), qL * 5 / 8, kTolerance);  // moment over the support
    EXPECT_NEAR(beam.reactionAt(1).x, 0, kTolerance);
}

TEST(Examples, TriangleReactionsFollowFromStatics) {
    const SolvedExample frame("triangle.tsd");
    const double rafter = std::sqrt(13.0);
    // Loads: 40 kN down at (2, 0); 6 kN across the rafter at (1, -1.5),
    // along (3, 2) / sqrt(13).
    const double fx = 18 / rafter;
    const double fy = 12 / rafter;
    const double roller = -(2 * 40 + 1 * fy + 1.5 * fx) / 4;
    EXPECT_NEAR(frame.reactionAt(2).y, roller, kTolerance);  // node 2 at (4, 0)
    EXPECT_NEAR(frame.reactionAt(1).x, -fx, kTolerance);
    EXPECT_NEAR(frame.reactionAt(1).y, -(40 + fy) - roller, kTolerance);
}

TEST(Examples, ThreeHingedFrameThrustsWithQLSquaredOverEightH) {
    const SolvedExample frame("three_hinged_frame.tsd");
    constexpr double thrust = 20.0 * 12 * 12 / (8 * 6);
    EXPECT_NEAR(frame.reactionAt(1).x, thrust, kTolerance);
    EXPECT_NEAR(frame.reactionAt(5).x, -thrust, kTolerance);
    EXPECT_NEAR(frame.reactionAt(1).y, -20.0 * 6, kTolerance);
    EXPECT_EQ(frame.endForce(6, 2), 0.0);  // the crown hinge
    EXPECT_NEAR(std::fabs(frame.endForce(6, 1)), thrust * 6, kTolerance);
}

TEST(Examples, SettlementTakesThreeEIDeltaOverLSquaredOffTheMiddleMoment) {
    const SolvedExample beam("settlement.tsd");
    const double ei = 3e7 * 0.3f * 0.6f * 0.6f * 0.6f / 12;
    const double expected = 10.0 * 36 / 8 - 3 * ei * double(0.01f) / 36;
    EXPECT_NEAR(std::fabs(beam.endForce(6, 1)), std::fabs(expected), 1e-6 * std::fabs(expected));
    EXPECT_NEAR(beam.totalReaction().y, -10.0 * 12, kTolerance);
}

// H = alpha t L / (2h^3/(3 EI_c) + h^2 L/EI_b + L/EA_b): the beam's
// lengthening against the portal's flexibility.
TEST(Examples, WarmedRoofBeamPushesThePortalApart) {
    const SolvedExample portal("temperature.tsd");
    const double column = 3e7 * 0.4f * 0.4f * 0.4f * 0.4f / 12;
    const double beam = 3e7 * 0.3f * 0.6f * 0.6f * 0.6f / 12;
    const double axial = 3e7 * double(0.3f * 0.6f);
    const double flexibility = 2 * 64 / (3 * column) + 16 * 6 / beam + 6 / axial;
    const double thrust = double(1.0e-5f) * 25 * 6 / flexibility;
    EXPECT_NEAR(std::fabs(portal.endForce(2, 1)), thrust, 1e-6 * thrust);
    EXPECT_NEAR(portal.totalReaction().x, 0, kTolerance);
    EXPECT_NEAR(portal.totalReaction().y, 0, kTolerance);
}

// Dead and live load lie alike on the beam, so 1.3·恒载 + 1.5·活载 is the
// dead load times (1.3·25 + 1.5·10)/25; the two wind combinations differ
// by three times the wind.
TEST(Examples, PortalCombinationsAreTheirFactoredCases) {
    const Document model = exampleProject("portal_cases.tsd");
    内力_位移 solver;
    ScratchFolder folder;
    ASSERT_TRUE(gj2计算gj(model, solver, [](const orv::Diagnostic&) {}));
    ASSERT_TRUE(solver.korvasta(folder.path("portal_cases.tsd").string()));
    using Kind = ResultChoice::Kind;
    const auto set = [&](Kind kind, int number) {
        return resultSetOf(model, solver, {kind, number})->solver.a;
    };
    const Table2D<double> dead = set(Kind::Case, 1);
    const Table2D<double> wind = set(Kind::Case, 3);
    const Table2D<double> gravity = set(Kind::Combination, 1);
    const Table2D<double> windward = set(Kind::Combination, 2);
    const Table2D<double> leeward = set(Kind::Combination, 3);
    const double scale = (1.3 * 25 + 1.5 * 10) / 25;
    for (std::size_t r = 0; r < dead.rows(); ++r) {
        for (std::size_t c = 1; c <= 3; ++c) {
            EXPECT_NEAR(gravity(r, c), scale * dead(r, c), 1e-6 * (1 + std::fabs(gravity(r, c))));
            EXPECT_NEAR(windward(r, c) - leeward(r, c), 3 * wind(r, c), 1e-9);
        }
    }
}

TEST(Examples, FramesReactionsBalanceTheirLoads) {
    const SolvedExample portal("portal.tsd");
    EXPECT_NEAR(portal.totalReaction().x, -10, kTolerance);
    EXPECT_NEAR(portal.totalReaction().y, -20.0 * 6, kTolerance);

    const SolvedExample storeys("two_storey.tsd");
    EXPECT_NEAR(storeys.totalReaction().x, -(2 * 3 * 3.6 + 2 * 12), 1e-5);
    EXPECT_NEAR(storeys.totalReaction().y, -(25.0 * 12 + 18.0 * 12), 1e-5);
}

// What the program prints for the portal: the numbers of its result files
// (the committed ones, which a fresh run writes byte for byte, see above)
// and the labels of its three diagrams, each a token.
std::set<std::string> printedForThePortal() {
    std::istringstream files(readWholeFile(kExamples / "portal.mqn") +
                             readWholeFile(kExamples / "portal.uva"));
    std::set<std::string> printed{std::istream_iterator<std::string>(files), {}};
    const SolvedExample portal("portal.tsd");
    const Document document = exampleProject("portal.tsd");
    for (const DiagramKind kind : {DiagramKind::Moment, DiagramKind::Shear, DiagramKind::Axial}) {
        for (std::size_t i = 1; i <= 3; ++i) {
            MemberEndForces forces{};
            for (std::size_t r = 0; r < 6; ++r) {
                forces[r] = portal.endForce(r + 1, i);
            }
            for (const DiagramLabel& label :
                 memberDiagram(document.members[i], forces, kind, document.diagramScale, 0.01f)
                     .labels) {
                printed.insert(label.text);
                printed.insert(label.text.substr(label.text.find('(') + 1));  // "2.50处)"
            }
        }
    }
    return printed;
}

bool isRoundingOfOne(const std::string& quoted, const std::set<std::string>& printed) {
    const auto decimals = static_cast<int>(quoted.size() - quoted.find('.') - 1);
    return std::any_of(printed.begin(), printed.end(), [&](const std::string& text) {
        char* end = nullptr;
        const double value = std::strtod(text.c_str(), &end);
        return end != text.c_str() && formatFixed(value, decimals) == quoted;
    });
}

// The help's worked example quotes the portal's results: its table is the
// ".mqn" file, a "figure" span a printed number or label, an "approx" span
// a printed value rounded; no result of three or more decimals is unmarked.
TEST(Examples, TheHelpQuotesWhatTheProgramPrintsForThePortal) {
    const std::string help = readWholeFile(ORVANDEL_HELP);
    const auto start = help.find("<h2 id=\"example\">");
    const std::string example = help.substr(start, help.find("<h2 ", start + 1) - start);
    const std::string mqn = readWholeFile(kExamples / "portal.mqn");
    EXPECT_NE(example.find("<pre>\n" + std::regex_replace(mqn, std::regex("\r"), "") + "</pre>"),
              std::string::npos);
    const std::set<std::string> printed = printedForThePortal();
    const std::regex span(R"span(<span class="(figure|approx)">([^<]*)</span>)span");
    for (std::sregex_iterator it(example.begin(), example.end(), span), end; it != end; ++it) {
        const std::string quoted = (*it)[2];
        EXPECT_TRUE((*it)[1] == "figure" ? printed.count(quoted) > 0
                                         : isRoundingOfOne(quoted, printed))
            << quoted;
    }
    const std::regex quotedOrTable(
        R"span(<pre>[^<]*</pre>|<span class="(figure|approx)">[^<]*</span>)span");
    EXPECT_FALSE(std::regex_search(std::regex_replace(example, quotedOrTable, ""),
                                   std::regex(R"(\d\.\d{3})")));
}

}  // namespace
}  // namespace orv::testing
