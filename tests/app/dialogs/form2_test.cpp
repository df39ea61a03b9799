// The load dialog driven through its real controls: preparing it for load
// input, giving loads to the marked member, the key filters, and load query
// with its edits and deletions, which only ever reach the member shown.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>
#include <memory>

#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "dialogs/load_list.h"
#include "platform/test_platform.h"

namespace {

const QString kProgramFolder = QStringLiteral(ORVANDEL_PROGRAM_FOLDER);
const QString kTooManyLoads = QStringLiteral("每根杆件荷载数不能多于55个!");
const QString kNoLoads = QStringLiteral("此杆件无荷载");

struct Load {
    const char* kind;
    float xq;
    float q;
};

// A horizontal member of the given length with the given loads.
gj memberOf(float length, std::initializer_list<Load> loads = {}) {
    gj member;
    member.x2 = length;
    for (const Load& load : loads) {
        appendLoad(loadsIn(member, 1), load.kind, load.xq, load.q);
    }
    return member;
}

std::vector<std::string> kindsOf(const gj& member) {
    return {member.hzlx.begin() + 1, member.hzlx.begin() + 1 + member.荷载数};
}

bool sameLoads(const gj& a, const gj& b) {
    return a.荷载数 == b.荷载数 && a.hzlx == b.hzlx && a.xq == b.xq && a.q == b.q;
}

QImage sketchFile(const char* name) {
    return QImage(kProgramFolder + '/' + name).convertToFormat(QImage::Format_RGB32);
}

class Form2Test : public ::testing::Test {
protected:
    void SetUp() override {
        resizeMembers(document, 3);
        document.memberTotal = 3;
        document.membersEntered = 3;
        for (std::size_t i = 1; i <= 3; ++i) {
            document.members[i] = memberOf(6);
        }
        form = makeForm(kProgramFolder);
    }

    std::unique_ptr<Form2> makeForm(const QString& programFolder) {
        auto made = std::make_unique<Form2>(document, platform, programFolder, &editor);
        made->escapeToEditor = [this] { ++editorFocusCalls; };
        made->markedMember = [this] { return marked; };
        made->showHint = [this](const QString& text) { hints.push_back(text); };
        return made;
    }

    void startLoadInput() {
        document.mode = EditorMode::LoadInput;
        form->输入荷载时窗体();
    }

    // A right press on member i in load query, as the editor makes it.
    void pickInQuery(std::int16_t i) {
        document.mode = EditorMode::LoadQuery;
        document.memberPicked = true;
        marked = i;
        form->show();
        form->ShowMemberLoads();
    }

    void giveLoadTo(std::int16_t i) {
        marked = i;
        form->AddLoadToMember();
        marked = 0;
    }

