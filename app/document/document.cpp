// Start-up state and sizing of the document; see document.h.
#include "document/document.h"

#include "document/support_kinds.h"

#include <algorithm>

void resetDocument(Document& document, const std::string& newProjectFolder) {
    Document fresh;
    fresh.projectPath = newProjectFolder + "/noname.tsd";
    fresh.backColour = document.backColour;
    fresh.crosshairColour = document.crosshairColour;
    fresh.world = document.world;
    document = std::move(fresh);
}

void resizeMembers(Document& document, std::int16_t total) {
    // Made in place rather than copied from one blank record: a large frame
    // has tens of thousands, each with its load slots.
    document.members.clear();
    document.members.resize(static_cast<std::size_t>(std::max<int>(total, 0)) + 1);
}

bool setMemberTotal(Document& document, std::int16_t total) {
    const int drawn = std::max<int>(document.membersEntered, 0);
    if (total < drawn) {
        return false;
    }
    const auto kept = std::min(document.members.size(), static_cast<std::size_t>(drawn) + 1);
    document.members.resize(kept);
    document.members.resize(static_cast<std::size_t>(total) + 1);
    document.memberTotal = total;
    return true;
}

void resizeNodes(Document& document, std::int16_t count) {
    const std::size_t size = static_cast<std::size_t>(std::max<int>(count, 0)) + 1;
    document.nodes.assign(size, gd{});
    document.supportKinds.assign(size, SupportNone);
    document.supportExtras.assign(size, SupportExtras{});
}

bool isSupportKind(std::int16_t kind) {
    return kind == SupportNone || placedSupportKind(kind) != nullptr;
}

bool placeSupport(Document& document, std::size_t node, std::int16_t kind, const gd& record) {
    const bool numbered =
        node >= 1 && node <= static_cast<std::size_t>(std::max<int>(document.nodeCount, 0));
    if (!numbered || node >= document.nodes.size() || node >= document.supportKinds.size() ||
        !isSupportKind(kind)) {
        return false;
    }
    // A node holds one support: one placed there before no longer counts.
    if (const PlacedSupportKind* before = placedSupportKind(document.supportKinds[node])) {
        --(document.*before->symbolCount);
        --document.supportsPlaced;
    }
    document.nodes[node] = record;
    document.supportKinds[node] = kind;
    const PlacedSupportKind* placed = placedSupportKind(kind);
    if (placed == nullptr) {
        return true;
    }
    ++(document.*placed->symbolCount);
    ++document.supportsPlaced;
    if (kind != SupportFixed) {
        document.supportDirection = record.支座方向;
    }
    return true;
}

void CopyMember(Document& document, std::size_t target, std::size_t source) {
    if (target >= document.members.size() || source >= document.members.size()) {
        return;
    }
    // Everything of the record moves with it (loads, connections,
    // temperature, whatever is added) but the node numbers, which belong
    // to the place in the numbering.
    gj& to = document.members[target];
    const std::int16_t left = to.左号;
    const std::int16_t right = to.右号;
    to = document.members[source];
    to.左号 = left;
    to.右号 = right;
}
