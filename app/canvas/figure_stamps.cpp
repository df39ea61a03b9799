// Figure shapes stamped from images; see figure_stamps.h.
#include "canvas/figure_stamps.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>

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

namespace {

// The device pixels the painter may paint: the image's, within its clip
// when that is one rectangle (a picture is clipped to its own); none for
// a clip of another shape.
std::optional<QRect> paintableArea(const QPainter& painter, const QImage& image, int ratio) {
    if (!painter.hasClipping()) {
        return image.rect();
    }
    const QRegion clip = painter.clipRegion();
    if (clip.rectCount() != 1) {
        return std::nullopt;
    }
    const QRect box = clip.boundingRect();
    return QRect(box.topLeft() * ratio, box.size() * ratio).intersected(image.rect());
}

}  // namespace

// Stamps are drawn and placed in device pixels, a whole number of them a
// pixel (a PNG has two), so that they lie on the surface's own pixels.
FigureStamps::FigureStamps(QPainter& painter) : painter_(painter) {
    const QPaintEngine* engine = painter.paintEngine();
    const double ratio = painter.device()->devicePixelRatio();
    const QTransform& world = painter.worldTransform();
    const QPointF shift = QPointF(world.dx(), world.dy()) * ratio;
    usable_ = engine != nullptr && engine->type() == QPaintEngine::Raster && ratio >= 1 &&
              ratio == std::round(ratio) && world.type() <= QTransform::TxTranslate &&
              shift.x() == std::round(shift.x()) && shift.y() == std::round(shift.y());
    if (!usable_) {
        return;
    }
    ratio_ = static_cast<int>(ratio);
    if (painter.device()->devType() == QInternal::Image &&
        painter.compositionMode() == QPainter::CompositionMode_SourceOver &&
        painter.opacity() == 1) {
        auto* image = static_cast<QImage*>(painter.device());
        const auto area = paintableArea(painter, *image, ratio_);
        // Opaque pixels stay opaque under source-over, so a picture without
        // alpha takes the same blending.
        if (area && (image->format() == QImage::Format_ARGB32_Premultiplied ||
                     image->format() == QImage::Format_RGB32)) {
            target_ = image;
            area_ = *area;
            targetBits_ = reinterpret_cast<std::uint32_t*>(image->bits());
            targetStride_ = image->bytesPerLine() / 4;
            offset_ = shift.toPoint();
        }
    }
}

// A stamp's image at the surface's density, laid out in device pixels.
QImage FigureStamps::stampImage(int reach) const {
    QImage image(2 * reach + 1, 2 * reach + 1, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(ratio_);
    return image;
}

// Puts a stamp whose corner lies at `corner` (device pixels).
void FigureStamps::place(const QImage& stamp, QPoint corner) {
    if (target_ != nullptr) {
        blend(stamp, corner + offset_);
    } else {
        painter_.drawImage(QPointF(corner) / ratio_, stamp);
    }
}

void FigureStamps::arrowhead(const FigureArrowhead& head, QPointF tip, QPointF unit) {
    const auto [x, phaseX] = pixelAndPhase(tip.x() * ratio_);
    const auto [y, phaseY] = pixelAndPhase(tip.y() * ratio_);
    const HeadShape shape{head.colour, head.length, head.halfWidth, unit.x(),
                          unit.y(),    phaseX,      phaseY};
    const Stamp& found = headStamp(shape, head, unit);
    place(found.image, QPoint(x, y) + found.corner);
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

// Source-over of premultiplied pixels, the stamp cut to the paintable area.
void FigureStamps::blend(const QImage& stamp, QPoint corner) {
    const QRect area = QRect(corner, stamp.size()).intersected(area_);
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
    const int reach = reachOf(head) * ratio_;
    QImage image = stampImage(reach);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(toQColor(head.colour));
    const QPointF tip = QPointF(reach + static_cast<double>(std::get<5>(shape)) / kPhases,
                                reach + static_cast<double>(std::get<6>(shape)) / kPhases) /
                        ratio_;
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
// Wider lines are rare in a figure, and their stamps large.
constexpr double kWidestStamped = 3;
// A figure whose lines come in more shapes than this gains nothing from
// stamps: each costs a painter of its own.
constexpr std::size_t kMostSegmentShapes = 2048;

}  // namespace

bool FigureStamps::segment(QPointF from, QPointF to, ColourValue colour, double width) {
    if (target_ == nullptr || !(width > 0 && width <= kWidestStamped)) {
        return false;
    }
    const auto quarters = [this](double value) { return std::llround(value * ratio_ * kPhases); };
    const std::int64_t runX = quarters(to.x()) - quarters(from.x());
    const std::int64_t runY = quarters(to.y()) - quarters(from.y());
    const std::int64_t longest = kLongestStamped * ratio_;
    if (std::llabs(runX) > longest || std::llabs(runY) > longest || (runX == 0 && runY == 0)) {
        return false;
    }
    const auto [x, phaseX] = pixelAndPhase(from.x() * ratio_);
    const auto [y, phaseY] = pixelAndPhase(from.y() * ratio_);
    const Stamp* found = segmentStamp({colour, width, phaseX, phaseY, runX, runY});
    if (found == nullptr) {
        return false;
    }
    if (!found->image.isNull()) {
        place(found->image, QPoint(x, y) + found->corner);
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
    const int reach = static_cast<int>(std::max(std::llabs(runX), std::llabs(runY)) / kPhases) +
                      static_cast<int>(std::ceil(width * ratio_)) + 3;
    QImage image = stampImage(reach);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF from = QPointF(reach + static_cast<double>(phaseX) / kPhases,
                                 reach + static_cast<double>(phaseY) / kPhases) /
                         ratio_;
    QPainterPath path(from);
    path.lineTo(from +
                QPointF(static_cast<double>(runX), static_cast<double>(runY)) / (kPhases * ratio_));
    strokeThin(painter, path, thinPen(colour, width));
    painter.end();
    const QRect covered = coveredPixels(image);
    Stamp made{covered.isEmpty() ? QImage() : image.copy(covered),
               covered.topLeft() - QPoint(reach, reach)};
    return &segments_.emplace(shape, std::move(made)).first->second;
}
