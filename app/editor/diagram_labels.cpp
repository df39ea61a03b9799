// Diagram texts that never overprint; see diagram_labels.h.
#include "editor/diagram_labels.h"

#include <algorithm>
#include <cmath>

#include "editor/canvas.h"

namespace {

constexpr double kSlideStep = 3;  // pixels between the places tried
constexpr int kMostSteps = 2000;  // each way: a member across a very large window
constexpr double kCellSize = 64;
constexpr double kGap = 2;         // pixels   // pixels
constexpr double kFarShare = 1.0;  // beyond a box's height, a leader shows where it belongs

template <typename Each>
void forEachCell(const QRectF& box, Each each) {
    const auto cell = [](double pixel) {
        return static_cast<std::int64_t>(std::floor(pixel / kCellSize));
    };
    for (std::int64_t column = cell(box.left()); column <= cell(box.right()); ++column) {
        for (std::int64_t row = cell(box.top()); row <= cell(box.bottom()); ++row) {
            each((column << 32) ^ (row & 0xFFFFFFFF));
        }
    }
}

// Boxes beyond any pixel coordinate are none the placer can compare.
bool isUsable(const QRectF& box) {
    constexpr double kFar = 1e7;
    return std::isfinite(box.left() + box.top() + box.right() + box.bottom()) &&
           std::fabs(box.left()) < kFar && std::fabs(box.top()) < kFar &&
           std::fabs(box.right()) < kFar && std::fabs(box.bottom()) < kFar;
}

}  // namespace

DiagramTextPlacer::DiagramTextPlacer(Canvas& canvas, ColourValue leaderColour)
    : canvas_(canvas), leaderColour_(leaderColour) {}

bool DiagramTextPlacer::print(const DiagramText& text) {
    QRectF box;
    const auto place = freePlace(text, box);
    if (!place) {
        return false;
    }
    reserve(box);
    const auto x = static_cast<float>(place->x());
    const auto y = static_cast<float>(place->y());
    if (text.symbol) {
        canvas_.printSymbol(x, y, text.text);
    } else {
        canvas_.printText(x, y, text.text);
    }
    const QPointF wanted = canvas_.toPixel(text.at.x(), text.at.y());
    const QPointF moved = canvas_.toPixel(place->x(), place->y());
    if (std::hypot(moved.x() - wanted.x(), moved.y() - wanted.y()) > kFarShare * box.height()) {
        drawLeader(wanted, box);
    }
    return true;
}

// The places along the member, nearest first, that keep the point within
// its stretch; the wanted place is always tried first.
std::optional<QPointF> DiagramTextPlacer::freePlace(const DiagramText& text, QRectF& box) const {
    const double pixelsPerUnit = canvas_.toPixel(1, 0).x() - canvas_.toPixel(0, 0).x();
    if (!(pixelsPerUnit > 0) || !std::isfinite(pixelsPerUnit)) {
        return std::nullopt;
    }
    const double step = kSlideStep / pixelsPerUnit;  // world units
    const QPointF offset = text.at - text.origin;
    const double along = offset.x() * text.along.x() + offset.y() * text.along.y();
    const auto stepsTo = [&](double limit) {
        const double steps = (limit - along) / step;
        return std::isfinite(steps)
                   ? static_cast<int>(std::clamp<double>(steps, -kMostSteps, kMostSteps))
                   : 0;
    };
    const int lowest = std::min(stepsTo(text.from), 0);
    const int highest = std::max(stepsTo(text.to), 0);
    // A text's box only moves as it slides: it is measured once.
    const QRectF wantedBox = boxAt(text, text.at);
    const QPointF wantedPixel = canvas_.toPixel(text.at.x(), text.at.y());
    const auto tryAt = [&](int steps) -> std::optional<QPointF> {
        const QPointF at = text.at + text.along * (steps * step);
        box = wantedBox.translated(canvas_.toPixel(at.x(), at.y()) - wantedPixel);
        return isUsable(box) && isFree(box) ? std::optional(at) : std::nullopt;
    };
    for (int distance = 0; distance <= std::max(-lowest, highest); ++distance) {
        if (distance <= highest) {
            if (const auto at = tryAt(distance)) {
                return at;
            }
        }
        if (distance > 0 && -distance >= lowest) {
            if (const auto at = tryAt(-distance)) {
                return at;
            }
        }
    }
    return std::nullopt;
}

QRectF DiagramTextPlacer::boxAt(const DiagramText& text, QPointF at) const {
    const auto x = static_cast<float>(at.x());
    const auto y = static_cast<float>(at.y());
    return text.symbol ? canvas_.symbolBounds(x, y, text.text)
                       : canvas_.textBounds(x, y, text.text);
}

bool DiagramTextPlacer::isFree(const QRectF& box) const {
    bool free = true;
    forEachCell(box, [&](std::int64_t cell) {
        const auto found = cells_.find(cell);
        if (free && found != cells_.end()) {
            free = std::none_of(found->second.begin(), found->second.end(),
                                [&](std::size_t k) { return boxes_[k].intersects(box); });
        }
    });
    return free;
}

// Texts that merely touch would read as one: each keeps a gap around it.
void DiagramTextPlacer::reserve(const QRectF& box) {
    const QRectF kept = box.adjusted(-kGap, -kGap, kGap, kGap);
    boxes_.push_back(kept);
    forEachCell(kept, [&](std::int64_t cell) { cells_[cell].push_back(boxes_.size() - 1); });
}

// From the text's own point to the nearest point of its box.
void DiagramTextPlacer::drawLeader(QPointF from, const QRectF& box) {
    const QPointF to(std::clamp(from.x(), box.left(), box.right()),
                     std::clamp(from.y(), box.top(), box.bottom()));
    const QPointF a = canvas_.toWorld(from);
    const QPointF b = canvas_.toWorld(to);
    canvas_.drawLine(static_cast<float>(a.x()), static_cast<float>(a.y()),
                     static_cast<float>(b.x()), static_cast<float>(b.y()), leaderColour_);
}
