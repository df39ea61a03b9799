// Painting a figure through a view; see figure_painter.h.
#include "editor/figure_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "editor/canvas_strokes.h"
#include "editor/pixel_clipping.h"
#include "platform/colours.h"

namespace {

// Room around the surface: a round cap or an arrowhead just outside still
// shows its edge.
constexpr double kRoom = 16;

QRectF surfaceWithRoom(const ViewTransform& view, double room) {
    return {-room, -room, view.pixels.width() + 2 * room, view.pixels.height() + 2 * room};
}

bool isFinite(QPointF point) {
    return std::isfinite(point.x()) && std::isfinite(point.y());
}

// Lines of one colour and width are stroked together: a loads figure
// holds thousands of short lines of one pen. On a vector surface a path
// ends after a few hundred pieces, as a print preview fills each path's
// whole outline when it shows the page.
class PathBatch {
public:
    explicit PathBatch(QPainter& painter) : painter_(painter) {}
    ~PathBatch() { flush(); }

    QPainterPath& pathFor(ColourValue colour, double width) {
        constexpr int kMostElements = 256;
        if (colour != colour_ || width != width_ || path_.elementCount() > kMostElements) {
            flush();
            colour_ = colour;
            width_ = width;
        }
        return path_;
    }

    void flush() {
        if (!path_.isEmpty()) {
            strokeThin(painter_, path_, thinPen(colour_, width_));
            path_ = QPainterPath();
        }
    }

private:
    QPainter& painter_;
    QPainterPath path_;
    ColourValue colour_ = kBlack;
    double width_ = 1;
};

void paintPolylines(QPainter& painter, const ViewTransform& view,
                    const std::vector<FigurePolyline>& lines) {
    const QRectF box = surfaceWithRoom(view, kRoom);
    PathBatch batch(painter);
    for (const FigurePolyline& line : lines) {
        QPainterPath& path = batch.pathFor(line.colour, line.width);
        for (std::size_t k = 1; k < line.points.size(); ++k) {
            const QPointF a = toPixel(view, line.points[k - 1]);
            const QPointF b = toPixel(view, line.points[k]);
            if (!isFinite(a) || !isFinite(b) || a == b) {
                continue;
            }
            if (const auto cut = clippedTo(box, QLineF(a, b))) {
                extendPath(path, *cut);
            }
        }
    }
}

void paintArrowheads(QPainter& painter, const ViewTransform& view,
                     const std::vector<FigureArrowhead>& heads) {
    for (const FigureArrowhead& head : heads) {
        const QPointF tip = toPixel(view, head.tip);
        const QPointF along = tip - toPixel(view, head.from);
        const double length = std::hypot(along.x(), along.y());
        if (!isFinite(tip) || !(length > 0) || !std::isfinite(length) ||
            !surfaceWithRoom(view, kRoom + head.length).contains(tip)) {
            continue;
        }
        const QPointF unit = along / length;
        const QPointF across(-unit.y() * head.halfWidth, unit.x() * head.halfWidth);
        const QPointF base = tip - unit * head.length;
        painter.setBrush(toQColor(head.colour));
        painter.drawPolygon(QPolygonF({tip, base + across, base - across}));
    }
}

void paintTexts(QPainter& painter, const ViewTransform& view,
                const std::vector<FigureText>& texts) {
    const QFontMetricsF metrics(painter.font(), painter.device());
    const QRectF visible = surfaceWithRoom(view, 0);
    for (const FigureText& item : texts) {
        const QPointF at = toPixel(view, item.at);
        if (!isFinite(at)) {
            continue;
        }
        const QString text = QString::fromStdString(item.text);
        const QRectF box =
            anchoredBox(at, QSizeF(metrics.horizontalAdvance(text), metrics.height()), item.anchor);
        if (box.intersects(visible)) {
            painter.setPen(toQColor(item.colour));
            painter.drawText(QPointF(box.left(), box.top() + metrics.ascent()), text);
        }
    }
}

}  // namespace

QPointF toPixel(const ViewTransform& view, const FigurePoint& point) {
    return view.toPixel(point.x, point.y) + QPointF(point.dx, point.dy);
}

QRectF anchoredBox(QPointF at, QSizeF size, TextAnchor anchor) {
    const int index = static_cast<int>(anchor);
    const double column = index % 3;  // 0 left, 1 centre, 2 right
    const double row = index / 3;     // 0 top, 1 middle, 2 bottom
    return {at.x() - size.width() * column / 2, at.y() - size.height() * row / 2, size.width(),
            size.height()};
}

void paint(QPainter& painter, const ViewTransform& view, const Figure& figure) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintPolylines(painter, view, figure.polylines);
    painter.setPen(Qt::NoPen);
    paintArrowheads(painter, view, figure.arrowheads);
    paintTexts(painter, view, figure.texts);
    painter.restore();
}
