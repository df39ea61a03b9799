// The grid points; see grid_points.h.
#include "canvas/grid_points.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr QRgb kGridPointColour = 0xFFB4B4B4;  // light grey, opaque
constexpr int kPointSize = 2;                  // pixels a side

// The multiples of `spacing` from `from` to `to`, as the first and last
// index; empty (first > last) when none lies between.
struct IndexRange {
    double first;
    double last;
};

IndexRange multiplesBetween(double from, double to, double spacing) {
    return {std::ceil(std::min(from, to) / spacing), std::floor(std::max(from, to) / spacing)};
}

void paintPoint(QImage& image, int left, int top) {
    for (int row = std::max(top, 0); row < std::min(top + kPointSize, image.height()); ++row) {
        auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int column = std::max(left, 0); column < std::min(left + kPointSize, image.width());
             ++column) {
            pixels[column] = kGridPointColour;
        }
    }
}

}  // namespace

void paintGridPoints(QImage& image, const ViewTransform& view, double spacing) {
    if (!(spacing > 0) || image.isNull() || !usableWindow(view.world)) {
        return;
    }
    const QPointF origin = view.toPixel(0, 0);
    const QPointF step = view.toPixel(spacing, spacing) - origin;
    if (!(std::fabs(step.x()) >= kMinGridPointPixels) ||
        !(std::fabs(step.y()) >= kMinGridPointPixels)) {
        return;
    }
    const QPointF topLeft = view.toWorld(QPointF(0, 0));
    const QPointF bottomRight = view.toWorld(QPointF(image.width(), image.height()));
    const IndexRange columns = multiplesBetween(topLeft.x(), bottomRight.x(), spacing);
    const IndexRange rows = multiplesBetween(topLeft.y(), bottomRight.y(), spacing);
    // Each point covers the two pixels on either side of its position.
    for (double row = rows.first; row <= rows.last; ++row) {
        const double y = view.toPixel(0, row * spacing).y();
        for (double column = columns.first; column <= columns.last; ++column) {
            const double x = view.toPixel(column * spacing, 0).x();
            paintPoint(image, static_cast<int>(std::lround(x)) - kPointSize / 2,
                       static_cast<int>(std::lround(y)) - kPointSize / 2);
        }
    }
}
