// The member and node numbers printed on the canvas: 查看杆件节点编号, and
// after the printed results of an analysis.
#pragma once

#include "document/document.h"

class Canvas;
class EditorControls;

// Each end's node number just right of and below the end, the member
// number likewise at the member's middle, in a colour of its own; the hint
// says that the crosshair wipes them. Nothing while the drawing is
// incomplete.
void 杆件号节点号显示(const Document& document, Canvas& canvas, EditorControls& controls);
