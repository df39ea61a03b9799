// Texts that never overprint one another. Each text claims a box of
// pixels on one surface; a text whose box would overlap a box claimed
// before it slides along its stretch to the nearest free place, and is
// left out when there is none. The first claim wins, so the order of the
// claims decides which texts move.
#pragma once

#include <QPointF>
#include <QRectF>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

class TextPlacer {
public:
    // Places only where a box shows on `surface`.
    explicit TextPlacer(const QRectF& surface);

    // The free place nearest `wanted` among the boxes moved along
    // `direction` (a unit vector in pixels) by at most `back` pixels
    // against it and `ahead` with it; claimed when found.
    std::optional<QRectF> claim(const QRectF& wanted, QPointF direction = {}, double back = 0,
                                double ahead = 0);

private:
    // A box by its edges, as QRectF::intersects takes them: thousands of
    // texts test each place against their neighbours.
    struct Edges {
        double left;
        double right;
        double top;
        double bottom;
    };
    static Edges edgesOf(const QRectF& box);
    static bool overlap(const Edges& a, const Edges& b);
    bool isFree(const QRectF& box) const;
    void reserve(const QRectF& box);

    QRectF surface_;
    std::vector<Edges> boxes_;
    // The boxes by the grid cells they cover, so a test looks at neighbours only.
    std::unordered_map<std::int64_t, std::vector<std::size_t>> cells_;
};