    static void choose(QComboBox* list, const QString& entry) {
        const int index = list->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

    void retype(int field, const char* keys) {
        form->Text1[field]->clear();
        QTest::keyClicks(form->Text1[field], keys);
    }

    bool positionShown() const { return !form->Text1[0]->isHidden() && !form->Label1->isHidden(); }

    bool switchShown() const { return !form->CheckBox1->isHidden() && !form->Label3->isHidden(); }

    QImage sketch() const {
        return form->Image1->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    }

    QStringList listEntries() const {
        QStringList entries;
        for (int k = 0; k < form->Combo1->count(); ++k) {
            entries << form->Combo1->itemText(k);
        }
        return entries;
    }

    int beeps() const { return platform.count(PlatformCall::Kind::Beep); }

    Document document;
    TestPlatform platform;
    QWidget editor;
    std::unique_ptr<Form2> form;
    int editorFocusCalls = 0;
    QStringList hints;
    std::int16_t marked = 0;
};

TEST_F(Form2Test, LoadInputStartsWithAUniformLoadOfOne) {
    pickInQuery(1);  // whatever the dialog showed before
    startLoadInput();
    EXPECT_EQ(form->windowTitle(), "荷载输入");
    EXPECT_EQ(listEntries(), (QStringList{"集中", "均布", "水平集中", "水平均布", "三角", "力偶"}));
    EXPECT_EQ(form->Combo1->currentText(), "均布");
    EXPECT_EQ(form->Text1[0]->text(), "1");
    EXPECT_EQ(form->Text1[1]->text(), "1");
    EXPECT_TRUE(switchShown());
    EXPECT_TRUE(form->CheckBox1->text().isEmpty());
    EXPECT_EQ(form->Label3->text(), "杆件全长布置荷载");
    EXPECT_EQ(form->Label5->text(), "kn,kn*m,kn/m");
    EXPECT_EQ(sketch(), sketchFile("hz2.bmp"));
    EXPECT_TRUE(form->StayOnTop());
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(form->isModal());
    // The captions fit between their neighbours in the dialog font.
    EXPECT_LT(form->Label5->geometry().right(), form->CheckBox1->geometry().left());
    EXPECT_LT(form->CheckBox1->geometry().right(), form->Label3->geometry().left() + 4);
    EXPECT_LE(form->Label3->geometry().right(), form->width());
    EXPECT_LE(form->Combo1->geometry().right(), form->width());
}

TEST_F(Form2Test, KindsShowTheirSketchAndSwitch) {
    startLoadInput();
    const struct {
        const char* kind;
        const char* file;
        bool fullLengthSwitch;
    } kinds[] = {{"集中", "hz1.bmp", false},     {"均布", "hz2.bmp", true},
                 {"水平集中", "hz3.bmp", false}, {"水平均布", "hz4.bmp", true},
                 {"三角", "hz5.bmp", true},      {"力偶", "hz6.bmp", false}};
    for (const auto& kind : kinds) {
        choose(form->Combo1, kind.kind);
        EXPECT_EQ(sketch(), sketchFile(kind.file)) << kind.kind;
        EXPECT_EQ(sketch().size(), QSize(257, 161)) << kind.kind;
        EXPECT_EQ(switchShown(), kind.fullLengthSwitch) << kind.kind;
    }
    EXPECT_EQ(form->Text1[0]->text(), "1");  // the values stay
    EXPECT_TRUE(hints.isEmpty());            // no hint outside load query
}

TEST_F(Form2Test, TheSwitchHidesThePositionOfDistributedKindsOnly) {
    startLoadInput();
    form->CheckBox1->click();
    EXPECT_FALSE(positionShown());
    EXPECT_TRUE(hints.isEmpty());  // Del deletes no load in load input: no hint says it does
    choose(form->Combo1, "集中");
    EXPECT_TRUE(positionShown());
    choose(form->Combo1, "三角");
    EXPECT_FALSE(positionShown());
    form->CheckBox1->click();
    EXPECT_TRUE(positionShown());
}

TEST_F(Form2Test, FullLengthAndOverlongPositionsBecomeTheLength) {
    document.members[2] = memberOf(5);
    startLoadInput();
    form->CheckBox1->click();
    form->Text1[0]->setText("2");
    giveLoadTo(1);
    EXPECT_EQ(document.members[1].xq[1], 6.0f);
    EXPECT_EQ(form->Text1[0]->text(), "6.000");

    // The checked switch has no effect on a concentrated load.
    choose(form->Combo1, "集中");
    retype(0, "8");
    giveLoadTo(2);
    EXPECT_EQ(document.members[2].xq[1], 5.0f);
    EXPECT_EQ(form->Text1[0]->text(), "5.000");
    retype(0, "5");
    giveLoadTo(2);
    retype(0, "2.5");
    giveLoadTo(2);
    EXPECT_EQ(document.members[2].xq[2], 5.0f);
    EXPECT_EQ(document.members[2].xq[3], 2.5f);
    EXPECT_EQ(form->Text1[0]->text(), "2.5");
    EXPECT_EQ(kindsOf(document.members[2]), (std::vector<std::string>{"集中", "集中", "集中"}));
    EXPECT_EQ(beeps(), 4);
}

TEST_F(Form2Test, TheStoredFullLengthIsReadBackFromThreeDecimals) {
    document.members[1] = memberOf(0.75f);
    document.members[2] = memberOf(4.12345f);
    startLoadInput();
    form->CheckBox1->click();
    giveLoadTo(1);
    EXPECT_EQ(form->Text1[0]->text(), ".750");
    EXPECT_EQ(document.members[1].xq[1], 0.75f);
    giveLoadTo(2);
    EXPECT_EQ(form->Text1[0]->text(), "4.123");
    EXPECT_EQ(document.members[2].xq[1], 4.123f);
}

TEST_F(Form2Test, AMemberCarriesAtMostFiftyFiveLoads) {
    startLoadInput();
    retype(1, "-2,5");
    for (int k = 1; k <= 55; ++k) {
        giveLoadTo(1);
    }
    EXPECT_EQ(document.members[1].荷载数, 55);
    EXPECT_EQ(document.members[1].q[55], -2.0f);  // the comma ends the number
    EXPECT_TRUE(platform.messages().isEmpty());
    const gj full = document.members[1];
    giveLoadTo(1);
    EXPECT_TRUE(sameLoads(document.members[1], full));
    EXPECT_EQ(platform.messages(), QStringList{kTooManyLoads});
    EXPECT_EQ(beeps(), 55);
}

TEST_F(Form2Test, AFirstLoadWritesEverySlot) {
    document.members[1].hzlx.resize(3, "x");  // as a short record might hold
    document.members[1].xq.assign(3, 9.0f);
    startLoadInput();
    giveLoadTo(1);
    const gj& member = document.members[1];
    ASSERT_EQ(member.hzlx.size(), 56u);
    ASSERT_EQ(member.xq.size(), 56u);
    ASSERT_EQ(member.q.size(), 56u);
    EXPECT_EQ(member.荷载数, 1);
    EXPECT_EQ(member.hzlx[1], "均布");
    EXPECT_EQ(member.xq[1], 1.0f);
    EXPECT_EQ(member.q[1], 1.0f);
    for (std::size_t k : {std::size_t{0}, std::size_t{2}, std::size_t{30}, std::size_t{55}}) {
        EXPECT_EQ(member.hzlx[k], " ") << k;
        EXPECT_EQ(member.xq[k], 0.0f) << k;
        EXPECT_EQ(member.q[k], 0.0f) << k;
    }
}

TEST_F(Form2Test, F12WithoutAMarkedMemberOnlyBeeps) {
    startLoadInput();
    const std::vector<gj> before = document.members;
    for (const std::int16_t outside : {0, 4, -1}) {
        giveLoadTo(outside);
    }
    // Outside load input the mark gives no load either.
    document.mode = EditorMode::None;
    giveLoadTo(1);
    for (std::size_t i = 1; i <= 3; ++i) {
        EXPECT_TRUE(sameLoads(document.members[i], before[i])) << i;
    }
    EXPECT_EQ(beeps(), 4);
    EXPECT_TRUE(platform.messages().isEmpty());
}

TEST_F(Form2Test, FieldsTakeOnlyTheirCharactersTypedOrPasted) {
    startLoadInput();
    form->show();
    retype(0, "-1,5ab/.2 E");
    EXPECT_EQ(form->Text1[0]->text(), "15.2");
    retype(1, "-1,5ab/.2 E");
    EXPECT_EQ(form->Text1[1]->text(), "-1,5.2");
    QTest::keyClick(form->Text1[1], Qt::Key_Return);
    QTest::keyClick(form->Text1[1], Qt::Key_Backspace);
    EXPECT_EQ(form->Text1[1]->text(), "-1,5.");
    EXPECT_TRUE(hints.isEmpty());  // the Del hints belong to load query

    const auto paste = [](QLineEdit* field, const QString& text) {
        field->setFocus();
        field->end(false);
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    };
    paste(form->Text1[0], "-3");
    paste(form->Text1[0], "1e5");
    EXPECT_EQ(form->Text1[0]->text(), "15.2");
    paste(form->Text1[1], "-3");
    EXPECT_EQ(form->Text1[1]->text(), "-1,5.-3");
    EXPECT_FALSE(form->Text1[0]->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_FALSE(form->Text1[1]->testAttribute(Qt::WA_InputMethodEnabled));
}

TEST_F(Form2Test, TheListTakesNoTypingAndNoWheel) {
    startLoadInput();
    form->show();
    QTest::keyClicks(form->Combo1, "s ");
    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("三"));
    QApplication::sendEvent(form->Combo1, &typed);
    EXPECT_EQ(form->Combo1->currentText(), "均布");
    QWheelEvent wheel(QPointF(5, 5), form->Combo1->mapToGlobal(QPointF(5, 5)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(form->Combo1, &wheel);
    EXPECT_EQ(form->Combo1->currentText(), "均布");
    EXPECT_EQ(sketch(), sketchFile("hz2.bmp"));
}

TEST_F(Form2Test, EscHandsTheKeyboardToTheEditorAndKeepsTheDialog) {
    startLoadInput();
    form->show();
    for (QWidget* control : std::initializer_list<QWidget*>{form->Text1[0], form->Text1[1],
                                                            form->Combo1, form->CheckBox1}) {
        QTest::keyClick(control, Qt::Key_Escape);
    }
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_EQ(editorFocusCalls, 5);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->CheckBox1->isChecked());
}

TEST_F(Form2Test, AClickOnTheDialogTakesTheKeyboardInTheLoadCommandsOnly) {
    editor.show();
    form->show();
    const auto clickDialogAfterEditor = [this] {
        editor.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&editor));
        QTest::mouseClick(form.get(), Qt::LeftButton, {}, QPoint(2, 2));
        return QTest::qWaitFor([this] { return QApplication::activeWindow() == form.get(); }, 200);
    };
    EXPECT_FALSE(clickDialogAfterEditor());
    document.mode = EditorMode::LoadQuery;
    EXPECT_TRUE(clickDialogAfterEditor());
}

TEST_F(Form2Test, QueryShowsTheLoadsAndTheChosenOne) {
    document.members[2] = memberOf(6, {{"集中", 2, 10}, {"均布", 6, 5}});
    pickInQuery(2);
    EXPECT_EQ(form->windowTitle(), "查询修改荷载");
    EXPECT_EQ(listEntries(), (QStringList{"集中", "均布"}));
    EXPECT_EQ(form->Combo1->currentText(), "集中");
    EXPECT_EQ(sketch(), sketchFile("hz1.bmp"));
    EXPECT_FALSE(switchShown());
    EXPECT_TRUE(positionShown());
    EXPECT_EQ(form->Text1[0]->text(), "2");
    EXPECT_EQ(form->Text1[1]->text(), "10");
    EXPECT_EQ(document.shownLoadIndex, 1);

    choose(form->Combo1, "均布");
    EXPECT_EQ(sketch(), sketchFile("hz2.bmp"));
    EXPECT_TRUE(switchShown());
    EXPECT_EQ(form->Text1[0]->text(), "6.000");
    EXPECT_EQ(form->Text1[1]->text(), "5");
    EXPECT_EQ(document.shownLoadIndex, 2);
    EXPECT_EQ(hints, QStringList{"击Del键删除此荷载"});
    EXPECT_TRUE(platform.calls.empty());
}

TEST_F(Form2Test, AFullLengthFirstLoadShowsTheSwitchChecked) {
    document.members[1] = memberOf(4.5f, {{"三角", 4.5f, -2.5f}, {"集中", 1, 1}});
    document.members[2] = memberOf(4.5f, {{"三角", 4, 3}});
    pickInQuery(1);
    EXPECT_TRUE(form->CheckBox1->isChecked());
    EXPECT_FALSE(positionShown());
    EXPECT_EQ(form->Text1[1]->text(), "-2.5");
    // Choosing a load keeps the switch as it was.
    choose(form->Combo1, "集中");
    EXPECT_TRUE(form->CheckBox1->isChecked());
    EXPECT_TRUE(positionShown());
    EXPECT_EQ(form->Text1[0]->text(), "1.000");

    pickInQuery(2);
    EXPECT_FALSE(form->CheckBox1->isChecked());
    EXPECT_TRUE(positionShown());
    EXPECT_EQ(form->Text1[0]->text(), "4");
}

TEST_F(Form2Test, EditsAreWrittenToTheShownLoadAtOnce) {
    document.members[1] = memberOf(6, {{"集中", 2, 10}, {"均布", 3, 5}});
    pickInQuery(1);
    choose(form->Combo1, "均布");
    retype(0, "9");
    EXPECT_EQ(form->Text1[0]->text(), "6.000");
    EXPECT_EQ(document.members[1].xq[2], 6.0f);
    retype(0, "2.25");
    retype(1, "-7.5");
    EXPECT_EQ(document.members[1].xq[2], 2.25f);
    EXPECT_EQ(document.members[1].q[2], -7.5f);
    EXPECT_EQ(kindsOf(document.members[1]), (std::vector<std::string>{"集中", "均布"}));
    EXPECT_EQ(document.members[1].xq[1], 2.0f);
    EXPECT_EQ(beeps(), 1 + 4 + 4);

    // With the switch checked any edit makes the load full length.
    form->CheckBox1->click();
    retype(1, "3");
    EXPECT_EQ(document.members[1].xq[2], 6.0f);
    EXPECT_EQ(document.members[1].q[2], 3.0f);
}

TEST_F(Form2Test, DelMovesTheLastLoadIntoTheGap) {
    document.members[1] = memberOf(6, {{"集中", 1, 10}, {"均布", 2, 20}, {"力偶", 3, 30}});
    pickInQuery(1);
    QTest::keyClick(form->Combo1, Qt::Key_Delete);
    const gj& member = document.members[1];
    EXPECT_EQ(kindsOf(member), (std::vector<std::string>{"力偶", "均布"}));
    EXPECT_EQ(member.xq[1], 3.0f);
    EXPECT_EQ(member.q[1], 30.0f);
    EXPECT_EQ(member.hzlx[3], "");
    EXPECT_EQ(member.xq[3], 0.0f);
    EXPECT_EQ(member.q[3], 0.0f);
    EXPECT_EQ(listEntries(), (QStringList{"力偶", "均布"}));
    EXPECT_EQ(form->Text1[1]->text(), "30");
    EXPECT_EQ(document.shownLoadIndex, 1);
    EXPECT_EQ(beeps(), 1);

    // Del does nothing in load input.
    document.mode = EditorMode::LoadInput;
    QTest::keyClick(form->Combo1, Qt::Key_Delete);
    EXPECT_EQ(document.members[1].荷载数, 2);
}

TEST_F(Form2Test, DeletingTheOnlyLoadHidesTheDialog) {
    document.members[3] = memberOf(6, {{"水平集中", 1, 10}});
    pickInQuery(3);
    ASSERT_TRUE(form->isVisible());
    form->DeleteShownLoad();
    EXPECT_EQ(document.members[3].荷载数, 0);
    EXPECT_EQ(platform.messages(), QStringList{kNoLoads});
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(beeps(), 1);
}

TEST(LoadList, DeletingLoadTwoOfFourLeavesTheLastInItsPlace) {
    gj member = memberOf(6, {{"集中", 1, 1}, {"均布", 2, 2}, {"三角", 3, 3}, {"力偶", 4, 4}});
    removeLoad(loadsIn(member, 1), 2);
    EXPECT_EQ(kindsOf(member), (std::vector<std::string>{"集中", "力偶", "三角"}));
    removeLoad(loadsIn(member, 1), 3);
    EXPECT_EQ(kindsOf(member), (std::vector<std::string>{"集中", "力偶"}));
    EXPECT_EQ(member.xq[2], 4.0f);
    EXPECT_EQ(member.hzlx[3], "");
    EXPECT_EQ(member.hzlx[4], "");
    EXPECT_EQ(member.xq.size(), 56u);
}

// The list may show another member's loads, or no chosen load: then
// nothing is written and nothing deleted, whatever the user does.
TEST_F(Form2Test, OnlyTheMemberWhoseLoadsAreShownIsEverChanged) {
    document.members[1] = memberOf(6, {{"集中", 2, 10}, {"均布", 3, 5}});
    document.members[2] = memberOf(6, {{"集中", 1, 1}, {"集中", 1, 1}});
    pickInQuery(1);
    const std::vector<gj> before = document.members;
    const auto tryEverything = [this] {
        retype(0, "4");
        retype(1, "8");
        QTest::keyClick(form->Combo1, Qt::Key_Delete);
    };
    // A right press on member 3, which has no loads: the editor tells the
    // user and leaves the dialog as it was.
    marked = 3;
    tryEverything();
    // Member 2 marked but never listed.
    marked = 2;
    tryEverything();
    choose(form->Combo1, "均布");
    tryEverything();
    EXPECT_EQ(form->Text1[0]->text(), "4");  // member 2's load 2 was not shown
    // No member marked.
    marked = 0;
    tryEverything();
    // No load chosen.
    marked = 1;
    for (const std::int16_t index : {0, 3, -1}) {
        document.shownLoadIndex = index;
        tryEverything();
    }
    for (std::size_t i = 1; i <= 3; ++i) {
        EXPECT_TRUE(sameLoads(document.members[i], before[i])) << i;
    }
    EXPECT_EQ(beeps(), 0);
}

TEST_F(Form2Test, AfterThePickIsReleasedEditsChangeNothing) {
    document.members[1] = memberOf(6, {{"集中", 2, 10}});
    pickInQuery(1);
    document.memberPicked = false;
    const gj before = document.members[1];
    retype(0, "4");
    retype(1, "8");
    QTest::keyClick(form->Combo1, Qt::Key_Delete);
    EXPECT_TRUE(sameLoads(document.members[1], before));
    EXPECT_EQ(beeps(), 0);
    // A new right press refills and edits again.
    pickInQuery(1);
    retype(1, "8");
    EXPECT_EQ(document.members[1].q[1], 8.0f);
}

TEST_F(Form2Test, WithoutTheBitmapsTheDialogWorksOn) {
    form = makeForm(QStringLiteral("/nonexistent/folder"));
    startLoadInput();
    EXPECT_TRUE(form->Image1->pixmap().isNull());
    choose(form->Combo1, "集中");
    EXPECT_FALSE(switchShown());
    giveLoadTo(1);
    EXPECT_EQ(document.members[1].荷载数, 1);
}

TEST_F(Form2Test, ItSitsBelowThePropertyDialogAtTheEditorsTopRight) {
    editor.setGeometry(40, 30, 700, 500);
    editor.show();
    Form3 propertyDialog(document, platform, kProgramFolder, &editor);
    propertyDialog.show();
    startLoadInput();
    form->show();
    const QRect available = editor.screen()->availableGeometry();
    EXPECT_EQ(form->frameGeometry().right(), editor.frameGeometry().right());
    EXPECT_EQ(form->frameGeometry().top(), propertyDialog.frameGeometry().bottom() + 1);
    EXPECT_TRUE(available.contains(form->frameGeometry()));

    // An editor reaching past the screen's bottom right keeps it inside.
    auto second = makeForm(kProgramFolder);
    editor.setGeometry(available.right() - 300, available.bottom() - 200, 600, 400);
    second->show();
    EXPECT_TRUE(available.contains(second->frameGeometry()));
}

}  // namespace
