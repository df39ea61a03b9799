// The member property dialog driven through its real controls: lists,
// per-shape rows, sketches, the key filter and the write-back to a picked
// member.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>
#include <memory>

#include "dialogs/form3.h"
#include "dialogs/section_shapes.h"
#include "platform/test_platform.h"

namespace {

const QString kProgramFolder = QStringLiteral(ORVANDEL_PROGRAM_FOLDER);
const QString kCheckMessage = QStringLiteral("尺寸校核发现有错,重新修改数据");
const QString kDirectInput = QStringLiteral("直接输入截面积和惯性矩");

gj memberOf(const char* section, std::vector<float> dimensions) {
    gj member;
    member.材料 = "C30混凝土";
    member.断面 = section;
    member.尺寸 = std::move(dimensions);
    return member;
}

bool sameRecord(const gj& a, const gj& b) {
    return a.材料 == b.材料 && a.断面 == b.断面 && a.尺寸 == b.尺寸;
}

class Form3Test : public ::testing::Test {
protected:
    void SetUp() override {
        resizeMembers(document, 2);
        document.memberTotal = 2;
        document.membersEntered = 2;
        form = makeForm(kProgramFolder);
    }

    std::unique_ptr<Form3> makeForm(const QString& programFolder) {
        auto made = std::make_unique<Form3>(document, platform, programFolder, &editor);
        made->escapeToEditor = [this] { ++editorFocusCalls; };
        made->markedMember = [this] { return marked; };
        return made;
    }

