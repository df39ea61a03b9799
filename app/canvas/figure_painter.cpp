// Painting a figure through a view; see figure_painter.h.
#include "canvas/figure_painter.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>

#include "canvas/canvas_strokes.h"
#include "canvas/figure_stamps.h"
#include "canvas/pixel_clipping.h"
#include "canvas/text_placer.h"
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

// A diagram is sampled every centimetre along its member, far more points
// than the surface can show: a point closer than this to the last one kept
// is passed over (a line's last point always stays).
constexpr double kLeastStep = 1;  // pixels

// Consecutive segments that run on one straight line are stroked as one:
// a diagram is straight wherever its member carries no load across it (a
// building's columns), and there its hundreds of sections add nothing a
// pixel shows. A point joins the run while it lies within this distance
// of the run's first direction, ahead of the run's end. A vector surface
// (SVG, PDF, a printer) keeps every point: its file holds the curve as
// computed, one path per diagram.
constexpr double kStraightTolerance = 0.02;  // pixels

class StraightRuns {
public:
    StraightRuns(QPainterPath& path, const QRectF& box, bool merges)
        : path_(path), box_(box), merges_(merges) {}
    ~StraightRuns() { end(); }
    StraightRuns(const StraightRuns&) = delete;
    StraightRuns& operator=(const StraightRuns&) = delete;

    void add(QPointF from, QPointF to) {
        if (merges_ && running_ && from == end_ && continues(to)) {
            end_ = to;
            return;
        }
        end();
        start_ = from;
        end_ = to;
        const QPointF along = to - from;
        direction_ = along / std::hypot(along.x(), along.y());
        running_ = true;
    }

    void end() {
        if (running_) {
            if (const auto cut = clippedTo(box_, QLineF(start_, end_))) {
                extendPath(path_, *cut);
            }
            running_ = false;
        }
    }

private:
    bool continues(QPointF to) const {
        const QPointF offset = to - start_;
        const double across = offset.x() * direction_.y() - offset.y() * direction_.x();
        return std::fabs(across) < kStraightTolerance &&
               QPointF::dotProduct(to - end_, direction_) > 0;
    }

    QPainterPath& path_;
    QRectF box_;
    bool merges_;
    QPointF start_;
    QPointF end_;
    QPointF direction_;
    bool running_ = false;
};

// A line of two points (an arrow's shaft) within the surface's reach is
// stamped where the surface takes it; it keeps its place among the lines
// of other colours.
bool stampedSegment(FigureStamps& stamps, PathBatch& batch, const ViewTransform& view,
                    const QRectF& box, const FigurePolyline& line) {
    if (line.points.size() != 2) {
        return false;
    }
    const QPointF from = toPixel(view, line.points[0]);
    const QPointF to = toPixel(view, line.points[1]);
    if (!box.contains(from) || !box.contains(to)) {
        return false;
    }
    (void)batch.pathFor(line.colour, line.width);
    return stamps.segment(from, to, line.colour, line.width);
}

void paintPolylines(QPainter& painter, const ViewTransform& view,
                    std::span<const FigurePolyline> lines, FigureStamps& stamps) {
    const QRectF box = surfaceWithRoom(view, kRoom);
    const QPaintEngine* engine = painter.paintEngine();
    const bool pixels = engine != nullptr && engine->type() == QPaintEngine::Raster;
    PathBatch batch(painter);
    for (const FigurePolyline& line : lines) {
        if (stampedSegment(stamps, batch, view, box, line)) {
            continue;
        }
        StraightRuns runs(batch.pathFor(line.colour, line.width), box, pixels);
        QPointF kept;
        for (std::size_t k = 0; k < line.points.size(); ++k) {
            const QPointF next = toPixel(view, line.points[k]);
            const QPointF step = next - kept;
            const bool last = k + 1 == line.points.size();
            if (k > 0 && !last && QPointF::dotProduct(step, step) < kLeastStep * kLeastStep) {
                continue;
            }
            if (k > 0 && isFinite(kept) && isFinite(next) && kept != next) {
                runs.add(kept, next);
            } else {
                runs.end();
            }
            kept = next;
        }
    }
}

void paintArrowheads(QPainter& painter, const ViewTransform& view,
                     std::span<const FigureArrowhead> heads, FigureStamps& stamps) {
    for (const FigureArrowhead& head : heads) {
        const QPointF tip = toPixel(view, head.tip);
        const QPointF along = tip - toPixel(view, head.from);
        const double length = std::hypot(along.x(), along.y());
        if (!isFinite(tip) || !(length > 0) || !std::isfinite(length) ||
            !surfaceWithRoom(view, kRoom + head.length).contains(tip)) {
            continue;
        }
        const QPointF unit = along / length;
        if (stamps.usable()) {
            stamps.arrowhead(head, tip, unit);
        } else {
            painter.setBrush(toQColor(head.colour));
            painter.drawConvexPolygon(arrowheadCorners(head, tip, unit).points, 3);
        }
    }
}

// The stretch a text may slide along, in pixels of the view.
struct PixelSlide {
    QPointF direction;
    double back = 0;
    double ahead = 0;
};

