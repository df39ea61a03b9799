// The editor window's view: start-up, zoom, pan, crosshair, printed
// numbers on the canvas, the menus and their states.
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <algorithm>

#include "editor_fixture.h"

namespace {

using View = EditorTest;

TEST_F(View, StartsWithTheWorldWindowOfTheScreen) {
    const QScreen* screen = form.screen();
    const double twips = 1440.0 / screen->logicalDotsPerInchX();
    EXPECT_EQ(document.world.scaleLeft, 0.0f);
    EXPECT_EQ(document.world.scaleTop, 0.0f);
    EXPECT_FLOAT_EQ(document.world.scaleWidth, screen->geometry().width() * twips / 1000);
    EXPECT_GT(document.world.scaleHeight, 0.0f);
    EXPECT_EQ(form.hintLabel()->text(), QStringLiteral("提示:"));
    EXPECT_EQ(form.legend()->title(), QStringLiteral("整体坐标系统"));
    // Title and path apart; "*" would stand in place of "[*]" for unsaved work.
    EXPECT_EQ(
        form.windowTitle(),
        QStringLiteral("Orvandel - %1/noname.tsd[*]").arg(QStringLiteral(ORVANDEL_PROGRAM_FOLDER)));
    EXPECT_FALSE(form.isWindowModified());
    EXPECT_TRUE(document.crosshairOn);
    for (const LineGroup previews : {kFixedSymbols, 10, 19, 32, 46}) {
        EXPECT_TRUE(form.canvasModel().line(previews, 0).loaded) << previews;
        EXPECT_FALSE(form.canvasModel().line(previews, 0).visible) << previews;
    }
}

TEST_F(View, MenusInDisplayOrder) {
    QStringList captions;
    for (QAction* action : form.menuBar()->actions()) {
        captions << action->text();
    }
    EXPECT_EQ(captions, (QStringList{"文件", "编辑", "杆件", "杆件体系支座", "荷载", "计算", "窗口",
                                     "帮助"}));
    QStringList items;
    for (QAction* action : form.menu(MenuId::Members)->actions()) {
        items << action->text();
    }
    EXPECT_EQ(items, (QStringList{"杆件总数", "输入杆件", "删除杆件", "杆件查询修改",
                                  "不同材料分色显示", "不同尺寸分色显示", "不同断面分色显示",
                                  "查看杆件节点编号", "杆端铰接", "铰结点", "杆端转动刚度"}));
}

TEST_F(View, ClosingAndActivatingMenus) {
    form.关闭菜单();
    EXPECT_FALSE(menuEnabled(MenuId::File));
    EXPECT_FALSE(menuEnabled(MenuId::Members));
    EXPECT_FALSE(menuEnabled(MenuId::Loads));
    EXPECT_FALSE(menuEnabled(MenuId::Analysis));
    EXPECT_TRUE(menuEnabled(MenuId::Window));
    EXPECT_TRUE(menuEnabled(MenuId::Supports));
    EXPECT_TRUE(menuEnabled(MenuId::Help));

    document.mode = EditorMode::FixedEnd;
    form.激活菜单();
    for (const MenuId id :
         {MenuId::File, MenuId::Members, MenuId::Loads, MenuId::Analysis, MenuId::Window}) {
        EXPECT_TRUE(menuEnabled(id)) << static_cast<int>(id);
    }
    EXPECT_TRUE(itemEnabled(MenuCommand::MemberTotal));
    EXPECT_TRUE(itemEnabled(MenuCommand::MemberInput));
    EXPECT_FALSE(document.mode == EditorMode::FixedEnd);
}

TEST_F(View, ZoomInThenOutRestoresTheWindow) {
    const WorldWindow start = document.world;
    const QPointF centre(start.scaleLeft + start.scaleWidth / 2,
                         start.scaleTop + start.scaleHeight / 2);
    choose(MenuCommand::ZoomIn);
    EXPECT_FLOAT_EQ(document.world.scaleWidth, start.scaleWidth * 0.8f);
    const QPointF centreOnScreen = form.canvasModel().toPixel(centre.x(), centre.y());
    EXPECT_NEAR(centreOnScreen.x(), form.canvasModel().pixelSize().width() / 2.0, 1e-3);
    EXPECT_NEAR(centreOnScreen.y(), form.canvasModel().pixelSize().height() / 2.0, 1e-3);
    EXPECT_GT(document.world.scaleTop, start.scaleTop);
    choose(MenuCommand::ZoomOut);
    EXPECT_FLOAT_EQ(document.world.scaleWidth, start.scaleWidth);
    EXPECT_FLOAT_EQ(document.world.scaleHeight, start.scaleHeight);
    EXPECT_NEAR(document.world.scaleLeft, start.scaleLeft, 1e-5);
    EXPECT_NEAR(document.world.scaleTop, start.scaleTop, 1e-5);
}

TEST_F(View, ZoomThatWouldMakeTheWindowDegenerateIsNotApplied) {
    document.world.scaleWidth = 0;
    const WorldWindow before = document.world;
    choose(MenuCommand::ZoomIn);
    EXPECT_EQ(document.world, before);
    document.world.scaleWidth = 3e38f;
    choose(MenuCommand::ZoomOut);
    EXPECT_EQ(document.world.scaleWidth, 3e38f);
}

TEST_F(View, PanPutsThePickedPointUnderTheSecondPress) {
    startInput(QStringLiteral("1"));
    drawMember(2, 2, 5, 2);
    choose(MenuCommand::Pan);  // refused while member input waits for a point
    EXPECT_FALSE(form.editorState().panArmed);
    keyUp(Qt::Key_Escape);

    choose(MenuCommand::Pan);
    EXPECT_TRUE(form.editorState().panArmed);
    EXPECT_EQ(form.canvasWidget()->cursor().shape(), Qt::SizeAllCursor);
    press(3, 4);
    const QPointF dropPixel = form.canvasModel().toPixel(6, 5);
    press(6, 5);
    const QPointF anchorPixel = form.canvasModel().toPixel(3, 4);
    EXPECT_NEAR(anchorPixel.x(), dropPixel.x(), 1e-3);
    EXPECT_NEAR(anchorPixel.y(), dropPixel.y(), 1e-3);
    EXPECT_EQ(form.canvasWidget()->cursor().shape(), Qt::ArrowCursor);
    // Member lines stay at their world places.
    EXPECT_EQ(memberLine(1).x1, 2.0f);

    // Two presses at the same place leave the window as it was.
    const WorldWindow before = document.world;
    choose(MenuCommand::Pan);
    press(4, 4);
    press(4, 4);
    EXPECT_EQ(document.world, before);
}

TEST_F(View, CrosshairFollowsTheMouseUntilSwitchedOff) {
    move(3, 4);
    const LineShape& horizontal = form.canvasModel().line(kCrosshairX);
    EXPECT_EQ(horizontal.y1, 4.0f);
    EXPECT_EQ(horizontal.x1, document.world.scaleLeft);
    EXPECT_EQ(form.canvasModel().line(kCrosshairY).x1, 3.0f);
    EXPECT_EQ(form.canvasModel().line(kBoxTop).y1, 3.8f);
    EXPECT_EQ(form.canvasModel().line(kBoxRight).x1, 3.2f);
    EXPECT_EQ(form.xBox()->text(), QStringLiteral("3"));
    EXPECT_EQ(form.yBox()->text(), QStringLiteral("4"));

    keyUp(Qt::Key_F3);
    EXPECT_FALSE(form.canvasModel().line(kCrosshairX).visible);
    EXPECT_FALSE(form.canvasModel().line(kBoxBottom).visible);
    EXPECT_EQ(form.canvasModel().line(kCrosshairY).x1, 0.0f);
    move(5, 5);
    EXPECT_FALSE(form.canvasModel().line(kCrosshairX).visible);
    EXPECT_EQ(form.canvasModel().line(kCrosshairY).x1, 0.0f);
    EXPECT_EQ(form.xBox()->text(), QStringLiteral("5"));

    keyUp(Qt::Key_F3);
    EXPECT_TRUE(form.canvasModel().line(kCrosshairX).visible);
    move(6, 5);
    EXPECT_EQ(form.canvasModel().line(kCrosshairY).x1, 6.0f);
}

TEST_F(View, NumbersArePrintedUntilClearedOrSweptAway) {
    choose(MenuCommand::ShowNumbers);  // nothing drawn yet
    EXPECT_TRUE(form.canvasModel().printLog().empty());
    EXPECT_EQ(form.hintLabel()->text(), QStringLiteral("提示:"));

    startInput(QStringLiteral("3"));
    drawMember(2, 2, 6, 2);
    drawMember(6, 2, 6, 5);
    drawMember(2, 2, 2, 5);
    keyUp(Qt::Key_Escape);
    keyUp(Qt::Key_F3);  // keep the crosshair off the numbers
    choose(MenuCommand::ShowNumbers);
    const auto& log = form.canvasModel().printLog();
    ASSERT_EQ(log.size(), 9u);
    EXPECT_EQ(log[0].text, QStringLiteral("1"));
    EXPECT_EQ(log[0].x1, 2.2f);
    EXPECT_EQ(log[0].y1, 2.2f);
    EXPECT_EQ(log[2].text, QStringLiteral("1"));  // member 1 at its middle
    EXPECT_EQ(log[2].x1, 4.2f);
    EXPECT_EQ(form.hintLabel()->text(), QStringLiteral("十字光标划过即清除屏幕显示"));
    choose(MenuCommand::ShowNumbers);  // drawn again, nothing cleared
    EXPECT_EQ(form.canvasModel().printLog().size(), 18u);

    // The crosshair sweeping across a number wipes its pixels.
    const QImage& layer = form.canvasModel().layer();
    const QPoint label = form.canvasModel().toPixel(4.2, 2.2).toPoint() + QPoint(3, 6);
    QRect numberArea(label - QPoint(3, 6), QSize(10, 14));
    const auto inkIn = [&](const QRect& area) {
        int ink = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                ink += qAlpha(layer.pixel(x, y)) > 0;
            }
        }
        return ink;
    };
    ASSERT_GT(inkIn(numberArea), 0);
    keyUp(Qt::Key_F3);
    const QPointF column = form.canvasModel().toPixel(4.2, 2.2);
    for (int dx = 0; dx < 12; ++dx) {
        const QPointF at = form.canvasModel().toWorld(column + QPointF(dx, 0));
        move(static_cast<float>(at.x()), 8);
    }
    EXPECT_EQ(inkIn(numberArea), 0);
    EXPECT_EQ(form.canvasModel().printLog().size(), 18u);

    choose(MenuCommand::ZoomIn);
    EXPECT_TRUE(form.canvasModel().printLog().empty());
    EXPECT_EQ(memberLine(2).x1, 6.0f);
}