    void showActive() {
        editor.show();
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    // What the user does when picking an entry from a list's popup.
    static void choose(QComboBox* list, const QString& entry) {
        const int index = list->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

    // Each row as "name value unit", or "hidden value"; a row whose three
    // controls disagree about being shown reads "torn".
    std::vector<QString> rows() const {
        std::vector<QString> described;
        for (int k = 1; k <= 5; ++k) {
            const bool hidden = form->Text1[k]->isHidden();
            if (form->Label3[k]->isHidden() != hidden ||
                form->Label3[k + 5]->isHidden() != hidden) {
                described.push_back("torn");
            } else if (hidden) {
                described.push_back("hidden " + form->Text1[k]->text());
            } else {
                described.push_back(form->Label3[k]->text() + ' ' + form->Text1[k]->text() + ' ' +
                                    form->Label3[k + 5]->text());
            }
        }
        return described;
    }

    void typeInto(int row, const char* keys) {
        form->Text1[row]->setFocus();
        QTest::keyClicks(form->Text1[row], keys);
    }

    Document document;
    TestPlatform platform;
    QWidget editor;
    std::unique_ptr<Form3> form;
    int editorFocusCalls = 0;
    std::int16_t marked = 0;
};

TEST_F(Form3Test, StartsWithFullListsAndTheDefaultRectangle) {
    EXPECT_EQ(form->windowTitle(), "杆件特性");
    ASSERT_EQ(form->Combo1->count(), 19);
    EXPECT_EQ(form->Combo1->itemText(0), "C15混凝土");
    EXPECT_EQ(form->Combo1->itemText(13), "C80混凝土");
    EXPECT_EQ(form->Combo1->itemText(14), "3号钢");
    EXPECT_EQ(form->Combo1->itemText(18), "15MnVq钢");
    ASSERT_EQ(form->Combo2->count(), 10);
    EXPECT_EQ(form->Combo2->itemText(0), "矩形");
    EXPECT_EQ(form->Combo2->itemText(8), "平I字形");
    EXPECT_EQ(form->Combo2->itemText(9), kDirectInput);
    EXPECT_EQ(form->Combo1->toolTip(), "选择材料");
    EXPECT_EQ(form->Combo2->toolTip(), "选择断面");
    EXPECT_EQ(form->Text1[3]->toolTip(), "输入数据");

    EXPECT_EQ(form->materialText(), "C30混凝土");
    EXPECT_EQ(form->sectionText(), "矩形");
    EXPECT_EQ(rows(),
              (std::vector<QString>{"b 0.25 m", "h 0.5 m", "hidden 0", "hidden 0", "hidden 0"}));
    EXPECT_EQ(form->dimensions(), (std::array<float, 5>{0.25f, 0.5f, 0, 0, 0}));
}

TEST_F(Form3Test, ChoosingAShapeLaysOutItsRowsWithItsDefaults) {
    choose(form->Combo2, "T形");
    EXPECT_EQ(rows(),
              (std::vector<QString>{"b1 0.2 m", "b 0.4 m", "h1 0.15 m", "h 0.6 m", "hidden 0"}));
    choose(form->Combo2, "平I字形");
    EXPECT_EQ(rows(),
              (std::vector<QString>{"b1 0.1 m", "b 0.35 m", "h1 0.08 m", "h2 0.08 m", "h 0.5 m"}));

    choose(form->Combo2, kDirectInput);
    EXPECT_EQ(rows(), (std::vector<QString>{"A 0.125 m2", "I 2.60416666666667E-03 m4", "hidden 0",
                                            "hidden 0", "hidden 0"}));
    EXPECT_TRUE(form->Image1->pixmap().isNull());
    EXPECT_EQ(form->dimensions()[1], 0.25f * 0.5f * 0.5f * 0.5f / 12);

    // The units of rows 1 and 2 return to metres with the next shape.
    choose(form->Combo2, "空心圆");
    EXPECT_EQ(rows(),
              (std::vector<QString>{"r1 0.2 m", "r 0.4 m", "hidden 0", "hidden 0", "hidden 0"}));
    EXPECT_FALSE(form->Image1->pixmap().isNull());
}

TEST_F(Form3Test, SketchesAreTheBuildsBitmapsOfTheProgramFolder) {
    for (const SectionShape& shape : sectionShapes()) {
        if (shape.sketchFile.empty()) {
            continue;
        }
        const QString file = kProgramFolder + '/' + QString::fromUtf8(shape.sketchFile);
        const QImage sketch(file);
        EXPECT_EQ(sketch.size(), QSize(122, 123)) << file.toStdString();
    }
    EXPECT_EQ(form->Image1->pixmap().size(), QSize(122, 123));

    // Without the bitmaps the dialog works on, with an empty sketch.
    form = makeForm(QStringLiteral("/nonexistent/folder"));
    EXPECT_TRUE(form->Image1->pixmap().isNull());
    choose(form->Combo2, "L形");
    EXPECT_TRUE(form->Image1->pixmap().isNull());
    EXPECT_EQ(rows()[3], "h 0.6 m");
}

TEST_F(Form3Test, FieldsTakeOnlyUnsignedDecimals) {
    showActive();
    form->Text1[1]->clear();
    typeInto(1, "-1,5ab/.2 E");
    EXPECT_EQ(form->Text1[1]->text(), "15.2");
    QTest::keyClick(form->Text1[1], Qt::Key_Backspace);
    EXPECT_EQ(form->Text1[1]->text(), "15.");
    EXPECT_EQ(form->dimensions()[0], 15.0f);
}

TEST_F(Form3Test, EnterCyclesThroughTheShownRows) {
    showActive();
    const auto enterIn = [this](int row) {
        form->Text1[row]->setFocus();
        QTest::keyClick(form->Text1[row], Qt::Key_Return);
        for (int k = 1; k <= 5; ++k) {
            if (form->Text1[k]->hasFocus()) {
                return k;
            }
        }
        return 0;
    };
    EXPECT_EQ(enterIn(1), 2);
    EXPECT_EQ(enterIn(2), 1);  // rows 3 to 5 hidden
    choose(form->Combo2, "I字形");
    EXPECT_EQ(enterIn(3), 4);
    EXPECT_EQ(enterIn(5), 1);
}

TEST_F(Form3Test, EscHandsTheKeyboardToTheEditorAndKeepsTheDialog) {
    showActive();
    for (QWidget* control :
         std::initializer_list<QWidget*>{form->Text1[2], form->Combo1, form->Combo2}) {
        control->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    }
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_EQ(editorFocusCalls, 4);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->Text1[2]->text(), "0.5");
}

TEST_F(Form3Test, ShowingAMemberDisplaysItWithoutWritingIt) {
    document.members[1] = memberOf("矩形", {0.25f, 0.5f, 0, 0, 0});
    document.members[2] = memberOf("直接输入截面积和惯性矩", {0.125f, 0.0026f, 0, 0, 0});
    document.members[2].材料 = "3号钢";
    const std::vector<gj> before = document.members;
    // Even with a pick, showing must not write back.
    document.memberPicked = true;
    marked = 1;

    form->ShowMemberProperties(1);
    EXPECT_EQ(rows(),
              (std::vector<QString>{"b .25 m", "h .5 m", "hidden 0", "hidden 0", "hidden 0"}));
    form->ShowMemberProperties(2);
    EXPECT_EQ(form->materialText(), "3号钢");
    EXPECT_EQ(rows(), (std::vector<QString>{"A .125 m2", "I .0026 m4", "hidden 0", "hidden 0",
                                            "hidden 0"}));
    EXPECT_TRUE(form->Image1->pixmap().isNull());

    // Names the lists lack still show; an unknown shape keeps the layout.
    document.members[1].材料 = "Q235";
    document.members[1].断面 = "箱形";
    form->ShowMemberProperties(1);
    EXPECT_EQ(form->materialText(), "Q235");
    EXPECT_EQ(form->sectionText(), "箱形");
    EXPECT_EQ(form->Label3[1]->text(), "A");

    for (const std::int16_t outside : {0, 3, -1}) {
        form->ShowMemberProperties(outside);
    }
    EXPECT_EQ(form->sectionText(), "箱形");
    EXPECT_TRUE(sameRecord(document.members[2], before[2]));
    EXPECT_EQ(document.members[1].尺寸, before[1].尺寸);
    EXPECT_TRUE(platform.calls.empty());
}

TEST_F(Form3Test, WithoutAMarkedPickEditsStayInTheDialog) {
    showActive();
    document.members[1] = memberOf("矩形", {0.3f, 0.6f, 0, 0, 0});
    const gj before = document.members[1];
    const auto editEverything = [this] {
        typeInto(1, "7");
        choose(form->Combo2, "T形");
        choose(form->Combo1, "16Mn钢");
    };

    editEverything();  // nothing picked: member input, or query before a right-click
    document.memberPicked = true;
    for (const std::int16_t outside : {0, 3}) {
        marked = outside;
        editEverything();
    }
    form->markedMember = nullptr;
    editEverything();

    EXPECT_TRUE(sameRecord(document.members[1], before));
    EXPECT_TRUE(platform.calls.empty());
}

TEST_F(Form3Test, PickedMemberIsCheckedAfterEveryKeyRelease) {
    showActive();
    document.members[2] = memberOf("空心圆", {0.2f, 0.4f, 0, 0, 0});
    form->ShowMemberProperties(2);
    document.memberPicked = true;
    marked = 2;

    form->Text1[1]->clear();
    typeInto(1, "0.55");  // inner diameter above the outer one from "0.5" on
    EXPECT_EQ(document.members[2].尺寸[0], 0.55f);
    EXPECT_EQ(platform.messages(), (QStringList{kCheckMessage, kCheckMessage}));
    EXPECT_EQ(platform.count(PlatformCall::Kind::Beep), 4);

    QTest::keyClick(form->Text1[1], Qt::Key_Backspace);
    QTest::keyClick(form->Text1[1], Qt::Key_Backspace);
    EXPECT_EQ(document.members[2].尺寸[0], 0.0f);  // "0." holds no message
    EXPECT_EQ(platform.messages().size(), 3);
    EXPECT_EQ(platform.count(PlatformCall::Kind::Beep), 6);
    EXPECT_EQ(document.members[2].断面, "空心圆");
    EXPECT_EQ(document.members[2].材料, "C30混凝土");
}

TEST_F(Form3Test, ChoicesForAPickedMemberAreWrittenAtOnce) {
    document.members[1] = memberOf("矩形", {0.3f, 0.6f, 0, 0, 0});
    document.memberPicked = true;
    marked = 1;

    choose(form->Combo2, "I字形");
    EXPECT_EQ(document.members[1].断面, "I字形");
    EXPECT_EQ(document.members[1].尺寸, (std::vector<float>{0.1f, 0.35f, 0.08f, 0.08f, 0.5f}));
    choose(form->Combo1, "15MnV钢");
    EXPECT_EQ(document.members[1].材料, "15MnV钢");
    EXPECT_EQ(platform.count(PlatformCall::Kind::Beep), 2);
    EXPECT_TRUE(platform.messages().isEmpty());
}

TEST_F(Form3Test, FirstShowingPutsTheDialogOnTopAtTheEditorsTopRight) {
    editor.setGeometry(40, 30, 500, 400);
    choose(form->Combo2, "T形");
    showActive();
    EXPECT_TRUE(form->StayOnTop());
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::Tool));
    // Below the editor's title bar, whose buttons stay free.
    EXPECT_EQ(form->frameGeometry().topRight(),
              QPoint(editor.frameGeometry().right(), editor.geometry().top()));
    EXPECT_EQ(form->sectionText(), "T形");  // no member input: the lists keep their state

