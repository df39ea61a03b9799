// No text of a picture over another, at any size: the texts of SVG files
// the batch writes (loads, diagram labels and signs, reactions) keep
// apart; and the result pictures replace one another in the window.
#include <QFile>
#include <QFontMetricsF>
#include <QSvgGenerator>
#include <QXmlStreamReader>
#include <sstream>

#include "batch/batch_export.h"
#include "document/project_file.h"
#include "document_frames.h"
#include "editor_fixture.h"

namespace {

class TextPlacing : public EditorTest {
protected:
    // The boxes of an SVG's texts, measured as the export measured them:
    // the canvas font on a 96 dpi surface, each text's baseline at its y.
    std::vector<QRectF> svgTextBoxes(const QString& path) const {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        QSvgGenerator surface;
        surface.setResolution(96);
        const QFontMetricsF metrics(form.canvasModel().font, &surface);
        std::vector<QRectF> boxes;
        QXmlStreamReader svg(file.readAll());
        while (!svg.atEnd()) {
            if (svg.readNext() == QXmlStreamReader::StartElement &&
                svg.name() == QLatin1String("text")) {
                const double x = svg.attributes().value(QLatin1String("x")).toDouble();
                const double y = svg.attributes().value(QLatin1String("y")).toDouble();
                const QString text = svg.readElementText();
                boxes.emplace_back(x, y - metrics.ascent(), metrics.horizontalAdvance(text),
                                   metrics.height());
            }
        }
        return boxes;
    }

    // Each picture of the project at `project` written by the batch.
    void exportPictures(const QString& project, const QStringList& kinds, DrawingSize size = {}) {
        BatchExport request;
        for (const QString& kind : kinds) {
            request.pictures.push_back({kind, scratch.filePath(kind + QStringLiteral(".svg"))});
        }
        request.size = size;
        std::ostringstream out;
        std::ostringstream err;
        ASSERT_EQ(exportResults(project, request, out, err), BatchStatus::Solved) << err.str();
    }

    // Boxes shrunk by half a pixel, for the rounding of the file's numbers.
    void expectApart(const QString& kind, std::size_t atLeast) const {
        const std::vector<QRectF> boxes = svgTextBoxes(scratch.filePath(kind + ".svg"));
        EXPECT_GE(boxes.size(), atLeast) << kind.toStdString();
        for (std::size_t a = 0; a < boxes.size(); ++a) {
            for (std::size_t b = a + 1; b < boxes.size(); ++b) {
                ASSERT_FALSE(boxes[a].adjusted(0.5, 0.5, -0.5, -0.5).intersects(boxes[b]))
                    << kind.toStdString() << ": texts " << a << " and " << b;
            }
        }
    }

    QString saved(const Document& frame) {
        const QString path = scratch.filePath(QStringLiteral("frame.tsd"));
        EXPECT_TRUE(WriteProjectFile(frame, path.toStdString()));
        return path;
    }
};

TEST_F(TextPlacing, TwoLoadsOnOneMemberKeepTheirLabelsApart) {
    keepProjectInScratchFolder();
    ASSERT_TRUE(form.openProject(QStringLiteral(ORVANDEL_EXAMPLES "/portal.tsd")));
    choose(MenuCommand::LoadInput);
    giveLoad("均布", "6", "5", 3, -4);  // on the beam's 20 kN/m
    keyUp(Qt::Key_Escape);
    ASSERT_EQ(member(2).荷载数, 2);
    exportPictures(saved(document), {QStringLiteral("loads"), QStringLiteral("M")});
    expectApart(QStringLiteral("loads"), 3);
    expectApart(QStringLiteral("M"), 6);
    // Stacked apart, neither label had to be left out.
    QFile loads(scratch.filePath(QStringLiteral("loads.svg")));
    ASSERT_TRUE(loads.open(QIODevice::ReadOnly));
    const QByteArray svg = loads.readAll();
    EXPECT_TRUE(svg.contains(">20 kN/m<") && svg.contains(">5 kN/m<"));
}

TEST_F(TextPlacing, AWidePictureKeepsTheDiagramLabelsApart) {
    exportPictures(QStringLiteral(ORVANDEL_EXAMPLES "/two_storey.tsd"),
                   {QStringLiteral("M"), QStringLiteral("Q")}, {QSize(3000, 1000), {}, {}});
    expectApart(QStringLiteral("M"), 20);
    expectApart(QStringLiteral("Q"), 20);
}

TEST_F(TextPlacing, TheTextsOfALargeBuildingNeverOverprint) {
    exportPictures(saved(orv::testing::buildingDocument(50, 20)),
                   {QStringLiteral("M"), QStringLiteral("reactions"), QStringLiteral("loads")});
    expectApart(QStringLiteral("M"), 100);
    expectApart(QStringLiteral("reactions"), 10);
    expectApart(QStringLiteral("loads"), 100);
}

TEST_F(TextPlacing, EachResultCommandReplacesThePictureShownBefore) {
    ASSERT_TRUE(form.openProject(QStringLiteral(ORVANDEL_EXAMPLES "/two_storey.tsd")));
    keepProjectInScratchFolder();
    const std::pair<MenuCommand, FigureLayer> steps[] = {
        {MenuCommand::AxialDiagram, FigureLayer::Diagram},
        {MenuCommand::Reactions, FigureLayer::Reactions},
        {MenuCommand::Deflection, FigureLayer::Deflection},
        {MenuCommand::MomentDiagram, FigureLayer::Diagram},
        {MenuCommand::Deflection, FigureLayer::Deflection}};
    for (const auto& [command, shown] : steps) {
        choose(command);
        for (const FigureLayer layer :
             {FigureLayer::Diagram, FigureLayer::Reactions, FigureLayer::Deflection}) {
            EXPECT_EQ(form.canvasModel().figure(layer).empty(), layer != shown)
                << static_cast<int>(command) << " " << static_cast<int>(layer);
        }
    }
}

}  // namespace
