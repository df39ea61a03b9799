// Reactions, the deflected shape and the results window through the real
// window, and the view commands beside 放大/缩小/平移.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QWheelEvent>

#include "dialogs/results_window.h"
#include "editor_fixture.h"
#include "results/result_figures.h"

namespace {

class ResultViewsTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        keepProjectInScratchFolder();
        drawPortal(2, 6, 3, 6);
        fixEnds({{2, 6}, {6, 6}});
        choose(MenuCommand::LoadInput);
        giveLoad("均布", "4", "10", 4, 3);
        giveLoad("集中", "1.5", "8", 2, 4.5f);
        keyUp(Qt::Key_Escape);
    }
    const Figure& figure(FigureLayer layer) const { return form.canvasModel().figure(layer); }
    QString hint() const { return form.hintLabel()->text(); }
};

TEST_F(ResultViewsTest, ReactionsBalanceTheLoadsAndGoWhenTheFrameChanges) {
    choose(MenuCommand::Reactions);
    EXPECT_EQ(hint(), QStringLiteral("平衡校核: ΣX = 0.0000 kN, ΣY = 0.0000 kN, ΣM = 0.0000 kN·m"));
    // Two fixed ends: Rx, Ry and M at each, none of them zero here.
    EXPECT_EQ(figure(FigureLayer::Reactions).arrowheads.size(), 6u);
    EXPECT_EQ(figure(FigureLayer::Reactions).texts.size(), 6u);
    choose(MenuCommand::LoadInput);
    EXPECT_TRUE(figure(FigureLayer::Reactions).empty());
}

TEST_F(ResultViewsTest, TheDeflectedShapeTakesTheScaleCommandUntilADiagramIsDrawn) {
    choose(MenuCommand::Deflection);
    EXPECT_GE(figure(FigureLayer::Deflection).polylines.size(), 3u);
    EXPECT_TRUE(hint().startsWith(QStringLiteral("变形图, 放大 "))) << hint().toStdString();
    EXPECT_TRUE(hint().contains(QStringLiteral("最大位移 节点")));

    platform.inputs.push_back(QStringLiteral("50"));
    choose(MenuCommand::DiagramScale);
    EXPECT_EQ(form.resultViews().magnification(), 50);
    EXPECT_TRUE(hint().startsWith(QStringLiteral("变形图, 放大 50 倍")));

    choose(MenuCommand::MomentDiagram);
    platform.inputs.push_back(QStringLiteral("0.05"));
    choose(MenuCommand::DiagramScale);
    EXPECT_EQ(form.resultViews().magnification(), 50);
    EXPECT_FLOAT_EQ(document.diagramScale, 0.05f);
}

TEST_F(ResultViewsTest, TheResultsWindowSortsByValueMarksTheLargestAndCopiesRows) {
    choose(MenuCommand::ResultsTable);
    ResultsWindow* window = form.resultViews().resultsWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    QTableWidget* forces = window->table(ResultsWindow::EndForces);
    EXPECT_EQ(forces->rowCount(), 3);
    EXPECT_EQ(window->table(ResultsWindow::Displacements)->rowCount(), 4);
    EXPECT_EQ(window->table(ResultsWindow::Reactions)->rowCount(), 2);

    // Sorted by the first end's moment, as numbers: ascending values.
    forces->sortByColumn(5, Qt::AscendingOrder);
    for (int r = 1; r < forces->rowCount(); ++r) {
        EXPECT_LE(forces->item(r - 1, 5)->text().toDouble(), forces->item(r, 5)->text().toDouble());
    }
    int marked = 0;
    for (int r = 0; r < forces->rowCount(); ++r) {
        marked += forces->item(r, 5)->font().bold() ? 1 : 0;
    }
    EXPECT_EQ(marked, 1);

    forces->selectRow(0);
    QTest::keyClick(forces, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0].count(QLatin1Char('\t')), forces->columnCount() - 1);
    EXPECT_EQ(lines[1].section(QLatin1Char('\t'), 5, 5), forces->item(0, 5)->text());

    // The file holds the table in the analysis's order, as CSV.
    const QString csv = scratch.filePath(QStringLiteral("forces.csv"));
    platform.files.push_back(csv);
    window->saveCsv();
    // The dialog suggested the table's file beside the project.
    EXPECT_EQ(platform.calls.back().path, scratch.filePath(QStringLiteral("portal_forces.csv")));
    QFile written(csv);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(bytes.count("\r\n"), 4);
}

