// The help window of QtPlatform and the help document of the program
// folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QUrl>

#include "platform/help_viewer.h"
#include "platform/qt_platform.h"

namespace {

// A document long enough to scroll, with an index at its top and a section
// far below it.
QString longDocument(const QString& marker) {
    QString html = QStringLiteral(
                       "<html><body><h1 id=\"index\">目录 %1</h1>"
                       "<p><a href=\"#last\">最后一节</a></p>")
                       .arg(marker);
    for (int k = 0; k < 300; ++k) {
        html += QStringLiteral("<p>第 %1 段</p>").arg(k);
    }
    return html + QStringLiteral("<h2 id=\"last\">最后一节</h2><p>结束</p></body></html>");
}

void writeFile(const QString& path, const QString& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8());
}

int helpWindowsShown() {
    int shown = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        shown += dynamic_cast<HelpViewer*>(widget) != nullptr && widget->isVisible();
    }
    return shown;
}

// Answers the next message box and notes what it said.
struct MessageSeen {
    MessageSeen() {
        QTimer::singleShot(0, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            text = box->text();
            title = box->windowTitle();
            icon = box->icon();
            box->accept();
        });
    }
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

int scrollPosition(const HelpViewer& viewer) {
    return viewer.browser()->verticalScrollBar()->value();
}

void deleteClosedWindows() {
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class HelpWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        helpFile = folder.filePath("help.html");
        writeFile(helpFile, longDocument("一"));
    }
    QTemporaryDir folder;
    QString helpFile;
};

TEST_F(HelpWindow, OpensTheDocumentAtItsIndex) {
    QtPlatform platform;
    platform.showHelp(helpFile);
    HelpViewer* viewer = platform.helpViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(viewer->windowTitle().contains(QStringLiteral("帮助")));
    EXPECT_EQ(viewer->browser()->source(), QUrl::fromLocalFile(helpFile));
    EXPECT_TRUE(viewer->browser()->toPlainText().startsWith(QStringLiteral("目录 一")));
    EXPECT_GT(viewer->browser()->verticalScrollBar()->maximum(), 0) << "the test needs a long page";
    EXPECT_EQ(scrollPosition(*viewer), 0);
    EXPECT_EQ(viewer->browser()->textCursor().position(), 0);
}

TEST_F(HelpWindow, ASecondCallRaisesTheSameWindowBackAtTheIndex) {
    QtPlatform platform;
    platform.showHelp(helpFile);
    HelpViewer* viewer = platform.helpViewer();
    ASSERT_NE(viewer, nullptr);
    viewer->browser()->scrollToAnchor("last");
    ASSERT_GT(scrollPosition(*viewer), 0);

    // The document changed meanwhile: the window shows it as it is now.
    writeFile(helpFile, longDocument("二"));
    platform.showHelp(helpFile);
    EXPECT_EQ(platform.helpViewer(), viewer);
    EXPECT_EQ(helpWindowsShown(), 1);
    EXPECT_EQ(scrollPosition(*viewer), 0);
    EXPECT_TRUE(viewer->browser()->toPlainText().startsWith(QStringLiteral("目录 二")));
}

