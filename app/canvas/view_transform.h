// The mapping between the world window and the pixels of the drawing
// surface: a value, so that the canvas, its painting and the editor's
// view commands all map points the same way.
#pragma once

#include <QPointF>
#include <QRect>
#include <QSize>
#include <cmath>

#include "document/document.h"

// World x runs right and y down, as on the window's pixels.
struct ViewTransform {
    WorldWindow world;
    QSize pixels{0, 0};

    // A world point in pixels; the origin when the window is unusable.
    QPointF toPixel(double x, double y) const;
    // A pixel in world coordinates; the window's corner while the surface
    // has no pixels.
    QPointF toWorld(QPointF pixel) const;
    bool operator==(const ViewTransform&) const = default;
};

// Inline: every line painted or invalidated maps four points.
inline QPointF ViewTransform::toPixel(double x, double y) const {
    const auto usable = [](float extent) { return std::isfinite(extent) && extent > 0; };
    if (!usable(world.scaleWidth) || !usable(world.scaleHeight)) {
        return {};
    }
    return {(x - world.scaleLeft) * pixels.width() / world.scaleWidth,
            (y - world.scaleTop) * pixels.height() / world.scaleHeight};
}

inline QPointF ViewTransform::toWorld(QPointF pixel) const {
    if (pixels.width() == 0 || pixels.height() == 0) {
        return {world.scaleLeft, world.scaleTop};
    }
    return {world.scaleLeft + pixel.x() * double{world.scaleWidth} / pixels.width(),
            world.scaleTop + pixel.y() * double{world.scaleHeight} / pixels.height()};
}

// Whether a world window maps onto a surface: a finite corner and
// positive, finite extents.
bool usableWindow(const WorldWindow& world);

// How a world window is given one scale on both axes for a drawing surface
// of another shape: the smallest such window containing it (a window read
// from a file), or one keeping its width and top-left corner (start-up and
// a resized window).
enum class WorldFit { Contain, KeepWidth };
// The window unchanged when either size is empty or the window unusable.
WorldWindow equalScaleWindow(const WorldWindow& world, QSize pixels, WorldFit fit);

// The window of a surface resized from `before` to `after` pixels: the
// same world point at its centre and the same world length per pixel on
// each axis. A window that had no surface yet keeps its width instead.
WorldWindow resizedWindow(const WorldWindow& world, QSize before, QSize after);

// The window of a surface of `pixels` that shows `box` as large as one
// scale on both axes allows inside `area` (a part of the surface, in
// pixels), centred there; the whole surface when `area` is empty.
WorldWindow windowShowingIn(const WorldWindow& box, QSize pixels, const QRect& area);

// The world window around the box of world points from (left, top) to
// (right, bottom), with a margin of a part of its larger extent on every
// side: the whole frame in view, on the screen or on a page.
WorldWindow windowAround(double left, double top, double right, double bottom);
