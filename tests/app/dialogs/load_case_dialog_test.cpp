// The list of load cases on its own: what a row says, and renaming, whose
// refusals leave the name as it was.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "dialogs/load_case_dialog.h"
#include "document/load_cases.h"
#include "platform/test_platform.h"

namespace {

TEST(LoadCaseDialog, RowsNameTheCurrentCaseAndRenamingIsChecked) {
    Document document;
    addLoadCase(document, "活载");
    addLoadCase(document, "风载");
    document.currentLoadCase = 2;
    TestPlatform platform;
    QWidget editor;
    LoadCaseDialog dialog(document, platform, &editor);
    int changes = 0;
    dialog.casesChanged = [&changes] { ++changes; };
    dialog.showCases();
    ASSERT_EQ(dialog.List1->count(), 3);
    EXPECT_EQ(dialog.List1->item(1)->text(), QStringLiteral("2  活载 (当前)"));
    EXPECT_EQ(dialog.List1->currentRow(), 1);

    platform.inputs = {QStringLiteral("a\"b"), QStringLiteral("风载"), QStringLiteral(" 恒载 ")};
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(dialog.RenameButton, Qt::LeftButton);
    }
    EXPECT_EQ(platform.messages(), (QStringList{"名称中不能有双引号", "已有同名的工况"}));
    EXPECT_EQ(document.loadCaseNames[1], "恒载");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(dialog.List1->item(1)->text(), QStringLiteral("2  恒载 (当前)"));
    QTest::mouseClick(dialog.RenameButton, Qt::LeftButton);  // the name kept
    EXPECT_EQ(changes, 1);
}

}  // namespace