TEST_F(HelpWindow, AMinimisedWindowIsShownAgain) {
    QtPlatform platform;
    platform.showHelp(helpFile);
    HelpViewer* viewer = platform.helpViewer();
    ASSERT_NE(viewer, nullptr);
    viewer->showMinimized();
    platform.showHelp(helpFile);
    EXPECT_FALSE(viewer->windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(viewer->isVisible());
}

TEST_F(HelpWindow, CloseHelpClosesTheWindow) {
    QtPlatform platform;
    platform.closeHelp();  // nothing open: nothing happens
    platform.showHelp(helpFile);
    QPointer<HelpViewer> viewer = platform.helpViewer();
    ASSERT_NE(viewer, nullptr);
    platform.closeHelp();
    EXPECT_TRUE(viewer.isNull() || !viewer->isVisible());
    deleteClosedWindows();
    EXPECT_TRUE(viewer.isNull());
    EXPECT_EQ(platform.helpViewer(), nullptr);
    EXPECT_EQ(helpWindowsShown(), 0);

    // A later call opens a new window.
    platform.showHelp(helpFile);
    ASSERT_NE(platform.helpViewer(), nullptr);
    EXPECT_TRUE(platform.helpViewer()->isVisible());
}

TEST_F(HelpWindow, AWindowClosedByTheUserIsOpenedAgain) {
    QtPlatform platform;
    platform.showHelp(helpFile);
    ASSERT_NE(platform.helpViewer(), nullptr);
    platform.helpViewer()->close();
    deleteClosedWindows();
    EXPECT_EQ(platform.helpViewer(), nullptr);
    platform.showHelp(helpFile);
    ASSERT_NE(platform.helpViewer(), nullptr);
    EXPECT_EQ(helpWindowsShown(), 1);
}

TEST_F(HelpWindow, AMissingFileIsReportedAndOpensNoWindow) {
    QtPlatform platform;
    const QString missing = folder.filePath("nowhere/help.html");
    MessageSeen seen;
    platform.showHelp(missing);
    EXPECT_TRUE(seen.text.contains(QStringLiteral("找不到帮助文档")));
    EXPECT_TRUE(seen.text.contains(QStringLiteral("nowhere")));
    EXPECT_EQ(seen.title, QStringLiteral("帮助"));
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(platform.helpViewer(), nullptr);
    EXPECT_EQ(helpWindowsShown(), 0);
}

TEST_F(HelpWindow, AFolderOrAnEmptyFileIsNoDocument) {
    QtPlatform platform;
    {
        MessageSeen seen;
        platform.showHelp(folder.path());
        EXPECT_FALSE(seen.text.isEmpty());
    }
    const QString empty = folder.filePath("empty.html");
    writeFile(empty, QString());
    {
        MessageSeen seen;
        platform.showHelp(empty);
        EXPECT_FALSE(seen.text.isEmpty());
    }
    EXPECT_EQ(helpWindowsShown(), 0);
}

TEST_F(HelpWindow, AFileGoneWhileTheWindowIsOpenClosesIt) {
    QtPlatform platform;
    platform.showHelp(helpFile);
    ASSERT_NE(platform.helpViewer(), nullptr);
    ASSERT_TRUE(QFile::remove(helpFile));
    MessageSeen seen;
    platform.showHelp(helpFile);
    EXPECT_FALSE(seen.text.isEmpty());
    deleteClosedWindows();
    EXPECT_EQ(helpWindowsShown(), 0);
}

TEST_F(HelpWindow, LinksWithinTheDocumentMoveToTheirSection) {
    HelpViewer viewer;
    ASSERT_TRUE(viewer.open(helpFile));
    viewer.show();
    QTextBrowser* browser = viewer.browser();
    // The browser reports links resolved against the document.
    emit browser->anchorClicked(QUrl::fromLocalFile(helpFile).resolved(QUrl("#last")));
    const int atLast = scrollPosition(viewer);
    EXPECT_GT(atLast, 0);
    viewer.showIndex();
    EXPECT_EQ(scrollPosition(viewer), 0);
    emit browser->anchorClicked(QUrl("#last"));
    EXPECT_EQ(scrollPosition(viewer), atLast);
}

TEST_F(HelpWindow, OtherLinksOpenNothing) {
    HelpViewer viewer;
    ASSERT_TRUE(viewer.open(helpFile));
    viewer.show();
    QTextBrowser* browser = viewer.browser();
    EXPECT_FALSE(browser->openLinks());
    EXPECT_FALSE(browser->openExternalLinks());
    const QString text = browser->toPlainText();
    const QString other = folder.filePath("other.html");
    writeFile(other, QStringLiteral("<p>别的文件</p>"));
    for (const QUrl& link : {QUrl("https://example.org/#last"), QUrl::fromLocalFile(other),
                             QUrl("mailto:someone@example.org")}) {
        emit browser->anchorClicked(link);
        EXPECT_EQ(browser->source(), QUrl::fromLocalFile(helpFile))
            << link.toString().toStdString();
        EXPECT_EQ(browser->toPlainText(), text);
        EXPECT_EQ(scrollPosition(viewer), 0);
    }
}

// The help document the build puts into the program folder.
class HelpDocument : public ::testing::Test {
protected:
    static QString path() { return QStringLiteral(ORVANDEL_PROGRAM_FOLDER "/help.html"); }

    void SetUp() override {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path().toStdString();
        html = QString::fromUtf8(file.readAll());
        document.setHtml(html);
        text = document.toPlainText();
    }

    // Every anchor name of the document, and every link target.
    void collectAnchors(QSet<QString>& names, QStringList& links) const {
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                for (const QString& name : format.anchorNames()) {
                    names.insert(name);
                }
                if (format.isAnchor() && !format.anchorHref().isEmpty()) {
                    links << format.anchorHref();
                }
            }
        }
    }

    QString html;
    QTextDocument document;
    QString text;
};

TEST_F(HelpDocument, IsAPlainHtmlDocumentWithAnIndexFirst) {
    EXPECT_FALSE(text.trimmed().isEmpty());
    EXPECT_FALSE(html.contains(QStringLiteral("<script"), Qt::CaseInsensitive));
    EXPECT_TRUE(document.firstBlock().text().contains(QStringLiteral("目录")));
    EXPECT_EQ(document.metaInformation(QTextDocument::DocumentTitle),
              QStringLiteral("Orvandel 帮助"));
}

