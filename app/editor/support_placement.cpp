// Supports: the four placement commands, the preview that follows the
// mouse, placing a support at a captured member end, deleting every
// support, and the redraw of the placed symbols from the node records.
//
// The node records are the truth: after every placement the symbols are
// drawn again from them, so that a support placed on a node that already
// has one replaces it, on the canvas and in the counters alike, and the
// drawing always shows exactly the supports that will be analysed.
#include "editor/support_placement.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "canvas/still_lines.h"
#include "canvas/support_symbols.h"
#include "document/support_kinds.h"
#include "editor/editor_controls.h"
#include "editor/member_input.h"
#include "platform/platform.h"

SupportPlacement::SupportPlacement(const EditorContext& context, const MemberInput& memberInput)
    : EditorPart(context), memberInput(memberInput) {}

std::vector<MenuRow> SupportPlacement::menuRows() {
    using C = MenuCommand;
    return {{C::FixedEnd, "鼠标指定固端", [this] { start(SupportFixed); }},
            {C::HorizontalLink, "鼠标指定水平单铰", [this] { start(SupportHorizontalLink); }},
            {C::VerticalLink, "鼠标指定竖向单铰", [this] { start(SupportVerticalLink); }},
            {C::Pinned, "鼠标指定双铰", [this] { start(SupportPinned); }},
            {C::DeleteSupports, "删除支座", [this] { deleteCommand(); }}};
}

void SupportPlacement::reset(ResetReason reason) {
    if (reason == ResetReason::StartUp) {
        loadPreviews();
    }
}

// Supports go on member ends, so the frame must be complete first. The
// last member being drawn counts as entered but has no record yet: a
// support command then is refused and the drawing goes on.
void SupportPlacement::start(SupportKind kind) {
    if (memberInput.drawing()) {
        platform.tell(QStringLiteral("先输入完杆件"));
        return;
    }
    canvas.clear();
    previewEnd_.reset();
    controls.setHint(QString::fromUtf8(kSupportPlacementHint));
    if (document.memberTotal <= 0 || document.membersEntered != document.memberTotal) {
        platform.tell(QStringLiteral("先输入完杆件"));
        return;
    }
    // Entering the mode also hides the preview of a kind placed before,
    // which would otherwise stay behind on the canvas.
    controls.enterMode(placedSupportKind(kind)->placing);
}

void SupportPlacement::deleteCommand() {
    if (document.membersEntered < 1) {
        return;
    }
    canvas.clear();
    removeAll();
}

// Every symbol goes; the node records keep their coordinates and
// directions, only their kinds become "no support". Springs, turns and
// settlements are the supports' too and go with them.
void SupportPlacement::removeAll() {
    for (const PlacedSupportKind& kind : kPlacedSupportKinds) {
        unloadSupportSymbolsFrom(canvas, kind.code, 1);
        document.*kind.symbolCount = 0;
    }
    const auto nodes = static_cast<std::size_t>(std::max<int>(document.nodeCount, 0));
    for (std::size_t k = 1; k <= nodes && k < document.supportKinds.size(); ++k) {
        document.supportKinds[k] = SupportNone;
    }
    std::ranges::fill(document.supportExtras, SupportExtras{});
    document.supportsPlaced = 0;
}

void SupportPlacement::redraw() {
    if (const std::optional<bool> last = drawPlacedSupports(canvas, document)) {
        document.supportDirection = *last;
    }
}

void SupportPlacement::escape() {
    previewEnd_.reset();
    if (runningPlacement(document) != nullptr) {
        document.mode = EditorMode::None;
    }
    for (const PlacedSupportKind& kind : kPlacedSupportKinds) {
        showSupportPreview(canvas, kind.code, false);
    }
}

// The preview sits on the captured end while the capture box shows it;
// with the box hidden it stays where it was.
void SupportPlacement::preview(float x, float y) {
    const PlacedSupportKind* kind = runningPlacement(document);
    if (kind == nullptr) {
        return;
    }
    showSupportPreview(canvas, kind->code, true);
    if (!document.endCaptured) {
        previewEnd_.reset();
        drawSupportSymbol(canvas, kind->code, x, y, 0, document.supportDirection);
    } else if (document.crosshairOn) {
        const float endX = document.capturedX;
        const float endY = document.capturedY;
        if (kind->code == SupportFixed) {
            turnAcrossNewEnd(endX, endY);
        }
        drawSupportSymbol(canvas, kind->code, endX, endY, 0, document.supportDirection,
                          groundSideOfFixedEnd(document, endX, endY, document.supportDirection));
    }
}

// A fixed end's preview starts across the member end it has just captured:
// a bar along y at the end of a member running more along x, else along x.
// Space turns it from there; the next end captured starts across again.
void SupportPlacement::turnAcrossNewEnd(float x, float y) {
    if (previewEnd_ == QPointF(x, y)) {
        return;
    }
    previewEnd_ = QPointF(x, y);
    const QPointF reach = membersReachFrom(document, x, y);
    if (!reach.isNull()) {
        document.supportDirection = std::abs(reach.x()) > std::abs(reach.y());
    }
}

void SupportPlacement::placeOnPress() {
    // Every node may already hold a support: a press on one still replaces it.
    if (!document.endCaptured || !document.crosshairOn || document.membersEntered <= 0) {
        return;
    }
    if (const PlacedSupportKind* kind = runningPlacement(document)) {
        place(kind->code);
    }
}

void SupportPlacement::place(SupportKind kind) {
    const std::int16_t node = nodeAtCapturedEnd();
    if (node < 1 || node > document.nodeCount) {
        return;
    }
    gd record = elementOr(document.nodes, static_cast<std::size_t>(node));
    record.节点号 = node;
    record.x = document.capturedX;
    record.y = document.capturedY;
    record.支座方向 = document.supportDirection;
    if (!placeSupport(document, static_cast<std::size_t>(node), kind, record)) {
        return;
    }
    drawPlacedSupports(canvas, document);
    showSupportPreview(canvas, kind, false);
}

// The node whose member end lies exactly at the captured point; when the
// member ends disagree about it, the last member decides.
std::int16_t SupportPlacement::nodeAtCapturedEnd() const {
    std::int16_t node = 0;
    for (int m = 1; m <= document.membersEntered; ++m) {
        if (static_cast<std::size_t>(m) >= document.members.size()) {
            break;
        }
        const LineShape& line = canvas.line(kMemberLines, m);
        const gj& member = document.members[static_cast<std::size_t>(m)];
        if (line.x1 == document.capturedX && line.y1 == document.capturedY) {
            node = member.左号;
        } else if (line.x2 == document.capturedX && line.y2 == document.capturedY) {
            node = member.右号;
        }
    }
    return node;
}

bool SupportPlacement::running() const {
    return runningPlacement(document) != nullptr;
}

void SupportPlacement::loadPreviews() {
    loadSymbolPreviews(canvas);
}
