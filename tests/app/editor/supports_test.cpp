// Supports placed with the mouse: the four placement commands, the preview
// that follows the mouse, placing, replacing and deleting supports, and
// the symbols redrawn after a change of view.
#include <QLabel>

#include "editor_fixture.h"

namespace {

constexpr ColourValue kBlue = 0xFF0000;

// Every line of one symbol, as the symbol tables give it.
struct Expected {
    LineGroup group;
    float x1, y1, x2, y2;
};

class Supports : public EditorTest {
protected:
    // A beam and a column: node 1 at (2, 3), node 2 at (6, 3), node 3 at
    // (6, 6). Member input is left, as the user does before placing.
    void drawFrame() {
        startInput(QStringLiteral("2"));
        drawMember(2, 3, 6, 3);
        drawMember(6, 3, 6, 6);
        keyUp(Qt::Key_Escape);
        ASSERT_EQ(document.nodeCount, 3);
    }
    // A click near a member end, which the capture takes to the end itself.
    void clickNear(float x, float y) { click(x + 0.05f, y - 0.04f); }
    void place(MenuCommand command, float x, float y) {
        choose(command);
        clickNear(x, y);
    }

    const LineShape& line(LineGroup group, int index) const {
        return form.canvasModel().line(group, index);
    }
    void expectLines(const std::vector<Expected>& lines, int index) const {
        for (const Expected& e : lines) {
            const LineShape& l = line(e.group, index);
            SCOPED_TRACE(::testing::Message() << "Line" << e.group << "(" << index << ")");
            EXPECT_TRUE(l.loaded && l.visible);
            EXPECT_FLOAT_EQ(l.x1, e.x1);
            EXPECT_FLOAT_EQ(l.y1, e.y1);
            EXPECT_FLOAT_EQ(l.x2, e.x2);
            EXPECT_FLOAT_EQ(l.y2, e.y2);
            EXPECT_EQ(l.colour, kBlue);
            EXPECT_EQ(l.width, e.group == lines.front().group ? 3 : 1);
        }
    }
    // Symbols of a kind on the canvas, the preview not counted.
    int symbolsOn(LineGroup group) const { return form.canvasModel().lineCount(group) - 1; }
};

TEST_F(Supports, APinnedSupportHangsBelowTheNodeOrAboveIt) {
    drawFrame();
    place(MenuCommand::Pinned, 2, 3);
    EXPECT_EQ(line(10, 1).x1, 1.78f);
    EXPECT_EQ(line(10, 1).y1, 3.3981f);
    EXPECT_EQ(line(10, 1).x2, 2.22f);
    EXPECT_EQ(line(10, 1).y2, 3.3981f);

    keyUp(Qt::Key_Space);
    clickNear(2, 3);
    EXPECT_EQ(line(10, 1).y1, 2.6019f);
    EXPECT_EQ(line(10, 1).y2, 2.6019f);
    EXPECT_EQ(line(10, 1).x1, 1.78f);
    const gd& node = document.nodes[1];
    EXPECT_EQ(node.节点号, 1);
    EXPECT_EQ(node.x, 2.0f);
    EXPECT_EQ(node.y, 3.0f);
    EXPECT_TRUE(node.支座方向);
}

TEST_F(Supports, AFixedEndTurnedIsAVerticalBarCentredOnTheNode) {
    drawFrame();
    choose(MenuCommand::FixedEnd);
    move(6.05f, 5.96f);
    keyUp(Qt::Key_Space);
    clickNear(6, 6);
    const LineShape& bar = line(kFixedSymbols, 1);
    EXPECT_EQ(bar.x1, 6.0f);
    EXPECT_EQ(bar.x2, 6.0f);
    EXPECT_FLOAT_EQ(bar.y1, 5.8f);
    EXPECT_FLOAT_EQ(bar.y2, 6.2f);
    EXPECT_EQ(bar.width, 3);
    EXPECT_TRUE(bar.visible);
    EXPECT_EQ(document.supportKinds[3], SupportFixed);
    EXPECT_EQ(document.fixedSymbolCount, 1);
    EXPECT_EQ(document.supportsPlaced, 1);
    EXPECT_FALSE(line(kFixedSymbols, 0).visible);
}

// The preview of a fixed end starts across the member whose end it
// captures, hatched on the side away from the member; Space turns it.
TEST_F(Supports, AFixedEndsPreviewStartsAcrossTheCapturedMemberEnd) {
    drawFrame();
    choose(MenuCommand::FixedEnd);
    const auto hatchEnds = [this](int index) {
        std::vector<QPointF> ends;
        for (LineGroup group = kFirstFixedHatch; group < kFirstFixedHatch + 4; ++group) {
            const LineShape& stroke = line(group, index);
            EXPECT_TRUE(stroke.loaded && stroke.visible) << group;
            EXPECT_EQ(stroke.width, 1);
            ends.emplace_back(stroke.x2, stroke.y2);
        }
        return ends;
    };
    move(6.05f, 5.96f);  // the foot of the column
    EXPECT_EQ(line(kFixedSymbols, 0).y1, 6.0f);
    EXPECT_EQ(line(kFixedSymbols, 0).y2, 6.0f);
    for (const QPointF end : hatchEnds(0)) {
        EXPECT_GT(end.y(), 6.0);  // below, the ground side
    }
    move(2.05f, 2.96f);  // the free end of the beam
    EXPECT_EQ(line(kFixedSymbols, 0).x1, 2.0f);
    EXPECT_EQ(line(kFixedSymbols, 0).x2, 2.0f);
    for (const QPointF end : hatchEnds(0)) {
        EXPECT_LT(end.x(), 2.0);  // left, away from the beam
    }
    keyUp(Qt::Key_Space);
    clickNear(2, 3);
    EXPECT_EQ(line(kFixedSymbols, 1).y1, 3.0f);
    EXPECT_EQ(line(kFixedSymbols, 1).y2, 3.0f);
    EXPECT_EQ(hatchEnds(1).size(), 4u);
}

// The full symbol tables, one kind per node: the pinned support and the
// vertical link hanging below their nodes, the horizontal link mirrored
// to the left of its node.
TEST_F(Supports, EveryLineOfEachSymbolLiesWhereTheTablesPutIt) {
    drawFrame();
    place(MenuCommand::Pinned, 2, 3);
    keyUp(Qt::Key_Space);
    place(MenuCommand::HorizontalLink, 6, 3);
    keyUp(Qt::Key_Space);
    place(MenuCommand::VerticalLink, 6, 6);

    expectLines({{10, 1.78f, 3.3981f, 2.22f, 3.3981f},
                 {11, 2, 3, 1.948f, 3.03f},
                 {12, 2, 3, 2.052f, 3.03f},
                 {13, 1.948f, 3.03f, 1.948f, 3.09f},
                 {14, 2.052f, 3.03f, 2.052f, 3.09f},
                 {15, 1.948f, 3.09f, 2, 3.12f},
                 {16, 2.052f, 3.09f, 2, 3.12f},
                 {17, 2, 3.12f, 1.85f, 3.3981f},
                 {18, 2, 3.12f, 2.15f, 3.3981f}},
                1);
    expectLines({{19, 5.6019f, 2.8f, 5.6019f, 3.2f},
                 {20, 5.722f, 3, 5.692f, 2.948f},
                 {21, 5.722f, 3, 5.692f, 3.052f},
                 {22, 5.692f, 2.948f, 5.632f, 2.948f},
                 {23, 5.692f, 3.052f, 5.632f, 3.052f},
                 {24, 5.632f, 2.948f, 5.602f, 3},
                 {25, 5.632f, 3.052f, 5.602f, 3},
                 {26, 6, 3, 5.97f, 2.948f},
                 {27, 6, 3, 5.97f, 3.052f},
                 {28, 5.97f, 2.948f, 5.91f, 2.948f},
                 {29, 5.97f, 3.052f, 5.91f, 3.052f},
                 {30, 5.91f, 2.948f, 5.88f, 3},
                 {31, 5.91f, 3.052f, 5.88f, 3},
                 {46, 5.88f, 3, 5.7219f, 3}},
                1);
    expectLines({{32, 5.8f, 6.3981f, 6.2f, 6.3981f},
                 {33, 6, 6.278f, 5.948f, 6.308f},
                 {34, 6, 6.278f, 6.052f, 6.308f},
                 {35, 5.948f, 6.308f, 5.948f, 6.368f},
                 {36, 6.052f, 6.308f, 6.052f, 6.368f},
                 {37, 5.948f, 6.368f, 6, 6.398f},
                 {38, 6.052f, 6.368f, 6, 6.398f},
                 {39, 6, 6, 5.948f, 6.03f},
                 {40, 6, 6, 6.052f, 6.03f},
                 {41, 5.948f, 6.03f, 5.948f, 6.09f},
                 {42, 6.052f, 6.03f, 6.052f, 6.09f},
                 {43, 5.948f, 6.09f, 6, 6.12f},
                 {44, 6.052f, 6.09f, 6, 6.12f},
                 {45, 6, 6.12f, 6, 6.2781f}},
                1);
    EXPECT_EQ(document.supportsPlaced, 3);
    EXPECT_EQ(document.supportKinds[2], SupportHorizontalLink);
    EXPECT_EQ(document.supportKinds[3], SupportVerticalLink);
}

TEST_F(Supports, ACommandStartsItsModeAndEndsTheOthersWithTheirPreviews) {
    drawFrame();
    choose(MenuCommand::FixedEnd);
    EXPECT_EQ(form.hintLabel()->text(),
              QStringLiteral("移动鼠标捕捉杆端,捕捉成功后击鼠标左键定位,空格键变换支座方向"));
    move(4, 8);
    ASSERT_TRUE(line(kFixedSymbols, 0).visible);
    choose(MenuCommand::VerticalLink);
    EXPECT_TRUE(document.mode == EditorMode::VerticalLink);
    EXPECT_FALSE((document.mode == EditorMode::FixedEnd) || document.mode == EditorMode::Pinned ||
                 document.mode == EditorMode::HorizontalLink);
    EXPECT_FALSE(line(kFixedSymbols, 0).visible);  // the fixed end's preview goes
    EXPECT_TRUE(platform.messages().isEmpty());
}

TEST_F(Supports, CommandsBeforeTheDrawingIsCompleteAreRefused) {
    choose(MenuCommand::Pinned);  // no members at all
    startInput(QStringLiteral("2"));
    drawMember(2, 3, 6, 3);
    choose(MenuCommand::ShowNumbers);  // prints on the canvas
    document.mode = EditorMode::HorizontalLink;
    choose(MenuCommand::FixedEnd);
    EXPECT_EQ(platform.messages(),
              QStringList({QStringLiteral("先输入完杆件"), QStringLiteral("先输入完杆件")}));
    EXPECT_FALSE(document.mode == EditorMode::FixedEnd);
    EXPECT_TRUE(document.mode == EditorMode::HorizontalLink);
    EXPECT_TRUE(form.canvasModel().printLog().empty());
}

TEST_F(Supports, ASecondSupportOnANodeReplacesTheFirst) {
    drawFrame();
    place(MenuCommand::Pinned, 6, 6);
    place(MenuCommand::Pinned, 2, 3);
    place(MenuCommand::FixedEnd, 6, 6);
    EXPECT_EQ(document.supportsPlaced, 2);
    EXPECT_EQ(document.pinnedSymbolCount, 1);
    EXPECT_EQ(document.fixedSymbolCount, 1);
    EXPECT_EQ(document.supportKinds[3], SupportFixed);
    EXPECT_EQ(symbolsOn(10), 1);
    EXPECT_EQ(symbolsOn(18), 1);
    EXPECT_EQ(symbolsOn(kFixedSymbols), 1);
    // The pinned symbol left is node 1's.
    EXPECT_EQ(line(10, 1).x1, 1.78f);

    // The same kind again, turned: still one symbol, now on the other side.
    keyUp(Qt::Key_Space);
    place(MenuCommand::Pinned, 2, 3);
    EXPECT_EQ(document.supportsPlaced, 2);
    EXPECT_EQ(document.pinnedSymbolCount, 1);
    EXPECT_EQ(symbolsOn(10), 1);
    EXPECT_EQ(line(10, 1).y1, 2.6019f);
}

// Symbols are numbered per kind in node order, whatever the order of
// placing.
TEST_F(Supports, SymbolsAreNumberedInNodeOrder) {
    drawFrame();
    place(MenuCommand::VerticalLink, 6, 6);
    place(MenuCommand::VerticalLink, 2, 3);
    EXPECT_EQ(line(32, 1).y1, 3.3981f);
    EXPECT_EQ(line(32, 2).y1, 6.3981f);
}

TEST_F(Supports, DeletingSupportsRemovesEverySymbolAndIndexOneIsReused) {
    drawFrame();
    place(MenuCommand::Pinned, 2, 3);
    place(MenuCommand::Pinned, 6, 6);
    place(MenuCommand::FixedEnd, 6, 3);
    choose(MenuCommand::ShowNumbers);  // prints on the canvas
    choose(MenuCommand::DeleteSupports);
    EXPECT_TRUE(form.canvasModel().printLog().empty());
    for (LineGroup group : {kFixedSymbols, 10, 18, 19, 46, 32, 45}) {
        EXPECT_EQ(symbolsOn(group), 0) << group;
    }
    EXPECT_EQ(document.supportsPlaced, 0);
    EXPECT_EQ(document.pinnedSymbolCount, 0);
    EXPECT_EQ(document.fixedSymbolCount, 0);
    for (std::size_t k = 1; k <= 3; ++k) {
        EXPECT_EQ(document.supportKinds[k], SupportNone);
    }
    EXPECT_EQ(document.nodes[3].x, 6.0f);  // the records keep their other fields

    choose(MenuCommand::Pinned);
    clickNear(6, 3);
    EXPECT_EQ(symbolsOn(10), 1);
    EXPECT_EQ(line(10, 1).x1, static_cast<float>(6 - 0.22));
    EXPECT_EQ(document.pinnedSymbolCount, 1);
    EXPECT_EQ(document.supportsPlaced, 1);
}

TEST_F(Supports, ClicksThatPlaceNothing) {
    drawFrame();
    choose(MenuCommand::Pinned);
    click(4, 4.5f);  // no member end near
    EXPECT_EQ(document.supportsPlaced, 0);

    move(2.05f, 3);
    keyUp(Qt::Key_F3);  // the crosshair off: nothing is captured
    press(2.05f, 3);
    EXPECT_EQ(document.supportsPlaced, 0);
    EXPECT_EQ(symbolsOn(10), 0);
    keyUp(Qt::Key_F3);

    clickNear(2, 3);
    clickNear(6, 3);
    clickNear(6, 6);
    ASSERT_EQ(document.supportsPlaced, 3);
    // Every node has its support: a click still replaces one.
    choose(MenuCommand::FixedEnd);
    clickNear(2, 3);
    EXPECT_EQ(document.supportKinds[1], SupportFixed);
    EXPECT_EQ(document.fixedSymbolCount, 1);
    EXPECT_EQ(document.supportsPlaced, 3);
    EXPECT_EQ(symbolsOn(kFixedSymbols), 1);
}

TEST_F(Supports, ThePreviewFollowsTheMouseAndSitsOnTheCapturedEnd) {
    drawFrame();
    choose(MenuCommand::VerticalLink);
    hoverAt(4, 8);
    EXPECT_TRUE(line(32, 0).visible && line(45, 0).visible);
    EXPECT_EQ(line(32, 0).x1, 3.8f);
    EXPECT_EQ(line(32, 0).y1, 8.3981f);
    move(6.05f, 5.95f);
    move(6.05f, 5.95f);  // the capture takes the mouse position of the move before
    EXPECT_EQ(line(32, 0).x1, 5.8f);
    EXPECT_EQ(line(32, 0).y1, 6.3981f);
    keyUp(Qt::Key_Space);
    move(6.05f, 5.95f);
    EXPECT_EQ(line(32, 0).y1, 5.6019f);

    press(6.05f, 5.95f);
    EXPECT_FALSE(line(32, 0).visible);  // hidden until the next move
    move(6.1f, 5.95f);
    EXPECT_TRUE(line(32, 0).visible);
}

TEST_F(Supports, EscHidesEveryPreviewAndEndsThePlacement) {
    drawFrame();
    const std::vector<std::pair<MenuCommand, LineGroup>> previews = {
        {MenuCommand::FixedEnd, kFixedSymbols},
        {MenuCommand::Pinned, 10},
        {MenuCommand::HorizontalLink, 19},
        {MenuCommand::VerticalLink, 32}};
    for (const auto& [command, ground] : previews) {
        choose(command);
        move(4, 8);
        ASSERT_TRUE(line(ground, 0).visible) << ground;
        keyUp(Qt::Key_Escape);
        EXPECT_FALSE(line(ground, 0).visible) << ground;
        EXPECT_FALSE((document.mode == EditorMode::FixedEnd) ||
                     document.mode == EditorMode::Pinned ||
                     document.mode == EditorMode::HorizontalLink ||
                     document.mode == EditorMode::VerticalLink);
    }
    for (LineGroup group = kFirstSupportLines; group <= kLastSupportLines; ++group) {
        EXPECT_FALSE(line(group, 0).visible) << group;
    }
}

TEST_F(Supports, AZoomRedrawsEachSymbolAtItsNodeWithItsOwnDirection) {
    drawFrame();
    keyUp(Qt::Key_Space);
    place(MenuCommand::FixedEnd, 2, 3);
    keyUp(Qt::Key_Space);
    place(MenuCommand::Pinned, 6, 3);
    keyUp(Qt::Key_Space);
    place(MenuCommand::VerticalLink, 6, 6);
    keyUp(Qt::Key_Space);
    choose(MenuCommand::ZoomIn);
    EXPECT_EQ(line(kFixedSymbols, 1).x1, 2.0f);
    EXPECT_FLOAT_EQ(line(kFixedSymbols, 1).y1, 2.8f);
    EXPECT_EQ(line(10, 1).y1, 3.3981f);
    EXPECT_EQ(line(32, 1).y1, 5.6019f);
    // The direction is the last pinned or link node's.
    EXPECT_TRUE(document.supportDirection);
}

// The canvas shows what the document holds: a support the document no
// longer has loses its symbol at the next redraw.
TEST_F(Supports, ARedrawRemovesSymbolsTheDocumentNoLongerHas) {
    drawFrame();
    place(MenuCommand::Pinned, 2, 3);
    place(MenuCommand::Pinned, 6, 6);
    document.supportKinds[1] = SupportNone;
    document.pinnedSymbolCount = 1;
    choose(MenuCommand::ZoomOut);
    EXPECT_EQ(symbolsOn(10), 1);
    EXPECT_EQ(symbolsOn(16), 1);
    EXPECT_EQ(line(10, 1).x1, static_cast<float>(6 - 0.22));
}

}  // namespace