PixelSlide pixelSlide(const ViewTransform& view, const FigureText& item) {
    const TextSlide& slide = item.slide;
    const QPointF unit = view.toPixel(item.at.x + slide.alongX, item.at.y + slide.alongY) -
                         view.toPixel(item.at.x, item.at.y);
    const double pixelsPerUnit = std::hypot(unit.x(), unit.y());
    if (!(pixelsPerUnit > 0) || !std::isfinite(pixelsPerUnit)) {
        return {};
    }
    return {unit / pixelsPerUnit, slide.back * pixelsPerUnit, slide.ahead * pixelsPerUnit};
}

// From the text's own point to the nearest point of its box.
void paintLeader(QPainter& painter, QPointF from, const QRectF& box, ColourValue colour) {
    const QPointF to(std::clamp(from.x(), box.left(), box.right()),
                     std::clamp(from.y(), box.top(), box.bottom()));
    painter.setPen(thinPen(colour, 1));
    painter.drawLine(QLineF(from, to));
}

// The widths of the texts of one painting, each distinct text measured
// once: a loads figure repeats a few labels thousands of times. A
// diagram's labels are nearly all different numbers, and shaping each
// costs more than the rest of its painting; their width is the sum of
// their characters' advances wherever the font sets each pair of those
// characters side by side without kerning, which is checked once per
// character per painting. Other texts are measured whole.
class TextWidths {
public:
    explicit TextWidths(const QFontMetricsF& metrics) : metrics_(metrics) {}

    double of(const std::string& text, const QString& shown) {
        const auto [found, added] = widths_.try_emplace(text, 0.0);
        if (added) {
            const auto sum = summed(shown);
            found->second = sum ? *sum : metrics_.horizontalAdvance(shown);
        }
        return found->second;
    }

private:
    std::optional<double> summed(const QString& shown) {
        double width = 0;
        for (const QChar c : shown) {
            const auto advance = advanceOf(c);
            if (!advance) {
                return std::nullopt;
            }
            width += *advance;
        }
        return width;
    }

    // The advance of a character that sets without kerning beside every
    // other such character; none for the others.
    std::optional<double> advanceOf(QChar c) {
        const auto known = advances_.find(c.unicode());
        if (known != advances_.end()) {
            return known->second;
        }
        std::optional<double> advance;
        if (!c.isSurrogate() && !c.isMark() && c.unicode() >= 0x20) {
            const double own = metrics_.horizontalAdvance(QString(c));
            const auto setsApart = [&](QChar other, double otherAdvance) {
                return metrics_.horizontalAdvance(QString(c) + other) == own + otherAdvance &&
                       metrics_.horizontalAdvance(QString(other) + c) == own + otherAdvance;
            };
            bool additive = setsApart(c, own);
            for (const auto& [other, otherAdvance] : advances_) {
                additive = additive && (!otherAdvance || setsApart(QChar(other), *otherAdvance));
            }
            if (additive) {
                advance = own;
            }
        }
        advances_.emplace(c.unicode(), advance);
        return advance;
    }

    const QFontMetricsF& metrics_;
    std::unordered_map<std::string, double> widths_;
    std::map<char16_t, std::optional<double>> advances_;
};

void paintText(QPainter& painter, const ViewTransform& view, const QFontMetricsF& metrics,
               TextWidths& widths, TextPlacer& placer, const FigureText& item) {
    const QPointF at = toPixel(view, item.at);
    if (!isFinite(at)) {
        return;
    }
    const QString text = QString::fromStdString(item.text);
    const QRectF wanted =
        anchoredBox(at, QSizeF(widths.of(item.text, text), metrics.height()), item.anchor);
    const PixelSlide slide = pixelSlide(view, item);
    const auto box = placer.claim(wanted, slide.direction, slide.back, slide.ahead);
    if (!box) {
        return;
    }
    const QPointF moved = box->topLeft() - wanted.topLeft();
    if (std::hypot(moved.x(), moved.y()) > box->height()) {
        paintLeader(painter, at, *box, item.colour);
    }
    painter.setPen(toQColor(item.colour));
    painter.drawText(QPointF(box->left(), box->top() + metrics.ascent()), text);
}

}  // namespace

void paintTexts(QPainter& painter, const ViewTransform& view, const FigureLayers& figures) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QFontMetricsF metrics(painter.font(), painter.device());
    TextWidths widths(metrics);
    TextPlacer placer(surfaceWithRoom(view, 0));
    for (const FigureLayer layer : kTextPriority) {
        if (const Figure* figure = figures.at(static_cast<std::size_t>(layer))) {
            for (const FigureText& item : figure->texts) {
                paintText(painter, view, metrics, widths, placer, item);
            }
        }
    }
    painter.restore();
}

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

void paintShapes(QPainter& painter, const ViewTransform& view, const Figure& figure) {
    paintShapes(painter, view, figure, ShapeShare{});
}

void paintShapes(QPainter& painter, const ViewTransform& view, const Figure& figure,
                 ShapeShare share) {
    const auto partOf = [share](const auto& items) {
        const std::size_t count = items.size();
        const std::size_t first = count * share.first / share.of;
        return std::span(items).subspan(first, count * share.last / share.of - first);
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    FigureStamps stamps(painter);
    paintPolylines(painter, view, partOf(figure.polylines), stamps);
    painter.setPen(Qt::NoPen);
    paintArrowheads(painter, view, partOf(figure.arrowheads), stamps);
    painter.restore();
}

void paint(QPainter& painter, const ViewTransform& view, const FigureLayers& figures) {
    for (const Figure* figure : figures) {
        if (figure != nullptr) {
            paintShapes(painter, view, *figure);
        }
    }
    paintTexts(painter, view, figures);
}
