// Node numbering after every completed member.
#include "document/node_numbering.h"
#include "editor/form1.h"

// New numbers keep every support on the node at its point: a support is
// where the user put it, whatever number its node has now. (Dropping every
// support whenever a member was completed lost the user's supports without
// a word, also when a deleted member was simply drawn again.)
bool Form1::节点自动编号(const std::vector<SupportAtPoint>& supports) {
    if (!::节点自动编号(document)) {
        return false;
    }
    supports_.removeAll();
    placeSupportsAtPoints(document, supports);
    supports_.redraw();
    return true;
}
