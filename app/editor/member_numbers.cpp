// See member_numbers.h.
#include "editor/member_numbers.h"

#include "canvas/canvas.h"
#include "editor/editor_controls.h"

namespace {

// Brown: member numbers stand apart from the node numbers.
constexpr ColourValue kMemberNumberColour = 0x0050A0;

}  // namespace

// Printed, not kept: the next clear or a line moving over them wipes them.
void 杆件号节点号显示(const Document& document, Canvas& canvas, EditorControls& controls) {
    if (document.membersEntered < 1 || document.membersEntered > document.memberTotal) {
        return;
    }
    constexpr double kOffset = 0.2;
    const ColourValue nodeColour = canvas.foreColour;
    const auto print = [&canvas](double x, double y, int number, ColourValue colour) {
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
    controls.setPrintsHint(QStringLiteral("十字光标划过即清除屏幕显示"));
}
