// A figure drawn over the frame: lines, filled arrowheads and texts in world
// coordinates, kept as a value so that the window and an export paint the
// same figure the same way. Parts that keep their size on the screen (load
// arrows, arrowheads, the arc of a couple, texts) are given in pixels from
// the world point they belong to, so a figure needs no rebuilding when the
// view zooms or pans.
#pragma once

#include <string>
#include <vector>

#include "document/model.h"

// A world point moved by a distance in pixels (x to the right, y down, as
// the world coordinates run).
struct FigurePoint {
    double x = 0;
    double y = 0;
    double dx = 0;
    double dy = 0;
    bool operator==(const FigurePoint&) const = default;
};

struct FigurePolyline {
    std::vector<FigurePoint> points;
    ColourValue colour = kBlack;
    double width = 1;  // pixels
    bool operator==(const FigurePolyline&) const = default;
};

// A filled arrowhead with its tip at `tip`, pointing the way from `from` to
// `tip`.
struct FigureArrowhead {
    FigurePoint from;
    FigurePoint tip;
    ColourValue colour = kBlack;
    double length = 8;  // pixels, along the arrow
    double halfWidth = 3.5;
    bool operator==(const FigureArrowhead&) const = default;
};

// Which point of a text's box lies at the text's anchor, row by row from
// the top left.
enum class TextAnchor {
    TopLeft,
    Top,
    TopRight,
    Left,
    Centre,
    Right,
    BottomLeft,
    Bottom,
    BottomRight
};

// Where a text may go when its own place is taken: along a world
// direction (a unit vector), at most `back` world units against it and
// `ahead` with it. A text without a stretch keeps its place or is left out.
struct TextSlide {
    double alongX = 0;
    double alongY = 0;
    double back = 0;
    double ahead = 0;
    bool operator==(const TextSlide&) const = default;
};

struct FigureText {
    FigurePoint at;
    std::string text;  // UTF-8
    ColourValue colour = kBlack;
    TextAnchor anchor = TextAnchor::TopLeft;
    TextSlide slide;
    bool operator==(const FigureText&) const = default;
};

struct Figure {
    std::vector<FigurePolyline> polylines;
    std::vector<FigureArrowhead> arrowheads;
    std::vector<FigureText> texts;

    bool empty() const { return polylines.empty() && arrowheads.empty() && texts.empty(); }
    bool operator==(const Figure&) const = default;
};

// The figures the drawing keeps, each set and cleared as a whole, their
// lines painted in this order. Diagram, Reactions and Deflection are the
// result pictures, shown one at a time.
enum class FigureLayer { Loads, Diagram, Reactions, Deflection };
inline constexpr int kFigureLayerCount = 4;

// The order in which the texts of all layers claim their places: a text
// placed earlier is never covered by a later one, which moves or is left
// out. Within a layer, its texts in their order.
inline constexpr FigureLayer kTextPriority[kFigureLayerCount] = {
    FigureLayer::Diagram, FigureLayer::Reactions, FigureLayer::Loads, FigureLayer::Deflection};
