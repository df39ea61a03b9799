// The loads on the drawing; see load_drawing.h.
#include "editor/load_drawing.h"

#include <algorithm>

#include "canvas/canvas.h"
#include "editor/member_input.h"
#include "results/load_figure.h"

LoadDrawing::LoadDrawing(const EditorContext& context, const MemberInput& memberInput)
    : EditorPart(context), memberInput(memberInput) {}

std::vector<MenuRow> LoadDrawing::menuRows() {
    return {{MenuCommand::ShowLoads, "显示荷载", [this] { setShown(!shown_); },
             [this] { return shown_; }}};
}

// The member being drawn has no record yet: whatever its slot holds is not
// its loads.
void LoadDrawing::redraw() {
    if (!shown_) {
        canvas.clearFigure(FigureLayer::Loads);
        return;
    }
    const int recorded = document.membersEntered - (memberInput.drawing() ? 1 : 0);
    canvas.setFigure(FigureLayer::Loads, loadsFigure(document, std::max(recorded, 0)));
}

void LoadDrawing::setShown(bool shown) {
    shown_ = shown;
    redraw();
}
