// The result pictures drawn over the frame — an internal-force diagram,
// the support reactions, the deflected shape — are shown one at a time:
// each replaces the one shown before, so no two results' lines and texts
// pile up on the drawing.
#pragma once

#include "results/figure.h"

class Canvas;

void showResultPicture(Canvas& canvas, FigureLayer layer, Figure figure);
void clearResultPictures(Canvas& canvas);
