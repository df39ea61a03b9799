// Supports placed with the mouse: the four placement commands, the preview
// that follows the mouse, placing, replacing and deleting supports, and
// the symbols redrawn after a change of view.
#include "editor_fixture.h"

namespace {

class Supports : public EditorTest {};

}  // namespace
