// Arrowheads and short single lines of a figure on a pixel surface,
// stamped from small images: a loads figure holds thousands of arrows of a
// few shapes, and the painter's set-up for each antialiased fill or stroke
// costs far more than copying its pixels. Each shape (colour, size,
// direction) is drawn once per quarter-pixel position of its ends and
// copied to every place it goes, so a stamp lies at most an eighth of a
// pixel from where the painter would put it.
#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>
#include <cstdint>
#include <map>
#include <tuple>

#include "results/figure.h"

class QPainter;

class FigureStamps {
public:
    explicit FigureStamps(QPainter& painter);

    // Whether the painter's surface takes arrowhead stamps: pixels, a whole
    // number of device pixels a pixel, nothing turned or scaled. Elsewhere
    // arrowheads are filled.
    bool usable() const { return usable_; }
    // The arrowhead `head` with its tip at `tip`, pointing along `unit`
    // (pixels).
    void arrowhead(const FigureArrowhead& head, QPointF tip, QPointF unit);
    // The line from `from` to `to` (pixels, both within the surface's
    // reach) as strokeThin would stroke it alone, when it can be stamped:
    // short, blended straight into the surface's image, and while the
    // shapes met so far stay few. False leaves it to the caller.
    bool segment(QPointF from, QPointF to, ColourValue colour, double width);

private:
    // An arrowhead: colour, length, half width, direction, tip phases.
    using HeadShape = std::tuple<ColourValue, double, double, double, double, int, int>;
    // A line: colour, width, the first end's phases, the run in quarters.
    using SegmentShape = std::tuple<ColourValue, double, int, int, std::int64_t, std::int64_t>;
    // A shape's pixels, cut to those it covers, and where their top-left
    // corner lies from the pixel of its anchor (the tip, the first end).
    struct Stamp {
        QImage image;
        QPoint corner;
    };
    QImage stampImage(int reach) const;
    void place(const QImage& stamp, QPoint corner);
    const Stamp& headStamp(const HeadShape& shape, const FigureArrowhead& head, QPointF unit);
    const Stamp* segmentStamp(const SegmentShape& shape);
    void blend(const QImage& stamp, QPoint corner);

    QPainter& painter_;
    bool usable_ = false;
    int ratio_ = 1;  // device pixels a pixel
    // The painter's own image when the stamps may be blended into its
    // pixels directly, as the painter would (a rectangular clip or none,
    // plain source-over):
    // thousands of small image draws cost far more in set-up than in pixels.
    QImage* target_ = nullptr;
    std::uint32_t* targetBits_ = nullptr;
    qsizetype targetStride_ = 0;  // pixels from one row to the next
    QPoint offset_;               // device pixels
    QRect area_;                  // the device pixels the painter may paint
    std::map<HeadShape, Stamp> heads_;
    std::map<SegmentShape, Stamp> segments_;
};

// The three corners of an arrowhead with its tip at `tip`, pointing along
// `unit`.
struct ArrowheadCorners {
    QPointF points[3];
};
ArrowheadCorners arrowheadCorners(const FigureArrowhead& head, QPointF tip, QPointF unit);
