// The loads on the drawing: the figure of every recorded member's loads in
// the current load case, with the settlements and temperature changes,
// which are loads too, kept on the canvas as a retained figure so that it
// follows zoom and pan and no mouse move wipes it. The window calls redraw wherever the
// document's loads or members change; 显示荷载 shows or hides it.
#pragma once

#include <vector>

#include "document/model.h"
#include "editor/editor_part.h"

class MemberInput;

class LoadDrawing : public EditorPart {
public:
    LoadDrawing(const EditorContext& context, const MemberInput& memberInput);

    // 显示荷载, checked while the loads are shown.
    std::vector<MenuRow> menuRows() override;

    // The loads figure made what the document's loads are now.
    void redraw();
    bool shown() const { return shown_; }
    void setShown(bool shown);

private:
    const MemberInput& memberInput;
    bool shown_ = true;
    // The member records the figure on the canvas was built from: a view
    // change with the same records needs no new figure.
    std::vector<gj> drawnFrom_;
    std::vector<SupportExtras> settlementsFrom_;
    int loadCaseFrom_ = 1;
};
