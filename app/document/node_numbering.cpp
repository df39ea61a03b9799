// Node numbering; see node_numbering.h.
#include "document/node_numbering.h"

#include <algorithm>
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
