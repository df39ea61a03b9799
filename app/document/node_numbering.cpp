// Node numbering; see node_numbering.h.
#include "document/node_numbering.h"

#include <algorithm>
#include <bit>
#include <unordered_map>
#include <vector>

namespace {

// The node numbers of one member's ends while they are being worked out:
// plain ints, so that a count beyond 16 bits is seen instead of wrapping.
struct EndNumbers {
    int left = 0;
    int right = 0;
};

bool sameEnd(float xa, float ya, float xb, float yb) {
    return xa == xb && ya == yb;
}

// Takes the numbers of the ends of member b that coincide with ends of
// member a; a later match overwrites an earlier one.
void takeNumbersOf(const gj& a, EndNumbers& numbersOfA, const gj& b, const EndNumbers& numbersOfB) {
    if (sameEnd(a.x1, a.y1, b.x1, b.y1)) {
        numbersOfA.left = numbersOfB.left;
    }
    if (sameEnd(a.x2, a.y2, b.x1, b.y1)) {
        numbersOfA.right = numbersOfB.left;
    }
    if (sameEnd(a.x1, a.y1, b.x2, b.y2)) {
        numbersOfA.left = numbersOfB.right;
    }
    if (sameEnd(a.x2, a.y2, b.x2, b.y2)) {
        numbersOfA.right = numbersOfB.right;
    }
}

std::size_t membersToNumber(const Document& document) {
    return std::min<std::size_t>(
        static_cast<std::size_t>(std::max<int>(document.membersEntered, 0)),
        document.members.size() - 1);
}

}  // namespace

bool 节点自动编号(Document& document) {
    const std::size_t entered = membersToNumber(document);
    std::vector<EndNumbers> numbers(entered + 1);
    int count = 0;
    for (std::size_t a = 1; a <= entered; ++a) {
        const gj& member = document.members[a];
        for (std::size_t b = 1; b <= a; ++b) {
            takeNumbersOf(member, numbers[a], document.members[b], numbers[b]);
        }
        if (numbers[a].left == 0) {
            numbers[a].left = ++count;
        }
        if (numbers[a].right == 0) {
            numbers[a].right = ++count;
        }
        if (count > kMaxNodeCount) {
            return false;
        }
    }
    for (std::size_t i = 1; i <= entered; ++i) {
        document.members[i].左号 = static_cast<std::int16_t>(numbers[i].left);
        document.members[i].右号 = static_cast<std::int16_t>(numbers[i].right);
    }
    document.nodeCount = static_cast<std::int16_t>(count);
    resizeNodes(document, document.nodeCount);
    return true;
}

// Adding +0 makes -0 a plain 0: the same point.
std::uint64_t pointKey(float x, float y) {
    return std::uint64_t{std::bit_cast<std::uint32_t>(x + 0.0f)} << 32 |
           std::bit_cast<std::uint32_t>(y + 0.0f);
}

namespace {

// Where each node lies, by the first drawn member end numbered with it.
struct NodePoint {
    float x = 0;
    float y = 0;
    bool known = false;
};

std::vector<NodePoint> nodePoints(const Document& document) {
    std::vector<NodePoint> points(static_cast<std::size_t>(std::max<int>(document.nodeCount, 0)) +
                                  1);
    const auto note = [&points](std::int16_t node, float x, float y) {
        if (node >= 1 && static_cast<std::size_t>(node) < points.size() &&
            !points[static_cast<std::size_t>(node)].known) {
            points[static_cast<std::size_t>(node)] = {x, y, true};
        }
    };
    for (std::size_t i = 1; i <= membersToNumber(document); ++i) {
        const gj& member = document.members[i];
        note(member.左号, member.x1, member.y1);
        note(member.右号, member.x2, member.y2);
    }
    return points;
}

}  // namespace

std::vector<SupportAtPoint> supportsAtPoints(const Document& document) {
    std::vector<SupportAtPoint> supports;
    const std::vector<NodePoint> points = nodePoints(document);
    for (std::size_t node = 1; node < points.size(); ++node) {
        const std::int16_t kind = elementOr(document.supportKinds, node);
        const SupportExtras extras = elementOr(document.supportExtras, node);
        const bool placed = kind != SupportNone && isSupportKind(kind);
        if (points[node].known && (placed || !extras.empty())) {
            supports.push_back({points[node].x, points[node].y,
                                placed ? kind : std::int16_t{SupportNone},
                                elementOr(document.nodes, node), extras});
        }
    }
    return supports;
}

void placeSupportsAtPoints(Document& document, const std::vector<SupportAtPoint>& supports) {
    const std::vector<NodePoint> points = nodePoints(document);
    std::unordered_map<std::uint64_t, std::size_t> nodeAt;
    for (std::size_t node = 1; node < points.size(); ++node) {
        if (points[node].known) {
            nodeAt.emplace(pointKey(points[node].x, points[node].y), node);
        }
    }
    for (const SupportAtPoint& support : supports) {
        if (const auto found = nodeAt.find(pointKey(support.x, support.y)); found != nodeAt.end()) {
            gd record = support.record;
            record.节点号 = static_cast<std::int16_t>(found->second);
            if (placeSupport(document, found->second, support.kind, record) &&
                found->second < document.supportExtras.size()) {
                document.supportExtras[found->second] = support.extras;
            }
        }
    }
}
