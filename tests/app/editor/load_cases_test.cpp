// Load cases and combinations through the window: the dialogs' buttons,
// list and table driven by real clicks and keys, the input box and the
// question scripted. Loads, temperature changes and the drawing follow the
// current case; every change of the cases is one step.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

#include "dialogs/combination_dialog.h"
#include "dialogs/load_case_dialog.h"
#include "editor_fixture.h"
#include "modal_dialogs.h"

namespace {

class LoadCases : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        drawPortal(2, 6, 3, 6);
    }
    LoadCaseDialog& casesDialog() {
        choose(MenuCommand::LoadCases);
        return *dialogOf<LoadCaseDialog>(form);
    }
    void clickCase(LoadCaseDialog& dialog, int loadCase) {
        QListWidget& list = *dialog.List1;
        const QRect row = list.visualItemRect(list.item(loadCase - 1));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, row.center());
    }
    void makeCurrent(int loadCase) {
        LoadCaseDialog& dialog = casesDialog();
        clickCase(dialog, loadCase);
        QTest::mouseClick(dialog.CurrentButton, Qt::LeftButton);
        QTest::mouseClick(dialog.CloseButton, Qt::LeftButton);
    }
    void addCase(const char* name) {
        platform.inputs.push_back(QString::fromUtf8(name));
        QTest::mouseClick(casesDialog().AddButton, Qt::LeftButton);
    }
    std::size_t loadTexts() const {
        return form.canvasModel().figure(FigureLayer::Loads).texts.size();
    }
    QString undoCaption() const { return form.menuItem(MenuCommand::Undo)->text(); }
    void undo() { QTest::keyClick(form.canvasWidget(), Qt::Key_Z, Qt::ControlModifier); }
    // Types `text` into cell (row, column) of the table and presses Enter.
    void typeFactor(CombinationDialog& dialog, int row, int column, const QString& text) {
        dialog.Table1->setCurrentCell(row, column);
        dialog.Table1->editItem(dialog.Table1->item(row, column));
        auto* editor = dialog.Table1->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();  // the cell is written after the key
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the editor goes
    }
};

TEST_F(LoadCases, LoadsGoIntoTheCurrentCaseAndDeletingItAsksFirst) {
    addCase("  ");
    addCase("工况1");
    EXPECT_EQ(platform.messages(), (QStringList{"名称不能为空", "已有同名的工况"}));
    addCase("活载");
    EXPECT_EQ(document.loadCaseNames, (std::vector<std::string>{"工况1", "活载"}));
    EXPECT_EQ(undoCaption(), QStringLiteral("撤销 荷载工况"));
    makeCurrent(2);
    EXPECT_TRUE(form.windowTitle().endsWith(QStringLiteral(" - 当前工况: 活载")));

    choose(MenuCommand::LoadInput);
    giveLoad("均布", "1", "20", 4, 3);
    keyUp(Qt::Key_Escape);
    choose(MenuCommand::TemperatureChange);
    platform.inputs.push_back(QStringLiteral("10, 30"));
    click(4, 3.05f);
    keyUp(Qt::Key_Escape);
    const gj& beam = document.members[2];
    EXPECT_EQ(beam.荷载数 + beam.温度改变1, 0);
    ASSERT_EQ(beam.其他工况.size(), 1u);
    EXPECT_EQ(beam.其他工况[0].荷载数, 1);
    EXPECT_EQ(beam.其他工况[0].q[1], 20);
    EXPECT_EQ(beam.其他工况[0].温度改变2, 30);
    EXPECT_EQ(loadTexts(), 3u);  // the load and both faces
    makeCurrent(1);
    EXPECT_EQ(loadTexts(), 0u);

    LoadCaseDialog& dialog = casesDialog();
    clickCase(dialog, 1);
    QTest::mouseClick(dialog.DeleteButton, Qt::LeftButton);
    EXPECT_EQ(platform.messages().back(), QStringLiteral("第1个工况不能删除"));
    clickCase(dialog, 2);
    platform.answers = {MessageAnswer::No, MessageAnswer::Yes};
    for (const int casesLeft : {2, 1}) {
        QTest::mouseClick(dialog.DeleteButton, Qt::LeftButton);
        EXPECT_EQ(dialog.List1->count(), casesLeft);
    }
    EXPECT_TRUE(document.members[2].其他工况.empty());
    QTest::mouseClick(dialog.CloseButton, Qt::LeftButton);

    undo();
    EXPECT_EQ(document.members[2].其他工况.size(), 1u);
    undo();  // the temperature change
    undo();  // the load
    undo();  // the case added
    EXPECT_EQ(loadCaseCount(document), 1);
    EXPECT_FALSE(form.windowTitle().contains(QStringLiteral("当前工况")));
}

TEST_F(LoadCases, ACombinationsFactorsAreEditedInTheTable) {
    addCase("活载");
    choose(MenuCommand::LoadCombinations);
    auto& dialog = *dialogOf<CombinationDialog>(form);
    platform.inputs.push_back(QStringLiteral("基本"));
    QTest::mouseClick(dialog.AddButton, Qt::LeftButton);
    ASSERT_EQ(dialog.Table1->rowCount(), 1);
    EXPECT_EQ(dialog.Table1->item(0, 0)->text(), QStringLiteral("1"));
    typeFactor(dialog, 0, 1, QStringLiteral("-1.5"));
    EXPECT_EQ(document.combinations[0].terms,
              (std::vector<LoadCombination::Term>{{1, 1}, {2, -1.5f}}));
    EXPECT_EQ(undoCaption(), QStringLiteral("撤销 荷载组合"));

    for (const char* refused : {"abc", "nan", "1e39"}) {
        typeFactor(dialog, 0, 0, QString::fromUtf8(refused));
        EXPECT_EQ(platform.messages().back(), QStringLiteral("组合系数应为一个数"));
        EXPECT_EQ(dialog.Table1->item(0, 0)->text(), QStringLiteral("1"));
    }
    typeFactor(dialog, 0, 0, QString());
    typeFactor(dialog, 0, 1, QString());
    EXPECT_EQ(platform.messages().back(), QStringLiteral("组合中至少要有一个工况"));
    EXPECT_EQ(document.combinations[0].terms, (std::vector<LoadCombination::Term>{{2, -1.5f}}));
    choose(MenuCommand::Undo);  // the open table shows the state undone to
    EXPECT_EQ(dialog.Table1->item(0, 0)->text(), QStringLiteral("1"));
    EXPECT_EQ(document.combinations[0].terms.size(), 2u);
}

}  // namespace
