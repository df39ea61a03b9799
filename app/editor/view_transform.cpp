// Windows of one scale on both axes; see view_transform.h.
#include "editor/view_transform.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr long double kSameScaleTolerance = 1e-5L;

bool usableExtent(float extent) {
    return std::isfinite(extent) && extent > 0;
}

}  // namespace

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
    const bool finite = std::isfinite(fitted.scaleLeft) && std::isfinite(fitted.scaleTop) &&
                        usableExtent(fitted.scaleWidth) && usableExtent(fitted.scaleHeight);
    return finite ? fitted : world;
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
