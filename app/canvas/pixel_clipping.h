// Cutting segments to the drawing surface before they reach the painter,
// whose fixed-point arithmetic draws lines where there are none when handed
// coordinates beyond its range.
#pragma once

#include <QLineF>
#include <QPainterPath>
#include <QRectF>
#include <optional>

// The part of a segment inside a rectangle, or nothing when it misses it.
// Each end outside is moved onto the side it lies beyond, that coordinate
// set exactly and the other one interpolated, so that a horizontal or
// vertical line keeps its exact row or column however far its ends lie.
std::optional<QLineF> clippedTo(const QRectF& box, QLineF segment);

// Adds a segment to a path that is stroked as one line: joined to the last
// point when it starts there, else as a new piece.
void extendPath(QPainterPath& path, const QLineF& segment);
