// 窗口 → 网格 and 编辑 → 移动节点, driven with mouse events and checked by
// the saved project text.
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <string>

#include "document/project_file.h"
#include "editor_fixture.h"

namespace {

class GridAndNodes : public EditorTest {
protected:
    void setGrid(const char* spacing) {
        platform.inputs.push_back(QString::fromUtf8(spacing));
        choose(MenuCommand::Grid);
    }
    void release(float x, float y) { mouse(QEvent::MouseButtonRelease, x, y, Qt::LeftButton, 50); }
    void drag(float fromX, float fromY, float toX, float toY) {
        move(fromX, fromY);
        press(fromX, fromY);
        move(toX, toY);
        release(toX, toY);
    }
    // A click on a node, answered with its new coordinates.
    void clickNode(float x, float y, const char* answer) {
        platform.inputs.push_back(QString::fromUtf8(answer));
        move(x, y);
        press(x, y);
        release(x, y);
    }
    std::string text() const { return projectFileText(document); }
    // Member `number` with its nodes and ends as the project file writes them.
    bool saved(const std::string& nodes, const std::string& ends) const {
        return text().find("\r\n" + nodes + "\r\n" + ends + ",\"") != std::string::npos;
    }
    std::pair<QString, QString> boxes() const { return {form.xBox()->text(), form.yBox()->text()}; }
};

TEST_F(GridAndNodes, DrawingTakesMemberEndsFirstThenGridPoints) {
    startInput(QStringLiteral("3"));
    drawMember(0.75f, 0.75f, 3.5f, 0.75f);
    setGrid("1");
    EXPECT_EQ(platform.textSettings[QStringLiteral("gridSpacing")], QStringLiteral("1"));
    EXPECT_EQ(form.canvasModel().gridSpacing(), 1.0);
    move(0.88f, 0.88f);  // the end (0.75, 0.75) and the grid point (1, 1) both in the box
    EXPECT_EQ(boxes(), std::pair(QStringLiteral("0.75"), QStringLiteral("0.75")));
    press(0.88f, 0.88f);
    move(2.1f, 2.9f);
    EXPECT_EQ(boxes(), std::pair(QStringLiteral("1.25"), QStringLiteral("2.25")));
    press(2.1f, 2.9f);
    move(5.3f, 5.3f);  // no grid point within the box
    EXPECT_EQ(boxes(), std::pair(QStringLiteral("5.3"), QStringLiteral("5.3")));
    drawMember(5.1f, 0.85f, 5.05f, 3.15f);
    EXPECT_TRUE(saved("2,1,3", ".75,.75,2,3")) << text();
    EXPECT_TRUE(saved("3,4,5", "5,3,5,1")) << text();

    const std::string drawn = text();
    choose(MenuCommand::Undo);
    EXPECT_EQ(document.membersEntered, 2);
    choose(MenuCommand::Redo);
    EXPECT_EQ(text(), drawn);
}

TEST_F(GridAndNodes, ASpacingThatIsNoSpacingIsRefused) {
    setGrid("0.5");
    for (const char* bad : {"abc", "-1", "nan", "1e30", "0.0001"}) {
        setGrid(bad);
        EXPECT_EQ(platform.messages().back(),
                  QStringLiteral("网格间距应为0或0.001到10000之间的数"));
    }
    setGrid("");  // cancelled
    EXPECT_EQ(platform.messages().size(), 5);
    EXPECT_EQ(form.canvasModel().gridSpacing(), 0.5);
    Document nextRun;
    const Form1 next{nextRun, platform, QStringLiteral(ORVANDEL_PROGRAM_FOLDER)};
    EXPECT_EQ(next.canvasModel().gridSpacing(), 0.5);

    setGrid("0");
    startInput(QStringLiteral("1"));
    drawMember(1.1f, 1.1f, 3.1f, 1.1f);
    EXPECT_TRUE(saved("1,1,2", "1.1,1.1,3.1,1.1")) << text();
}

// Light grey points at the multiples of the spacing, under the members;
// none where they would crowd the drawing.
TEST_F(GridAndNodes, GridPointsAreDrawnWhereTheyCanBeTold) {
    const auto pixelAt = [this](float x, float y) {
        const QImage shown = form.canvasWidget()->grab().toImage();
        return shown.pixelColor(form.canvasModel().toPixel(x, y).toPoint()).rgb() & 0xFFFFFF;
    };
    setGrid("1");
    EXPECT_EQ(pixelAt(3, 4), 0xB4B4B4u);
    EXPECT_EQ(pixelAt(3.5f, 4.5f), 0xFFFFFFu);
    setGrid("0.001");
    EXPECT_EQ(pixelAt(3, 4), 0xFFFFFFu);
}

TEST_F(GridAndNodes, ADraggedNodeTakesItsEndsAndKeepsItsSupport) {
    drawPortal(0, 8, 2, 6);
    fixEnds({{8, 6}});
    setGrid("1");
    const std::string before = text();
    choose(MenuCommand::MoveNode);
    drag(8.05f, 2.05f, 9.1f, 1.95f);  // the top of the right column
    drag(8.05f, 5.95f, 8.9f, 6.1f);   // its foot, with the fixed end
    EXPECT_TRUE(saved("2,2,3", "0,2,9,2")) << text();
    EXPECT_TRUE(saved("3,4,3", "9,6,9,2")) << text();
    EXPECT_EQ(document.supportKinds.at(4), SupportFixed);
    EXPECT_EQ(document.nodes.at(4).x, 9);
    EXPECT_TRUE(form.menuItem(MenuCommand::Undo)->text().endsWith(QStringLiteral("移动节点")));

    const std::string moved = text();
    choose(MenuCommand::Undo);
    choose(MenuCommand::Undo);
    EXPECT_EQ(text(), before);
    choose(MenuCommand::Redo);
    choose(MenuCommand::Redo);
    EXPECT_EQ(text(), moved);
}

TEST_F(GridAndNodes, AClickedNodeTakesTypedCoordinatesUnlessTheMoveIsRefused) {
    drawPortal(0, 8, 2, 6);
    choose(MenuCommand::MoveNode);
    const std::string before = text();
    clickNode(8, 2, "8, 6");
    clickNode(8, 2, "0, 6");
    clickNode(8, 2, "abc");
    EXPECT_EQ(platform.messages(), QStringList({"3号杆件的长度将为0,节点不能移到那里",
                                                "节点3不能移到节点1上", "请输入2个数,用逗号分开"}));
    EXPECT_EQ(text(), before);

    // The beam turns round: its ends are swapped, the first on the left.
    clickNode(8, 2, "-1, 3");
    EXPECT_TRUE(saved("2,3,2", "-1,3,0,2")) << text();
    EXPECT_TRUE(saved("3,3,4", "-1,3,8,6")) << text();

    keyUp(Qt::Key_Escape);
    choose(MenuCommand::LoadInput);
    giveLoad("均布", "0", "10", -0.5f, 2.5f);
    keyUp(Qt::Key_Escape);
    choose(MenuCommand::MoveNode);
    clickNode(-1, 3, "1, 3");
    EXPECT_EQ(platform.messages().back(),
              QStringLiteral("2号杆件有荷载或温度改变,移动节点会使它两端对调,不能这样移动"));
}

}  // namespace
