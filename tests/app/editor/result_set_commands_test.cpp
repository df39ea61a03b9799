// 结果工况 and 包络图 through the real window: a portal with three load
// cases and two combinations, the chosen set in every result and named in
// the hint, and the fall-back to case 1 when the chosen case goes.
#include <QFile>
#include <QLabel>

#include "editor_fixture.h"
#include "results/result_figures.h"
#include "results/result_sets.h"
#include "solver/result_files.h"

namespace {

using Kind = ResultChoice::Kind;

class ResultSetCommandsTest : public EditorTest {
protected:
    // Case 1 from the load dialog; 活载 on the beam and 风载 on the left
    // column entered through the model, since they are no current case here.
    void SetUp() override {
        EditorTest::SetUp();
        keepProjectInScratchFolder();
        drawPortal(2, 6, 2, 6);
        fixEnds({{2, 6}, {6, 6}});
        choose(MenuCommand::LoadInput);
        giveLoad("均布", "4", "12", 4, 2);
        keyUp(Qt::Key_Escape);
        addLoadCase(document, "活载");
        addLoadCase(document, "风载");
        addCaseLoad(2, 2, "集中", 1, 30);
        addCaseLoad(1, 3, "均布", 4, 5);
        document.combinations = {{"1.3恒+1.5活", {{1, 1.3f}, {2, 1.5f}}},
                                 {"恒-0.8风", {{1, 1.0f}, {3, -0.8f}}}};
    }
    void addCaseLoad(std::size_t member, int loadCase, const char* kind, float xq, float q) {
        MemberLoads loads = loadsIn(document.members[member], loadCase);
        const auto k = static_cast<std::size_t>(++loads.荷载数);
        loads.hzlx[k] = kind;
        loads.xq[k] = xq;
        loads.q[k] = q;
    }
    void chooseSet(const char* name) {
        platform.inputs.push_back(QString::fromUtf8(name));
        choose(MenuCommand::ResultSet);
    }
    ResultSet expectedSet(ResultChoice choice) {
        return *resultSetOf(document, form.solver(), choice);
    }
    QString resultFile(const char* extension) const {
        QFile file(scratch.filePath(QStringLiteral("portal.") + QString::fromUtf8(extension)));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    QString hint() const { return form.hintLabel()->text(); }
    const Figure& diagram() const { return form.canvasModel().figure(FigureLayer::Diagram); }
};

TEST_F(ResultSetCommandsTest, AChosenCombinationIsPrintedDrawnSavedAndNamed) {
    choose(MenuCommand::Analyse);
    EXPECT_TRUE(hint().endsWith(QStringLiteral(".mqn(.uva) — 工况1"))) << hint().toStdString();
    const QString case1Forces = resultFile("mqn");

    chooseSet("1.3恒+1.5活");
    ASSERT_EQ(document.shownResults, (ResultChoice{Kind::Combination, 1}));
    const ResultSet set = expectedSet({Kind::Combination, 1});
    const 内力_位移& sum = set.solver;
    const std::string forces =
        orv::memberForcesText(sum.a, sum.杆件总数, sum.左节点号, sum.右节点号);
    EXPECT_EQ(resultFile("mqn").toStdString(), forces);
    EXPECT_EQ(resultFile("uva").toStdString(), orv::displacementsText(sum.a, sum.节点总数));
    EXPECT_NE(resultFile("mqn"), case1Forces);
    // The printed end forces are those of the combination, named.
    EXPECT_EQ(printsOf(CanvasPrint::Kind::Text).at(1).text,
              QString::fromStdString(forces).split(QStringLiteral("\r\n")).at(1));
    EXPECT_TRUE(hint().endsWith(QStringLiteral(" — 1.3恒+1.5活")));

    choose(MenuCommand::MomentDiagram);
    EXPECT_EQ(diagram(), diagramsOf(set.model, sum.a, DiagramKind::Moment));
    EXPECT_EQ(hint(), QStringLiteral("弯矩图 (kN·m), 比例 0.02 — 1.3恒+1.5活"));
    // Another choice draws the diagram shown again for it.
    chooseSet("恒-0.8风");
    const ResultSet wind = expectedSet({Kind::Combination, 2});
    EXPECT_EQ(diagram(), diagramsOf(wind.model, wind.solver.a, DiagramKind::Moment));
    EXPECT_TRUE(hint().endsWith(QStringLiteral(" — 恒-0.8风")));
}

TEST_F(ResultSetCommandsTest, ADeletedCaseFallsBackToCaseOneAndUnknownNamesAreRefused) {
    chooseSet("风载");
    ASSERT_EQ(document.shownResults, (ResultChoice{Kind::Case, 3}));
    chooseSet("雪载");
    EXPECT_EQ(platform.messages().last(), QStringLiteral("没有名为“雪载”的工况或组合"));
    EXPECT_EQ(document.shownResults, (ResultChoice{Kind::Case, 3}));

    ASSERT_TRUE(deleteLoadCase(document, 3));
    choose(MenuCommand::Reactions);
    EXPECT_EQ(document.shownResults, ResultChoice{});
    EXPECT_TRUE(hint().endsWith(QStringLiteral(" — 工况1")));
    const 内力_位移& case1 = expectedSet({}).solver;
    EXPECT_EQ(resultFile("mqn").toStdString(),
              orv::memberForcesText(case1.a, case1.杆件总数, case1.左节点号, case1.右节点号));
}

TEST_F(ResultSetCommandsTest, TheEnvelopeIsAskedByItsForceAndTakesTheDiagramsPlace) {
    platform.inputs = {QStringLiteral("x"), QStringLiteral("q")};
    choose(MenuCommand::Envelope);
    EXPECT_EQ(platform.messages().last(), QStringLiteral("请输入 M、Q 或 N"));
    EXPECT_TRUE(diagram().empty());
    choose(MenuCommand::Envelope);
    EXPECT_FALSE(diagram().empty());
    EXPECT_EQ(hint(), QStringLiteral("剪力包络图 (kN), 比例 0.02"));
}

}  // namespace