TEST_F(HelpDocument, EveryLinkLeadsToASectionOfTheDocument) {
    QSet<QString> names;
    QStringList links;
    collectAnchors(names, links);
    EXPECT_TRUE(names.contains("index"));
    EXPECT_GE(links.size(), 20);
    for (const QString& link : links) {
        ASSERT_TRUE(link.startsWith('#')) << link.toStdString();
        EXPECT_TRUE(names.contains(link.mid(1))) << link.toStdString();
    }
    // Each section of the index can be reached.
    for (const char* section :
         {"overview",    "units",     "coordinates",  "member-axes",   "load-signs", "supports",
          "menus",       "menu-file", "menu-members", "menu-supports", "menu-loads", "menu-compute",
          "menu-window", "menu-help", "keys",         "menu-edit",     "properties", "load-dialog",
          "results",     "diagrams",  "example",      "messages"}) {
        EXPECT_TRUE(links.contains(QStringLiteral("#") + section)) << section;
    }
}

TEST_F(HelpDocument, ExplainsEveryMenuCommand) {
    const QStringList captions = {"文件",
                                  "新建",
                                  "打开",
                                  "保存",
                                  "另存",
                                  "退出",
                                  "杆件",
                                  "杆件总数",
                                  "输入杆件",
                                  "删除杆件",
                                  "杆件查询修改",
                                  "不同材料分色显示",
                                  "不同尺寸分色显示",
                                  "不同断面分色显示",
                                  "查看杆件节点编号",
                                  "杆件体系支座",
                                  "鼠标指定固端",
                                  "鼠标指定水平单铰",
                                  "鼠标指定竖向单铰",
                                  "鼠标指定双铰",
                                  "删除支座",
                                  "荷载",
                                  "输入荷载",
                                  "荷载查询修改",
                                  "计算",
                                  "内力位移计算",
                                  "弯矩图",
                                  "剪力图",
                                  "轴力图",
                                  "内力图显示比例",
                                  "窗口",
                                  "平移",
                                  "放大",
                                  "缩小",
                                  "绘图窗口颜色",
                                  "十字光标颜色",
                                  "帮助",
                                  "帮助文档",
                                  "编辑",
                                  "撤销",
                                  "重做"};
    for (const QString& caption : captions) {
        // A command's own row in a table of commands starts with its caption.
        EXPECT_TRUE(text.contains(caption + "\n") || text.contains("\n" + caption))
            << caption.toStdString();
    }
}

TEST_F(HelpDocument, ExplainsEveryKey) {
    for (const char* key : {"Space", "F3", "F8", "F12", "Esc", "Del", "Enter", "Tab", "Ctrl+Z",
                            "Ctrl+Y", "Ctrl+S", "Ctrl+O"}) {
        EXPECT_TRUE(text.contains(QString::fromLatin1(key))) << key;
    }
}

TEST_F(HelpDocument, ExplainsUnitsLoadsSupportsAndResults) {
    for (const char* term :
         {"kN",
          "kN/m",
          "kN·m",
          "N/mm²",
          "1000",
          "集中",
          "均布",
          "水平集中",
          "水平均布",
          "三角",
          "力偶",
          "局部 +y",
          "局部 −x",
          "固端",
          "双铰",
          "水平单铰",
          "竖向单铰",
          ".mqn",
          ".uva",
          "杆号 左号　右号　左端轴力　左端剪力　左端弯矩　右端轴力　右端剪力　右端弯矩",
          "杆件全长布置荷载",
          "黑短线"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(term))) << term;
    }
}

TEST_F(HelpDocument, QuotesTheProgramsMessagesExactly) {
    for (const char* message :
         {"先输入杆件总数", "杆件已全部输入完毕", "断面尺寸校核发现错误", "先输入完杆件",
          "杆件画完后再输入荷载!", "杆件画完后再查询荷载!", "每根杆件荷载数不能多于55个!",
          "此杆件无荷载", "杆件画完,荷载输完后再计算!",
          "因无杆端约束或有杆件长度为0,不能计算,请检查",
          "移动鼠标捕捉杆端,捕捉成功后击鼠标左键定位,空格键变换支座方向",
          "输入内力图幅度,不能为0,一般情况<1", "请输入杆件总数", "注意:此总数在使用过程中不可更改",
          "已画N根杆件,杆件总数不能小于N", "计算的杆件内力结果,位移结果保存在",
          "十字光标划过即清除屏幕显示"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(message))) << message;
    }
}

TEST_F(HelpDocument, OpensInTheHelpWindow) {
    QtPlatform platform;
    platform.showHelp(path());
    ASSERT_NE(platform.helpViewer(), nullptr);
    EXPECT_EQ(platform.helpViewer()->browser()->toPlainText(), text);
    EXPECT_EQ(scrollPosition(*platform.helpViewer()), 0);
}

}  // namespace
