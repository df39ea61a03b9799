// Node numbering; see node_numbering.h.
#include "document/node_numbering.h"

#include <algorithm>

namespace {

bool sameEnd(float xa, float ya, float xb, float yb) {
    return xa == xb && ya == yb;
}

// Takes the numbers of the ends of member b that coincide with ends of
// member a; a later match overwrites an earlier one.
void takeNumbersOf(gj& a, const gj& b) {
    if (sameEnd(a.x1, a.y1, b.x1, b.y1)) {
        a.左号 = b.左号;
    }
    if (sameEnd(a.x2, a.y2, b.x1, b.y1)) {
        a.右号 = b.左号;
    }
    if (sameEnd(a.x1, a.y1, b.x2, b.y2)) {
        a.左号 = b.右号;
    }
    if (sameEnd(a.x2, a.y2, b.x2, b.y2)) {
        a.右号 = b.右号;
    }
}

}  // namespace

void 节点自动编号(Document& document) {
    const std::size_t entered =
        std::min<std::size_t>(static_cast<std::size_t>(std::max<int>(document.membersEntered, 0)),
                              document.members.size() - 1);
    for (std::size_t i = 1; i <= entered; ++i) {
        document.members[i].左号 = 0;
        document.members[i].右号 = 0;
    }
    std::int16_t count = 0;
    for (std::size_t a = 1; a <= entered; ++a) {
        gj& member = document.members[a];
        for (std::size_t b = 1; b <= a; ++b) {
            takeNumbersOf(member, document.members[b]);
        }
        if (member.左号 == 0) {
            member.左号 = ++count;
        }
        if (member.右号 == 0) {
            member.右号 = ++count;
        }
    }
    document.nodeCount = count;
    resizeNodes(document, count);
}