TEST_F(ResultViewsTest, TheResultsWindowFollowsEveryNewAnalysis) {
    choose(MenuCommand::ResultsTable);
    QTableWidget* moves = form.resultViews().resultsWindow()->table(ResultsWindow::Displacements);
    const QString before = moves->item(1, 1)->text();
    choose(MenuCommand::LoadInput);
    giveLoad("集中", "2", "20", 6, 4.5f);
    keyUp(Qt::Key_Escape);
    choose(MenuCommand::Analyse);
    EXPECT_NE(moves->item(1, 1)->text(), before);
}

TEST_F(ResultViewsTest, TheWheelZoomsAboutThePointerAndWholeFrameShowsEveryMember) {
    const QPointF pixel = form.canvasModel().toPixel(4, 4);
    const float width = document.world.scaleWidth;
    QWheelEvent wheel(pixel, form.canvasWidget()->mapToGlobal(pixel), {}, {0, 120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(form.canvasWidget(), &wheel);
    EXPECT_FLOAT_EQ(document.world.scaleWidth, width * 0.8f);
    const QPointF after = form.canvasModel().toPixel(4, 4);
    EXPECT_NEAR(after.x(), pixel.x(), 0.01);
    EXPECT_NEAR(after.y(), pixel.y(), 0.01);

    choose(MenuCommand::WholeFrame);
    const WorldWindow& w = document.world;
    EXPECT_LT(w.scaleLeft, 2);
    EXPECT_GT(w.scaleLeft + w.scaleWidth, 6);
    EXPECT_LT(w.scaleTop, 3);
    EXPECT_GT(w.scaleTop + w.scaleHeight, 6);
    EXPECT_LT(w.scaleWidth, 2 * width);  // fitted, not merely wide
}

TEST_F(ResultViewsTest, AMiddleDragMovesTheDrawingWithThePointer) {
    const QPointF start = form.canvasModel().toPixel(4, 4);
    QWidget* canvas = form.canvasWidget();
    QMouseEvent down(QEvent::MouseButtonPress, start, canvas->mapToGlobal(start), Qt::MiddleButton,
                     Qt::MiddleButton, Qt::NoModifier);
    QCoreApplication::sendEvent(canvas, &down);
    const QPointF end = start + QPointF(40, -25);
    QMouseEvent drag(QEvent::MouseMove, end, canvas->mapToGlobal(end), Qt::NoButton,
                     Qt::MiddleButton, Qt::NoModifier);
    QCoreApplication::sendEvent(canvas, &drag);
    const QPointF moved = form.canvasModel().toPixel(4, 4);
    EXPECT_NEAR(moved.x(), end.x(), 0.05);
    EXPECT_NEAR(moved.y(), end.y(), 0.05);
}

}  // namespace

namespace {

TEST_F(ResultViewsTest, WithWipingOffTheCrosshairLeavesPrintedResultsAndTheChoiceIsKept) {
    choose(MenuCommand::Analyse);
    const auto sweep = [this] {
        for (float y = 0.5f; y < 7; y += 0.25f) {
            move(7.5f, y);
        }
    };
    const QImage printed = form.canvasModel().layer();
    sweep();
    EXPECT_NE(form.canvasModel().layer(), printed);  // the described behaviour

    choose(MenuCommand::Analyse);
    choose(MenuCommand::CrosshairWipes);
    EXPECT_FALSE(form.menuItem(MenuCommand::CrosshairWipes)->isChecked());
    EXPECT_EQ(platform.settings.at(QStringLiteral("crosshairWipesPrints")), false);
    const QImage kept = form.canvasModel().layer();
    sweep();
    EXPECT_EQ(form.canvasModel().layer(), kept);

    Document next;
    Form1 again{next, platform, QStringLiteral(ORVANDEL_PROGRAM_FOLDER)};
    EXPECT_FALSE(again.menuItem(MenuCommand::CrosshairWipes)->isChecked());
}

}  // namespace
