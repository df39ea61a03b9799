// Moving a node; see node_move.h.
#include "document/node_move.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace {

std::size_t drawnMembers(const Document& document) {
    return std::min<std::size_t>(
        static_cast<std::size_t>(std::max<int>(document.membersEntered, 0)),
        document.members.empty() ? 0 : document.members.size() - 1);
}

bool hasLoadsOrTemperature(const gj& member) {
    return member.荷载数 > 0 || member.温度改变1 != 0 || member.温度改变2 != 0;
}

// Member `member` with its ends at `node` moved to (x, y), as stored.
gj movedMember(gj member, std::int16_t node, float x, float y) {
    if (member.左号 == node) {
        member.x1 = x;
        member.y1 = y;
    }
    if (member.右号 == node) {
        member.x2 = x;
        member.y2 = y;
    }
    if (!runsInDrawingOrder(member.x1, member.y1, member.x2, member.y2)) {
        std::swap(member.x1, member.x2);
        std::swap(member.y1, member.y2);
        std::swap(member.左号, member.右号);
        std::swap(member.左端转动刚度, member.右端转动刚度);
    }
    return member;
}

}  // namespace

bool runsInDrawingOrder(float x1, float y1, float x2, float y2) {
    return x2 > x1 || (x2 == x1 && y1 >= y2);
}

std::optional<std::pair<float, float>> nodePoint(const Document& document, std::int16_t node) {
    for (std::size_t i = 1; i <= drawnMembers(document); ++i) {
        const gj& member = document.members[i];
        if (member.左号 == node) {
            return std::pair{member.x1, member.y1};
        }
        if (member.右号 == node) {
            return std::pair{member.x2, member.y2};
        }
    }
    return std::nullopt;
}

// A member whose other end lies at the new place would shrink to nothing;
// any other end there belongs to another node, which the move would join.
NodeMoveRefusal checkNodeMove(const Document& document, std::int16_t node, float x, float y) {
    using Reason = NodeMoveRefusal::Reason;
    NodeMoveRefusal ontoNode;
    for (std::size_t i = 1; i <= drawnMembers(document); ++i) {
        const gj& member = document.members[i];
        const bool atNode = member.左号 == node || member.右号 == node;
        const auto number = static_cast<std::int16_t>(i);
        for (const auto& [endX, endY, endNode] : {std::tuple{member.x1, member.y1, member.左号},
                                                  std::tuple{member.x2, member.y2, member.右号}}) {
            if (endNode == node || endX != x || endY != y) {
                continue;
            }
            if (atNode) {
                return {Reason::ZeroLength, number};
            }
            ontoNode = {Reason::OntoNode, endNode};
        }
    }
    if (ontoNode.reason != Reason::None) {
        return ontoNode;
    }
    for (std::size_t i = 1; i <= drawnMembers(document); ++i) {
        const gj& member = document.members[i];
        if ((member.左号 == node || member.右号 == node) && hasLoadsOrTemperature(member) &&
            movedMember(member, node, x, y).左号 != member.左号) {
            return {Reason::TurnsLoadedMember, static_cast<std::int16_t>(i)};
        }
    }
    return {};
}

// The node numbers stay: a turned member takes its nodes with its ends,
// and the node's record and support kind are the node's.
void moveNodeEnds(Document& document, std::int16_t node, float x, float y) {
    for (std::size_t i = 1; i <= drawnMembers(document); ++i) {
        gj& member = document.members[i];
        if (member.左号 == node || member.右号 == node) {
            member = movedMember(member, node, x, y);
        }
    }
    if (node >= 1 && static_cast<std::size_t>(node) < document.nodes.size()) {
        document.nodes[static_cast<std::size_t>(node)].x = x;
        document.nodes[static_cast<std::size_t>(node)].y = y;
    }
}
