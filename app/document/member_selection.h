// Which members a selection takes: those a box holds or touches, the one
// under a click, and the selection kept right when members are deleted or
// their numbers change. A selection is a list of member numbers, ascending
// (Document::selectedMembers).
#pragma once

#include <cstdint>
#include <vector>

#include "document/model.h"

using MemberNumbers = std::vector<std::int16_t>;

// Selected members are drawn in a colour of their own: orange, far from the
// red mark of the member a command acts on.
inline constexpr ColourValue kSelectionColour = 0x0080FF;

// A box given by two corners in world coordinates, in any order.
struct SelectionBox {
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
};

// The drawn members wholly inside the box, or, when `touching`, those with
// any point in it.
MemberNumbers membersInBox(const Model& model, const SelectionBox& box, bool touching);

// The drawn member passing nearest (x, y), within `reach`; 0 for none.
std::int16_t memberNearest(const Model& model, float x, float y, float reach);

bool isSelected(const MemberNumbers& selection, std::int16_t member);
// The members in either list but not both: Ctrl adds what was not selected
// and removes what was.
MemberNumbers toggled(const MemberNumbers& selection, const MemberNumbers& members);

// Member `deleted` went and the last member `last` took its number.
void forgetDeletedMember(MemberNumbers& selection, std::int16_t deleted, std::int16_t last);
// Members beyond `drawn` no longer exist (undo took them away).
void dropMembersBeyond(MemberNumbers& selection, std::int16_t drawn);
