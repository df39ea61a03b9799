// Start-up state and sizing of the document; see document.h.
#include "document/document.h"

#include <algorithm>

void resetDocument(Document& document, const std::string& programFolder) {
    Document fresh;
    fresh.projectPath = programFolder + "/noname.tsd";
    fresh.backColour = document.backColour;
    fresh.crosshairColour = document.crosshairColour;
    fresh.world = document.world;
    document = std::move(fresh);
}

void resizeMembers(Document& document, std::int16_t total) {
    document.members.assign(static_cast<std::size_t>(std::max<int>(total, 0)) + 1, gj{});
}

void resizeNodes(Document& document, std::int16_t count) {
    const std::size_t size = static_cast<std::size_t>(std::max<int>(count, 0)) + 1;
    document.nodes.assign(size, gd{});
    document.supportKinds.assign(size, SupportNone);
}
