// Undo and redo through the window's events, checked by the project text
// and the drawing; the member total that follows the drawing.
#include <QFile>
#include <QLabel>
#include <functional>

#include "document/project_file.h"
#include "editor_fixture.h"

namespace {

class Undo : public EditorTest {
protected:
    std::string text() const { return projectFileText(document); }
    QString caption(MenuCommand id) const { return form.menuItem(id)->text(); }
    void ctrl(Qt::Key key) { QTest::keyClick(form.canvasWidget(), key, Qt::ControlModifier); }
    // The member lines and support symbols shown, previews aside.
    std::vector<std::array<float, 4>> drawing() const {
        std::vector<std::array<float, 4>> shown;
        for (LineGroup group = kMemberLines; group <= kLastSupportLines; ++group) {
            for (int i = 1; i < form.canvasModel().lineCount(group) && group != kCrosshairX; ++i) {
                const LineShape& line = form.canvasModel().line(group, i);
                if (line.loaded && line.visible) {
                    shown.push_back({line.x1, line.y1, line.x2, line.y2});
                }
            }
        }
        return shown;
    }
    void pickAt(float x, float y) {
        hoverAt(x, y);
        press(x, y, Qt::RightButton);
    }
};

struct StepCase {
    const char* name;
    std::function<void()> make;
};

// Each kind of step on a saved and reopened portal: Ctrl+Z (in the mode
// the step was made in) brings back the text and the drawing before it,
// Ctrl+Y the text after it; undoing everything gives the file again.
TEST_F(Undo, EveryStepGoesBackAndForthAndAllOfThemBackToTheOpenedFile) {
    keepProjectInScratchFolder();
    drawPortal(2, 6, 3, 6);
    choose(MenuCommand::Save);
    platform.files.push_back(QString::fromStdString(document.projectPath));
    choose(MenuCommand::Open);
    QFile file(QString::fromStdString(document.projectPath));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray opened = file.readAll();
    ASSERT_EQ(text(), opened.toStdString());
    EXPECT_EQ(caption(MenuCommand::Undo), QStringLiteral("撤销"));

    const std::vector<StepCase> steps = {
        {"杆件总数",
         [this] {
             platform.inputs.push_back("5");
             choose(MenuCommand::MemberTotal);
         }},
        {"输入杆件",
         [this] {
             choose(MenuCommand::MemberInput);
             drawMember(6, 3, 9, 3);
         }},
        {"输入杆件",  // typed relative to the first point
         [this] {
             choose(MenuCommand::MemberInput);
             click(9, 3);
             form.xBox()->setText("0");
             form.yBox()->setText("3");
             QTest::keyClick(form.xBox(), Qt::Key_Return);
         }},
        {"删除杆件",
         [this] {
             choose(MenuCommand::MemberDelete);
             hoverAt(2, 4.5f);
             keyUp(Qt::Key_Delete);
         }},
        {"鼠标指定固端",
         [this] {
             fixEnds({{9, 6}});
         }},
        {"鼠标指定双铰",  // replaces the fixed end
         [this] {
             choose(MenuCommand::Pinned);
             click(9.05f, 5.95f);
         }},
        {"删除支座", [this] { choose(MenuCommand::DeleteSupports); }},
        {"输入荷载",
         [this] {
             choose(MenuCommand::LoadInput);
             giveLoad("集中", "1", "30", 4, 3);
         }},
        {"荷载查询修改",
         [this] {
             choose(MenuCommand::LoadQuery);
             pickAt(4, 3);
             QTest::keyClicks(form.form2().Text1[1], "75");  // two keys, one step
         }},
        {"删除荷载",
         [this] {
             choose(MenuCommand::LoadQuery);
             pickAt(4, 3);
             QTest::keyClick(form.form2().Combo1, Qt::Key_Delete);
         }},
        {"杆件查询修改",
         [this] {
             choose(MenuCommand::MemberQuery);
             pickAt(4, 3);
             QTest::keyClicks(form.form3().Text1[1], "25");
         }},
        {"绘图窗口颜色",
         [this] {
             platform.colours.push_back(0x00FFFF);
             choose(MenuCommand::CanvasColour);
         }},
        {"十字光标颜色",
         [this] {
             platform.colours.push_back(0xFF);
             choose(MenuCommand::CrosshairColour);
         }},
        {"内力图显示比例",
         [this] {
             platform.inputs.push_back("0.5");
             choose(MenuCommand::DiagramScale);
         }},
    };
    for (const StepCase& step : steps) {
        const QString name = QString::fromUtf8(step.name);
        const std::string before = text();
        const auto shownBefore = drawing();
        step.make();
        const std::string after = text();
        ASSERT_NE(after, before) << step.name;
        EXPECT_EQ(caption(MenuCommand::Undo), QStringLiteral("撤销 ") + name);
        ctrl(Qt::Key_Z);
        EXPECT_EQ(text(), before) << step.name;
        EXPECT_EQ(drawing(), shownBefore) << step.name;
        EXPECT_EQ(caption(MenuCommand::Redo), QStringLiteral("重做 ") + name);
        ctrl(Qt::Key_Y);
        EXPECT_EQ(text(), after) << step.name;
        keyUp(Qt::Key_Escape);
        keyUp(Qt::Key_Escape);
    }
    EXPECT_EQ(form.canvasModel().line(kCrosshairX).colour, 0xFF);
    while (form.menuItem(MenuCommand::Undo)->isEnabled()) {
        choose(MenuCommand::Undo);
    }
    EXPECT_EQ(text(), opened.toStdString());
    EXPECT_EQ(form.canvasModel().line(kCrosshairX).colour, document.crosshairColour);
    // The unsaved question follows: one step redone asks, undone it does not.
    platform.calls.clear();
    choose(MenuCommand::Redo);
    platform.answers.push_back(MessageAnswer::No);
    choose(MenuCommand::New);
    EXPECT_EQ(platform.messages().size(), 1);
    choose(MenuCommand::Undo);
    choose(MenuCommand::New);
    EXPECT_EQ(platform.messages().size(), 1);
}

// In member input Ctrl+Z gives up the member being drawn and takes back
// the last one drawn; the total, set before the mode, stays.
TEST_F(Undo, InMemberInputCtrlZTakesBackTheMembersOfTheMode) {
    startInput(QStringLiteral("3"));
    drawMember(2, 2, 5, 2);
    drawMember(5, 2, 5, 5);
    click(8, 8);
    ctrl(Qt::Key_Z);
    EXPECT_EQ(document.membersEntered, 1);
    EXPECT_EQ(form.canvasModel().lineCount(kMemberLines), 2);
    EXPECT_TRUE(document.mode == EditorMode::MemberInput);
    QTest::keyClick(form.xBox(), Qt::Key_Z, Qt::ControlModifier);  // the box's own undo gives way
    ctrl(Qt::Key_Z);
    EXPECT_EQ(document.membersEntered, 0);
    EXPECT_EQ(document.memberTotal, 3);
    EXPECT_FALSE(form.menuItem(MenuCommand::Undo)->isEnabled());
    drawMember(1, 1, 3, 1);
    EXPECT_EQ(document.membersEntered, 1);
    EXPECT_FALSE(form.menuItem(MenuCommand::Redo)->isEnabled());
    keyUp(Qt::Key_Escape);
    EXPECT_EQ(caption(MenuCommand::Undo), QStringLiteral("撤销 输入杆件"));
}

// The total may change while no mode runs, never below the members drawn;
// deleting a member takes it down, so the frame stays complete.
TEST_F(Undo, TheMemberTotalFollowsTheDrawing) {
    drawPortal(2, 6, 3, 6);
    const std::string portal = text();
    choose(MenuCommand::MemberTotal);  // the box offers the total: nothing changes
    platform.inputs.push_back(QStringLiteral("2"));
    choose(MenuCommand::MemberTotal);
    EXPECT_EQ(platform.messages(), QStringList{QStringLiteral("已画3根杆件,杆件总数不能小于3")});
    EXPECT_EQ(text(), portal);
    platform.inputs.push_back(QStringLiteral("4"));
    choose(MenuCommand::MemberTotal);
    EXPECT_EQ(document.membersEntered, 3);
    EXPECT_EQ(memberLine(3).x1, 6.0f);
    choose(MenuCommand::MemberInput);
    drawMember(6, 3, 9, 3);
    EXPECT_EQ(document.membersEntered, 4);
    keyUp(Qt::Key_Escape);
    choose(MenuCommand::MemberDelete);
    hoverAt(7.5f, 3);
    keyUp(Qt::Key_Delete);
    EXPECT_EQ(document.memberTotal, 3);
    EXPECT_EQ(text(), portal);
}

}  // namespace

