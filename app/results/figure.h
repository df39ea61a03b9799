// A figure drawn over the frame: lines, filled arrowheads and texts in world
// coordinates, kept as a value so that the window and an export paint the
// same figure the same way. Parts that keep their size on the screen (load
// arrows, arrowheads, the arc of a couple, texts) are given in pixels from
// the world point they belong to, so a figure needs no rebuilding when the
// view zooms or pans.
#pragma once

#include <string>
#include <vector>

#include "document/document.h"

// A world point moved by a distance in pixels (x to the right, y down, as
// the world coordinates run).
struct FigurePoint {
    double x = 0;
    double y = 0;
    double dx = 0;
    double dy = 0;
};

struct FigurePolyline {
    std::vector<FigurePoint> points;
    ColourValue colour = kBlack;
    double width = 1;  // pixels
};

// A filled arrowhead with its tip at `tip`, pointing the way from `from` to
// `tip`.
struct FigureArrowhead {
    FigurePoint from;
    FigurePoint tip;
    ColourValue colour = kBlack;
    double length = 8;  // pixels, along the arrow
    double halfWidth = 3.5;
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

struct FigureText {
    FigurePoint at;
    std::string text;  // UTF-8
    ColourValue colour = kBlack;
    TextAnchor anchor = TextAnchor::TopLeft;
};

struct Figure {
    std::vector<FigurePolyline> polylines;
    std::vector<FigureArrowhead> arrowheads;
    std::vector<FigureText> texts;

    bool empty() const { return polylines.empty() && arrowheads.empty() && texts.empty(); }
};

// The figures the drawing keeps, each set and cleared as a whole, painted
// in this order.
enum class FigureLayer { Loads, Reactions, Deflection };
inline constexpr int kFigureLayerCount = 3;