    const QRect placed = form->geometry();
    form->setStayOnTop(false);
    form->setStayOnTop(true);
    EXPECT_EQ(form->geometry(), placed);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(Form3Test, TheWholeFrameIsPlacedOnTheScreen) {
    // An editor reaching past the screen's right edge and above its top.
    const QRect available = editor.screen()->availableGeometry();
    editor.setGeometry(available.right() - 400, available.top() - 50, 600, 400);
    showActive();
    EXPECT_TRUE(available.contains(form->frameGeometry()));
    EXPECT_EQ(form->frameGeometry().topRight(), QPoint(available.right(), available.top()));
}

TEST(Form3Placement, PutsTheTopRightCornerAtTheAnchorsInsideTheAvailableArea) {
    const QRect available(0, 40, 1920, 1000);  // a panel along the top
    const QSize frame(360, 200);
    // Room enough: the corners meet.
    EXPECT_EQ(frameAtTopRightOf(frame, QRect(100, 100, 800, 600), available),
              QRect(QPoint(540, 100), frame));
    // A maximized editor whose frame reaches beyond the area.
    EXPECT_EQ(frameAtTopRightOf(frame, QRect(-4, 36, 1928, 1008), available),
              QRect(QPoint(1560, 40), frame));
    // An editor near the bottom left keeps the dialog above the bottom edge.
    EXPECT_EQ(frameAtTopRightOf(frame, QRect(-300, 980, 400, 300), available),
              QRect(QPoint(0, 840), frame));
    // Too large for the area: its top left corner stays inside.
    EXPECT_EQ(frameAtTopRightOf(QSize(2000, 1100), QRect(0, 40, 800, 600), available).topLeft(),
              available.topLeft());
}

TEST_F(Form3Test, FieldsShowTheLongestValuesWhole) {
    showActive();
    choose(form->Combo2, kDirectInput);
    QLineEdit& field = *form->Text1[2];
    ASSERT_EQ(field.text(), "2.60416666666667E-03");
    // The line edit scrolls while painting when the text is wider than it;
    // a text shown whole starts and ends where the cursor does.
    const auto cursorX = [&field] {
        field.grab();
        return field.inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
    };
    const int start = cursorX();
    field.end(false);
    EXPECT_EQ(cursorX() - start, field.fontMetrics().horizontalAdvance(field.text()));
    // The unit labels and the sketch still clear the fields.
    EXPECT_LE(field.geometry().right(), form->Label3[7]->geometry().left());
    EXPECT_LE(form->Label3[7]->geometry().left() + 10, form->Image1->geometry().left());
    EXPECT_LE(form->Image1->geometry().right(), form->width());
}

TEST_F(Form3Test, TheWheelOverAClosedListChangesNothing) {
    document.members[1] = memberOf("矩形", {0.3f, 0.6f, 0, 0, 0});
    document.memberPicked = true;
    marked = 1;
    form->ShowMemberProperties(1);
    showActive();
    const auto turnWheel = [](QWidget* target) {
        QWheelEvent wheel(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
    };
    for (QComboBox* list : {form->Combo1, form->Combo2}) {
        turnWheel(list);
        turnWheel(list->lineEdit());
    }
    EXPECT_EQ(form->materialText(), "C30混凝土");
    EXPECT_EQ(form->sectionText(), "矩形");
    EXPECT_EQ(rows()[0], "b .3 m");
    EXPECT_EQ(document.members[1].尺寸, (std::vector<float>{0.3f, 0.6f, 0, 0, 0}));
    EXPECT_TRUE(platform.calls.empty());
}

TEST_F(Form3Test, PastedTextPassesTheKeyFilter) {
    showActive();
    QLineEdit& field = *form->Text1[1];
    field.setFocus();
    field.end(false);
    const auto paste = [&field](const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    };
    paste("-7");
    paste("1e5");
    EXPECT_EQ(field.text(), "0.25");
    paste("75");
    EXPECT_EQ(field.text(), "0.2575");
    // The program's own values are not typed and may hold any character.
    form->ShowMemberProperties(0);
    choose(form->Combo2, kDirectInput);
    EXPECT_EQ(form->Text1[2]->text(), "2.60416666666667E-03");
}

TEST_F(Form3Test, FirstShowingDuringMemberInputResetsTheDialog) {
    choose(form->Combo2, "T形");
    document.mode = EditorMode::MemberInput;
    form->show();
    EXPECT_EQ(form->sectionText(), "矩形");
    EXPECT_EQ(rows()[0], "b 0.25 m");
}

}  // namespace
