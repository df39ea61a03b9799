// Segments cut to the drawing surface; see pixel_clipping.h.
#include "canvas/pixel_clipping.h"

std::optional<QLineF> clippedTo(const QRectF& box, QLineF segment) {
    enum : unsigned { Left = 1, Right = 2, Top = 4, Bottom = 8 };
    const auto outside = [&box](QPointF p) {
        return (p.x() < box.left() ? Left : 0u) | (p.x() > box.right() ? Right : 0u) |
               (p.y() < box.top() ? Top : 0u) | (p.y() > box.bottom() ? Bottom : 0u);
    };
    // Each pass puts one end on a side; four per end suffice, the bound
    // guards against rounding moving an end back and forth.
    for (int pass = 0; pass < 8; ++pass) {
        const unsigned first = outside(segment.p1());
        const unsigned second = outside(segment.p2());
        if ((first | second) == 0) {
            return segment;
        }
        if ((first & second) != 0) {
            return std::nullopt;
        }
        const bool moveFirst = first != 0;
        const unsigned side = moveFirst ? first : second;
        const QPointF a = segment.p1();
        const QPointF b = segment.p2();
        QPointF onSide;
        if (side & (Left | Right)) {
            const double x = side & Left ? box.left() : box.right();
            onSide = {x, a.y() + (b.y() - a.y()) * ((x - a.x()) / (b.x() - a.x()))};
        } else {
            const double y = side & Top ? box.top() : box.bottom();
            onSide = {a.x() + (b.x() - a.x()) * ((y - a.y()) / (b.y() - a.y())), y};
        }
        moveFirst ? segment.setP1(onSide) : segment.setP2(onSide);
    }
    return std::nullopt;
}

void extendPath(QPainterPath& path, const QLineF& segment) {
    if (path.isEmpty() || path.currentPosition() != segment.p1()) {
        path.moveTo(segment.p1());
    }
    path.lineTo(segment.p2());
}
