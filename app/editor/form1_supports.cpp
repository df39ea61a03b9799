// Supports: the four placement commands, the preview that follows the
// mouse, placing a support at a captured member end, deleting every
// support, and the redraw of the placed symbols from the node records.
//
// The node records are the truth: after every placement the symbols are
// drawn again from them, so that a support placed on a node that already
// has one replaces it, on the canvas and in the counters alike, and the
// drawing always shows exactly the supports that will be analysed.
#include <QLabel>
#include <algorithm>
#include <array>

#include "document/support_kinds.h"
#include "editor/form1.h"
#include "platform/platform.h"

void Form1::鼠标指定固端() {
    startSupportPlacement(SupportFixed);
}

void Form1::鼠标指定水平单铰() {
    startSupportPlacement(SupportHorizontalLink);
}

void Form1::鼠标指定竖向单铰() {
    startSupportPlacement(SupportVerticalLink);
}

void Form1::鼠标指定双铰() {
    startSupportPlacement(SupportPinned);
}

// Supports go on member ends, so the frame must be complete first. The
// last member being drawn counts as entered but has no record yet: a
// support command then is refused and the drawing goes on.
void Form1::startSupportPlacement(SupportKind kind) {
    if (drawingMember()) {
        platform.tell(QStringLiteral("先输入完杆件"));
        return;
    }
    canvas.clear();
    Label6->setText(QStringLiteral("移动鼠标捕捉杆端,捕捉成功后击鼠标左键定位,空格键变换支座方向"));
    if (document.memberTotal <= 0 || document.membersEntered != document.memberTotal) {
        platform.tell(QStringLiteral("先输入完杆件"));
        return;
    }
    // Entering the mode also hides the preview of a kind placed before,
    // which would otherwise stay behind on the canvas.
    enterMode(placementModeOf(kind));
}

void Form1::删除支座() {
    if (document.membersEntered < 1) {
        return;
    }
    canvas.clear();
    删除固端();
}

// Every symbol goes; the node records keep their coordinates and
// directions, only their kinds become "no support".
void Form1::删除固端() {
    for (const PlacedSupportKind& kind : kPlacedSupportKinds) {
        unloadSupportSymbolsFrom(kind.code, 1);
        document.*kind.symbolCount = 0;
    }
    const auto nodes = static_cast<std::size_t>(std::max<int>(document.nodeCount, 0));
    for (std::size_t k = 1; k <= nodes && k < document.supportKinds.size(); ++k) {
        document.supportKinds[k] = SupportNone;
    }
    document.supportsPlaced = 0;
}

void Form1::redrawSupportSymbols() {
    if (const std::optional<bool> last = drawPlacedSymbols()) {
        document.supportDirection = *last;
    }
}

// Symbol n of a kind is the kind's n-th node in node order; symbols beyond
// the supported nodes are removed.
std::optional<bool> Form1::drawPlacedSymbols() {
    std::array<int, kPlacedSupportKinds.size()> drawn{};
    std::optional<bool> lastMirrorable;
    for (int k = 1; k <= document.nodeCount; ++k) {
        const std::int16_t code = elementOr(document.supportKinds, static_cast<std::size_t>(k));
        const PlacedSupportKind* kind = placedSupportKind(code);
        if (kind == nullptr) {
            continue;
        }
        const gd node = elementOr(document.nodes, static_cast<std::size_t>(k));
        const auto slot = static_cast<std::size_t>(kind - kPlacedSupportKinds.data());
        drawSupportSymbol(kind->code, node.x, node.y, ++drawn[slot], node.支座方向);
        if (kind->code != SupportFixed) {
            lastMirrorable = node.支座方向;
        }
    }
    for (std::size_t slot = 0; slot < kPlacedSupportKinds.size(); ++slot) {
        unloadSupportSymbolsFrom(kPlacedSupportKinds[slot].code, drawn[slot] + 1);
    }
    return lastMirrorable;
}

void Form1::escapeSupportPlacement() {
    for (const PlacedSupportKind& kind : kPlacedSupportKinds) {
        document.*kind.placing = false;
        showSupportPreview(kind.code, false);
    }
}

// The preview sits on the captured end while the capture box shows it;
// with the box hidden it stays where it was.
void Form1::previewSupport(float x, float y) {
    const PlacedSupportKind* kind = runningPlacement(document);
    if (kind == nullptr) {
        return;
    }
    showSupportPreview(kind->code, true);
    if (!document.endCaptured) {
        drawSupportSymbol(kind->code, x, y, 0, document.supportDirection);
    } else if (document.crosshairOn) {
        drawSupportSymbol(kind->code, document.capturedX, document.capturedY, 0,
                          document.supportDirection);
    }
}

void Form1::placeSupportOnPress() {
    // Every node may already hold a support: a press on one still replaces it.
    if (!document.endCaptured || !document.crosshairOn || document.membersEntered <= 0) {
        return;
    }
    if (const PlacedSupportKind* kind = runningPlacement(document)) {
        PlaceSupport(kind->code);
    }
}

void Form1::PlaceSupport(SupportKind kind) {
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
    drawPlacedSymbols();
    showSupportPreview(kind, false);
}

// The node whose member end lies exactly at the captured point; when the
// member ends disagree about it, the last member decides.
std::int16_t Form1::nodeAtCapturedEnd() const {
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
