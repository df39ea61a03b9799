// Node numbering after every completed member, and the member and node
// numbers printed on the canvas.
#include <QLabel>

#include "document/node_numbering.h"
#include "editor/form1.h"

namespace {

// Brown: member numbers stand apart from the node numbers.
constexpr ColourValue kMemberNumberColour = 0x0050A0;

}  // namespace

// New numbers keep every support on the node at its point: a support is
// where the user put it, whatever number its node has now. (Dropping every
// support whenever a member was completed lost the user's supports without
// a word, also when a deleted member was simply drawn again.)
bool Form1::节点自动编号() {
    return renumberNodes(supportsAtPoints(document));
}

bool Form1::renumberNodes(const std::vector<SupportAtPoint>& supports) {
    if (!::节点自动编号(document)) {
        return false;
    }
    supports_.removeAll();
    placeSupportsAtPoints(document, supports);
    supports_.redraw();
    return true;
}

void Form1::查看杆件节点编号() {
    杆件号节点号显示();
}

// Each end's node number just right of and below the end, the member
// number likewise at the member's middle, in a colour of its own. Printed,
// not kept: the next clear or a line moving over them wipes them.
void Form1::杆件号节点号显示() {
    if (document.membersEntered < 1 || document.membersEntered > document.memberTotal) {
        return;
    }
    constexpr double kOffset = 0.2;
    const ColourValue nodeColour = canvas.foreColour;
    const auto print = [this](double x, double y, int number, ColourValue colour) {
        canvas.foreColour = colour;
        canvas.printText(static_cast<float>(x + kOffset), static_cast<float>(y + kOffset),
                         QString::number(number));
    };
    for (int i = 1; i <= document.membersEntered; ++i) {
        const gj member = elementOr(document.members, static_cast<std::size_t>(i));
        print(member.x1, member.y1, member.左号, nodeColour);
        print(member.x2, member.y2, member.右号, nodeColour);
        print((double{member.x1} + member.x2) / 2, (double{member.y1} + member.y2) / 2, i,
              kMemberNumberColour);
    }
    canvas.foreColour = nodeColour;
    setPrintsHint(QStringLiteral("十字光标划过即清除屏幕显示"));
}
