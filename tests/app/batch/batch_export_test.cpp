// The batch's pictures without the window: no widget is made, and each
// file holds what the window shows after the picture's command, exported
// with that picture's layer alone.
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <optional>
#include <sstream>

#include "batch/batch_export.h"
#include "editor_fixture.h"

namespace {

struct Shown {
    const char* what;
    std::optional<MenuCommand> command;  // none: the frame as opened
    std::optional<FigureLayer> layer;
};

const Shown kShown[] = {
    {"frame", std::nullopt, std::nullopt},
    {"loads", std::nullopt, FigureLayer::Loads},
    {"M", MenuCommand::MomentDiagram, FigureLayer::Diagram},
    {"Q", MenuCommand::ShearDiagram, FigureLayer::Diagram},
    {"N", MenuCommand::AxialDiagram, FigureLayer::Diagram},
    {"deflection", MenuCommand::Deflection, FigureLayer::Deflection},
    {"reactions", MenuCommand::Reactions, FigureLayer::Reactions},
};

DrawingLayers layersOf(const Shown& shown) {
    DrawingLayers layers{false, {false, false, false, false}};
    if (shown.layer) {
        layers.figures.at(static_cast<std::size_t>(*shown.layer)) = true;
    }
    return layers;
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class BatchExportTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ASSERT_TRUE(scratch.isValid());
        project = scratch.filePath(QStringLiteral("two_storey.tsd"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(ORVANDEL_EXAMPLES "/two_storey.tsd"), project));
    }
    QString inScratch(const QString& name) const { return scratch.filePath(name); }
    QString project;
};

TEST(BatchExportWithoutWindow, MakesNoWidget) {
    QTemporaryDir scratch;
    const QString project = scratch.filePath(QStringLiteral("portal.tsd"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ORVANDEL_EXAMPLES "/portal.tsd"), project));
    const QWidgetList before = QApplication::allWidgets();
    BatchExport request;
    for (const Shown& shown : kShown) {
        request.pictures.push_back({QString::fromLatin1(shown.what),
                                    scratch.filePath(QString::fromLatin1(shown.what) + ".png")});
    }
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(exportResults(project, request, out, err), BatchStatus::Solved) << err.str();
    EXPECT_EQ(QApplication::allWidgets(), before);
}

// PNG pixels and SVG bytes alike; the PNG at the default width, so drawn at
// twice the window's density.
TEST_F(BatchExportTest, EveryPictureIsTheWindowsExportOfIt) {
    BatchExport request;
    for (const Shown& shown : kShown) {
        for (const char* format : {".png", ".svg"}) {
            const QString what = QString::fromLatin1(shown.what);
            request.pictures.push_back({what, inScratch(QStringLiteral("batch_") + what + format)});
        }
    }
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(exportResults(project, request, out, err), BatchStatus::Solved) << err.str();

    ASSERT_TRUE(form.openProject(project));
    for (const Shown& shown : kShown) {
        if (shown.command) {
            choose(*shown.command);
        }
        for (const char* format : {".png", ".svg"}) {
            const QString name = QString::fromLatin1(shown.what) + format;
            SCOPED_TRACE(name.toStdString());
            const QString window = inScratch(QStringLiteral("window_") + name);
            ASSERT_EQ(exportDrawing(form.canvasModel().scene(), window, {}, layersOf(shown)),
                      std::nullopt);
            const QString batch = inScratch(QStringLiteral("batch_") + name);
            if (name.endsWith(QLatin1String(".png"))) {
                const QImage fromWindow(window);
                ASSERT_FALSE(fromWindow.isNull());
                EXPECT_EQ(QImage(batch), fromWindow);
            } else {
                EXPECT_EQ(bytesOf(batch), bytesOf(window));
            }
        }
    }
}

}  // namespace
