// The drawing as it leaves the program; see drawing_export.h.
#include "canvas/drawing_export.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

#include "canvas/canvas_strokes.h"
#include "canvas/connection_marks.h"
#include "canvas/figure_painter.h"
#include "platform/colours.h"
#include "platform/png_file.h"
#include "platform/whole_file.h"

namespace {

// Files are drawn at the screen's resolution, so that the window's fonts
// and one-pixel lines keep their size against the drawing.
constexpr int kScreenDpi = 96;
constexpr int kSvgWidth = 1600;
constexpr double kWindowWidth = 1200;  // pixels, about a window's drawing
// A tall, narrow frame gives no picture longer than this many widths.
constexpr double kMostAspect = 4;

// The box of the world points a drawing holds.
class WorldBox {
public:
    void add(double x, double y) {
        if (std::isfinite(x) && std::isfinite(y)) {
            left_ = std::min(left_, x);
            right_ = std::max(right_, x);
            top_ = std::min(top_, y);
            bottom_ = std::max(bottom_, y);
        }
    }
    bool empty() const { return left_ > right_; }
    WorldWindow window() const { return windowAround(left_, top_, right_, bottom_); }

private:
    double left_ = HUGE_VAL;
    double right_ = -HUGE_VAL;
    double top_ = HUGE_VAL;
    double bottom_ = -HUGE_VAL;
};

void addStillLines(WorldBox& box, const DrawingScene& scene) {
    for (const LineShape& line : scene.stillLines) {
        box.add(line.x1, line.y1);
        box.add(line.x2, line.y2);
    }
}

// Texts are left out: their size is in pixels, not in the world.
void addPrints(WorldBox& box, const DrawingScene& scene) {
    for (const CanvasPrint& print : scene.prints) {
        if (print.kind == CanvasPrint::Kind::Line) {
            box.add(print.x1, print.y1);
            box.add(print.x2, print.y2);
        }
    }
}

void addFigure(WorldBox& box, const Figure& figure) {
    for (const FigurePolyline& line : figure.polylines) {
        for (const FigurePoint& point : line.points) {
            box.add(point.x, point.y);
        }
    }
}

// The world window around what is drawn of the scene. A diagram of a
// large frame holds over a million points: a picture takes its window
// once, for its size and for its view.
WorldWindow drawnWindow(const DrawingScene& scene, const DrawingLayers& layers) {
    WorldBox box;
    addStillLines(box, scene);
    if (layers.prints) {
        addPrints(box, scene);
    }
    for (int layer = 0; layer < kFigureLayerCount; ++layer) {
        if (layers.figures[static_cast<std::size_t>(layer)]) {
            addFigure(box, scene.figure(static_cast<FigureLayer>(layer)));
        }
    }
    return box.empty() ? scene.world : box.window();
}

ViewTransform fittedTo(const WorldWindow& drawn, QSize pixels) {
    return {equalScaleWindow(drawn, pixels, WorldFit::Contain), pixels};
}

// The drawing whole within `target`, with the window taken before.
void paintFitted(QPainter& painter, const DrawingScene& scene, const QRect& target,
                 const DrawingLayers& layers, const WorldWindow& drawn) {
    painter.save();
    painter.translate(target.topLeft());
    paintDrawing(painter, scene, fittedTo(drawn, target.size()), layers);
    painter.restore();
}

QByteArray svgBytes(const DrawingScene& scene, QSize size, const DrawingLayers& layers,
                    const WorldWindow& drawn) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(kScreenDpi);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("Orvandel"));
    QPainter painter(&svg);
    paintFitted(painter, scene, QRect(QPoint(0, 0), size), layers, drawn);
    painter.end();
    return bytes;
}

QPageLayout landscapePage(Paper paper) {
    constexpr double kMarginMm = 10;
    const QPageSize size(paper == Paper::A3 ? QPageSize::A3 : QPageSize::A4);
    return QPageLayout(size, QPageLayout::Landscape,
                       QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                       QPageLayout::Millimeter);
}

QByteArray pdfBytes(const DrawingScene& scene, Paper paper, const DrawingLayers& layers) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kScreenDpi);
        pdf.setPageLayout(landscapePage(paper));
        pdf.setCreator(QStringLiteral("Orvandel"));
        QPainter painter(&pdf);
        paintFittedDrawing(painter, scene, QRect(0, 0, pdf.width(), pdf.height()), layers);
    }
    return bytes;
}

// A picture much wider than a window is the window's drawing at a whole
// multiple of its pixels, as on a screen of high density: lines and texts
// keep their size against the frame, and a one-pixel line covers whole
// pixels in its own colour.
QImage pngPixels(const DrawingScene& scene, QSize size, const DrawingLayers& layers,
                 const WorldWindow& drawn) {
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) {
        return {};
    }
    image.setDotsPerMeterX(qRound(kScreenDpi / 0.0254));
    image.setDotsPerMeterY(qRound(kScreenDpi / 0.0254));
    const long ratio = std::max(1L, std::lround(size.width() / kWindowWidth));
    // The drawing fills its background; a last row or column of device
    // pixels short of a whole pixel is filled here.
    const QSize drawnPixels = size / ratio * ratio;
    if (drawnPixels != size) {
        QPainter painter(&image);
        const QColor background = toQColor(scene.background);
        painter.fillRect(QRect(drawnPixels.width(), 0, size.width(), size.height()), background);
        painter.fillRect(QRect(0, drawnPixels.height(), size.width(), size.height()), background);
    }
    image.setDevicePixelRatio(static_cast<double>(ratio));
    {
        QPainter painter(&image);
        paintFitted(painter, scene, QRect(QPoint(0, 0), size / ratio), layers, drawn);
    }
    return image;
}

