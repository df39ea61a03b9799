// Member selection by box and by click; see member_selection.h.
#include "document/member_selection.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

struct Bounds {
    double left = 0;
    double right = 0;
    double top = 0;
    double bottom = 0;

    bool holds(double x, double y) const {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
};

Bounds boundsOf(const SelectionBox& box) {
    return {std::min(box.x1, box.x2), std::max(box.x1, box.x2), std::min(box.y1, box.y2),
            std::max(box.y1, box.y2)};
}

// Whether segment p..q crosses the line x = at between y = low and y = high.
bool crossesSideAt(double px, double py, double qx, double qy, double at, double low, double high) {
    if ((px - at) * (qx - at) > 0 || px == qx) {
        return false;
    }
    const double y = py + (qy - py) * (at - px) / (qx - px);
    return y >= low && y <= high;
}

// A segment touches the box when an end lies in it or it crosses a side.
bool touches(const gj& member, const Bounds& b) {
    const double x1 = member.x1;
    const double y1 = member.y1;
    const double x2 = member.x2;
    const double y2 = member.y2;
    return b.holds(x1, y1) || b.holds(x2, y2) ||
           crossesSideAt(x1, y1, x2, y2, b.left, b.top, b.bottom) ||
           crossesSideAt(x1, y1, x2, y2, b.right, b.top, b.bottom) ||
           crossesSideAt(y1, x1, y2, x2, b.top, b.left, b.right) ||
           crossesSideAt(y1, x1, y2, x2, b.bottom, b.left, b.right);
}

double distanceToMember(const gj& member, double x, double y) {
    const double dx = double{member.x2} - member.x1;
    const double dy = double{member.y2} - member.y1;
    const double squared = dx * dx + dy * dy;
    const double along =
        squared > 0 ? std::clamp(((x - member.x1) * dx + (y - member.y1) * dy) / squared, 0.0, 1.0)
                    : 0.0;
    return std::hypot(x - (member.x1 + along * dx), y - (member.y1 + along * dy));
}

int drawnMembers(const Model& model) {
    return std::clamp<int>(model.membersEntered, 0, static_cast<int>(model.members.size()) - 1);
}

}  // namespace

MemberNumbers membersInBox(const Model& model, const SelectionBox& box, bool touching) {
    const Bounds bounds = boundsOf(box);
    MemberNumbers inside;
    for (int i = 1; i <= drawnMembers(model); ++i) {
        const gj& member = model.members[static_cast<std::size_t>(i)];
        const bool taken =
            touching ? touches(member, bounds)
                     : bounds.holds(member.x1, member.y1) && bounds.holds(member.x2, member.y2);
        if (taken) {
            inside.push_back(static_cast<std::int16_t>(i));
        }
    }
    return inside;
}

std::int16_t memberNearest(const Model& model, float x, float y, float reach) {
    std::int16_t nearest = 0;
    double best = reach;
    for (int i = 1; i <= drawnMembers(model); ++i) {
        const double distance = distanceToMember(model.members[static_cast<std::size_t>(i)], x, y);
        if (distance <= best) {
            best = distance;
            nearest = static_cast<std::int16_t>(i);
        }
    }
    return nearest;
}

bool isSelected(const MemberNumbers& selection, std::int16_t member) {
    return std::binary_search(selection.begin(), selection.end(), member);
}

MemberNumbers toggled(const MemberNumbers& selection, const MemberNumbers& members) {
    MemberNumbers result;
    std::set_symmetric_difference(selection.begin(), selection.end(), members.begin(),
                                  members.end(), std::back_inserter(result));
    return result;
}

void forgetDeletedMember(MemberNumbers& selection, std::int16_t deleted, std::int16_t last) {
    const bool lastWasSelected = isSelected(selection, last);
    std::erase(selection, deleted);
    std::erase(selection, last);
    if (lastWasSelected && last != deleted) {
        selection.insert(std::lower_bound(selection.begin(), selection.end(), deleted), deleted);
    }
}

void dropMembersBeyond(MemberNumbers& selection, std::int16_t drawn) {
    std::erase_if(selection, [drawn](std::int16_t member) { return member > drawn; });
}
