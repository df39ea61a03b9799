// The platform layer's pure parts and the scripted platform the window
// tests rely on.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <memory>

#include "platform/colours.h"
#include "platform/qt_platform.h"

namespace {

TEST(Platform, BarSeparatedFiltersBecomeQtFilters) {
    EXPECT_EQ(qtFileFilter("数据文件(*.tsd)|*.tsd"), "数据文件(*.tsd)");
    EXPECT_EQ(qtFileFilter("Projects|*.tsd|All files|*.*"), "Projects (*.tsd);;All files (*.*)");
    EXPECT_EQ(qtFileFilter(""), "");
}

TEST(Platform, ColourValuesKeepRedInTheLowByte) {
    EXPECT_EQ(toQColor(255), QColor(255, 0, 0));
    EXPECT_EQ(toQColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(toQColor(0x123456), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(toColourValue(QColor(0x56, 0x34, 0x12)), 0x123456);
    // A system colour reference maps to the palette, never to garbage.
    const QColor face = toQColor(static_cast<std::int32_t>(0x8000000F));
    EXPECT_TRUE(face.isValid());
    EXPECT_EQ(face, QApplication::palette().color(QPalette::Button));
}

// Shows a dialog of the platform and notes the width it was shown at.
class ShownWidth {
public:
    ShownWidth() {
        QTimer::singleShot(0, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            width = dialog->width();
            title = dialog->windowTitle();
            font = dialog->font();
            dialog->reject();
        });
    }
    int width = 0;
    QString title;
    QFont font;
};

TEST(QtPlatform, DialogsAreWideEnoughForTheirTitle) {
    const QString caption =
        QStringLiteral("读入的数据文件有错误，请检查杆件与节点数据之后重新计算");
    QtPlatform platform;
    {
        ShownWidth shown;
        platform.messageBox("?", MessageButtons::Ok, MessageIcon::None, caption);
        EXPECT_EQ(shown.title, caption);
        EXPECT_GE(shown.width, titleBarWidth(caption, shown.font));
    }
    {
        ShownWidth shown;
        EXPECT_EQ(platform.inputBox("杆件总数", caption, "3"), "");  // cancelled
        EXPECT_EQ(shown.title, caption);
        EXPECT_GE(shown.width, titleBarWidth(caption, shown.font));
    }
    // The title is measured in bold, with room for the decorations.
    QFont font = QApplication::font();
    font.setBold(true);
    EXPECT_GT(titleBarWidth(caption, QApplication::font()),
              QFontMetrics(font).horizontalAdvance(caption));
}

// A question whose Yes throws work away answers No to Enter and to Esc.
TEST(QtPlatform, EnterAndEscKeepTheWorkInTheDiscardQuestion) {
    QtPlatform platform;
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        QTimer::singleShot(0, [key] { QTest::keyClick(QApplication::activeModalWidget(), key); });
        EXPECT_EQ(platform.messageBox("?", MessageButtons::YesNoDefaultNo, MessageIcon::Question,
                                      "Orvandel"),
                  MessageAnswer::No);
    }
    QTimer::singleShot(0,
                       [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
    EXPECT_EQ(platform.messageBox("?", MessageButtons::YesNo, MessageIcon::Question, "Orvandel"),
              MessageAnswer::Yes);
}

TEST(QtPlatform, ChineseTranslationsCoverQtsOwnTexts) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(folder + "/qtbase_zh_CN.qm")) {
        GTEST_SKIP() << "Qt's Chinese translation is not installed";
    }
    ASSERT_TRUE(installChineseTranslations(*QApplication::instance()));

    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), "确定");
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "取消");
    QLineEdit field;
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList entries;
    for (const QAction* action : menu->actions()) {
        entries << action->text();
    }
    EXPECT_TRUE(entries.filter("粘贴").size() == 1) << entries.join(' ').toStdString();

    // The other tests run with Qt's own texts.
    for (QTranslator* translator : QApplication::instance()->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

}  // namespace
