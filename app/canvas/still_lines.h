// The lines of the drawing that stand still, made exactly what the
// document says: a line per drawn member at its record's ends, a symbol
// per supported node and a mark per released member end. The window draws them wherever the
// document changes; a picture without the window draws them once.
#pragma once

#include <QPointF>
#include <optional>

#include "document/document.h"

class Canvas;

// A line per recorded member (created where missing), lines beyond the
// drawn members unloaded. The member being drawn, when `oneBeingDrawn`,
// has no record yet (it may lie beyond the total): its line is its truth
// and stays.
void drawMemberLines(Canvas& canvas, const Document& document, bool oneBeingDrawn);
// Every support from the node records, symbol n of a kind on the kind's
// n-th node in node order; symbols beyond the supported nodes go. The
// direction of the last pinned or link symbol drawn, if any.
std::optional<bool> drawPlacedSupports(Canvas& canvas, const Document& document);
// The marks of the first `recorded` members' released ends (see
// connection_marks.h).
void drawConnectionMarks(Canvas& canvas, const Document& document, std::int16_t recorded);
// All three, for a document with no member being drawn.
void drawStillLines(Canvas& canvas, const Document& document);

// Where the members with an end at (x, y) run from there: the sum of their
// directions, each of length one.
QPointF membersReachFrom(const Document& document, float x, float y);
// The side of its bar (+1 or -1, see drawSupportSymbol) on which a fixed
// end at (x, y) is hatched: away from the members it holds, below a
// column's foot, above a hanging member's end.
double groundSideOfFixedEnd(const Document& document, float x, float y, bool turned);
