// Strokes shared by the window and the export; see canvas_strokes.h.
#include "canvas/canvas_strokes.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <cmath>

#include "canvas/grid_lines.h"
#include "canvas/pixel_clipping.h"
#include "platform/colours.h"

namespace {

// Lines of odd width run through pixel centres and lines of even width
// along pixel edges, so that a horizontal or vertical line covers whole
// pixels in its own colour instead of two half-covered, paler rows.
double alignedToPixels(double value, int width) {
    return width % 2 != 0 ? std::floor(value) + 0.5 : std::round(value);
}

QPointF alignedToPixels(QPointF point, int width) {
    return {alignedToPixels(point.x(), width), alignedToPixels(point.y(), width)};
}

}  // namespace

// A line whose ends coincide is drawn as nothing: that is how a line shape
// is put out of sight without hiding it.
std::optional<QLineF> windowPart(const ViewTransform& view, const LineShape& line) {
    const QPointF a = view.toPixel(line.x1, line.y1);
    const QPointF b = view.toPixel(line.x2, line.y2);
    const bool hasLength = line.x1 != line.x2 || line.y1 != line.y2;
    if (!hasLength || !std::isfinite(a.x() + a.y() + b.x() + b.y())) {
        return std::nullopt;
    }
    const double room = line.width + 2;
    const QRectF window(-room, -room, view.pixels.width() + 2 * room,
                        view.pixels.height() + 2 * room);
    return clippedTo(window, QLineF(a, b));
}

std::optional<QLineF> pixelLine(const ViewTransform& view, const LineShape& line) {
    const auto cut = windowPart(view, line);
    if (!cut) {
        return std::nullopt;
    }
    return QLineF(alignedToPixels(cut->p1(), line.width), alignedToPixels(cut->p2(), line.width));
}

void paintLineShape(QPainter& painter, const ViewTransform& view, const LineShape& line) {
    if (const auto pixels = pixelLine(view, line)) {
        painter.setPen(QPen(toQColor(line.colour), line.width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(*pixels);
    }
}

void LineBatch::add(const LineShape& line) {
    const auto pixels = pixelLine(view_, line);
    if (!pixels) {
        return;
    }
    if (line.colour != colour_ || line.width != width_) {
        flush();
        colour_ = line.colour;
        width_ = line.width;
    }
    lines_.push_back(*pixels);
}

void LineBatch::flush() {
    if (lines_.empty()) {
        return;
    }
    const QColor colour = toQColor(colour_);
    paintGridLines(painter_, lines_, colour, width_);
    if (!lines_.empty()) {
        painter_.setPen(QPen(colour, width_, Qt::SolidLine, Qt::RoundCap));
        painter_.drawLines(lines_.data(), static_cast<int>(lines_.size()));
        lines_.clear();
    }
}

// A pen of one device pixel follows the path itself, quickly. A wider one
// is filled as the outline of the whole stroke, whose cost on a pixel
// surface grows with how far the path runs along each scan line: on a
// picture of twice the window's density (a PNG) a diagram's long, nearly
// level closing lines took over ten times as long as its segments drawn as
// separate lines, which the rasterizer sweeps one by one. The square caps
// close the corners between them. On vector surfaces (SVG, PDF, a
// printer) the path stays one element.
void strokeThin(QPainter& painter, const QPainterPath& path, const QPen& pen) {
    const QPaintEngine* engine = painter.paintEngine();
    const bool pixels = engine != nullptr && engine->type() == QPaintEngine::Raster;
    const double devicePixels = pen.widthF() * painter.device()->devicePixelRatio();
    if (!pixels || devicePixels <= 1) {
        painter.strokePath(path, pen);
        return;
    }
    std::vector<QLineF> lines;
    lines.reserve(static_cast<std::size_t>(path.elementCount()));
    for (int k = 1; k < path.elementCount(); ++k) {
        const QPainterPath::Element element = path.elementAt(k);
        if (!element.isMoveTo()) {
            lines.emplace_back(QPointF(path.elementAt(k - 1)), QPointF(element));
        }
    }
    painter.setPen(pen);
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));
}

QPen thinPen(ColourValue colour, double width) {
    return {toQColor(colour), width, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin};
}

QRectF printBox(const QFontMetricsF& metrics, QPointF corner, const QString& text) {
    return metrics.boundingRect(QRectF(corner, QSizeF(1, 1)), Qt::AlignLeft | Qt::AlignTop, text);
}

void paintPrint(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
                ColourValue colour) {
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(toQColor(colour));
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
}

namespace {

// Beyond this distance in pixels a text cannot reach the surface, and the
// painter's fixed-point arithmetic is kept away from it.
bool nearSurface(const ViewTransform& view, QPointF pixel) {
    constexpr double kReach = 4096;
    return std::isfinite(pixel.x()) && std::isfinite(pixel.y()) && pixel.x() > -kReach &&
           pixel.y() > -kReach && pixel.x() < view.pixels.width() + kReach &&
           pixel.y() < view.pixels.height() + kReach;
}

}  // namespace

void replayPrint(QPainter& painter, const ViewTransform& view, const CanvasPrint& print) {
    const QPointF at = view.toPixel(print.x1, print.y1);
    switch (print.kind) {
        case CanvasPrint::Kind::Text: {
            if (!nearSurface(view, at)) {
                return;
            }
            const QFontMetricsF metrics(print.font, painter.device());
            paintPrint(painter, printBox(metrics, at, print.text), print.text, print.font,
                       print.colour);
            return;
        }
        case CanvasPrint::Kind::Line:
            painter.setRenderHint(QPainter::Antialiasing);
            paintLineShape(painter, view,
                           {print.x1, print.y1, print.x2, print.y2, print.colour, 1, true, true});
            return;
    }
}
