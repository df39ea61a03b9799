// Filled arrowheads on a pixel surface, stamped from small images: a loads
// figure holds thousands of arrowheads of a few shapes, and the painter's
// set-up for each antialiased fill costs far more than copying its pixels.
// Each shape (colour, size, direction) is drawn once per quarter-pixel
// position of its tip and copied to every place it goes, so a stamp lies
// at most an eighth of a pixel from where a fill would put it.
#pragma once

#include <QImage>
#include <QPointF>
#include <cstdint>
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
    // A shape's pixels, cut to those it covers, and where their top-left
    // corner lies from the tip's pixel.
    struct Stamp {
        QImage image;
        QPoint corner;
    };
    const Stamp& stampOf(const Shape& shape, const FigureArrowhead& head, QPointF unit);
    void blend(const QImage& stamp, QPoint corner);

    QPainter& painter_;
    bool usable_ = false;
    // The painter's own image when the stamps may be blended into its
    // pixels directly, as the painter would (no clip, plain source-over):
    // thousands of small image draws cost far more in set-up than in pixels.
    QImage* target_ = nullptr;
    std::uint32_t* targetBits_ = nullptr;
    qsizetype targetStride_ = 0;  // pixels from one row to the next
    QPoint offset_;
    std::map<Shape, Stamp> stamps_;
};

// The three corners of an arrowhead with its tip at `tip`, pointing along
// `unit`.
struct ArrowheadCorners {
    QPointF points[3];
};
ArrowheadCorners arrowheadCorners(const FigureArrowhead& head, QPointF tip, QPointF unit);
