// Wide lines that run along the pixel grid, painted as their pixels: a
// building's members are level or plumb, and the painter's stroker builds
// and fills a round-capped outline for each, thousands per view change.
// A line of even width whose ends lie on pixel corners covers whole pixels
// along its length, so its body is a rectangle filled without blending;
// its round caps are the same few partly covered pixels at every end,
// taken once from the painter's own rendering of a cap.
#pragma once

#include <QColor>
#include <QLineF>
#include <vector>

class QPainter;

// Paints the lines of `lines` that the grid carries (level or plumb, ends
// on device pixel corners, an even width in device pixels, on a pixel
// surface of a whole number of device pixels a pixel) as a round-capped
// antialiased pen of `width` in `colour` would, and removes them; the others are left for the pen. Returns at once when
// the painter's surface or state cannot take them.
void paintGridLines(QPainter& painter, std::vector<QLineF>& lines, const QColor& colour, int width);
