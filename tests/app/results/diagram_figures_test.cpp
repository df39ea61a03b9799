// The internal-force diagrams as figures: what the window shows after
// 弯矩图, 剪力图 and 轴力图 is the figure built straight from the model and
// the solved frame, so every picture made without the window shows the
// same curves, values and label places.
#include <QFile>
#include <sstream>

#include "batch/batch_analysis.h"
#include "editor_fixture.h"
#include "results/result_figures.h"

namespace {

class DiagramFigures : public EditorTest,
                       public ::testing::WithParamInterface<std::pair<DiagramKind, MenuCommand>> {};

TEST_P(DiagramFigures, AreWhatTheWindowShows) {
    const auto [kind, command] = GetParam();
    ASSERT_TRUE(scratch.isValid());
    const QString project = scratch.filePath(QStringLiteral("two_storey.tsd"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ORVANDEL_EXAMPLES "/two_storey.tsd"), project));
    SolvedProject solved;
    std::ostringstream err;
    ASSERT_EQ(solveProject(project.toStdString(), err, solved), BatchStatus::Solved) << err.str();
    const Figure built = diagramsOf(solved.document, solved.solver->a, kind);

    ASSERT_TRUE(form.openProject(project));
    choose(command);
    const Figure& shown = form.canvasModel().figure(FigureLayer::Diagram);
    ASSERT_EQ(shown.polylines.size(), static_cast<std::size_t>(document.membersEntered));
    ASSERT_FALSE(shown.texts.empty());
    EXPECT_TRUE(shown.polylines == built.polylines);
    EXPECT_TRUE(shown.arrowheads == built.arrowheads);
    ASSERT_EQ(shown.texts.size(), built.texts.size());
    for (std::size_t i = 0; i < shown.texts.size(); ++i) {
        EXPECT_EQ(shown.texts[i].text, built.texts[i].text) << i;
        EXPECT_TRUE(shown.texts[i] == built.texts[i]) << shown.texts[i].text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    EachKind, DiagramFigures,
    ::testing::Values(std::pair{DiagramKind::Moment, MenuCommand::MomentDiagram},
                      std::pair{DiagramKind::Shear, MenuCommand::ShearDiagram},
                      std::pair{DiagramKind::Axial, MenuCommand::AxialDiagram}));

}  // namespace
