// Texts that never overprint; see text_placer.h.
#include "canvas/text_placer.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSlideStep = 3;  // pixels between the places tried
constexpr double kCellSize = 64;
constexpr double kGap = 2;  // pixels kept clear around every text

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

// The steps t (pixels along `direction`) within [low, high] at which the
// box moved by t * direction meets the surface; empty when low > high.
struct StepRange {
    double low;
    double high;
};

void narrowToAxis(StepRange& range, double boxLow, double boxHigh, double direction,
                  double surfaceLow, double surfaceHigh) {
    if (direction == 0) {
        if (boxHigh <= surfaceLow || boxLow >= surfaceHigh) {
            range.low = 1;
            range.high = 0;
        }
        return;
    }
    // boxHigh + t d > surfaceLow and boxLow + t d < surfaceHigh
    double a = (surfaceLow - boxHigh) / direction;
    double b = (surfaceHigh - boxLow) / direction;
    if (a > b) {
        std::swap(a, b);
    }
    range.low = std::max(range.low, a);
    range.high = std::min(range.high, b);
}

StepRange shownSteps(const QRectF& box, QPointF direction, const QRectF& surface, double back,
                     double ahead) {
    StepRange range{-back, ahead};
    narrowToAxis(range, box.left(), box.right(), direction.x(), surface.left(), surface.right());
    narrowToAxis(range, box.top(), box.bottom(), direction.y(), surface.top(), surface.bottom());
    return range;
}

bool isUsable(const QRectF& box) {
    return std::isfinite(box.left() + box.top() + box.right() + box.bottom());
}

}  // namespace

TextPlacer::TextPlacer(const QRectF& surface) : surface_(surface) {}

// The places are tried outwards from the wanted one, a step ahead before a
// step back, so that equal texts always land alike.
std::optional<QRectF> TextPlacer::claim(const QRectF& wanted, QPointF direction, double back,
                                        double ahead) {
    if (!isUsable(wanted) || !std::isfinite(direction.x() + direction.y()) ||
        !std::isfinite(back + ahead)) {
        return std::nullopt;
    }
    const StepRange range =
        shownSteps(wanted, direction, surface_, std::max(back, 0.0), std::max(ahead, 0.0));
    if (!(range.low <= range.high)) {
        return std::nullopt;
    }
    const auto lowest = static_cast<long>(std::ceil(range.low / kSlideStep));
    const auto highest = static_cast<long>(std::floor(range.high / kSlideStep));
    const auto tryAt = [&](long steps) -> std::optional<QRectF> {
        const QRectF box = wanted.translated(direction * (steps * kSlideStep));
        return isFree(box) ? std::optional(box) : std::nullopt;
    };
    const long farthest = std::max(std::labs(lowest), std::labs(highest));
    for (long distance = 0; distance <= farthest; ++distance) {
        for (const long steps : {distance, -distance}) {
            if (steps >= lowest && steps <= highest) {
                if (const auto box = tryAt(steps)) {
                    reserve(*box);
                    return box;
                }
            }
            if (distance == 0) {
                break;
            }
        }
    }
    return std::nullopt;
}

// A box of negative width or height spans back from its corner; one of
// no width or height covers nothing.
TextPlacer::Edges TextPlacer::edgesOf(const QRectF& box) {
    Edges edges{box.x(), box.x(), box.y(), box.y()};
    (box.width() < 0 ? edges.left : edges.right) += box.width();
    (box.height() < 0 ? edges.top : edges.bottom) += box.height();
    return edges;
}

bool TextPlacer::overlap(const Edges& a, const Edges& b) {
    const bool empty =
        a.left == a.right || b.left == b.right || a.top == a.bottom || b.top == b.bottom;
    return !empty && a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool TextPlacer::isFree(const QRectF& box) const {
    const Edges edges = edgesOf(box);
    bool free = true;
    forEachCell(box, [&](std::int64_t cell) {
        const auto found = cells_.find(cell);
        if (free && found != cells_.end()) {
            free = std::none_of(found->second.begin(), found->second.end(),
                                [&](std::size_t k) { return overlap(boxes_[k], edges); });
        }
    });
    return free;
}

// Texts that merely touch would read as one: each keeps a gap around it.
void TextPlacer::reserve(const QRectF& box) {
    const QRectF kept = box.adjusted(-kGap, -kGap, kGap, kGap);
    boxes_.push_back(edgesOf(kept));
    forEachCell(kept, [&](std::int64_t cell) { cells_[cell].push_back(boxes_.size() - 1); });
}
