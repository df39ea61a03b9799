// The loads on the drawing: the figure of every recorded member's loads,
// kept on the canvas as a retained figure so that it follows zoom and pan
// and no mouse move wipes it. The window calls redraw wherever the
// document's loads or members change; 显示荷载 shows or hides it.
#pragma once

#include <string>

class Canvas;
class EditorControls;
struct Document;

class LoadDrawing {
public:
    LoadDrawing(const Document& document, Canvas& canvas, const EditorControls& controls);

    // The loads figure made what the document's loads are now.
    void redraw();
    bool shown() const { return shown_; }
    void setShown(bool shown);

private:
    const Document& document;
    Canvas& canvas;
    const EditorControls& controls;
    bool shown_ = true;
    std::string drawnFrom_;  // the source of the figure on the canvas
};