// A picture's size in pixels: the size asked, or the width asked (or the
// format's) and the drawing's own shape, its window before a surface made
// it wider or taller.
QSize surfaceFor(const WorldWindow& drawn, DrawingFormat format, const DrawingSize& asked) {
    if (format == DrawingFormat::Pdf) {
        return landscapePage(asked.paper).paintRectPixels(kScreenDpi).size();
    }
    if (asked.pixels) {
        return *asked.pixels;
    }
    const int width =
        asked.width.value_or(format == DrawingFormat::Svg ? kSvgWidth : kDefaultPngWidth);
    const WorldWindow world = fittedTo(drawn, QSize()).world;
    const double aspect = world.scaleWidth > 0 ? world.scaleHeight / world.scaleWidth : 1;
    const double most = std::min<double>(width * kMostAspect, kLargestPictureSide);
    const double height = std::clamp(width * aspect, 1.0, most);
    return {width, static_cast<int>(std::lround(height))};
}

}  // namespace

ViewTransform fittedView(const DrawingScene& scene, QSize pixels, const DrawingLayers& layers) {
    return fittedTo(drawnWindow(scene, layers), pixels);
}

// In the window's order: background, printed layer, lines and the marks
// of released ends, figures.
void paintDrawing(QPainter& painter, const DrawingScene& scene, const ViewTransform& view,
                  const DrawingLayers& layers) {
    painter.save();
    painter.fillRect(QRect(QPoint(0, 0), view.pixels), toQColor(scene.background));
    painter.setClipRect(QRect(QPoint(0, 0), view.pixels));
    if (layers.prints) {
        for (const CanvasPrint& print : scene.prints) {
            replayPrint(painter, view, print);
        }
    }
    painter.setRenderHint(QPainter::Antialiasing);
    {
        LineBatch batch(painter, view);
        for (const LineShape& line : scene.stillLines) {
            batch.add(line);
        }
    }
    paintConnectionMarks(painter, view, scene.connections, scene.font, toQColor(scene.background));
    painter.setFont(scene.font);
    FigureLayers shown{};
    for (std::size_t layer = 0; layer < shown.size(); ++layer) {
        if (layers.figures.at(layer)) {
            shown.at(layer) = scene.figures.at(layer).get();
        }
    }
    paint(painter, view, shown);
    painter.restore();
}

void paintFittedDrawing(QPainter& painter, const DrawingScene& scene, const QRect& target,
                        const DrawingLayers& layers) {
    paintFitted(painter, scene, target, layers, drawnWindow(scene, layers));
}

std::optional<DrawingFormat> drawingFormatOf(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("svg")) {
        return DrawingFormat::Svg;
    }
    if (suffix == QLatin1String("pdf")) {
        return DrawingFormat::Pdf;
    }
    if (suffix == QLatin1String("png")) {
        return DrawingFormat::Png;
    }
    return std::nullopt;
}

std::optional<Paper> paperNamed(const QString& text) {
    const QString name = text.trimmed().toUpper();
    if (name == QLatin1String("A4")) {
        return Paper::A4;
    }
    if (name == QLatin1String("A3")) {
        return Paper::A3;
    }
    return std::nullopt;
}

QSize drawingSurface(const DrawingScene& scene, DrawingFormat format, const DrawingSize& asked,
                     const DrawingLayers& layers) {
    const bool shaped = format != DrawingFormat::Pdf && !asked.pixels;
    return surfaceFor(shaped ? drawnWindow(scene, layers) : WorldWindow{}, format, asked);
}

PaintedDrawing paintForFile(const DrawingScene& scene, DrawingFormat format,
                            const DrawingSize& asked, const DrawingLayers& layers) {
    switch (format) {
        case DrawingFormat::Svg: {
            const WorldWindow drawn = drawnWindow(scene, layers);
            return {svgBytes(scene, surfaceFor(drawn, format, asked), layers, drawn), {}};
        }
        case DrawingFormat::Pdf:
            return {pdfBytes(scene, asked.paper, layers), {}};
        case DrawingFormat::Png: {
            const WorldWindow drawn = drawnWindow(scene, layers);
            return {{}, pngPixels(scene, surfaceFor(drawn, format, asked), layers, drawn)};
        }
    }
    return {};
}

std::optional<QString> writeDrawingFile(const QString& path, const PaintedDrawing& drawing) {
    const QByteArray bytes = drawing.pixels.isNull() ? drawing.bytes : pngFileBytes(drawing.pixels);
    if (bytes.isEmpty()) {
        return QStringLiteral("图形太大, 无法生成");
    }
    QString why;
    if (!writeWholeFile(path, bytes.toStdString(), &why)) {
        return why;
    }
    return std::nullopt;
}

std::optional<QString> exportDrawing(const DrawingScene& scene, const QString& path,
                                     const DrawingSize& asked, const DrawingLayers& layers) {
    const auto format = drawingFormatOf(path);
    if (!format) {
        return QStringLiteral("文件类型应为 .svg、.pdf 或 .png");
    }
    return writeDrawingFile(path, paintForFile(scene, *format, asked, layers));
}
