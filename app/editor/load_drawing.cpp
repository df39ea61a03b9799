// The loads on the drawing; see load_drawing.h.
#include "editor/load_drawing.h"

#include <algorithm>

#include "canvas/canvas.h"
#include "editor/editor_controls.h"
#include "results/load_figure.h"

LoadDrawing::LoadDrawing(const Document& document, Canvas& canvas, const EditorControls& controls)
    : document(document), canvas(canvas), controls(controls) {}

// The member being drawn has no record yet: whatever its slot holds is not
// its loads.
void LoadDrawing::redraw() {
    if (!shown_) {
        canvas.clearFigure(FigureLayer::Loads);
        return;
    }
    const int recorded = document.membersEntered - (controls.memberBeingDrawn() ? 1 : 0);
    canvas.setFigure(FigureLayer::Loads, loadsFigure(document, std::max(recorded, 0)));
}

void LoadDrawing::setShown(bool shown) {
    shown_ = shown;
    redraw();
}