TEST_F(View, RedrawPlacesSupportSymbolsFromTheModel) {
    startInput(QStringLiteral("2"));
    drawMember(2, 2, 6, 2);
    drawMember(6, 2, 6, 5);
    // Supports as placing them records them: a fixed end at node 1
    // (vertical), a pinned support at node 3.
    gd fixedNode;
    fixedNode.x = 2;
    fixedNode.y = 2;
    fixedNode.支座方向 = true;
    placeSupport(document, 1, SupportFixed, fixedNode);
    gd pinnedNode;
    pinnedNode.x = 6;
    pinnedNode.y = 5;
    placeSupport(document, 3, SupportPinned, pinnedNode);
    form.showNewDocument(ResetReason::OpenedProject);
    const LineShape& fixed = form.canvasModel().line(kFixedSymbols, 1);
    EXPECT_EQ(fixed.x1, 2.0f);
    EXPECT_EQ(fixed.y1, 1.8f);
    EXPECT_EQ(fixed.y2, 2.2f);
    EXPECT_EQ(fixed.width, 3);
    const LineShape& ground = form.canvasModel().line(10, 1);
    EXPECT_EQ(ground.y1, static_cast<float>(5 + 0.3981));
    EXPECT_EQ(ground.x1, static_cast<float>(6 - 0.22));
    EXPECT_EQ(ground.colour, 0xFF0000);
    EXPECT_EQ(form.canvasModel().line(18, 1).x2, static_cast<float>(6 + 0.15));
}

