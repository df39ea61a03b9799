// Figure shapes stamped from images; see figure_stamps.h.
#include "canvas/figure_stamps.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "canvas/canvas_strokes.h"
#include "platform/colours.h"

namespace {

constexpr int kPhases = 4;  // tip positions drawn per pixel, each way

// The whole pixel at or left of `value` and the quarter past it.
std::pair<int, int> pixelAndPhase(double value) {
    const double scaled = std::round(value * kPhases);
    const auto whole = static_cast<int>(std::floor(scaled / kPhases));
    return {whole, static_cast<int>(scaled - static_cast<double>(whole) * kPhases)};
}

// Pixels from the tip to the edge of a stamp: the arrowhead and its
// antialiased rim fit.
int reachOf(const FigureArrowhead& head) {
    return static_cast<int>(std::ceil(std::hypot(head.length, head.halfWidth))) + 2;
}

// The smallest rectangle holding every pixel of `image` that is not
// wholly transparent: the rest of a stamp changes nothing where it lands.
QRect coveredPixels(const QImage& image) {
    QRect covered;
    for (int row = 0; row < image.height(); ++row) {
        const auto* pixels = reinterpret_cast<const std::uint32_t*>(image.constScanLine(row));
        for (int column = 0; column < image.width(); ++column) {
            if ((pixels[column] >> 24) != 0) {
                covered |= QRect(column, row, 1, 1);
            }
        }
    }
    return covered;
}

}  // namespace

ArrowheadCorners arrowheadCorners(const FigureArrowhead& head, QPointF tip, QPointF unit) {
    const QPointF across(-unit.y() * head.halfWidth, unit.x() * head.halfWidth);
    const QPointF base = tip - unit * head.length;
    return {{tip, base + across, base - across}};
}

FigureStamps::FigureStamps(QPainter& painter) : painter_(painter) {
    const QPaintEngine* engine = painter.paintEngine();
    usable_ = engine != nullptr && engine->type() == QPaintEngine::Raster &&
              painter.device()->devicePixelRatio() == 1 &&
              painter.worldTransform().type() <= QTransform::TxTranslate &&
              painter.worldTransform().dx() == std::round(painter.worldTransform().dx()) &&
              painter.worldTransform().dy() == std::round(painter.worldTransform().dy());
    if (usable_ && painter.device()->devType() == QInternal::Image && !painter.hasClipping() &&
        painter.compositionMode() == QPainter::CompositionMode_SourceOver &&
        painter.opacity() == 1) {
        auto* image = static_cast<QImage*>(painter.device());
        if (image->format() == QImage::Format_ARGB32_Premultiplied) {
            target_ = image;
            targetBits_ = reinterpret_cast<std::uint32_t*>(image->bits());
            targetStride_ = image->bytesPerLine() / 4;
            offset_ = QPoint(static_cast<int>(painter.worldTransform().dx()),
                             static_cast<int>(painter.worldTransform().dy()));
        }
    }
}

void FigureStamps::arrowhead(const FigureArrowhead& head, QPointF tip, QPointF unit) {
    const auto [x, phaseX] = pixelAndPhase(tip.x());
    const auto [y, phaseY] = pixelAndPhase(tip.y());
    const HeadShape shape{head.colour, head.length, head.halfWidth, unit.x(),
                          unit.y(),    phaseX,      phaseY};
    const Stamp& found = headStamp(shape, head, unit);
    const QPoint corner = QPoint(x, y) + found.corner;
    if (target_ != nullptr) {
        blend(found.image, corner + offset_);
    } else {
        painter_.drawImage(corner, found.image);
    }
}

namespace {

// Each 8-bit channel of `pixel` times alpha / 255, rounded as the painter
// rounds it.
std::uint32_t channelsTimes(std::uint32_t pixel, std::uint32_t alpha) {
    std::uint32_t low = (pixel & 0xff00ffU) * alpha;
    low = ((low + ((low >> 8) & 0xff00ffU) + 0x800080U) >> 8) & 0xff00ffU;
    std::uint32_t high = ((pixel >> 8) & 0xff00ffU) * alpha;
    high = (high + ((high >> 8) & 0xff00ffU) + 0x800080U) & 0xff00ff00U;
    return high | low;
}

}  // namespace

