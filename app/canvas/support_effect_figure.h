// Settlements and temperature changes on the drawing: they are loads, so
// they join the loads figure (shown and hidden with it, on the screen, in
// exports and in print). A settlement is an arrow beside its node along
// the (possibly turned) support axis it moves, or a curved arrow for a
// rotation, each with its value; a temperature change its two values
// beside the member's two faces, t1 on the local -y face, t2 on the +y
// face (the tick's side).
#pragma once

#include "document/document.h"
#include "results/figure.h"

// The settlements of the nodes of the first `members` members and the
// temperature changes of those members, in the document's current load
// case.
Figure supportEffectsFigure(const Document& document, int members);

// The loads figure of the drawing: the member loads of the first `members`
// members, then their settlements and temperature changes, all of the
// document's current load case.
Figure drawnLoadsFigure(const Document& document, int members);
