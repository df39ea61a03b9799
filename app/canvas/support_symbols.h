// The support symbols on the canvas: one table per kind (its line arrays,
// ground line, pieces, axis and turn). Symbol i of
// a kind is element i of every one of its line arrays; element 0 is the
// preview that follows the mouse while the kind is being placed.
#pragma once

#include "canvas/canvas.h"
#include "document/document.h"

// The hidden preview of every kind, made once at start-up.
void loadSymbolPreviews(Canvas& canvas);
// Symbol `index` of its kind at node (x, y), its lines created when they
// do not exist yet; `direction` mirrors the pinned and link symbols and
// turns the fixed end's bar a quarter. `groundSide` puts the fixed end's
// hatching below or right of its bar (+1) or above or left of it (-1).
// `turn` (degrees, from +X towards +Y: clockwise on the screen) turns the
// whole symbol about the node with the node's support axes.
void drawSupportSymbol(Canvas& canvas, SupportKind kind, float x, float y, int index,
                       bool direction, double groundSide = 1, double turn = 0);
void showSupportPreview(Canvas& canvas, SupportKind kind, bool visible);
// Removes the kind's symbols from `first` on (never the preview).
void unloadSupportSymbolsFrom(Canvas& canvas, SupportKind kind, int first);