namespace {

// A hint that describes what the canvas shows, or the member under the
// mouse, goes when that goes: undo, a deletion, a cleared canvas.
TEST_F(Undo, NoHintOutlivesWhatItDescribes) {
    keepProjectInScratchFolder();
    drawPortal(2, 6, 3, 6);
    fixEnds({{2, 6}, {6, 6}});
    const QLabel& hint = *form.hintLabel();
    choose(MenuCommand::MomentDiagram);
    ASSERT_TRUE(hint.text().startsWith(QStringLiteral("弯矩图")));
    choose(MenuCommand::Undo);
    EXPECT_EQ(hint.text(), kIdleHint);

    choose(MenuCommand::Redo);
    choose(MenuCommand::Analyse);
    ASSERT_TRUE(hint.text().startsWith(QStringLiteral("计算的")));
    platform.colours.push_back(std::nullopt);
    choose(MenuCommand::CanvasColour);  // clears the printed results
    EXPECT_EQ(hint.text(), kIdleHint);
    choose(MenuCommand::Reactions);
    choose(MenuCommand::ShowNumbers);  // prints over the reactions, which stay
    platform.colours.push_back(std::nullopt);
    choose(MenuCommand::CanvasColour);
    EXPECT_EQ(hint.text(), kIdleHint);

    choose(MenuCommand::MemberDelete);
    hoverAt(4, 3);
    ASSERT_TRUE(hint.text().startsWith(QStringLiteral("捕捉到")));
    keyUp(Qt::Key_Delete);
    EXPECT_EQ(hint.text(), QString());
}

}  // namespace
