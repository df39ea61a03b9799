// The four kinds of support a user places, one row each: the code stored
// in supportKinds and the project file, the editor mode that places it and
// the document's symbol counter, and the order in which a press serves the placement
// modes. Everything that maps between a kind, its mode and its counter
// reads this table.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

#include "document/document.h"
#include "document/editor_mode.h"

struct PlacedSupportKind {
    SupportKind code;
    EditorMode placing;                   // the kind's placement mode
    std::int16_t Document::*symbolCount;  // symbols of the kind on the drawing
};

// In the order a press looks at the placement modes (at most one runs).
inline constexpr std::array<PlacedSupportKind, 4> kPlacedSupportKinds{{
    {SupportVerticalLink, EditorMode::VerticalLink, &Document::verticalLinkSymbolCount},
    {SupportHorizontalLink, EditorMode::HorizontalLink, &Document::horizontalLinkSymbolCount},
    {SupportPinned, EditorMode::Pinned, &Document::pinnedSymbolCount},
    {SupportFixed, EditorMode::FixedEnd, &Document::fixedSymbolCount},
}};

// The row of `code`; nullptr for "no support" and for codes that are no
// kind at all.
constexpr const PlacedSupportKind* placedSupportKind(std::int16_t code) {
    const auto* row = std::ranges::find(kPlacedSupportKinds, code, &PlacedSupportKind::code);
    return row == kPlacedSupportKinds.end() ? nullptr : row;
}

// The kind whose placement mode runs, if any.
inline const PlacedSupportKind* runningPlacement(const Document& document) {
    const auto* row = std::ranges::find_if(kPlacedSupportKinds, [&](const PlacedSupportKind& kind) {
        return document.mode == kind.placing;
    });
    return row == kPlacedSupportKinds.end() ? nullptr : row;
}