// The painted window: members black and thick, the crosshair in its
// colour. With ORVANDEL_SCREENSHOTS set to a folder the window and the
// dialog are saved there for a look.
TEST_F(View, PaintsTheFrameAndTheCrosshair) {
    startInput(QStringLiteral("3"));
    drawMember(2, 6, 2, 3);
    drawMember(2, 3, 7, 3);
    drawMember(7, 3, 7, 6);
    move(5, 5);
    const QImage window = form.canvasWidget()->grab().toImage();
    const QPointF onMember = form.canvasModel().toPixel(4.5, 3);
    EXPECT_EQ(window.pixelColor(onMember.toPoint()), QColor(Qt::black));
    const QPointF onCrosshair = form.canvasModel().toPixel(3.5, 5);
    EXPECT_EQ(window.pixelColor(QPoint(qRound(onCrosshair.x()), qFloor(onCrosshair.y()))).blue(),
              255);
    const QPointF empty = form.canvasModel().toPixel(4.5, 4.5);
    EXPECT_EQ(window.pixelColor(empty.toPoint()), QColor(Qt::white));
    if (const QByteArray folder = qgetenv("ORVANDEL_SCREENSHOTS"); !folder.isEmpty()) {
        choose(MenuCommand::ShowNumbers);
        form.grab().save(QString::fromUtf8(folder) + "/editor.png");
        form.form3().grab().save(QString::fromUtf8(folder) + "/form3.png");
    }
}

