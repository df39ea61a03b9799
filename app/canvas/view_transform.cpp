// Windows of one scale on both axes; see view_transform.h.
#include "canvas/view_transform.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr long double kSameScaleTolerance = 1e-5L;

bool usableExtent(float extent) {
    return std::isfinite(extent) && extent > 0;
}

}  // namespace

bool usableWindow(const WorldWindow& w) {
    return std::isfinite(w.scaleLeft) && std::isfinite(w.scaleTop) && usableExtent(w.scaleWidth) &&
           usableExtent(w.scaleHeight);
}

WorldWindow equalScaleWindow(const WorldWindow& world, QSize pixels, WorldFit fit) {
    if (pixels.width() <= 0 || pixels.height() <= 0 || !usableExtent(world.scaleWidth) ||
        !usableExtent(world.scaleHeight)) {
        return world;
    }
    const long double aspect = static_cast<long double>(pixels.height()) / pixels.width();
    const long double width = world.scaleWidth;
    const long double height = world.scaleHeight;
    // Zooming rounds both extents to single precision: a window within
    // that rounding of one scale already has it and stays as it is, so
    // that reopening a saved view changes none of its numbers.
    if (std::fabs(height - width * aspect) <= kSameScaleTolerance * width * aspect) {
        return world;
    }
    WorldWindow fitted = world;
    if (fit == WorldFit::KeepWidth || height < width * aspect) {
        fitted.scaleHeight = static_cast<float>(width * aspect);
        if (fit == WorldFit::Contain) {
            fitted.scaleTop =
                static_cast<float>(world.scaleTop - (fitted.scaleHeight - height) / 2);
        }
    } else {
        fitted.scaleWidth = static_cast<float>(height / aspect);
        fitted.scaleLeft = static_cast<float>(world.scaleLeft - (fitted.scaleWidth - width) / 2);
    }
    return usableWindow(fitted) ? fitted : world;
}

WorldWindow resizedWindow(const WorldWindow& world, QSize before, QSize after) {
    if (before.isEmpty() || after.isEmpty() || !usableWindow(world)) {
        return equalScaleWindow(world, after, WorldFit::KeepWidth);
    }
    const long double width =
        world.scaleWidth * static_cast<long double>(after.width()) / before.width();
    const long double height =
        world.scaleHeight * static_cast<long double>(after.height()) / before.height();
    WorldWindow resized;
    resized.scaleLeft = static_cast<float>(world.scaleLeft + (world.scaleWidth - width) / 2);
    resized.scaleTop = static_cast<float>(world.scaleTop + (world.scaleHeight - height) / 2);
    resized.scaleWidth = static_cast<float>(width);
    resized.scaleHeight = static_cast<float>(height);
    return usableWindow(resized) ? resized : world;
}

WorldWindow windowShowingIn(const WorldWindow& box, QSize pixels, const QRect& area) {
    if (area.isEmpty() || pixels.isEmpty() || !usableWindow(box)) {
        return equalScaleWindow(box, pixels, WorldFit::Contain);
    }
    const long double perPixel =
        std::max(static_cast<long double>(box.scaleWidth) / area.width(),
                 static_cast<long double>(box.scaleHeight) / area.height());
    const QPointF centre = QRectF(area).center();
    WorldWindow shown;
    shown.scaleLeft =
        static_cast<float>(box.scaleLeft + box.scaleWidth / 2.0L - centre.x() * perPixel);
    shown.scaleTop =
        static_cast<float>(box.scaleTop + box.scaleHeight / 2.0L - centre.y() * perPixel);
    shown.scaleWidth = static_cast<float>(pixels.width() * perPixel);
    shown.scaleHeight = static_cast<float>(pixels.height() * perPixel);
    return usableWindow(shown) ? shown : box;
}

WorldWindow windowAround(double left, double top, double right, double bottom) {
    constexpr double kMargin = 0.08;
    const double margin = std::max({right - left, bottom - top, 1.0}) * kMargin;
    WorldWindow around;
    around.scaleLeft = static_cast<float>(left - margin);
    around.scaleTop = static_cast<float>(top - margin);
    around.scaleWidth = static_cast<float>(right - left + 2 * margin);
    around.scaleHeight = static_cast<float>(bottom - top + 2 * margin);
    return around;
}
