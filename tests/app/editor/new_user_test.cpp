// What a new user does without thinking: deletes and draws again, moves
// quickly and presses a key at once, changes commands half-way, types a
// total or a dimension that makes no sense. None of it may give a wrong
// result or lose work without a word.
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QWindow>
#include <fstream>
#include <sstream>

#include "document/project_file.h"
#include "editor_fixture.h"

namespace {

class NewUser : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        keepProjectInScratchFolder();
    }
    std::string resultFile(const char* extension) const {
        std::ifstream file(scratch.filePath(QStringLiteral("portal.") + extension).toStdString());
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    void deleteMemberAt(float x, float y) {
        choose(MenuCommand::MemberDelete);
        hoverAt(x, y);
        keyUp(Qt::Key_Delete);
    }
    bool anyPreviewShown() const {
        for (LineGroup group = kFixedSymbols; group <= kLastSupportLines; ++group) {
            const LineShape& preview = form.canvasModel().line(group, 0);
            if (preview.loaded && preview.visible) {
                return true;
            }
        }
        return false;
    }
};

// The deleted member's loads stayed in the record the next member drawn
// took: the analysis used them before saving, the reader clipped them on
// reopening.
TEST_F(NewUser, AMemberDrawnAfterADeletionStartsWithoutLoadsAndReopensToTheSameResults) {
    drawPortal(2, 6, 3, 6);
    choose(MenuCommand::LoadInput);
    giveLoad("集中", "2.5", "30", 6, 4.5f);  // on column 3
    keyUp(Qt::Key_Escape);
    deleteMemberAt(6, 4.5f);
    keyUp(Qt::Key_Escape);
    startInput(QStringLiteral("3"));  // the deletion took the total down to 2
    drawMember(6, 3, 6, 5);           // shorter than the load's position
    keyUp(Qt::Key_Escape);
    EXPECT_EQ(member(3).荷载数, 0);
    fixEnds({{2, 6}, {6, 5}});
    choose(MenuCommand::LoadInput);
    giveLoad("均布", "0", "20", 4, 3);
    keyUp(Qt::Key_Escape);

    choose(MenuCommand::Analyse);
    const std::string forces = resultFile("mqn");
    const std::string displacements = resultFile("uva");
    ASSERT_FALSE(forces.empty());
    choose(MenuCommand::Save);
    platform.files.push_back(scratch.filePath(QStringLiteral("portal.tsd")));
    choose(MenuCommand::Open);
    choose(MenuCommand::Analyse);
    EXPECT_EQ(resultFile("mqn"), forces);
    EXPECT_EQ(resultFile("uva"), displacements);
    EXPECT_TRUE(platform.messages().isEmpty()) << platform.messages().join('|').toStdString();
}

TEST_F(NewUser, ASecondDelWithoutAMoveDeletesNothing) {
    drawPortal(2, 6, 3, 6);
    deleteMemberAt(2, 4.5f);
    ASSERT_EQ(document.membersEntered, 2);
    keyUp(Qt::Key_Delete);  // member 3 now has number 1, far from the pointer
    EXPECT_EQ(document.membersEntered, 2);
    EXPECT_EQ(document.hoveredMember, 0);
}

// One quick move from the beam to a column, then F12: the column gets it.
TEST_F(NewUser, KeysActOnTheMemberUnderTheLatestMove) {
    drawPortal(2, 6, 3, 6);
    choose(MenuCommand::LoadInput);
    giveLoad("集中", "1", "30", 4, 3);
    ASSERT_EQ(member(2).荷载数, 1);
    move(4, 3);
    move(2, 4.5f);
    keyUp(Qt::Key_F12);
    EXPECT_EQ(member(2).荷载数, 1);
    EXPECT_EQ(member(1).荷载数, 1);
}

// Marked in one mode, acted on in the next before a move.
TEST_F(NewUser, AChangeOfModeLeavesNoMemberMarked) {
    drawPortal(2, 6, 3, 6);
    choose(MenuCommand::MemberQuery);
    hoverAt(4, 3);
    keyUp(Qt::Key_Escape);
    choose(MenuCommand::LoadInput);
    keyUp(Qt::Key_F12);
    EXPECT_EQ(member(2).荷载数, 0);
    keyUp(Qt::Key_Escape);
    choose(MenuCommand::MemberDelete);
    keyUp(Qt::Key_Delete);
    EXPECT_EQ(document.membersEntered, 3);
    keyUp(Qt::Key_Escape);
    choose(MenuCommand::MemberQuery);
    hoverAt(2, 4.5f);  // member 1 red, then the colour display
    keyUp(Qt::Key_Escape);
    choose(MenuCommand::ColourByMaterial);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_NE(memberLine(i).colour, 255) << i;
    }
}

// The last member, half drawn, had no record yet when a support command
// ended member input; the saved project could not be opened again.
TEST_F(NewUser, ASupportCommandWaitsForTheMemberBeingDrawn) {
    startInput(QStringLiteral("1"));
    click(2, 6);
    move(2, 3);
    choose(MenuCommand::FixedEnd);
    EXPECT_EQ(platform.messages(), QStringList{QStringLiteral("先输入完杆件")});
    EXPECT_FALSE(document.mode == EditorMode::FixedEnd);
    click(2, 3);
    EXPECT_EQ(member(1).左号, 1);
    EXPECT_EQ(member(1).右号, 2);
}

