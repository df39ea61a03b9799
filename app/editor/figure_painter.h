// Painting a figure through a view, the one way the window and an export
// draw figures: antialiased lines, filled arrowheads and texts in the
// painter's font, over whatever the painter already holds.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include "editor/view_transform.h"
#include "results/figure.h"

class QPainter;

// Where a figure point lies in pixels.
QPointF toPixel(const ViewTransform& view, const FigurePoint& point);

// The box of `size` whose `anchor` point lies at `at`.
QRectF anchoredBox(QPointF at, QSizeF size, TextAnchor anchor);

// Lines first, then arrowheads, then texts. Parts beyond the view's pixels
// are left out, and lines are cut to them, so that no coordinate too large
// for the painter reaches it.
void paint(QPainter& painter, const ViewTransform& view, const Figure& figure);
