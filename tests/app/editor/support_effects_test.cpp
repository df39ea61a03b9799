// Springs, inclined supports, settlements and temperature changes through
// the window's events, with the input box scripted: each command's value,
// its refusals and cancel, one undo step each, what the drawing shows, and
// the values following their nodes and members through a deletion.
#include <QLabel>
#include <cmath>

#include "editor_fixture.h"

namespace {

using Kind = ConnectionMark::Kind;

class SupportEffects : public EditorTest {
protected:
    // Portal: column 1 from (2, 6) up to node 2 at (2, 3), beam 2 to node 3
    // at (6, 3), column 3 down to node 4 at (6, 6).
    void SetUp() override {
        EditorTest::SetUp();
        drawPortal(2, 6, 3, 6);
    }
    const SupportExtras& extras(int node) const {
        return document.supportExtras.at(static_cast<std::size_t>(node));
    }
    // A click on (x, y) answered with `answer`.
    void answer(float x, float y, const char* text) {
        platform.inputs.push_back(QString::fromUtf8(text));
        click(x, y);
    }
    void placeSupport(MenuCommand kind, float x, float y) {
        choose(kind);
        click(x + 0.05f, y - 0.05f);
        keyUp(Qt::Key_Escape);
    }
    std::vector<std::string> loadTexts() const {
        std::vector<std::string> texts;
        for (const FigureText& text : form.canvasModel().figure(FigureLayer::Loads).texts) {
            texts.push_back(text.text);
        }
        return texts;
    }
    void undo() { QTest::keyClick(form.canvasWidget(), Qt::Key_Z, Qt::ControlModifier); }
    QString undoCaption() const { return form.menuItem(MenuCommand::Undo)->text(); }
    QString lastMessage() const { return platform.messages().back(); }
};

TEST_F(SupportEffects, SpringsAreAskedDrawnRefusedAndUndone) {
    choose(MenuCommand::ElasticSupport);
    hoverAt(2.05f, 6.05f);
    EXPECT_TRUE(
        form.hintLabel()->text().startsWith(QStringLiteral("捕捉到节点 1, kx=0 ky=0 kr=0")));
    answer(2.05f, 6.05f, "0, 5000, 200");
    EXPECT_EQ(extras(1).springs, (std::array<float, 3>{0, 5000, 200}));
    EXPECT_TRUE(form.isWindowModified());
    EXPECT_EQ(undoCaption(), QStringLiteral("撤销 弹性支座"));
    const auto& marks = form.canvasModel().connectionMarks();
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0], (ConnectionMark{Kind::SpringY, 2, 6, -0.0, 1, 5000}));
    EXPECT_EQ(marks[1].kind, Kind::SpringRotation);

    const auto before = platform.messages().size();
    for (const char* refused : {"1, -2, 0", "1, 2", "a, 1, 1", "1, 2, 3, 4"}) {
        answer(2.05f, 6.05f, refused);
    }
    EXPECT_EQ(platform.messages().size(), before + 4);
    answer(2.05f, 6.05f, "");  // Cancel
    EXPECT_EQ(extras(1).springs, (std::array<float, 3>{0, 5000, 200}));

    answer(2.05f, 6.05f, "0,0,0");  // zeros remove the springs
    EXPECT_TRUE(extras(1).empty());
    EXPECT_TRUE(form.canvasModel().connectionMarks().empty());
    undo();
    EXPECT_EQ(extras(1).springs[1], 5000);
    undo();
    EXPECT_TRUE(extras(1).empty());
}

TEST_F(SupportEffects, AnInclinedSupportTurnsItsSymbolClockwiseOnTheScreen) {
    choose(MenuCommand::InclinedSupport);
    click(6.05f, 6.05f);  // no support there: no input box
    EXPECT_EQ(lastMessage(), QStringLiteral("节点 4没有支座"));
    keyUp(Qt::Key_Escape);
    placeSupport(MenuCommand::VerticalLink, 6, 6);
    const LineShape upright = form.canvasModel().line(32, 1);  // the ground line

    choose(MenuCommand::InclinedSupport);
    for (const char* refused : {"-180", "181", "x"}) {
        answer(6.05f, 6.05f, refused);
    }
    EXPECT_EQ(extras(4).angle, 0);
    answer(6.05f, 6.05f, "90");
    EXPECT_EQ(extras(4).angle, 90);
    EXPECT_EQ(undoCaption(), QStringLiteral("撤销 斜支座"));
    // Turned by +90 degrees, from +X towards +Y: what lay below the node
    // now lies left of it.
    const LineShape turned = form.canvasModel().line(32, 1);
    EXPECT_NEAR(turned.x1 - 6, -(upright.y1 - 6), 1e-5);
    EXPECT_NEAR(turned.y1 - 6, upright.x1 - 6, 1e-5);
    undo();
    EXPECT_EQ(form.canvasModel().line(32, 1), upright);
}

