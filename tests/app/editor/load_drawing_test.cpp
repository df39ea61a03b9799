// The loads drawn on the canvas: where the arrows of each kind point, and
// the loads figure following F12, load query, member deletion, 打开, 新建
// and the 显示荷载 switch through the real window.
#include <QLabel>

#include "editor_fixture.h"
#include "results/load_figure.h"

namespace {

gj beam(float length, int loads) {
    gj member;
    member.x2 = length;
    member.荷载数 = static_cast<std::int16_t>(loads);
    return member;
}

void setLoad(gj& member, int k, const char* kind, float xq, float q) {
    member.hzlx[static_cast<std::size_t>(k)] = kind;
    member.xq[static_cast<std::size_t>(k)] = xq;
    member.q[static_cast<std::size_t>(k)] = q;
}

// A beam from (0, 0) to (4, 0): local +y points down the screen.
TEST(LoadsFigure, ArrowsComeFromTheSideTheLoadActsFrom) {
    Document document;
    document.members = {gj{}, beam(4, 4), beam(0, 1), beam(4, 60)};
    setLoad(document.members[1], 1, "集中", 1, 10);
    setLoad(document.members[1], 2, "集中", 3, -10);
    setLoad(document.members[1], 3, "水平集中", 2, 5);
    setLoad(document.members[1], 4, "三角", 4, 8);
    setLoad(document.members[2], 1, "集中", 0, 1);  // a member of no length: nothing
    document.members[3].xq.resize(2);               // more loads counted than held
    const Figure figure = loadsFigure(document, 3);

    ASSERT_GE(figure.arrowheads.size(), 4u);
    const auto& down = figure.arrowheads[0];
    EXPECT_EQ(down.tip.x, 1);
    EXPECT_EQ(down.tip.dy, 0);
    EXPECT_LT(down.from.dy, 0);  // from above
    EXPECT_GT(figure.arrowheads[1].from.dy, 0);
    const auto& axial = figure.arrowheads[2];
    EXPECT_GT(axial.from.dx, axial.tip.dx);  // towards the first end
    // The triangle's arrows grow towards its far end.
    double last = 0;
    for (std::size_t k = 3; k < figure.arrowheads.size(); ++k) {
        const double length = figure.arrowheads[k].tip.dy - figure.arrowheads[k].from.dy;
        EXPECT_GT(length, last);
        last = length;
    }
    ASSERT_EQ(figure.texts.size(), 4u);
    EXPECT_EQ(figure.texts[0].text, "10 kN");
    EXPECT_EQ(figure.texts[0].anchor, TextAnchor::Bottom);
    EXPECT_EQ(figure.texts[1].anchor, TextAnchor::Top);
    EXPECT_EQ(figure.texts[3].text, "8 kN/m");
    EXPECT_EQ(figure.texts[0].colour, kLoadColour);
}

class LoadDrawing : public EditorTest {
protected:
    QStringList labels() const {
        QStringList texts;
        for (const FigureText& text : form.canvasModel().figure(FigureLayer::Loads).texts) {
            texts << QString::fromStdString(text.text);
        }
        return texts;
    }
    bool shown() const { return !form.canvasModel().figure(FigureLayer::Loads).empty(); }
};

TEST_F(LoadDrawing, TheLoadsFollowF12QueryEditsAndDeletions) {
    drawPortal(2, 6, 2, 6);
    choose(MenuCommand::LoadInput);
    giveLoad("均布", "4", "12", 4, 2);
    EXPECT_EQ(form.hintLabel()->text(), QStringLiteral("2号杆件: 均布 12 kN/m"));
    giveLoad("集中", "2", "-10", 2, 4);
    EXPECT_EQ(form.hintLabel()->text(), QStringLiteral("1号杆件: 集中 -10 kN"));
    EXPECT_EQ(labels(), (QStringList{"10 kN", "12 kN/m"}));
    keyUp(Qt::Key_Escape);

    choose(MenuCommand::LoadQuery);
    hoverAt(4, 2);
    press(4, 2, Qt::RightButton);
    Form2& dialog = form.form2();
    dialog.Text1[1]->clear();
    QTest::keyClicks(dialog.Text1[1], QStringLiteral("7"));
    EXPECT_EQ(labels(), (QStringList{"10 kN", "7 kN/m"}));
    QTest::keyClick(dialog.Combo1, Qt::Key_Delete);
    EXPECT_EQ(labels(), QStringList{"10 kN"});
    keyUp(Qt::Key_Escape);
    keyUp(Qt::Key_Escape);

    // Column 1 goes; column 3, without loads, takes its number.
    choose(MenuCommand::MemberDelete);
    hoverAt(2, 4);
    keyUp(Qt::Key_Delete);
    ASSERT_EQ(document.membersEntered, 2);
    EXPECT_FALSE(shown());
}

TEST_F(LoadDrawing, AnOpenedProjectsLoadsShowUntilHiddenOrANewProject) {
    ASSERT_TRUE(form.openProject(QStringLiteral(ORVANDEL_EXAMPLES "/two_storey.tsd")));
    EXPECT_EQ(labels().size(), 8);
    QAction* item = form.menuItem(MenuCommand::ShowLoads);
    const QList<QAction*> items = form.menu(MenuId::Window)->actions();
    EXPECT_GT(items.indexOf(item), items.indexOf(form.menuItem(MenuCommand::CrosshairColour)));
    EXPECT_EQ(item->text(), QStringLiteral("显示荷载"));
    EXPECT_TRUE(item->isChecked());
    item->trigger();
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(shown());
    choose(MenuCommand::ZoomIn);  // a redrawn view keeps them hidden
    EXPECT_FALSE(shown());
    item->trigger();
    EXPECT_EQ(labels().size(), 8);
    choose(MenuCommand::New);
    EXPECT_FALSE(shown());
}

}  // namespace
