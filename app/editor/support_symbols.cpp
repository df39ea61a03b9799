// The placement mode of each support kind; see support_symbols.h.
#include "editor/support_symbols.h"

#include <QtGlobal>
#include <algorithm>
#include <array>

#include "document/support_kinds.h"

namespace {

struct KindMode {
    SupportKind code;
    EditorMode mode;  // the placement mode of the kind
};

constexpr std::array kKindModes{
    KindMode{SupportFixed, EditorMode::FixedEnd},
    KindMode{SupportPinned, EditorMode::Pinned},
    KindMode{SupportHorizontalLink, EditorMode::HorizontalLink},
    KindMode{SupportVerticalLink, EditorMode::VerticalLink},
};
static_assert(kKindModes.size() == kPlacedSupportKinds.size(), "a mode for every kind");

}  // namespace

EditorMode placementModeOf(SupportKind code) {
    const auto* kind = std::ranges::find(kKindModes, code, &KindMode::code);
    Q_ASSERT(kind != kKindModes.end());
    return kind != kKindModes.end() ? kind->mode : kKindModes.front().mode;
}
