// The loads on the drawing; see load_drawing.h.
#include "editor/load_drawing.h"

#include <algorithm>
#include <utility>

#include "canvas/canvas.h"
#include "editor/editor_controls.h"
#include "results/load_figure.h"

LoadDrawing::LoadDrawing(const Document& document, Canvas& canvas, const EditorControls& controls)
    : document(document), canvas(canvas), controls(controls) {}

// The member being drawn has no record yet: whatever its slot holds is not
// its loads. The figure is built again only when what it shows changed;
// every view change comes here.
void LoadDrawing::redraw() {
    if (!shown_) {
        canvas.clearFigure(FigureLayer::Loads);
        drawnFrom_.clear();
        return;
    }
    const int recorded =
        std::max(document.membersEntered - (controls.memberBeingDrawn() ? 1 : 0), 0);
    std::string source = loadsFigureSource(document, recorded);
    if (source == drawnFrom_ && !canvas.figure(FigureLayer::Loads).empty()) {
        return;
    }
    canvas.setFigure(FigureLayer::Loads, loadsFigure(document, recorded));
    drawnFrom_ = std::move(source);
}

void LoadDrawing::setShown(bool shown) {
    shown_ = shown;
    redraw();
}
