// The 文件 menu through the window: starting over, opening, saving and
// exiting, and the colours and help of the other menus.
#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "document/project_file.h"
#include "editor_fixture.h"

namespace {

class FileMenu : public EditorTest {
protected:
    QString path(const char* name) const { return scratch.filePath(QString::fromUtf8(name)); }
    // The title as the window manager shows it: "*" in place of "[*]"
    // while there is unsaved work.
    QString caption() const {
        QString title = form.windowTitle();
        return title.replace(QStringLiteral("[*]"),
                             form.isWindowModified() ? QStringLiteral("*") : QString());
    }

    // A portal with a support of every kind in both directions would need
    // eight nodes; this chain of five members has six.
    void drawChain() {
        startInput(QStringLiteral("5"));
        drawMember(2, 6, 2, 3);
        drawMember(2, 3, 6, 3);
        drawMember(6, 3, 6, 6);
        drawMember(6, 6, 9, 6);
        drawMember(9, 6, 9, 3);
        keyUp(Qt::Key_Escape);
    }
    void place(MenuCommand command, float x, float y, bool mirrored) {
        choose(command);
        if (mirrored != document.supportDirection) {
            keyUp(Qt::Key_Space);
        }
        click(x + 0.05f, y - 0.04f);
        keyUp(Qt::Key_Escape);
    }
    std::vector<LineShape> lines(LineGroup group) const {
        std::vector<LineShape> shapes;
        for (int i = 0; i < form.canvasModel().lineCount(group); ++i) {
            shapes.push_back(form.canvasModel().line(group, i));
        }
        return shapes;
    }
};

TEST_F(FileMenu, NewAsksOnlyWhenMembersAreDrawnAndNoKeepsThem) {
    choose(MenuCommand::New);
    EXPECT_TRUE(platform.messages().isEmpty());
    startInput(QStringLiteral("2"));
    drawMember(2, 2, 6, 2);
    keyUp(Qt::Key_Escape);
    platform.answers.push_back(MessageAnswer::No);
    choose(MenuCommand::New);
    EXPECT_EQ(platform.messages(), QStringList{QStringLiteral("你真的不保存现有数据吗?")});
    EXPECT_EQ(document.membersEntered, 1);
    EXPECT_TRUE(memberLine(1).loaded);
    // 打开 starts over first: No keeps the drawing and reads nothing.
    platform.answers.push_back(MessageAnswer::No);
    choose(MenuCommand::Open);
    EXPECT_EQ(platform.count(PlatformCall::Kind::OpenFile), 0);
    EXPECT_EQ(document.membersEntered, 1);

    platform.answers.push_back(MessageAnswer::Yes);
    choose(MenuCommand::New);
    EXPECT_EQ(document.membersEntered, 0);
    EXPECT_EQ(document.memberTotal, 0);
    EXPECT_FALSE(memberLine(1).loaded);
    EXPECT_TRUE(itemEnabled(MenuCommand::MemberTotal));
    EXPECT_EQ(form.hintLabel()->text(), QStringLiteral("提示:"));
    EXPECT_TRUE(caption().endsWith(QStringLiteral("/noname.tsd")));
}

TEST_F(FileMenu, SavingNeedsATotalAndSavingAsAMember) {
    choose(MenuCommand::Save);
    choose(MenuCommand::SaveAs);
    EXPECT_TRUE(platform.calls.empty());
    platform.inputs.push_back(QStringLiteral("2"));
    choose(MenuCommand::MemberTotal);
    choose(MenuCommand::SaveAs);
    EXPECT_EQ(platform.count(PlatformCall::Kind::SaveFile), 0);
}

TEST_F(FileMenu, CancellingOpenSaysItFailedAndAMalformedFileSaysWhy) {
    choose(MenuCommand::Open);
    EXPECT_EQ(platform.messages(), QStringList{QStringLiteral("打开文件失败")});
    QFile bad(path("bad.tsd"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("\"x\"\r\n");
    bad.close();
    platform.files.push_back(path("bad.tsd"));
    choose(MenuCommand::Open);
    ASSERT_EQ(platform.messages().size(), 2);
    EXPECT_TRUE(platform.messages().back().startsWith(QStringLiteral("打开文件失败\n")));
    EXPECT_TRUE(platform.messages().back().contains(QStringLiteral("bad.tsd")));
    EXPECT_EQ(document.memberTotal, 0);
}

TEST_F(FileMenu, AFailedSaveAsKeepsTheCaptionButTakesTheName) {
    startInput(QStringLiteral("1"));
    drawMember(2, 2, 6, 2);
    const QString before = caption();
    platform.files.push_back(path("missing/frame"));
    choose(MenuCommand::SaveAs);
    EXPECT_EQ(platform.messages(), QStringList{QStringLiteral("另存文件失败!")});
    EXPECT_EQ(caption(), before);
    EXPECT_EQ(QString::fromStdString(document.projectPath), path("missing/frame.tsd"));
}

// Everything a project holds comes back: members, loads, supports of each
// kind in both directions, colours, the zoomed view, the diagram scale;
// and the canvas shows the same lines.
TEST_F(FileMenu, ASavedFrameReopensAsItWas) {
    drawChain();
    place(MenuCommand::FixedEnd, 2, 6, true);
    place(MenuCommand::Pinned, 6, 6, false);
    place(MenuCommand::HorizontalLink, 9, 3, true);
    place(MenuCommand::VerticalLink, 9, 6, false);
    place(MenuCommand::Pinned, 2, 3, true);
    ASSERT_EQ(document.supportsPlaced, 5);
    document.members[2].荷载数 = 1;
    document.members[2].hzlx[1] = "均布";
    document.members[2].xq[1] = 4;
    document.members[2].q[1] = 12;
    platform.colours.push_back(0x00FFFF);
    choose(MenuCommand::CanvasColour);
    platform.colours.push_back(0x0000FF);
    choose(MenuCommand::CrosshairColour);
    choose(MenuCommand::ZoomIn);
    platform.inputs.push_back(QStringLiteral("0.05"));
    choose(MenuCommand::DiagramScale);

    platform.files.push_back(path("frame"));
    choose(MenuCommand::SaveAs);
    ASSERT_TRUE(platform.messages().isEmpty());
    EXPECT_TRUE(caption().endsWith(QStringLiteral("frame.tsd")));
    const std::string saved = projectFileText(document);
    std::vector<std::vector<LineShape>> shown;
    for (LineGroup group = 1; group < kLineGroupCount; ++group) {
        if (group != kCrosshairX && group != kCrosshairY &&
            std::find(kCaptureBox.begin(), kCaptureBox.end(), group) == kCaptureBox.end()) {
            shown.push_back(lines(group));
        }
    }

    choose(MenuCommand::New);  // everything saved: nothing to ask
    EXPECT_TRUE(platform.messages().isEmpty());
    platform.calls.clear();
    EXPECT_EQ(form.canvasModel().lineCount(kFixedSymbols), 1);  // the preview only
    platform.files.push_back(path("frame.tsd"));
    choose(MenuCommand::Open);
    ASSERT_TRUE(platform.messages().isEmpty()) << platform.messages().join(' ').toStdString();
    EXPECT_EQ(projectFileText(document), saved);
    EXPECT_TRUE(itemEnabled(MenuCommand::MemberTotal));
    EXPECT_EQ(document.supportsPlaced, 5);
    std::vector<std::vector<LineShape>> reopened;
    for (LineGroup group = 1; group < kLineGroupCount; ++group) {
        if (group != kCrosshairX && group != kCrosshairY &&
            std::find(kCaptureBox.begin(), kCaptureBox.end(), group) == kCaptureBox.end()) {
            reopened.push_back(lines(group));
        }
    }
    EXPECT_EQ(reopened, shown);
    EXPECT_EQ(form.canvasModel().line(kCrosshairX).colour, 0x0000FF);
    EXPECT_EQ(document.backColour, 0x00FFFF);
}

TEST_F(FileMenu, AHalfDrawnProjectCanBeDrawnOn) {
    startInput(QStringLiteral("3"));
    drawMember(2, 2, 6, 2);
    keyUp(Qt::Key_Escape);
    platform.files.push_back(path("half.tsd"));
    choose(MenuCommand::SaveAs);
    platform.answers.push_back(MessageAnswer::Yes);
    platform.files.push_back(path("half.tsd"));
    choose(MenuCommand::Open);
    EXPECT_EQ(document.membersEntered, 1);
    EXPECT_EQ(document.memberTotal, 3);
    choose(MenuCommand::MemberInput);
    drawMember(6, 2, 6, 5);
    EXPECT_EQ(document.membersEntered, 2);
    EXPECT_EQ(member(2).x1, 6.0f);
}

TEST_F(FileMenu, ClosingWithUnsavedWorkAsksAndNoKeepsTheWindow) {
    startInput(QStringLiteral("1"));
    drawMember(2, 2, 6, 2);
    platform.answers.push_back(MessageAnswer::No);
    QCloseEvent refused;
    QCoreApplication::sendEvent(&form, &refused);
    EXPECT_FALSE(refused.isAccepted());
    EXPECT_EQ(platform.count(PlatformCall::Kind::CloseHelp), 0);
    platform.files.push_back(path("saved.tsd"));
    choose(MenuCommand::SaveAs);
    QCloseEvent accepted;
    QCoreApplication::sendEvent(&form, &accepted);
    EXPECT_TRUE(accepted.isAccepted());
    EXPECT_EQ(platform.count(PlatformCall::Kind::MessageBox), 1);
    EXPECT_EQ(platform.count(PlatformCall::Kind::CloseHelp), 1);
}

// The view is saved with the project but is no change of it; a change of
// the model marks the caption, and Enter in the question keeps the work.
TEST_F(FileMenu, OnlyAChangeOfTheModelIsUnsavedWorkAndEnterKeepsIt) {
    drawFrame({{2, 2, 6, 2}});
    platform.files.push_back(path("frame.tsd"));
    choose(MenuCommand::SaveAs);
    choose(MenuCommand::ZoomIn);
    choose(MenuCommand::WholeFrame);
    EXPECT_FALSE(caption().endsWith(u'*'));
    choose(MenuCommand::New);
    platform.files.push_back(path("frame.tsd"));
    choose(MenuCommand::Open);
    choose(MenuCommand::ZoomOut);
    QCloseEvent untouched;
    QCoreApplication::sendEvent(&form, &untouched);
    EXPECT_TRUE(untouched.isAccepted());
    EXPECT_EQ(platform.count(PlatformCall::Kind::MessageBox), 0);
    // The dialogs start at the project: 另存 suggests its name, 打开 (below)
    // starts in its folder.
    const auto firstCall = [this](PlatformCall::Kind kind) {
        return *std::find_if(platform.calls.begin(), platform.calls.end(),
                             [kind](const PlatformCall& call) { return call.kind == kind; });
    };
    EXPECT_EQ(firstCall(PlatformCall::Kind::SaveFile).path,
              QStringLiteral(ORVANDEL_PROGRAM_FOLDER) + QStringLiteral("/noname.tsd"));

    choose(MenuCommand::MemberTotal);  // offers the total: the same answer changes nothing
    EXPECT_FALSE(caption().endsWith(u'*'));
    choose(MenuCommand::MemberInput);
    drawMember(6, 2, 6, 5);
    keyUp(Qt::Key_Escape);
    EXPECT_EQ(caption(), QStringLiteral("Orvandel - ") + path("frame.tsd") + u'*');
    choose(MenuCommand::New);  // unanswered: Enter on the default button
    EXPECT_EQ(platform.calls.back().buttons, MessageButtons::YesNoDefaultNo);
    EXPECT_EQ(document.membersEntered, 2);
    choose(MenuCommand::Undo);
    EXPECT_FALSE(caption().endsWith(u'*'));
    choose(MenuCommand::Redo);
    // Ctrl+S saves; not while a member is being drawn and the menus are closed.
    choose(MenuCommand::MemberInput);
    click(6, 5);
    QTest::keyClick(form.canvasWidget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(caption().endsWith(u'*'));
    keyUp(Qt::Key_Escape);
    keyUp(Qt::Key_Escape);
    QTest::keyClick(form.canvasWidget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(caption().endsWith(u'*'));
    EXPECT_EQ(document.membersEntered, 2);
    QTest::keyClick(form.canvasWidget(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(platform.messages().back(), QStringLiteral("打开文件失败"));  // cancelled
    const PlatformCall& opened = platform.calls.rbegin()[1];
    EXPECT_EQ(opened.kind, PlatformCall::Kind::OpenFile);
    EXPECT_EQ(opened.path, scratch.path());
}

TEST_F(FileMenu, ColoursAndHelp) {
    startInput(QStringLiteral("1"));
    drawMember(2, 2, 6, 2);
    keyUp(Qt::Key_Escape);
    choose(MenuCommand::ShowNumbers);
    platform.colours.push_back(std::nullopt);  // cancelled: nothing changes
    choose(MenuCommand::CrosshairColour);
    EXPECT_TRUE(form.canvasModel().printLog().empty());  // cleared all the same
    EXPECT_EQ(form.canvasModel().line(kCrosshairY).colour, 0xFF0000);
    platform.colours.push_back(0x00FF00);
    choose(MenuCommand::CrosshairColour);
    EXPECT_EQ(form.canvasModel().line(kCrosshairX).colour, 0x00FF00);
    EXPECT_EQ(form.canvasModel().line(kCrosshairY).colour, 0x00FF00);
    choose(MenuCommand::HelpDocument);
    ASSERT_EQ(platform.count(PlatformCall::Kind::ShowHelp), 1);
    EXPECT_TRUE(platform.calls.back().text.endsWith(QStringLiteral("/help.html")));
}

// The help's contents name every menu and every command of the window.
TEST_F(FileMenu, TheHelpContentsListEveryCommand) {
    QFile file(QStringLiteral(ORVANDEL_PROGRAM_FOLDER "/help.html"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    const QString contents = html.left(html.indexOf(QStringLiteral("<h2")));
    for (const MenuId id : {MenuId::File, MenuId::Edit, MenuId::Members, MenuId::Supports,
                            MenuId::Loads, MenuId::Analysis, MenuId::Window, MenuId::Help}) {
        EXPECT_TRUE(contents.contains(form.menu(id)->title()))
            << form.menu(id)->title().toStdString();
        for (const QAction* item : form.menu(id)->actions()) {
            EXPECT_TRUE(contents.contains(item->text())) << item->text().toStdString();
        }
    }
}

// A project written by a program that uses the Chinese code page opens
// like any other.
TEST_F(FileMenu, AGb18030ProjectOpens) {
    startInput(QStringLiteral("1"));
    drawMember(2, 2, 6, 2);
    keyUp(Qt::Key_Escape);
    const std::string utf8 = projectFileText(document);
    const QByteArray gb18030 =
        QStringEncoder("GB18030").isValid()
            ? QByteArray(QStringEncoder("GB18030")(QString::fromStdString(utf8)))
            : QByteArray();
    if (gb18030.isEmpty()) {
        GTEST_SKIP() << "no GB18030 encoder here";
    }
    ASSERT_NE(gb18030.toStdString(), utf8);  // the material and section names differ
    QFile file(path("gb.tsd"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(gb18030);
    file.close();
    platform.answers.push_back(MessageAnswer::Yes);
    platform.files.push_back(path("gb.tsd"));
    choose(MenuCommand::Open);
    EXPECT_EQ(platform.messages(), QStringList{QStringLiteral("你真的不保存现有数据吗?")});
    EXPECT_EQ(member(1).材料, "C30混凝土");
    EXPECT_EQ(member(1).断面, "矩形");
    EXPECT_EQ(projectFileText(document).size(), utf8.size());
}

}  // namespace
