// The drawing model of the editor window; see canvas.h.
#include "canvas/canvas.h"

Canvas::Canvas() : renderer_(lines_, view_) {
    lines_.lineChanged = [this](LineId id, const LineShape& before) {
        renderer_.lineChanged(id, before);
    };
    lines_.floatingChanged = [this](LineId id) { renderer_.floatingChanged(id); };
}

void Canvas::setWorld(const WorldWindow& world) {
    if (world == view_.world) {
        return;
    }
    view_.world = world;
    renderer_.viewChanged();
}

// A new size repaints the whole window; the view maps onto the surface
// the renderer made, which is empty when either side is.
void Canvas::resize(QSize pixels) {
    if (pixels == renderer_.surfaceSize()) {
        return;
    }
    renderer_.resize(pixels);
    view_.pixels = renderer_.surfaceSize();
    renderer_.viewChanged();
}

// Every pixel of the background changes.
void Canvas::setBackground(ColourValue colour) {
    if (colour == background_) {
        return;
    }
    background_ = colour;
    renderer_.invalidateAll();
}

DrawingScene Canvas::scene() const {
    DrawingScene scene{world(),
                       background_,
                       font,
                       renderer_.stillLines(),
                       printLog(),
                       {},
                       renderer_.connectionMarks()};
    for (int layer = 0; layer < kFigureLayerCount; ++layer) {
        scene.figures.at(static_cast<std::size_t>(layer)) =
            renderer_.sharedFigure(static_cast<FigureLayer>(layer));
    }
    return scene;
}
