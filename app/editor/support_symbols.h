// The support symbols as the editor uses them: drawn on the canvas (see
// canvas/support_symbols.h), and the mode that places each kind.
#pragma once

#include "canvas/support_symbols.h"
#include "document/editor_mode.h"

EditorMode placementModeOf(SupportKind kind);
