// The diagram commands through the real window: one magenta line per member
// with its labels, the refusals, and the scale box.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>

#include "dialogs/form2.h"
#include "editor_fixture.h"

namespace {

constexpr ColourValue kMagenta = 0x800080;

class Diagrams : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        // Every diagram command runs the analysis, which writes result files.
        keepProjectInScratchFolder();
    }

    // A portal 4 m wide and 4 m high: columns 1 (drawn upwards from (2, 6))
    // and 3, beam 2 at y = 2.
    void drawPortal() { EditorTest::drawPortal(2, 6, 2, 6); }
    void fixBases() { fixEnds({{2, 6}, {6, 6}}); }
    // Fixed bases, 12 kN/m down on the whole beam, 10 kN to the right at
    // the middle of the left column.
    void loadedPortal() {
        drawPortal();
        fixBases();
        choose(MenuCommand::LoadInput);
        giveLoad("均布", "4", "12", 4, 2);
        giveLoad("集中", "2", "10", 2, 4);
        keyUp(Qt::Key_Escape);
        ASSERT_EQ(member(2).荷载数, 1);
        ASSERT_EQ(member(1).荷载数, 1);
    }

    const Figure& diagrams() const { return form.canvasModel().figure(FigureLayer::Diagram); }
    QStringList texts() const {
        QStringList result;
        for (const FigureText& text : diagrams().texts) {
            result << QString::fromStdString(text.text);
        }
        return result;
    }
    std::vector<std::vector<QPointF>> curves() const {
        std::vector<std::vector<QPointF>> result;
        for (const FigurePolyline& line : diagrams().polylines) {
            result.emplace_back();
            for (const FigurePoint& point : line.points) {
                result.back().emplace_back(point.x, point.y);
            }
        }
        return result;
    }
    // The drawn point nearest the height y.
    static QPointF pointNearHeight(const std::vector<QPointF>& line, double y) {
        return *std::min_element(line.begin(), line.end(), [y](QPointF a, QPointF b) {
            return std::abs(a.y() - y) < std::abs(b.y() - y);
        });
    }
};

TEST_F(Diagrams, EveryMemberGetsOneMagentaLineFromEndToEndWithItsLabels) {
    loadedPortal();
    choose(MenuCommand::MomentDiagram);
    const std::vector<std::vector<QPointF>> lines = curves();
    ASSERT_EQ(lines.size(), 3u);
    for (std::size_t i = 1; i <= 3; ++i) {
        const std::vector<QPointF>& line = lines[i - 1];
        SCOPED_TRACE(i);
        EXPECT_EQ(diagrams().polylines[i - 1].colour, kMagenta);
        EXPECT_NEAR(line.front().x(), member(static_cast<int>(i)).x1, 1e-6);
        EXPECT_NEAR(line.front().y(), member(static_cast<int>(i)).y1, 1e-6);
        EXPECT_NEAR(line.back().x(), member(static_cast<int>(i)).x2, 1e-6);
        EXPECT_NEAR(line.back().y(), member(static_cast<int>(i)).y2, 1e-6);
    }
    // The beam sags between its hogging ends: the middle lies below it (the
    // local +y side), its ends above.
    const auto beamAt = [&](double x) {
        return *std::min_element(
            lines[1].begin() + 1, lines[1].end() - 1,
            [x](QPointF a, QPointF b) { return std::abs(a.x() - x) < std::abs(b.x() - x); });
    };
    EXPECT_GT(beamAt(4).y(), 2.1);
    EXPECT_LT(beamAt(2.01).y(), 2);
    EXPECT_LT(beamAt(5.99).y(), 2);
    // Six end moments and the beam's sagging peak, values without sign.
    const QStringList labels = texts();
    const QRegularExpression form(QStringLiteral(R"(^\d+\.\d{3}(\(\d+\.\d{2}处\))?$)"));
    for (const QString& label : labels) {
        EXPECT_TRUE(form.match(label).hasMatch()) << label.toStdString();
    }
    EXPECT_GE(labels.size(), 7);
    EXPECT_GE(labels.filter(QStringLiteral("处)")).size(), 1);
}

TEST_F(Diagrams, TheShearOfTheLeftColumnStepsByItsPointLoad) {
    loadedPortal();
    choose(MenuCommand::ShearDiagram);
    const std::vector<std::vector<QPointF>> lines = curves();
    ASSERT_EQ(lines.size(), 3u);
    // The column runs up from y = 6; its local +y side is to the right.
    // 10 kN at 2 m from its foot, 0.02 world units per kN.
    const QPointF below = pointNearHeight(lines[0], 4.05);
    const QPointF above = pointNearHeight(lines[0], 3.95);
    EXPECT_NEAR(above.x() - below.x(), 0.2, 1e-3);
}

TEST_F(Diagrams, ANewDiagramReplacesEverythingPrintedBefore) {
    loadedPortal();
    choose(MenuCommand::ShowNumbers);
    ASSERT_FALSE(form.canvasModel().printLog().empty());
    choose(MenuCommand::MomentDiagram);
    choose(MenuCommand::AxialDiagram);
    EXPECT_TRUE(form.canvasModel().printLog().empty());
    EXPECT_EQ(curves().size(), 3u);
    // Every axial label has decimals; signs aside, no other text is shown.
    for (const QString& text : texts()) {
        EXPECT_TRUE(text.contains('.') || text == QStringLiteral("⊖") ||
                    text == QStringLiteral("⊕"))
            << text.toStdString();
    }
    EXPECT_TRUE(platform.messages().isEmpty());
}