TEST_F(NewUser, ASectionWithoutSizeIsRefusedBeforeItReachesTheEngine) {
    startInput(QStringLiteral("2"));
    form.form3().Text1[1]->setText(QStringLiteral("0"));
    drawMember(2, 6, 2, 3);
    EXPECT_EQ(platform.messages(), QStringList{QStringLiteral("断面尺寸必须大于0,此杆件不能输入")});
    EXPECT_EQ(document.membersEntered, 0);
    form.form3().Text1[1]->setText(QStringLiteral("0.25"));
    drawMember(2, 6, 2, 3);
    drawMember(2, 3, 6, 3);
    keyUp(Qt::Key_Escape);
    fixEnds({{2, 6}});
    document.members[2].尺寸[1] = 0;  // as member query writes a field being retyped
    platform.calls.clear();
    choose(MenuCommand::Analyse);
    EXPECT_EQ(platform.messages(),
              QStringList{QStringLiteral("2号杆件的截面积或惯性矩不大于0,请修改断面尺寸")});
}

TEST_F(NewUser, SaveAsAsksBeforeReplacingTheFileItNamed) {
    drawPortal(2, 6, 3, 6);
    const QString existing = scratch.filePath(QStringLiteral("frame.tsd"));
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep");
    file.close();
    platform.files.push_back(scratch.filePath(QStringLiteral("frame")));
    platform.answers.push_back(MessageAnswer::No);
    choose(MenuCommand::SaveAs);
    ASSERT_EQ(platform.calls.back().buttons, MessageButtons::YesNo);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("keep"));
    file.close();
    platform.files.push_back(scratch.filePath(QStringLiteral("frame")));
    platform.answers.push_back(MessageAnswer::Yes);
    choose(MenuCommand::SaveAs);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), projectFileText(document));
}

TEST_F(NewUser, StartingOverEndsThePlacementAndThePan) {
    drawPortal(2, 6, 3, 6);
    choose(MenuCommand::Pinned);
    move(4, 4);
    ASSERT_TRUE(anyPreviewShown());
    platform.answers.push_back(MessageAnswer::Yes);
    choose(MenuCommand::New);
    EXPECT_FALSE(anyPreviewShown());
    choose(MenuCommand::Pan);
    ASSERT_EQ(form.canvasWidget()->cursor().shape(), Qt::SizeAllCursor);
    choose(MenuCommand::New);
    EXPECT_EQ(form.canvasWidget()->cursor().shape(), Qt::ArrowCursor);
}

// A square bay must look square, also when the file's view is wider than
// the window.
TEST_F(NewUser, AViewReadFromAFileKeepsOneScaleAndContainsTheFilesWindow) {
    drawPortal(2, 6, 3, 6);
    document.world = {-10, 0, 40, 2};
    choose(MenuCommand::Save);
    platform.files.push_back(QString::fromStdString(document.projectPath));
    choose(MenuCommand::Open);
    const WorldWindow& w = document.world;
    const QSize pixels = form.canvasWidget()->size();
    EXPECT_FLOAT_EQ(w.scaleWidth / pixels.width(), w.scaleHeight / pixels.height());
    EXPECT_FLOAT_EQ(w.scaleWidth, 40);
    EXPECT_FLOAT_EQ(w.scaleTop + w.scaleHeight / 2, 1);  // centred
}

// The hint lies over the canvas: moves under it reach the canvas through
// the window as the platform delivers them, presses on its text do not.
TEST_F(NewUser, TheHintBandBelongsToTheCanvasBesideItsText) {
    QLabel* hint = form.hintLabel();
    const QPoint besideText =
        hint->mapTo(&form, QPoint(hint->sizeHint().width() + 40, hint->height() / 2));
    QTest::mouseMove(form.windowHandle(), besideText);
    const QPointF world =
        form.canvasModel().toWorld(form.canvasWidget()->mapFrom(&form, QPointF(besideText)));
    EXPECT_NEAR(form.editorState().cursorX, world.x(), 1e-3);
    EXPECT_NEAR(form.editorState().cursorY, world.y(), 1e-3);
}

// A relative point typed and entered leaves the keyboard in a box; the
// command keys must still work from there.
TEST_F(NewUser, CommandKeysWorkFromTheCoordinateBoxes) {
    startInput(QStringLiteral("2"));
    click(2, 2);
    move(4, 3);
    QTest::keyClick(form.xBox(), Qt::Key_F8);
    EXPECT_TRUE(form.editorState().orthoMode);
    QTest::keyClick(form.yBox(), Qt::Key_F3);
    EXPECT_FALSE(document.crosshairOn);
    QTest::keyClick(form.yBox(), Qt::Key_Escape);
    EXPECT_EQ(document.membersEntered, 0);
}

TEST_F(NewUser, TheLoadDialogPromisesDelOnlyWhereDelDeletes) {
    drawPortal(2, 6, 3, 6);
    choose(MenuCommand::LoadInput);
    QTest::keyClick(form.form2().Text1[1], Qt::Key_5);
    EXPECT_FALSE(form.hintLabel()->text().contains(QStringLiteral("Del")));
}

}  // namespace
