// Filled arrowheads on a pixel surface, stamped from small images: a loads
// figure holds thousands of arrowheads of a few shapes, and the painter's
// set-up for each antialiased fill costs far more than copying its pixels.
// Each shape (colour, size, direction) is drawn once per quarter-pixel
// position of its tip and copied to every place it goes, so a stamp lies
// at most an eighth of a pixel from where a fill would put it.
#pragma once

#include <QImage>
#include <QPointF>
#include <map>
#include <tuple>

#include "results/figure.h"

class QPainter;

class ArrowheadStamps {
public:
    explicit ArrowheadStamps(QPainter& painter);

    // Whether the painter's surface takes stamps: pixels, one device pixel
    // a pixel, nothing turned or scaled. Elsewhere arrowheads are filled.
    bool usable() const { return usable_; }
    // The arrowhead `head` with its tip at `tip`, pointing along `unit`
    // (pixels).
    void stamp(const FigureArrowhead& head, QPointF tip, QPointF unit);

private:
    using Shape = std::tuple<ColourValue, double, double, double, double, int, int>;
    const QImage& imageOf(const Shape& shape, const FigureArrowhead& head, QPointF unit);

    QPainter& painter_;
    bool usable_ = false;
    std::map<Shape, QImage> images_;
};

// The three corners of an arrowhead with its tip at `tip`, pointing along
// `unit`.
struct ArrowheadCorners {
    QPointF points[3];
};
ArrowheadCorners arrowheadCorners(const FigureArrowhead& head, QPointF tip, QPointF unit);