// The pinned and link symbols take their side from supportDirection, which
// the redraw sets from each node in turn and leaves at the last one's.
TEST_F(View, RedrawAfterAZoomRestoresEachSymbolsSide) {
    startInput(QStringLiteral("2"));
    drawMember(2, 2, 6, 2);
    drawMember(6, 2, 6, 5);
    gd mirrored;
    mirrored.x = 2;
    mirrored.y = 2;
    mirrored.支座方向 = true;
    placeSupport(document, 1, SupportPinned, mirrored);
    gd hanging;
    hanging.x = 6;
    hanging.y = 5;
    placeSupport(document, 3, SupportVerticalLink, hanging);
    document.supportDirection = true;
    choose(MenuCommand::ZoomIn);
    EXPECT_FALSE(document.supportDirection);
    // Node 1's ground line above it, node 3's below.
    EXPECT_EQ(form.canvasModel().line(10, 1).y1, static_cast<float>(2 - 0.3981));
    EXPECT_EQ(form.canvasModel().line(32, 1).y1, static_cast<float>(5 + 0.3981));

    hanging.支座方向 = true;
    placeSupport(document, 3, SupportVerticalLink, hanging);
    document.supportDirection = false;
    choose(MenuCommand::ZoomOut);
    EXPECT_TRUE(document.supportDirection);
    EXPECT_EQ(form.canvasModel().line(32, 1).y1, static_cast<float>(5 - 0.3981));
}

// Every piece of each kind of symbol is drawn: one segment per line array.
TEST_F(View, SupportSymbolsDrawEveryPiece) {
    startInput(QStringLiteral("2"));
    drawMember(3, 3, 6, 3);
    drawMember(6, 3, 9, 3);
    const std::array kinds{SupportPinned, SupportHorizontalLink, SupportVerticalLink};
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        gd node;
        node.x = static_cast<float>(3 + 3 * k);
        node.y = 3;
        placeSupport(document, k + 1, kinds[k], node);
    }
    choose(MenuCommand::ZoomOut);  // the redraw draws every placed symbol
    for (LineGroup group = 10; group <= 46; ++group) {
        const LineShape& piece = form.canvasModel().line(group, 1);
        EXPECT_TRUE(piece.loaded && (piece.x1 != piece.x2 || piece.y1 != piece.y2)) << group;
    }
}

