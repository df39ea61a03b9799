// The operations on a selection of members, on the model's member records:
// copies carried by maps of the plane (复制, 镜像, 阵列), a move that
// stretches the members joined to the moved ones, and deletion. Node
// numbers are left to the caller, who numbers the nodes anew afterwards
// (supports kept at their points, see node_numbering.h).
//
// New ends that land on an existing end, or within a rounding of it, take
// its coordinates exactly and so join its node. An operation that would
// make two members coincide, or a member of no length, is refused: the
// result is the message naming the members, and the model is unchanged.
#pragma once

#include <string>
#include <vector>

#include "document/member_map.h"
#include "document/member_selection.h"
#include "document/node_numbering.h"

// What an operation left: an empty `refusal` when it was done.
struct SelectionEdit {
    std::string refusal;  // UTF-8, for a message box
    bool done() const { return refusal.empty(); }
};

// Appends, after the drawn members, a copy of each selected member carried
// by each map in turn, raising the member total where the copies go beyond
// it. A mirror image that is the member itself (a member on the mirror
// line, or symmetric about it) is no copy and is left out.
SelectionEdit addMappedCopies(Model& model, const MemberNumbers& selected,
                              const std::vector<PlaneMap>& maps);

// The maps of 阵列: n copies, copy k shifted by k x (dx, dy).
std::vector<PlaneMap> arrayMaps(int copies, double dx, double dy);

// Moves the selected members by (dx, dy). Every end of another member at a
// moved node moves with it, so those members stretch to follow; the
// supports on moved nodes move with them.
SelectionEdit moveMembers(Model& model, const MemberNumbers& selected, double dx, double dy,
                          std::vector<SupportAtPoint>& supports);

// Deletes the selected members as 删除杆件 does one after the other, from
// the highest number down: the last member takes the number of each one
// deleted, and the member total goes down with them.
void deleteMembers(Model& model, const MemberNumbers& selected);
