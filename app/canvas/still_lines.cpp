// The member lines and support symbols; see still_lines.h.
#include "canvas/still_lines.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "canvas/canvas.h"
#include "canvas/support_symbols.h"
#include "document/support_kinds.h"

void drawMemberLines(Canvas& canvas, const Document& document, bool oneBeingDrawn) {
    const int beingDrawn = oneBeingDrawn ? 1 : 0;
    const int recorded = std::clamp<int>(document.membersEntered - beingDrawn, 0,
                                         static_cast<int>(document.members.size()) - 1);
    const int drawn = recorded + beingDrawn;
    for (int i = 1; i <= recorded; ++i) {
        const gj& member = document.members[static_cast<std::size_t>(i)];
        if (!canvas.line(kMemberLines, i).loaded) {
            canvas.loadLine(kMemberLines, i, LineShape{0, 0, 0, 0, kBlack, 2, true});
        }
        canvas.moveLine({kMemberLines, i}, member.x1, member.y1, member.x2, member.y2);
    }
    for (int i = canvas.lineCount(kMemberLines) - 1; i > drawn; --i) {
        canvas.unloadLine(kMemberLines, i);
    }
}

std::optional<bool> drawPlacedSupports(Canvas& canvas, const Document& document) {
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
        drawSupportSymbol(canvas, kind->code, node.x, node.y, ++drawn[slot], node.支座方向,
                          groundSideOfFixedEnd(document, node.x, node.y, node.支座方向),
                          elementOr(document.supportExtras, static_cast<std::size_t>(k)).angle);
        if (kind->code != SupportFixed) {
            lastMirrorable = node.支座方向;
        }
    }
    for (std::size_t slot = 0; slot < kPlacedSupportKinds.size(); ++slot) {
        unloadSupportSymbolsFrom(canvas, kPlacedSupportKinds[slot].code, drawn[slot] + 1);
    }
    return lastMirrorable;
}

void drawConnectionMarks(Canvas& canvas, const Document& document, std::int16_t recorded) {
    canvas.setConnectionMarks(connectionMarks(document, recorded));
}

void drawStillLines(Canvas& canvas, const Document& document) {
    drawMemberLines(canvas, document, false);
    drawPlacedSupports(canvas, document);
    drawConnectionMarks(canvas, document, document.membersEntered);
}

QPointF membersReachFrom(const Document& document, float x, float y) {
    QPointF reach;
    const auto entered = static_cast<std::size_t>(std::max<int>(document.membersEntered, 0));
    for (std::size_t m = 1; m <= entered && m < document.members.size(); ++m) {
        const gj& member = document.members[m];
        QPointF away;
        if (member.x1 == x && member.y1 == y) {
            away = QPointF(member.x2 - x, member.y2 - y);
        } else if (member.x2 == x && member.y2 == y) {
            away = QPointF(member.x1 - x, member.y1 - y);
        }
        const double length = std::hypot(away.x(), away.y());
        if (length > 0) {
            reach += away / length;
        }
    }
    return reach;
}

double groundSideOfFixedEnd(const Document& document, float x, float y, bool turned) {
    const QPointF reach = membersReachFrom(document, x, y);
    return (turned ? reach.x() : reach.y()) > 0 ? -1.0 : 1.0;
}