// The redraw shows exactly the drawn members of the document, as reading a
// project with fewer members needs.
TEST_F(View, RedrawUnloadsLinesOfMembersTheDocumentNoLongerHas) {
    startInput(QStringLiteral("3"));
    drawMember(2, 2, 6, 2);
    drawMember(6, 2, 6, 5);
    drawMember(2, 5, 6, 5);
    keyUp(Qt::Key_Escape);
    document.membersEntered = 1;
    document.members[1].x2 = 7;
    choose(MenuCommand::ZoomIn);
    EXPECT_EQ(form.canvasModel().lineCount(kMemberLines), 2);
    EXPECT_EQ(memberLine(1).x2, 7.0f);
}

// A window smaller than the screen, as the user makes it.
void shrink(Form1& form, int width, int height) {
    form.setWindowState(Qt::WindowNoState);
    form.resize(width, height);
    QCoreApplication::processEvents();
}

TEST_F(View, WholeFrameKeepsTheFrameClearOfTheLegendAndTheHint) {
    drawPortal(2, 6, 3, 6);
    shrink(form, 640, 420);
    choose(MenuCommand::WholeFrame);
    const QRect canvas = form.canvasWidget()->rect();
    const int covered =
        std::max(form.legend()->geometry().bottom(), form.hintLabel()->geometry().bottom());
    QRectF frame;
    for (int i = 1; i <= 3; ++i) {
        for (const QPointF end : {form.canvasModel().toPixel(member(i).x1, member(i).y1),
                                  form.canvasModel().toPixel(member(i).x2, member(i).y2)}) {
            EXPECT_TRUE(canvas.contains(end.toPoint())) << i;
            EXPECT_GT(end.y(), covered) << i;
            frame |= QRectF(end, QSizeF(1, 1));
        }
    }
    // Fitted, not merely small: the frame fills the free height.
    EXPECT_GT(frame.height(), 0.75 * (canvas.height() - covered));
}

TEST_F(View, AResizeKeepsTheScaleTheCentreAndThePrintedResults) {
    keepProjectInScratchFolder();
    drawPortal(2, 6, 3, 6);
    fixEnds({{2, 6}, {6, 6}});
    choose(MenuCommand::Analyse);  // the end forces, member and node numbers printed
    const std::vector<CanvasPrint> printed = form.canvasModel().printLog();
    ASSERT_GT(printed.size(), 10u);
    shrink(form, 900, 700);
    const QSize before = form.canvasWidget()->size();
    const WorldWindow shown = document.world;
    shrink(form, 760, 520);
    const QSize after = form.canvasWidget()->size();
    ASSERT_NE(after, before);
    const WorldWindow& now = document.world;
    EXPECT_FLOAT_EQ(now.scaleWidth / after.width(), shown.scaleWidth / before.width());
    EXPECT_FLOAT_EQ(now.scaleHeight / after.height(), shown.scaleHeight / before.height());
    EXPECT_FLOAT_EQ(now.scaleLeft + now.scaleWidth / 2, shown.scaleLeft + shown.scaleWidth / 2);
    EXPECT_FLOAT_EQ(now.scaleTop + now.scaleHeight / 2, shown.scaleTop + shown.scaleHeight / 2);

    // Every print is still there, drawn at its world point in the new view.
    EXPECT_EQ(form.canvasModel().printLog().size(), printed.size());
    const QImage& layer = form.canvasModel().layer();
    ASSERT_EQ(layer.size(), after);
    int shownTexts = 0;
    for (const CanvasPrint& print : printed) {
        const QRect box = form.canvasModel().textBounds(print.x1, print.y1, print.text).toRect();
        if (print.kind != CanvasPrint::Kind::Text || !layer.rect().contains(box)) {
            continue;
        }
        bool ink = false;
        for (int y = box.top(); y <= box.bottom() && !ink; ++y) {
            for (int x = box.left(); x <= box.right() && !ink; ++x) {
                ink = qAlpha(layer.pixel(x, y)) > 0;
            }
        }
        EXPECT_TRUE(ink) << print.text.toStdString();
        shownTexts += ink ? 1 : 0;
    }
    EXPECT_GT(shownTexts, 5);
}

}  // namespace
