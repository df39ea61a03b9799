// The analysis run through the real window: its refusals, the engine's
// messages, and a loaded portal frame computed and printed on the canvas.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <fstream>

#include "dialogs/form2.h"
#include "editor_fixture.h"
#include "solver/frame_solver.h"

namespace {

class Analysis : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        keepProjectInScratchFolder();
    }

    // A portal 4 wide and 3 high: columns 1 and 3, beam 2.
    void drawPortal() { EditorTest::drawPortal(2, 6, 3, 6); }
    void fixBases() { fixEnds({{2, 6}, {6, 6}}); }

    QStringList printedTexts() const {
        QStringList texts;
        for (const CanvasPrint& print : printsOf(CanvasPrint::Kind::Text)) {
            texts << print.text;
        }
        return texts;
    }
    QStringList resultFileLines() const {
        QStringList lines;
        std::ifstream file(scratch.filePath(QStringLiteral("portal.mqn")).toStdString());
        for (std::string line; std::getline(file, line);) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            lines << QString::fromStdString(line);
        }
        return lines;
    }
};

TEST_F(Analysis, AnIncompleteDrawingIsRefusedWithItsMessageOnly) {
    startInput(QStringLiteral("3"));
    drawMember(2, 6, 2, 3);
    drawMember(2, 3, 6, 3);
    choose(MenuCommand::Analyse);
    EXPECT_EQ(platform.messages(), QStringList{QStringLiteral("杆件画完,荷载输完后再计算!")});
    EXPECT_FALSE(QFile::exists(scratch.filePath(QStringLiteral("portal.mqn"))));
}

TEST_F(Analysis, AFrameWithoutSupportsCannotBeComputed) {
    drawPortal();
    choose(MenuCommand::Analyse);
    EXPECT_EQ(platform.messages(),
              QStringList{QStringLiteral("因无杆端约束或有杆件长度为0,不能计算,请检查")});
    EXPECT_TRUE(printedTexts().isEmpty());
}

// Deleting the beam of a fixed portal leaves two cantilevers on their own
// fixed bases: nothing else to place before they compute.
TEST_F(Analysis, APortalLessItsBeamKeepsItsBasesAndComputes) {
    drawPortal();
    fixBases();
    choose(MenuCommand::MemberDelete);
    hoverAt(4, 3);
    keyUp(Qt::Key_Delete);
    keyUp(Qt::Key_Escape);
    EXPECT_EQ(document.supportsPlaced, 2);
    choose(MenuCommand::Analyse);
    EXPECT_TRUE(platform.messages().isEmpty()) << platform.messages().join('|').toStdString();
    EXPECT_TRUE(QFile::exists(scratch.filePath(QStringLiteral("portal.mqn"))));
}

// The right column of a material without modulus holds its free base by
// nothing: the system is singular, the engine's message comes as a box
// with its icon and caption, and the window claims and prints nothing.
TEST_F(Analysis, EngineMessagesKeepTheirIconAndNothingIsClaimed) {
    drawPortal();
    fixEnds({{2, 6}});
    document.members[3].材料 = "无此材料";
    choose(MenuCommand::Analyse);
    ASSERT_EQ(platform.count(PlatformCall::Kind::MessageBox), 1);
    const PlatformCall& box = platform.calls.back();
    EXPECT_EQ(box.icon, MessageIcon::Critical);
    EXPECT_FALSE(box.caption.isEmpty());
    EXPECT_FALSE(form.hintLabel()->text().startsWith(QStringLiteral("计算的")));
    EXPECT_TRUE(printedTexts().isEmpty());
}

// Fixed bases, 10 kN/m down over the beam, 8 kN across the left column at
// mid-height: the window prints the result file line by line, and the end
// forces balance the loads.
TEST_F(Analysis, ALoadedPortalIsComputedAndItsEndForcesPrinted) {
    drawPortal();
    fixBases();
    choose(MenuCommand::LoadInput);
    form.form2().CheckBox1->setChecked(true);
    giveLoad("均布", "4", "10", 4, 3);      // over the whole beam
    giveLoad("集中", "1.5", "8", 2, 4.5f);  // on column 1
    keyUp(Qt::Key_Escape);
    ASSERT_EQ(member(2).荷载数, 1);
    ASSERT_EQ(member(1).荷载数, 1);

    choose(MenuCommand::Analyse);
    EXPECT_TRUE(platform.messages().isEmpty());
    EXPECT_EQ(form.hintLabel()->text(), QStringLiteral("计算的杆件内力结果,位移结果保存在") +
                                            scratch.filePath(QStringLiteral("portal.mqn(.uva)")));
    const QStringList lines = resultFileLines();
    ASSERT_EQ(lines.size(), 4);  // the header and one line per member
    const QStringList printed = printedTexts();
    ASSERT_GE(printed.size(), 4);
    EXPECT_EQ(printed.mid(0, 4), lines);
    const auto& log = form.canvasModel().printLog();
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(log[static_cast<std::size_t>(k)].x1, 8.0f);
        EXPECT_FLOAT_EQ(log[static_cast<std::size_t>(k)].y1,
                        document.world.scaleTop + 0.7f + 0.3f * static_cast<float>(k));
    }
    // Then the member and node numbers.
    EXPECT_GT(printed.size(), 4);

    // Equilibrium of the whole frame from the engine's table: the base
    // shears take the 8 kN, the base axial forces the 40 kN of the beam.
    const 内力_位移& run = form.solver();
    const double baseShears = run.a(2, 1) + run.a(2, 3);
    const double baseAxial = run.a(1, 1) + run.a(1, 3);
    EXPECT_NEAR(std::abs(baseShears), 8, 1e-3);
    EXPECT_NEAR(std::abs(baseAxial), 40, 1e-3);
}

}  // namespace
