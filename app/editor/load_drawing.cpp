// The loads on the drawing; see load_drawing.h.
#include "editor/load_drawing.h"

#include <algorithm>
#include <span>

#include "canvas/canvas.h"
#include "canvas/support_effect_figure.h"
#include "editor/member_input.h"

LoadDrawing::LoadDrawing(const EditorContext& context, const MemberInput& memberInput)
    : EditorPart(context), memberInput(memberInput) {}

std::vector<MenuRow> LoadDrawing::menuRows() {
    return {{MenuCommand::ShowLoads, "显示荷载", [this] { setShown(!shown_); },
             [this] { return shown_; }}};
}

// The member being drawn has no record yet: whatever its slot holds is not
// its loads. The figure is built again only when what it shows changed;
// every view change comes here.
void LoadDrawing::redraw() {
    if (!shown_) {
        canvas.clearFigure(FigureLayer::Loads);
        drawnFrom_.clear();
        return;
    }
    const auto recorded = static_cast<std::size_t>(
        std::max(document.membersEntered - (memberInput.drawing() ? 1 : 0), 0));
    const auto drawn =
        std::span(document.members).subspan(1, std::min(recorded, document.members.size() - 1));
    if (std::ranges::equal(drawn, drawnFrom_) && document.supportExtras == settlementsFrom_ &&
        document.currentLoadCase == loadCaseFrom_ && !canvas.figure(FigureLayer::Loads).empty()) {
        return;
    }
    canvas.setFigure(FigureLayer::Loads,
                     drawnLoadsFigure(document, static_cast<int>(drawn.size())));
    drawnFrom_.assign(drawn.begin(), drawn.end());
    settlementsFrom_ = document.supportExtras;
    loadCaseFrom_ = document.currentLoadCase;
}

void LoadDrawing::setShown(bool shown) {
    shown_ = shown;
    redraw();
}
