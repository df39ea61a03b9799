// The grid of the drawing aid: light grey points at every multiple of the
// spacing in both directions, painted under the members. Only the points
// inside the surface are painted, and none at all when neighbouring points
// would lie closer than a few pixels: such a grid would grey the whole
// drawing and cost as much as the frame.
#pragma once

#include <QImage>

#include "canvas/view_transform.h"

// Points closer than this on the surface are not painted.
inline constexpr double kMinGridPointPixels = 6;

// Paints the grid of `spacing` (world units; 0 for none) onto `image`,
// whose pixels the view maps; the rest of the image is left alone.
void paintGridPoints(QImage& image, const ViewTransform& view, double spacing);