// Source-over of premultiplied pixels, the stamp cut to the image.
void FigureStamps::blend(const QImage& stamp, QPoint corner) {
    const QRect area = QRect(corner, stamp.size()).intersected(target_->rect());
    for (int row = area.top(); row <= area.bottom(); ++row) {
        const auto* from =
            reinterpret_cast<const std::uint32_t*>(stamp.constScanLine(row - corner.y()));
        std::uint32_t* to = targetBits_ + row * targetStride_;
        for (int column = area.left(); column <= area.right(); ++column) {
            const std::uint32_t source = from[column - corner.x()];
            const std::uint32_t alpha = source >> 24;
            if (alpha == 255) {
                to[column] = source;
            } else if (alpha != 0) {
                to[column] = source + channelsTimes(to[column], 255 - alpha);
            }
        }
    }
}

const FigureStamps::Stamp& FigureStamps::headStamp(const HeadShape& shape,
                                                   const FigureArrowhead& head, QPointF unit) {
    const auto found = heads_.find(shape);
    if (found != heads_.end()) {
        return found->second;
    }
    const int reach = reachOf(head);
    QImage image(2 * reach + 1, 2 * reach + 1, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(toQColor(head.colour));
    const QPointF tip(reach + static_cast<double>(std::get<5>(shape)) / kPhases,
                      reach + static_cast<double>(std::get<6>(shape)) / kPhases);
    const ArrowheadCorners corners = arrowheadCorners(head, tip, unit);
    painter.drawConvexPolygon(corners.points, 3);
    painter.end();
    const QRect covered = coveredPixels(image);
    Stamp made{image.copy(covered), covered.topLeft() - QPoint(reach, reach)};
    return heads_.emplace(shape, std::move(made)).first->second;
}

namespace {

// Longer lines are few in a figure (a load's span, a diagram's closing
// line) and rarely of one shape: they are stroked.
constexpr std::int64_t kLongestStamped = 48 * kPhases;
// A figure whose lines come in more shapes than this gains nothing from
// stamps: each costs a painter of its own.
constexpr std::size_t kMostSegmentShapes = 2048;

}  // namespace

bool FigureStamps::segment(QPointF from, QPointF to, ColourValue colour, double width) {
    if (target_ == nullptr || !(width <= 1)) {
        return false;
    }
    const auto quarters = [](double value) { return std::llround(value * kPhases); };
    const std::int64_t runX = quarters(to.x()) - quarters(from.x());
    const std::int64_t runY = quarters(to.y()) - quarters(from.y());
    if (std::llabs(runX) > kLongestStamped || std::llabs(runY) > kLongestStamped ||
        (runX == 0 && runY == 0)) {
        return false;
    }
    const auto [x, phaseX] = pixelAndPhase(from.x());
    const auto [y, phaseY] = pixelAndPhase(from.y());
    const Stamp* found = segmentStamp({colour, width, phaseX, phaseY, runX, runY});
    if (found == nullptr) {
        return false;
    }
    if (!found->image.isNull()) {
        blend(found->image, QPoint(x, y) + found->corner + offset_);
    }
    return true;
}

// The line stroked alone, as strokeThin strokes a path of one line, with
// its first end at the stamp's anchor plus its phase.
const FigureStamps::Stamp* FigureStamps::segmentStamp(const SegmentShape& shape) {
    const auto found = segments_.find(shape);
    if (found != segments_.end()) {
        return &found->second;
    }
    if (segments_.size() >= kMostSegmentShapes) {
        return nullptr;
    }
    const auto [colour, width, phaseX, phaseY, runX, runY] = shape;
    // Room for the line each way from its first end, its caps and rim.
    const int reach = static_cast<int>(std::max(std::llabs(runX), std::llabs(runY)) / kPhases) + 3;
    QImage image(2 * reach + 1, 2 * reach + 1, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF from(reach + static_cast<double>(phaseX) / kPhases,
                       reach + static_cast<double>(phaseY) / kPhases);
    QPainterPath path(from);
    path.lineTo(from + QPointF(static_cast<double>(runX), static_cast<double>(runY)) / kPhases);
    strokeThin(painter, path, thinPen(colour, width));
    painter.end();
    const QRect covered = coveredPixels(image);
    Stamp made{covered.isEmpty() ? QImage() : image.copy(covered),
               covered.topLeft() - QPoint(reach, reach)};
    return &segments_.emplace(shape, std::move(made)).first->second;
}
