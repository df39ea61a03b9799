// The drawing leaving the program: 导出图形 in its three formats, 打印, and
// the batch export, on the portal example through the real window.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QRegularExpression>
#include <QTabWidget>
#include <QXmlStreamReader>
#include <algorithm>
#include <sstream>

#include "batch/batch_export.h"
#include "canvas/drawing_export.h"
#include "dialogs/results_window.h"
#include "editor_fixture.h"

namespace {

class DrawingExportTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ASSERT_TRUE(scratch.isValid());
        project = scratch.filePath(QStringLiteral("portal.tsd"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(ORVANDEL_EXAMPLES "/portal.tsd"), project));
        ASSERT_TRUE(form.openProject(project));
        choose(MenuCommand::MomentDiagram);
    }
    QString inScratch(const char* name) const { return scratch.filePath(QString::fromUtf8(name)); }
    QByteArray exported(const char* name) {
        platform.files.push_back(inScratch(name));
        choose(MenuCommand::ExportDrawing);
        QFile file(inScratch(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static int pdfPages(const QByteArray& pdf) {
        return static_cast<int>(QString::fromLatin1(pdf).count(
            QRegularExpression(QStringLiteral("/Type\\s*/Page\\b"))));
    }
    QString project;
};

TEST_F(DrawingExportTest, TheSvgIsVectorsWithOnePathPerMemberDiagramAndItsValuesAsText) {
    QXmlStreamReader svg(exported("portal.svg"));
    int diagramPaths = 0;
    QStringList texts;
    QStringList strokes;  // of the groups open around the element read
    while (!svg.atEnd() && svg.readNext() != QXmlStreamReader::Invalid) {
        if (svg.isStartElement() && svg.name() == QLatin1String("g")) {
            strokes << svg.attributes().value(QLatin1String("stroke")).toString();
        } else if (svg.isEndElement() && svg.name() == QLatin1String("g")) {
            strokes.removeLast();
        } else if (svg.isStartElement() && svg.name() == QLatin1String("path")) {
            diagramPaths += strokes.contains(QStringLiteral("#800080")) ? 1 : 0;
        } else if (svg.isStartElement() && svg.name() == QLatin1String("text")) {
            texts << svg.readElementText();
        }
    }
    ASSERT_FALSE(svg.hasError()) << svg.errorString().toStdString();
    EXPECT_EQ(diagramPaths, document.membersEntered);
    // The end moments of portal.mqn, as the diagram labels them.
    for (const char* value : {"8.462", "31.884", "48.892", "31.455"}) {
        EXPECT_TRUE(texts.contains(QString::fromLatin1(value))) << value;
    }
    EXPECT_FALSE(QImage::fromData(exported("portal.svg")).isNull());
}

TEST_F(DrawingExportTest, PdfIsOnePageAndPngHasTheAskedSizeAndTheDiagramColour) {
    const QByteArray pdf = exported("portal.pdf");
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdfPages(pdf), 1);

    ASSERT_EQ(exportDrawing(form.canvasModel().scene(), inScratch("small.png"),
                            DrawingSize{QSize(640, 480), std::nullopt, Paper::A4}),
              std::nullopt);
    EXPECT_EQ(QImage(inScratch("small.png")).size(), QSize(640, 480));
    const QImage png = QImage::fromData(exported("portal.png"));
    ASSERT_EQ(png.width(), 2400);
    bool magenta = false;
    for (int y = 0; y < png.height() && !magenta; ++y) {
        for (int x = 0; x < png.width() && !magenta; ++x) {
            magenta = png.pixel(x, y) == qRgb(128, 0, 128);
        }
    }
    EXPECT_TRUE(magenta);
}

// The width of a PNG and the paper of a PDF are asked after the name, the
// last answer offered next time; an answer that is not one writes nothing.
TEST_F(DrawingExportTest, APngTakesTheWidthAskedAndAPdfItsPaper) {
    platform.inputs = {QStringLiteral("800")};
    EXPECT_EQ(QImage::fromData(exported("narrow.png")).width(), 800);
    EXPECT_EQ(platform.calls.back().text, QStringLiteral("图像宽度(像素, 1 到 8192):"));
    exported("again.png");
    EXPECT_EQ(QImage::fromData(exported("again.png")).width(), 800);

    platform.inputs = {QStringLiteral("a3")};
    const QByteArray a3 = exported("a3.pdf");
    EXPECT_TRUE(a3.contains("/MediaBox [0 0 1191.000000 842.000000]"));  // A3 in points
    EXPECT_EQ(pdfPages(a3), 1);

    for (const char* wrong : {"0", "9000", "wide"}) {
        platform.inputs = {QString::fromLatin1(wrong)};
        EXPECT_TRUE(exported("wrong.png").isEmpty()) << wrong;
        EXPECT_EQ(platform.messages().last(), QStringLiteral("图像宽度应为 1 到 8192 之间的整数"));
    }
    platform.inputs = {QStringLiteral("B5")};
    EXPECT_TRUE(exported("wrong.pdf").isEmpty());
    EXPECT_EQ(platform.messages().last(), QStringLiteral("纸张应为 A4 或 A3"));
}

// Nothing is left behind: no half-written file, no temporary.
TEST_F(DrawingExportTest, AFailedExportSaysWhyAndLeavesNothing) {
    ASSERT_TRUE(QDir(scratch.path()).mkdir(QStringLiteral("taken.svg")));
    const QStringList before =
        QDir(scratch.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    for (const char* name : {"missing/portal.svg", "taken.svg"}) {
        platform.files.push_back(inScratch(name));
        choose(MenuCommand::ExportDrawing);
        ASSERT_FALSE(platform.messages().isEmpty());
        EXPECT_TRUE(platform.messages().last().startsWith(QStringLiteral("导出图形失败:")));
        EXPECT_TRUE(platform.messages().last().contains(QDir::toNativeSeparators(inScratch(name))));
    }
    EXPECT_EQ(QDir(scratch.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), before);
    EXPECT_TRUE(QFileInfo(inScratch("taken.svg")).isDir());
}

TEST_F(DrawingExportTest, ANameWithoutAPictureExtensionGetsSvgAndIsAskedAboutAgain) {
    QFile existing(inScratch("drawing.svg"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    platform.answers.push_back(MessageAnswer::No);
    exported("drawing");
    EXPECT_EQ(platform.count(PlatformCall::Kind::MessageBox), 1);
    EXPECT_EQ(QFileInfo(inScratch("drawing.svg")).size(), 0);
    exported("drawing");  // the default answer replaces it
    EXPECT_GT(QFileInfo(inScratch("drawing.svg")).size(), 0);
}

TEST_F(DrawingExportTest, PrintingPreviewsOnePageTitledWithWhatIsShown) {
    const QList<QAction*> items = form.menu(MenuId::File)->actions();
    ASSERT_GE(items.size(), 3);
    EXPECT_EQ(items.at(items.size() - 3), form.menuItem(MenuCommand::Exit));
    EXPECT_EQ(items.at(items.size() - 2)->text(), QStringLiteral("导出图形"));
    EXPECT_EQ(items.last()->text(), QStringLiteral("打印"));

    platform.printFile = inScratch("page.pdf");
    choose(MenuCommand::Print);
    EXPECT_EQ(platform.count(PlatformCall::Kind::PrintPreview), 1);
    QFile page(platform.printFile);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_EQ(pdfPages(page.readAll()), 1);
}

// Every line of the title block shows whole on the page, whatever the
// paper and its orientation: inside the block's frame, one band of ink per
// line, none of them cut short.
TEST_F(DrawingExportTest, ThePagesTitleBlockShowsAllItsLines) {
    for (const auto paper : {QPageSize::A4, QPageSize::A3}) {
        for (const auto orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
            const QPageLayout layout(QPageSize(paper), orientation, QMarginsF(10, 10, 10, 10),
                                     QPageLayout::Millimeter);
            QImage page(layout.paintRectPixels(96).size(), QImage::Format_RGB32);
            page.setDotsPerMeterX(3780);
            page.setDotsPerMeterY(3780);
            page.fill(Qt::white);
            QPainter painter(&page);
            form.drawingOutput().paintPage(painter, page.rect());
            painter.end();
            int top = page.height() - 1;  // the frame's left edge, from the bottom up
            while (top > 0 && page.pixel(0, top - 1) == qRgb(0, 0, 0)) {
                --top;
            }
            std::vector<int> bands;  // the heights of the runs of rows with ink
            bool inked = false;
            for (int y = top + 1; y < page.height() - 2; ++y) {
                bool ink = false;
                for (int x = 1; x < page.width() - 2 && !ink; ++x) {
                    ink = qGray(page.pixel(x, y)) < 128;
                }
                if (ink && !inked) {
                    bands.push_back(0);
                }
                if (ink) {
                    ++bands.back();
                }
                inked = ink;
            }
            SCOPED_TRACE(::testing::Message() << page.width() << "x" << page.height());
            ASSERT_EQ(bands.size(),
                      static_cast<std::size_t>(form.drawingOutput().titleBlock().size()));
            // Every line begins with Chinese characters, whose ink is as tall
            // in each line; a line cut short is shorter than the others.
            std::vector<int> sorted = bands;
            std::ranges::sort(sorted);
            EXPECT_GE(sorted.front(), sorted[sorted.size() / 2] - 1);
        }
    }
}

// The batch writes what the window writes: its CSV bytes are those of
// "保存为CSV", and each file is named on the output.
TEST_F(DrawingExportTest, BatchTablesAreTheWindowsBytesAndEveryFileIsNamed) {
    BatchExport request;
    request.pictures = {{QStringLiteral("reactions"), inScratch("r.png")},
                        {QStringLiteral("deflection"), inScratch("d.svg")}};
    request.csvFolder = inScratch("tables");
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(exportResults(project, request, out, err), BatchStatus::Solved) << err.str();
    choose(MenuCommand::ResultsTable);
    ResultsWindow& window = *form.resultViews().resultsWindow();
    std::string named;
    for (const char* table : {"forces", "displacements", "reactions"}) {
        const QString batch = request.csvFolder + QStringLiteral("/portal_%1.csv").arg(table);
        platform.files.push_back(inScratch("window.csv"));
        window.saveCsv();
        QFile fromBatch(batch);
        QFile fromWindow(inScratch("window.csv"));
        ASSERT_TRUE(fromBatch.open(QIODevice::ReadOnly) && fromWindow.open(QIODevice::ReadOnly));
        EXPECT_EQ(fromBatch.readAll(), fromWindow.readAll()) << table;
        window.tabs()->setCurrentIndex(window.tabs()->currentIndex() + 1);
        named += batch.toStdString() + "\n";
    }
    EXPECT_EQ(out.str(),
              (inScratch("r.png") + "\n" + inScratch("d.svg") + "\n").toStdString() + named);
}

}  // namespace