TEST_F(SupportEffects, ASettlementAsksOnlyTheRestrainedFreedomsAndIsALoad) {
    placeSupport(MenuCommand::VerticalLink, 6, 6);
    choose(MenuCommand::Settlement);
    click(2.05f, 6.05f);
    EXPECT_EQ(lastMessage(), QStringLiteral("节点 1没有支座"));
    answer(6.05f, 6.05f, "0.01, 0");  // a vertical link restrains y only
    EXPECT_EQ(lastMessage(), QStringLiteral("请输入1个数,用逗号分开"));
    answer(6.05f, 6.05f, "0.01");
    EXPECT_EQ(extras(4).settlement, (std::array<float, 3>{0, 0.01f, 0}));
    EXPECT_EQ(undoCaption(), QStringLiteral("撤销 支座位移"));
    EXPECT_EQ(loadTexts(), std::vector<std::string>{"0.01 m"});

    choose(MenuCommand::ShowLoads);  // settlements hide with the loads
    EXPECT_TRUE(form.canvasModel().figure(FigureLayer::Loads).empty());
    choose(MenuCommand::ShowLoads);
    EXPECT_EQ(loadTexts(), std::vector<std::string>{"0.01 m"});
    undo();
    EXPECT_TRUE(extras(4).empty());
    EXPECT_TRUE(loadTexts().empty());
}

TEST_F(SupportEffects, ATemperatureChangeNamesTheFacesByTheTick) {
    choose(MenuCommand::TemperatureChange);
    hoverAt(4, 3.05f);
    EXPECT_TRUE(form.hintLabel()->text().contains(QStringLiteral("t2在黑短线一侧(局部+y)")));
    EXPECT_TRUE(form.canvasModel().line(kMemberLines, 0).visible);  // the tick
    answer(4, 3.05f, "10, 30");
    const gj& beam = document.members[2];
    EXPECT_EQ(beam.温度改变1, 10);
    EXPECT_EQ(beam.温度改变2, 30);
    EXPECT_EQ(undoCaption(), QStringLiteral("撤销 温度改变"));
    // The beam runs left to right: its +y face, t2's, is below it.
    const auto& texts = form.canvasModel().figure(FigureLayer::Loads).texts;
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "t1=10°C");
    EXPECT_LT(texts[0].at.dy, 0);
    EXPECT_EQ(texts[1].text, "t2=30°C");
    EXPECT_GT(texts[1].at.dy, 0);

    answer(4, 3.05f, "10");
    answer(4, 3.05f, "");
    EXPECT_EQ(beam.温度改变2, 30);
    undo();
    EXPECT_EQ(document.members[2].温度改变2, 0);
}

// Member 1 deleted: member 3 takes its number and its temperature, and the
// nodes are numbered again; the springs, turn and settlement stay at the
// foot at (6, 6), whatever its number is now.
TEST_F(SupportEffects, ExtrasFollowTheirNodesAndMembersThroughADeletion) {
    placeSupport(MenuCommand::Pinned, 6, 6);
    choose(MenuCommand::ElasticSupport);
    answer(6.05f, 6.05f, "100, 0, 0");
    choose(MenuCommand::InclinedSupport);
    answer(6.05f, 6.05f, "-45");
    choose(MenuCommand::Settlement);
    answer(6.05f, 6.05f, "0, 0.02");
    choose(MenuCommand::ElasticSupport);
    answer(2.05f, 3.05f, "0, 0, 50");  // springs without a support kind
    choose(MenuCommand::TemperatureChange);
    answer(6.05f, 4.5f, "-5, 15");
    keyUp(Qt::Key_Escape);
    const SupportExtras foot = extras(4);

    choose(MenuCommand::MemberDelete);
    hoverAt(2.05f, 4.5f);
    keyUp(Qt::Key_Delete);
    ASSERT_EQ(document.membersEntered, 2);
    const gj& moved = document.members[1];
    EXPECT_EQ(moved.温度改变1, -5);
    EXPECT_EQ(moved.温度改变2, 15);
    const std::int16_t footNode = moved.x2 == 6 && moved.y2 == 6 ? moved.右号 : moved.左号;
    EXPECT_EQ(extras(footNode), foot);
    EXPECT_EQ(document.supportKinds[static_cast<std::size_t>(footNode)], SupportPinned);
    const std::int16_t corner = document.members[2].左号;  // (2, 3), the beam's first end
    EXPECT_EQ(extras(corner).springs[2], 50);
    EXPECT_EQ(document.supportKinds[static_cast<std::size_t>(corner)], SupportNone);
}

}  // namespace
