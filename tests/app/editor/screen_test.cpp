// What the user sees: the editor window on a real X server, read back from
// the screen after mouse moves, member input, F3 and the removal of a
// member, and compared with a full repaint of the same state. A full
// repaint alone shows every line wherever it is; the screen shows only
// what the window repainted, so a change that forgot to ask for the
// repaint of its pixels leaves a difference here.
//
// With ORVANDEL_SCREENSHOTS set to a folder, the images of a failing step
// are saved there.
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QRegion>
#include <QTemporaryDir>
#include <cmath>

#include <QScreen>
#include <QWindow>
#include "dialogs/form2.h"

#include "editor_fixture.h"

namespace {

class OnScreen : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    // The canvas as the screen shows it, and as a full repaint draws it.
    QImage onScreen() const {
        const QPoint corner = form.canvasWidget()->mapTo(&form, QPoint(0, 0));
        return form.screen()
            ->grabWindow(form.winId(), corner.x(), corner.y(), form.canvasWidget()->width(),
                         form.canvasWidget()->height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    // One pixel of the canvas as the screen shows it, once the screen has
    // caught up with the window.
    QRgb onScreenPixel(QPointF pixel) {
        expectScreenShowsTheWindow("pixel");
        return onScreen().pixel(pixel.toPoint());
    }
    QImage repainted() const {
        return form.canvasWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // Pixels that differ, outside the dialogs' frames (windows of their own,
    // over the canvas on screen).
    int differences(const QImage& screen, const QImage& full) {
        if (screen.size() != full.size()) {
            return screen.width() * screen.height();
        }
        QRegion dialogs;
        const auto cover = [&](const QWidget& dialog) {
            if (dialog.isVisible()) {
                const QRect frame = dialog.frameGeometry();
                dialogs += QRect(form.canvasWidget()->mapFromGlobal(frame.topLeft()), frame.size());
            }
        };
        if (form.hasForm3()) {
            cover(form.form3());
        }
        if (form.hasForm2()) {
            cover(form.form2());
        }
        int count = 0;
        for (int y = 0; y < screen.height(); ++y) {
            for (int x = 0; x < screen.width(); ++x) {
                count += screen.pixel(x, y) != full.pixel(x, y) && !dialogs.contains(QPoint(x, y));
            }
        }
        return count;
    }

    // The screen catches up with the window within a few event-loop turns.
    void expectScreenShowsTheWindow(const char* step) {
        const QImage full = repainted();
        QImage screen;
        int differing = 0;
        for (int attempt = 0; attempt < 250; ++attempt) {
            QTest::qWait(20);
            screen = onScreen();
            differing = differences(screen, full);
            if (differing == 0) {
                return;
            }
        }
        const QString folder = qEnvironmentVariable("ORVANDEL_SCREENSHOTS");
        if (!folder.isEmpty()) {
            screen.save(QDir(folder).filePath(QStringLiteral("%1-screen.png").arg(step)));
            full.save(QDir(folder).filePath(QStringLiteral("%1-repaint.png").arg(step)));
        }
        ADD_FAILURE() << step << ": " << differing << " pixels on screen differ from a repaint";
    }
};

TEST_F(OnScreen, MouseMovesLeaveNoCrosshairBehind) {
    expectScreenShowsTheWindow("start");
    for (const auto& [x, y] : {std::pair{3.0f, 3.0f}, {7.5f, 4.25f}, {7.5f, 9.0f}, {1.2f, 9.1f}}) {
        move(x, y);
        expectScreenShowsTheWindow("move");
    }
}

// A portal frame drawn with end capture and ortho mode, looked at after
// every step: the rubber band, the capture box and every member show.
TEST_F(OnScreen, APortalFrameShowsAsItIsDrawn) {
    startInput(QStringLiteral("3"));
    click(3, 8);
    move(3.1f, 5);
    keyUp(Qt::Key_F8);
    move(3.2f, 4);
    expectScreenShowsTheWindow("column-rubber-band");
    click(3.2f, 4);
    move(3.05f, 4.05f);  // captures the column's top
    expectScreenShowsTheWindow("capture");
    press(3.05f, 4.05f);
    move(6, 4.1f);
    expectScreenShowsTheWindow("beam-rubber-band");
    click(8, 4.1f);
    expectScreenShowsTheWindow("beam");
    move(8.05f, 4);
    press(8.05f, 4);
    click(8, 8);
    expectScreenShowsTheWindow("portal");
    EXPECT_EQ(document.membersEntered, 3);
}

TEST_F(OnScreen, F3HidesAndShowsTheCrosshair) {
    move(5, 5);
    keyUp(Qt::Key_F3);
    expectScreenShowsTheWindow("crosshair-off");
    move(6, 6);
    expectScreenShowsTheWindow("moved-without-crosshair");
    keyUp(Qt::Key_F3);
    move(6.5f, 6);
    expectScreenShowsTheWindow("crosshair-on");
}

TEST_F(OnScreen, AMemberThatFailsTheSectionCheckDisappears) {
    startInput(QStringLiteral("2"));
    chooseFailingSection();
    drawMember(2, 6, 7, 6);
    ASSERT_EQ(document.membersEntered, 0);
    expectScreenShowsTheWindow("removed");
}

TEST_F(OnScreen, NumbersPrintedAndSweptByTheCrosshair) {
    startInput(QStringLiteral("1"));
    drawMember(2, 6, 7, 6);
    keyUp(Qt::Key_Escape);
    choose(MenuCommand::ShowNumbers);
    expectScreenShowsTheWindow("numbers");
    move(4.5f, 5.9f);
    move(2.1f, 6.1f);
    expectScreenShowsTheWindow("numbers-swept");
}

// One support of each kind in each direction on a chain of members, the
// preview moving between them, and the symbols redrawn after a zoom.
TEST_F(OnScreen, SupportsOfEveryKindInBothDirections) {
    startInput(QStringLiteral("7"));
    const std::vector<std::pair<float, float>> nodes = {{2, 3},    {5, 3},    {8, 3}, {8, 5.5f},
                                                        {5, 5.5f}, {2, 5.5f}, {2, 8}, {5, 8}};
    for (std::size_t k = 1; k < nodes.size(); ++k) {
        drawMember(nodes[k - 1].first, nodes[k - 1].second, nodes[k].first, nodes[k].second);
    }
    keyUp(Qt::Key_Escape);
    const MenuCommand commands[] = {MenuCommand::FixedEnd, MenuCommand::Pinned,
                                    MenuCommand::HorizontalLink, MenuCommand::VerticalLink};
    for (std::size_t k = 0; k < nodes.size(); ++k) {
        if (k == 4) {
            keyUp(Qt::Key_Space);
        }
        choose(commands[k % 4]);
        move(6.5f, 7);
        expectScreenShowsTheWindow("support-preview");
        click(nodes[k].first + 0.05f, nodes[k].second - 0.04f);
        expectScreenShowsTheWindow("support-placed");
    }
    ASSERT_EQ(document.supportsPlaced, 8);
    keyUp(Qt::Key_Escape);
    move(6.5f, 7.2f);
    expectScreenShowsTheWindow("supports");
    if (const QString folder = qEnvironmentVariable("ORVANDEL_SCREENSHOTS"); !folder.isEmpty()) {
        onScreen().save(QDir(folder).filePath(QStringLiteral("supports.png")));
    }
    choose(MenuCommand::ZoomIn);
    expectScreenShowsTheWindow("supports-zoomed");
}

// Member query over a portal: the member under the mouse turns red on the
// screen and black again when the mouse moves on; a picked member stays
// red.
TEST_F(OnScreen, AHoveredMemberTurnsRedAndBack) {
    drawPortal(3, 8, 4, 8);
    choose(MenuCommand::MemberQuery);
    hoverAt(5.5f, 4.1f);
    ASSERT_EQ(form.canvasModel().line(kMemberLines, 2).colour, 255);
    const QPointF beam = form.canvasModel().toPixel(4.5f, 4);
    EXPECT_EQ(onScreenPixel(beam), qRgb(255, 0, 0));
    expectScreenShowsTheWindow("hover-beam");
    hoverAt(8.1f, 6);
    ASSERT_EQ(form.canvasModel().line(kMemberLines, 3).colour, 255);
    expectScreenShowsTheWindow("hover-column");
    EXPECT_EQ(onScreenPixel(beam), qRgb(0, 0, 0));
    press(8.1f, 6, Qt::RightButton);
    hoverAt(5.5f, 4.1f);
    expectScreenShowsTheWindow("picked-column");
    if (const QString folder = qEnvironmentVariable("ORVANDEL_SCREENSHOTS"); !folder.isEmpty()) {
        onScreen().save(QDir(folder).filePath(QStringLiteral("hover.png")));
    }
}

// In load input and load query the member under the mouse turns red on the
// screen, the load dialog beside the canvas.
TEST_F(OnScreen, TheMemberUnderTheMouseTurnsRedInLoadInputAndQuery) {
    startInput(QStringLiteral("2"));
    drawMember(3, 8, 3, 4);
    drawMember(3, 4, 8, 4);
    keyUp(Qt::Key_Escape);
    const QPointF beam = form.canvasModel().toPixel(4.5f, 4);
    for (const MenuCommand command : {MenuCommand::LoadInput, MenuCommand::LoadQuery}) {
        choose(command);
        hoverAt(5.5f, 4.1f);
        EXPECT_EQ(onScreenPixel(beam), qRgb(255, 0, 0)) << static_cast<int>(command);
        hoverAt(6, 7);
        EXPECT_EQ(onScreenPixel(beam), qRgb(0, 0, 0)) << static_cast<int>(command);
        keyUp(Qt::Key_Escape);
    }
}

// The printed results of a loaded portal wiped in strips by the crosshair,
// then the three diagrams on the screen, each as a full repaint shows it,
// kept whole where the crosshair sweeps over the moment diagram.
TEST_F(OnScreen, ResultsAndDiagramsShowAndTheCrosshairWipesOnlyPrints) {
    keepProjectInScratchFolder();
    drawPortal(3, 8, 4, 8);
    fixEnds({{3, 8}, {8, 8}});
    // 12 kN/m down on the beam, 10 kN to the right at the left column's middle.
    choose(MenuCommand::LoadInput);
    giveLoad("均布", "5", "12", 5.5f, 4);
    giveLoad("集中", "2", "10", 3, 6);
    keyUp(Qt::Key_Escape);
    ASSERT_EQ(member(1).荷载数 + member(2).荷载数, 2);
    document.diagramScale = 0.05f;

    // The computed end forces printed over the frame, then swept in strips.
    choose(MenuCommand::Analyse);
    ASSERT_GE(form.canvasModel().printLog().size(), 4u);
    expectScreenShowsTheWindow("results");
    move(9, 1.5f);
    move(9.5f, 2);
    expectScreenShowsTheWindow("results-swept");

    const QString screenshots = qEnvironmentVariable("ORVANDEL_SCREENSHOTS");
    const std::pair<MenuCommand, const char*> diagrams[] = {{MenuCommand::ShearDiagram, "shear"},
                                                            {MenuCommand::AxialDiagram, "axial"},
                                                            {MenuCommand::MomentDiagram, "moment"}};
    for (const auto& [command, name] : diagrams) {
        choose(command);
        ASSERT_FALSE(form.canvasModel().figure(FigureLayer::Diagram).empty());
        expectScreenShowsTheWindow(name);
        if (!screenshots.isEmpty()) {
            onScreen().save(QDir(screenshots).filePath(QStringLiteral("diagram-%1.png").arg(name)));
        }
    }
    // The diagram is a retained figure: the crosshair sweeping across the
    // beam's curve leaves it whole on the screen.
    for (const auto& [x, y] : {std::pair{5.5f, 4.3f}, {3.2f, 6.5f}, {7.7f, 5.0f}, {6.0f, 8.5f}}) {
        move(x, y);
        expectScreenShowsTheWindow("diagram-swept");
    }
    EXPECT_FALSE(form.canvasModel().figure(FigureLayer::Diagram).empty());
}

// The loads of a reopened project on the screen as a full repaint draws
// them, after crosshair sweeps over them, a zoom and their switch.
TEST_F(OnScreen, LoadsShowThroughCrosshairMovesAndViewChanges) {
    ASSERT_TRUE(form.openProject(QStringLiteral(ORVANDEL_EXAMPLES "/two_storey.tsd")));
    const gj& beam = document.members[7];
    const float middle = (beam.x1 + beam.x2) / 2;
    for (const auto& [x, y] :
         {std::pair{middle, beam.y1 - 0.3f}, {middle + 0.2f, beam.y1}, {beam.x1, beam.y1 + 1}}) {
        move(x, y);
        expectScreenShowsTheWindow("loads-swept");
    }
    choose(MenuCommand::ZoomOut);
    move(middle, beam.y1 - 0.2f);
    expectScreenShowsTheWindow("loads-zoomed");
    choose(MenuCommand::ShowLoads);
    expectScreenShowsTheWindow("loads-hidden");
    if (const QString folder = qEnvironmentVariable("ORVANDEL_SCREENSHOTS"); !folder.isEmpty()) {
        choose(MenuCommand::ShowLoads);
        onScreen().save(QDir(folder).filePath(QStringLiteral("loads.png")));
    }
}

// Reactions and the deflected shape on the screen as a full repaint draws
// them, through crosshair moves with wiping off, over the printed results.
TEST_F(OnScreen, ReactionsAndTheDeflectedShapeShowOverPrintedResults) {
    keepProjectInScratchFolder();
    ASSERT_TRUE(form.openProject(QStringLiteral(ORVANDEL_EXAMPLES "/two_storey.tsd")));
    keepProjectInScratchFolder();
    choose(MenuCommand::CrosshairWipes);
    choose(MenuCommand::Analyse);
    choose(MenuCommand::Reactions);
    choose(MenuCommand::Deflection);
    const QImage printed = form.canvasModel().layer();
    const gj& beam = document.members[7];
    for (const auto& [x, y] :
         {std::pair{beam.x1, beam.y1}, {beam.x2, beam.y1 + 1}, {beam.x1, 12.0f}}) {
        move(x, y);
        expectScreenShowsTheWindow("results-figures");
    }
    EXPECT_EQ(form.canvasModel().layer(), printed);
    if (const QString folder = qEnvironmentVariable("ORVANDEL_SCREENSHOTS"); !folder.isEmpty()) {
        onScreen().save(QDir(folder).filePath(QStringLiteral("reactions-deflection.png")));
    }
}

// A reopened project: every member and support symbol on the screen, as a
// full repaint draws it.
TEST_F(OnScreen, AReopenedFrameShowsEveryMemberAndSupport) {
    ASSERT_TRUE(form.openProject(QStringLiteral(ORVANDEL_EXAMPLES "/two_storey.tsd")));
    ASSERT_GT(document.supportsPlaced, 0);
    move(1, 1);
    expectScreenShowsTheWindow("reopened");
    const QPointF base = form.canvasModel().toPixel(document.members[1].x1, document.members[1].y1);
    EXPECT_NE(onScreenPixel(base), qRgb(255, 255, 255));
    if (const QString folder = qEnvironmentVariable("ORVANDEL_SCREENSHOTS"); !folder.isEmpty()) {
        onScreen().save(QDir(folder).filePath(QStringLiteral("reopened.png")));
    }
}

}  // namespace

// Hinges as the screen shows them: a hollow circle just inside the
// released end stops the member line; one circle on a node whose every
// end is hinged; undo takes them away again.
TEST_F(OnScreen, HingesShowAsHollowCirclesOverTheMemberLines) {
    drawPortal(3, 8, 4, 8);
    choose(MenuCommand::EndHinge);
    click(3.3f, 4.05f);  // the beam's left end
    move(5.5f, 6.5f);    // the crosshair away from the circles
    expectScreenShowsTheWindow("end-hinge");
    const QPointF inside = form.canvasModel().toPixel(3, 4) + QPointF(4, 0);
    EXPECT_EQ(onScreenPixel(inside), qRgb(255, 255, 255));
    EXPECT_LT(qGray(onScreenPixel(inside + QPointF(0, -4))), 200);  // the rim
    EXPECT_EQ(onScreenPixel(form.canvasModel().toPixel(4.5f, 4)), qRgb(0, 0, 0));

    choose(MenuCommand::HingedNode);
    click(8.05f, 4.05f);
    move(5.5f, 6.5f);
    expectScreenShowsTheWindow("hinged-node");
    const QPointF node = form.canvasModel().toPixel(8, 4);
    EXPECT_EQ(onScreenPixel(node + QPointF(-1, 0)), qRgb(255, 255, 255));
    EXPECT_LT(qGray(onScreenPixel(node + QPointF(-4, 0))), 200);
    if (const QString folder = qEnvironmentVariable("ORVANDEL_SCREENSHOTS"); !folder.isEmpty()) {
        onScreen().save(QDir(folder).filePath(QStringLiteral("hinges.png")));
    }

    keyUp(Qt::Key_Escape);
    QTest::keyClick(form.canvasWidget(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(form.canvasWidget(), Qt::Key_Z, Qt::ControlModifier);
    expectScreenShowsTheWindow("undone");
    EXPECT_EQ(onScreenPixel(inside), qRgb(0, 0, 0));
}

// A spring, an inclined link, a settlement and a warmed beam as the screen
// shows them: the zigzag in the supports' blue below the sprung foot, and
// every change repainted where it drew.
TEST_F(OnScreen, SpringsInclinedSupportsSettlementsAndTemperatureShow) {
    drawPortal(3, 8, 4, 8);
    choose(MenuCommand::VerticalLink);
    click(8.05f, 7.95f);
    const auto answer = [this](MenuCommand command, float x, float y, const char* text) {
        choose(command);
        platform.inputs.push_back(QString::fromUtf8(text));
        click(x, y);
    };
    answer(MenuCommand::ElasticSupport, 3.05f, 8.05f, "0, 5000, 0");
    answer(MenuCommand::InclinedSupport, 8.05f, 8.05f, "30");
    answer(MenuCommand::Settlement, 8.05f, 8.05f, "0.01");
    answer(MenuCommand::TemperatureChange, 5.5f, 4.05f, "0, 20");
    keyUp(Qt::Key_Escape);
    move(5.5f, 6.5f);
    expectScreenShowsTheWindow("support-effects");
    const QImage screen = onScreen();
    const QPoint foot = form.canvasModel().toPixel(3, 8).toPoint();
    int blue = 0;
    for (int dy = 4; dy <= 32; ++dy) {
        for (int dx = -8; dx <= 8; ++dx) {
            const QRgb pixel = screen.pixel(foot + QPoint(dx, dy));
            blue += qBlue(pixel) > 150 && qRed(pixel) < 120 && qGreen(pixel) < 120;
        }
    }
    EXPECT_GT(blue, 20);
    if (const QString folder = qEnvironmentVariable("ORVANDEL_SCREENSHOTS"); !folder.isEmpty()) {
        screen.save(QDir(folder).filePath(QStringLiteral("support-effects.png")));
    }
}
