// The drawing as it leaves the program: painted onto any painter (an SVG
// generator, a PDF writer, an image, a printer) as the window shows it —
// background, member lines and support symbols, the printed layer replayed
// from its log as vector strokes and texts, the figures — and written to
// SVG, PDF or PNG files whole or not at all.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <optional>

#include "canvas/drawing_scene.h"
#include "canvas/view_transform.h"
#include "results/figure.h"

class QPainter;

// What of the drawing a picture holds besides the lines: the printed
// layer (printed results, numbers) and each figure layer.
struct DrawingLayers {
    bool prints = true;
    std::array<bool, kFigureLayerCount> figures{true, true, true, true};
};

// The view of the whole drawing (lines, printed strokes, figure lines) on
// a surface of `pixels`, with the margin of 全图 and one scale on both
// axes; the scene's own world window when the drawing is empty.
ViewTransform fittedView(const DrawingScene& scene, QSize pixels, const DrawingLayers& layers = {});

// The drawing through `view` onto the painter's surface from (0, 0), in
// the window's colours and fonts. Crosshair, capture box, tick, previews
// and the member being drawn are left out.
void paintDrawing(QPainter& painter, const DrawingScene& scene, const ViewTransform& view,
                  const DrawingLayers& layers = {});
// The drawing fitted into `target` of the painter's surface.
void paintFittedDrawing(QPainter& painter, const DrawingScene& scene, const QRect& target,
                        const DrawingLayers& layers = {});

enum class DrawingFormat { Svg, Pdf, Png };
// From the name's extension (case ignored); nothing for another one.
std::optional<DrawingFormat> drawingFormatOf(const QString& fileName);

// The landscape paper of a PDF file.
enum class Paper { A4, A3 };
// "A4" or "A3", case ignored; nothing for another text.
std::optional<Paper> paperNamed(const QString& text);

// What is asked of a file's surface. SVG and PNG: both sides, or the width
// alone with the height following the drawing's shape, or neither (a
// fixed width). PDF: its paper.
struct DrawingSize {
    std::optional<QSize> pixels;
    std::optional<int> width;
    Paper paper = Paper::A4;
};
// The longest side a picture may have, in pixels (256 MiB at the most).
constexpr int kLargestPictureSide = 8192;
constexpr int kDefaultPngWidth = 2400;

// The surface in pixels a file of `format` is drawn on.
QSize drawingSurface(const DrawingScene& scene, DrawingFormat format, const DrawingSize& asked = {},
                     const DrawingLayers& layers = {});

// A drawing painted for a file: SVG and PDF as their bytes (vectors, texts
// as text), PNG as its pixels, still to be encoded. Painting needs the
// window's thread (its fonts); encoding and writing do not.
struct PaintedDrawing {
    QByteArray bytes;
    QImage pixels;
};
PaintedDrawing paintForFile(const DrawingScene& scene, DrawingFormat format,
                            const DrawingSize& asked = {}, const DrawingLayers& layers = {});
// Writes the painted drawing to `path` whole or not at all, from any
// thread; the reason when it could not, nothing when written.
std::optional<QString> writeDrawingFile(const QString& path, const PaintedDrawing& drawing);

// The drawing painted and written to `path` in the format its extension
// names; the reason when it could not, nothing when written.
std::optional<QString> exportDrawing(const DrawingScene& scene, const QString& path,
                                     const DrawingSize& asked = {},
                                     const DrawingLayers& layers = {});