// A frame of two storeys and two bays: the shear diagram is signed both
// ways, the axial one in compression, the hint names each.
TEST_F(Diagrams, ShearAndAxialPartsOfAFrameAreSigned) {
    ASSERT_TRUE(form.openProject(QStringLiteral(ORVANDEL_EXAMPLES "/two_storey.tsd")));
    keepProjectInScratchFolder();
    const std::pair<MenuCommand, QString> diagrams[] = {
        {MenuCommand::MomentDiagram, QStringLiteral("弯矩图 (kN·m), 比例 0.02")},
        {MenuCommand::ShearDiagram, QStringLiteral("剪力图 (kN), 比例 0.02")},
        {MenuCommand::AxialDiagram, QStringLiteral("轴力图 (kN), 比例 0.02")}};
    for (const auto& [command, hint] : diagrams) {
        SCOPED_TRACE(hint.toStdString());
        choose(command);
        EXPECT_EQ(form.hintLabel()->text(), hint);
        const QStringList all = texts();
        EXPECT_GE(all.size(), 20);
        const qsizetype minus = all.count(QStringLiteral("⊖"));
        const qsizetype plus = all.count(QStringLiteral("⊕"));
        if (command == MenuCommand::MomentDiagram) {
            EXPECT_EQ(minus + plus, 0);
        } else {
            EXPECT_GE(minus, command == MenuCommand::ShearDiagram ? 4 : 6);
        }
        if (command == MenuCommand::ShearDiagram) {
            EXPECT_GE(plus, 4);
        }
    }
}

TEST_F(Diagrams, AnIncompleteDrawingIsRefusedWithItsMessage) {
    startInput(QStringLiteral("3"));
    drawMember(2, 6, 2, 2);
    keyUp(Qt::Key_Escape);
    choose(MenuCommand::MomentDiagram);
    EXPECT_EQ(platform.messages(), QStringList{QStringLiteral("杆件画完,荷载输完后再计算!")});
    EXPECT_TRUE(diagrams().empty());
}

TEST_F(Diagrams, AFrameWithoutSupportsDrawsNothingAndSaysNothing) {
    drawPortal();
    choose(MenuCommand::ShowNumbers);
    const std::size_t printed = form.canvasModel().printLog().size();
    ASSERT_GT(printed, 0u);
    for (const MenuCommand command :
         {MenuCommand::MomentDiagram, MenuCommand::ShearDiagram, MenuCommand::AxialDiagram}) {
        choose(command);
    }
    EXPECT_TRUE(platform.messages().isEmpty());
    EXPECT_EQ(form.canvasModel().printLog().size(), printed);
    EXPECT_TRUE(diagrams().empty());
}

TEST_F(Diagrams, TheScaleBoxAsksAgainUntilTheScaleIsPositive) {
    platform.inputs = {QStringLiteral("0"), QStringLiteral("-0.1"), QStringLiteral("abc"),
                       QStringLiteral("0.04")};
    choose(MenuCommand::DiagramScale);
    EXPECT_EQ(platform.count(PlatformCall::Kind::InputBox), 4);
    EXPECT_EQ(platform.calls.front().text, QStringLiteral("输入内力图幅度,不能为0,一般情况<1"));
    EXPECT_EQ(platform.calls.front().caption, QStringLiteral("Orvandel"));
    EXPECT_FLOAT_EQ(document.diagramScale, 0.04f);

    // The next diagram draws at the new scale: the column's step is 0.4.
    loadedPortal();
    choose(MenuCommand::ShearDiagram);
    const std::vector<QPointF> column = curves().at(0);
    EXPECT_NEAR(pointNearHeight(column, 3.95).x() - pointNearHeight(column, 4.05).x(), 0.4, 2e-3);
}

TEST_F(Diagrams, CancelOrTheOfferedValueKeepsTheScale) {
    platform.inputs = {QString()};
    choose(MenuCommand::DiagramScale);
    EXPECT_EQ(platform.count(PlatformCall::Kind::InputBox), 1);
    EXPECT_FLOAT_EQ(document.diagramScale, 0.02f);
    // Unanswered, the box returns the text it offered: the current scale.
    document.diagramScale = 0.125f;
    choose(MenuCommand::DiagramScale);
    EXPECT_EQ(platform.count(PlatformCall::Kind::InputBox), 2);
    EXPECT_FLOAT_EQ(document.diagramScale, 0.125f);
    // "1e60" overflows a single and is asked again, "5m" reads 5.
    platform.inputs = {QStringLiteral("1e60"), QStringLiteral("5m")};
    choose(MenuCommand::DiagramScale);
    EXPECT_EQ(platform.count(PlatformCall::Kind::InputBox), 4);
    EXPECT_FLOAT_EQ(document.diagramScale, 5);
}

}  // namespace
