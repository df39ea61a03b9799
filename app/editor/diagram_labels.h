// The texts of the internal-force diagrams placed so that none overprints
// another: a text whose box would overlap one already placed slides along
// its member to the nearest free place, with a short leader line back to
// its point when it moved far, and is left out when there is none.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "document/document.h"

class Canvas;

// A text of a member's diagram and how far it may slide.
struct DiagramText {
    QPointF at;  // world: a label's top-left corner, a symbol's centre
    QString text;
    bool symbol = false;
    // The member's axis: its first end and unit direction (world), and the
    // stretch (m from the first end) that the point may slide within.
    QPointF origin;
    QPointF along;
    double from = 0;
    double to = 0;
};

class DiagramTextPlacer {
public:
    // Prints on `canvas`; leader lines in `leaderColour`.
    DiagramTextPlacer(Canvas& canvas, ColourValue leaderColour);

    // Prints the text at the nearest free place; false when it was left out.
    bool print(const DiagramText& text);

private:
    std::optional<QPointF> freePlace(const DiagramText& text, QRectF& box) const;
    QRectF boxAt(const DiagramText& text, QPointF at) const;
    bool isFree(const QRectF& box) const;
    void reserve(const QRectF& box);
    void drawLeader(QPointF from, const QRectF& box);

    Canvas& canvas_;
    ColourValue leaderColour_;
    std::vector<QRectF> boxes_;
    // The boxes by the grid cells they cover, so a test looks at neighbours only.
    std::unordered_map<std::int64_t, std::vector<std::size_t>> cells_;
};
