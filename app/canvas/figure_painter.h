// Painting the figures through a view, the one way the window and an
// export draw them: antialiased lines, filled arrowheads and texts in the
// painter's font, over whatever the painter already holds. The texts of
// all figures are placed together on the surface being painted, measured
// on its own device, so that none overprints another at any size.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <array>
#include <cstddef>

#include "canvas/view_transform.h"
#include "results/figure.h"

class QPainter;

// Where a figure point lies in pixels.
QPointF toPixel(const ViewTransform& view, const FigurePoint& point);

// The box of `size` whose `anchor` point lies at `at`.
QRectF anchoredBox(QPointF at, QSizeF size, TextAnchor anchor);

// The figure of each layer, or none where a layer is not painted.
using FigureLayers = std::array<const Figure*, kFigureLayerCount>;

// The lines and arrowheads of each figure in the order of the layers, then
// the texts of all of them in the order of kTextPriority: a text whose
// place is taken slides along its stretch to the nearest free place (with
// a leader line back to its point when it moved farther than its height)
// or is left out. Parts beyond the view's pixels are left out, and lines
// are cut to them, so that no coordinate too large for the painter
// reaches it.
void paint(QPainter& painter, const ViewTransform& view, const FigureLayers& figures);

// The two halves of paint, for a surface that keeps them apart: the lines
// and arrowheads of one figure, and the texts of all.
void paintShapes(QPainter& painter, const ViewTransform& view, const Figure& figure);
// A share of a figure's lines and arrowheads: of `of` equal runs of
// consecutive lines (and of arrowheads), those from `first` up to `last`.
// Shares can be painted at once on surfaces of their own and laid over
// each other in order.
struct ShapeShare {
    std::size_t first = 0;
    std::size_t last = 1;
    std::size_t of = 1;
};
void paintShapes(QPainter& painter, const ViewTransform& view, const Figure& figure,
                 ShapeShare share);
void paintTexts(QPainter& painter, const ViewTransform& view, const FigureLayers& figures);
